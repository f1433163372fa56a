#include "BuilderException.h"

#include <ostream>

namespace quarro {
namespace import {

BuilderException::BuilderException(unsigned int code, std::string message, char const* file,
                                   unsigned int line)
    : quarro::Exception(code, std::move(message), file, line) {}

BuilderException::BuilderException(unsigned int code, char const* message, char const* file,
                                   unsigned int line)
    : BuilderException(code, std::string(message), file, line) {}

BuilderException::BuilderException(unsigned int code, QString const& message, char const* file,
                                   unsigned int line)
    : quarro::Exception(code, message.toUtf8().toStdString(), file, line) {}

BuilderException::BuilderException(BuilderException const& other) = default;

BuilderException& BuilderException::operator=(BuilderException const& other) = default;

BuilderException::~BuilderException() = default;

void BuilderException::log_information(std::ostream& os) const {
    quarro::Exception::log_information(os);
    os << "Builder Error"
       << "\n";
}

} // namespace import
} // namespace quarro
