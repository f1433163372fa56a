#ifndef QUARRO_IMPORT_ABSTRACTIMPORTSELECTIONINTERFACE_H
#define QUARRO_IMPORT_ABSTRACTIMPORTSELECTIONINTERFACE_H

#include "QuarroImportExport.h"

#include <string>
#include <vector>

namespace quarro {
namespace import {

// Lets the user choose an importer when the file itself does not tell which one reads it.
// Implementations are made by key through AbstractImportSelectionInterfaceFactory.
class QUARRO_IMPORT_EXPORT AbstractImportSelectionInterface {
public:
    // Offers the candidate importer keys and runs the choice; sets `cancelled` when the user
    // cancels.
    virtual void init(std::vector<std::string> const& importers, bool& cancelled) = 0;
    // Index into the offered list of the chosen importer, -1 when none was chosen.
    virtual int importer() const = 0;
    virtual ~AbstractImportSelectionInterface();

protected:
    AbstractImportSelectionInterface() = default;
    AbstractImportSelectionInterface(AbstractImportSelectionInterface const&) = default;
    AbstractImportSelectionInterface& operator=(AbstractImportSelectionInterface const&) = default;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_ABSTRACTIMPORTSELECTIONINTERFACE_H
