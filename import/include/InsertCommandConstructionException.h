#ifndef QUARRO_IMPORT_INSERTCOMMANDCONSTRUCTIONEXCEPTION_H
#define QUARRO_IMPORT_INSERTCOMMANDCONSTRUCTIONEXCEPTION_H

#include "QuarroImportExport.h"
#include "utilities/Exception.h"

#include <QString>

#include <iosfwd>
#include <string>

namespace quarro {
namespace import {

// An insert command that cannot be built; the import manager answers it with an
// error box asking the user to send the log.
class QUARRO_IMPORT_EXPORT InsertCommandConstructionException : public quarro::Exception {
public:
    InsertCommandConstructionException(unsigned int code, std::string message, char const* file,
                                       unsigned int line);
    // A literal message (picks neither string overload over the other).
    InsertCommandConstructionException(unsigned int code, char const* message, char const* file,
                                       unsigned int line);
    // The message is passed on as UTF-8.
    InsertCommandConstructionException(unsigned int code, QString const& message, char const* file,
                                       unsigned int line);
    InsertCommandConstructionException(InsertCommandConstructionException const& other);
    InsertCommandConstructionException& operator=(InsertCommandConstructionException const& other);
    ~InsertCommandConstructionException() override;

    void log_information(std::ostream& os) const override;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_INSERTCOMMANDCONSTRUCTIONEXCEPTION_H
