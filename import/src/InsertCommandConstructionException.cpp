#include "InsertCommandConstructionException.h"

#include <ostream>

namespace quarro {
namespace import {

InsertCommandConstructionException::InsertCommandConstructionException(unsigned int code,
                                                                       std::string message,
                                                                       char const* file,
                                                                       unsigned int line)
    : quarro::Exception(code, std::move(message), file, line) {}

InsertCommandConstructionException::InsertCommandConstructionException(unsigned int code,
                                                                       char const* message,
                                                                       char const* file,
                                                                       unsigned int line)
    : InsertCommandConstructionException(code, std::string(message), file, line) {}

InsertCommandConstructionException::InsertCommandConstructionException(unsigned int code,
                                                                       QString const& message,
                                                                       char const* file,
                                                                       unsigned int line)
    : quarro::Exception(code, message.toUtf8().toStdString(), file, line) {}

InsertCommandConstructionException::InsertCommandConstructionException(
    InsertCommandConstructionException const& other) = default;

InsertCommandConstructionException& InsertCommandConstructionException::operator=(
    InsertCommandConstructionException const& other) = default;

InsertCommandConstructionException::~InsertCommandConstructionException() = default;

void InsertCommandConstructionException::log_information(std::ostream& os) const {
    quarro::Exception::log_information(os);
}

} // namespace import
} // namespace quarro
