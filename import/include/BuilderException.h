#ifndef QUARRO_IMPORT_BUILDEREXCEPTION_H
#define QUARRO_IMPORT_BUILDEREXCEPTION_H

#include "QuarroImportExport.h"
#include "utilities/Exception.h"

#include <QString>

#include <iosfwd>
#include <string>

namespace quarro {
namespace import {

// A builder could not make what it was asked for.
class QUARRO_IMPORT_EXPORT BuilderException : public quarro::Exception {
public:
    BuilderException(unsigned int code, std::string message, char const* file, unsigned int line);
    // A literal message (picks neither string overload over the other).
    BuilderException(unsigned int code, char const* message, char const* file, unsigned int line);
    // The message is passed on as UTF-8.
    BuilderException(unsigned int code, QString const& message, char const* file,
                     unsigned int line);
    BuilderException(BuilderException const& other);
    BuilderException& operator=(BuilderException const& other);
    ~BuilderException() override;

    void log_information(std::ostream& os) const override;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_BUILDEREXCEPTION_H
