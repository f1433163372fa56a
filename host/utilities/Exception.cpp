#include "utilities/Exception.h"

#include "housekeeping/ErrorProtocol.h"

#include <ostream>
#include <sstream>
#include <utility>

namespace quarro {

namespace {
// Source positions arrive as __FILE__ or literals; a null pointer is tolerated as "unknown".
std::string position_text(char const* file) {
    return file != nullptr ? std::string(file) : std::string();
}
} // namespace

Exception::Exception(unsigned code, std::string message, char const* file, unsigned line)
    : m_code(code)
    , m_message(std::move(message))
    , m_file(position_text(file))
    , m_line(line) {}

Exception::Exception(Exception const& other) = default;

Exception& Exception::operator=(Exception const& other) = default;

Exception::~Exception() = default;

void Exception::log_information(std::ostream& os) const {
    os << "Exception " << m_code << ": " << m_message << "\n";
    os << "  thrown at " << (m_file.empty() ? std::string("<unknown>") : m_file) << ":" << m_line
       << "\n";
    if (is_caught()) {
        os << "  caught at " << m_caught_file << ":" << m_caught_line << "\n";
    }
}

char const* Exception::what() const noexcept {
    return m_message.c_str();
}

void Exception::caught_here(char const* file, unsigned line) {
    m_caught_file = position_text(file);
    if (m_caught_file.empty()) {
        m_caught_file = "<unknown>";
    }
    m_caught_line = line;
    std::ostringstream text;
    log_information(text);
    housekeeping::ErrorProtocol::instance().log_message(text.str());
}

} // namespace quarro
