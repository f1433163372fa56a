#ifndef QUARRO_IMPORT_CONSOLEIMPORTSELECTIONINTERFACE_H
#define QUARRO_IMPORT_CONSOLEIMPORTSELECTIONINTERFACE_H

#include "AbstractImportSelectionInterface.h"
#include "AbstractImportSelectionInterfaceFactory.h"
#include "ConcreteProductFactory.h"
#include "QuarroImportExport.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace quarro {
namespace import {

// Asks on the console which importer reads a file: prints the candidate keys numbered from 1 and
// reads the number typed, 0 to cancel. The library registers it under the key
// "ConsoleImportSelectionInterface" when it loads.
class QUARRO_IMPORT_EXPORT ConsoleImportSelectionInterface
    : public AbstractImportSelectionInterface {
public:
    // Talks on the standard output and input.
    ConsoleImportSelectionInterface();
    // Talks on the given streams (for tools that redirect the dialogue, and for tests).
    ConsoleImportSelectionInterface(std::istream& in, std::ostream& out);
    ~ConsoleImportSelectionInterface() override;

    void init(std::vector<std::string> const& importers, bool& cancelled) override;
    int importer() const override { return m_importer; }

protected:
    void interrogate_user();

private:
    // Reads the next whole number; an answer that is not one is refused like a number out of
    // range. Returns false at the end of the input.
    bool read_answer(int& answer);
    void cancel();

    std::vector<std::string> m_importers;
    int m_importer = -1;
    bool* m_cancel_flag = nullptr;
    std::istream* m_in;
    std::ostream* m_out;
};

using ConsoleImportSelectionInterfaceFactory =
    ConcreteProductFactory<AbstractImportSelectionInterfaceFactory,
                           ConsoleImportSelectionInterface>;

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_CONSOLEIMPORTSELECTIONINTERFACE_H
