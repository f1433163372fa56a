#include "ImportException.h"

#include <ostream>

namespace quarro {
namespace import {

ImportException::ImportException(unsigned int code, std::string message, char const* file,
                                 unsigned int line, std::string file_name)
    : quarro::Exception(code, std::move(message), file, line)
    , m_file_name(std::move(file_name)) {}

ImportException::ImportException(unsigned int code, char const* message, char const* file,
                                 unsigned int line, std::string file_name)
    : ImportException(code, std::string(message), file, line, std::move(file_name)) {}

ImportException::ImportException(unsigned int code, QString const& message, char const* file,
                                 unsigned int line, std::string file_name)
    : quarro::Exception(code, message.toUtf8().toStdString(), file, line)
    , m_file_name(std::move(file_name)) {}

ImportException::ImportException(ImportException const& other) = default;

ImportException& ImportException::operator=(ImportException const& other) = default;

ImportException::~ImportException() = default;

void ImportException::log_information(std::ostream& os) const {
    quarro::Exception::log_information(os);
    os << "Error, cannot open file : = \"" << m_file_name << "\"\n";
}

} // namespace import
} // namespace quarro
