#ifndef QUARRO_IMPORT_IMPORTCANCELEDEXCEPTION_H
#define QUARRO_IMPORT_IMPORTCANCELEDEXCEPTION_H

#include "QuarroImportExport.h"
#include "utilities/Exception.h"

#include <QString>

#include <iosfwd>
#include <string>

namespace quarro {
namespace import {

// An import that the user cancelled.
class QUARRO_IMPORT_EXPORT ImportCanceledException : public quarro::Exception {
public:
    ImportCanceledException(unsigned int code, std::string message, char const* file,
                            unsigned int line);
    // A literal message (picks neither string overload over the other).
    ImportCanceledException(unsigned int code, char const* message, char const* file,
                            unsigned int line);
    // The message is passed on as UTF-8.
    ImportCanceledException(unsigned int code, QString const& message, char const* file,
                            unsigned int line);
    ImportCanceledException(ImportCanceledException const& other);
    ImportCanceledException& operator=(ImportCanceledException const& other);
    ~ImportCanceledException() override;

    void log_information(std::ostream& os) const override;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_IMPORTCANCELEDEXCEPTION_H
