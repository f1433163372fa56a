#ifndef QUARRO_IMPORT_IMPORTEXCEPTION_H
#define QUARRO_IMPORT_IMPORTEXCEPTION_H

#include "QuarroImportExport.h"
#include "utilities/Exception.h"

#include <QString>

#include <iosfwd>
#include <string>

namespace quarro {
namespace import {

// A file that cannot be opened; the log names the file.
class QUARRO_IMPORT_EXPORT ImportException : public quarro::Exception {
public:
    ImportException(unsigned int code, std::string message, char const* file, unsigned int line,
                    std::string file_name);
    // A literal message (picks neither string overload over the other).
    ImportException(unsigned int code, char const* message, char const* file, unsigned int line,
                    std::string file_name);
    // The message is passed on as UTF-8.
    ImportException(unsigned int code, QString const& message, char const* file, unsigned int line,
                    std::string file_name);
    ImportException(ImportException const& other);
    ImportException& operator=(ImportException const& other);
    ~ImportException() override;

    void log_information(std::ostream& os) const override;

    std::string const& file_name() const { return m_file_name; }

private:
    std::string m_file_name;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_IMPORTEXCEPTION_H
