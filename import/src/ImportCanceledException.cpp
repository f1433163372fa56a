#include "ImportCanceledException.h"

#include <ostream>

namespace quarro {
namespace import {

ImportCanceledException::ImportCanceledException(unsigned int code, std::string message,
                                                 char const* file, unsigned int line)
    : quarro::Exception(code, std::move(message), file, line) {}

ImportCanceledException::ImportCanceledException(unsigned int code, char const* message,
                                                 char const* file, unsigned int line)
    : ImportCanceledException(code, std::string(message), file, line) {}

ImportCanceledException::ImportCanceledException(unsigned int code, QString const& message,
                                                 char const* file, unsigned int line)
    : quarro::Exception(code, message.toUtf8().toStdString(), file, line) {}

ImportCanceledException::ImportCanceledException(ImportCanceledException const& other) = default;

ImportCanceledException&
ImportCanceledException::operator=(ImportCanceledException const& other) = default;

ImportCanceledException::~ImportCanceledException() = default;

void ImportCanceledException::log_information(std::ostream& os) const {
    quarro::Exception::log_information(os);
}

} // namespace import
} // namespace quarro
