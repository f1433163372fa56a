#include "DxfGroupScanner.h"

#include <charconv>
#include <cstring>

namespace quarro {
namespace readers {

namespace {

// Blanks around codes and values. 0x1A is the end-of-file byte that old DOS tools append.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view trimmed(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

bool isAllBlank(std::string_view text) {
    for (char const c : text) {
        if (!isBlank(c)) {
            return false;
        }
    }
    return true;
}

} // namespace

DxfGroupScanner::DxfGroupScanner(std::string_view text)
    : m_text(text) {}

bool DxfGroupScanner::readLine(std::string_view& line) {
    if (m_pos >= m_text.size()) {
        return false;
    }
    char const* const begin = m_text.data() + m_pos;
    std::size_t const left = m_text.size() - m_pos;
    auto const* newline = static_cast<char const*>(std::memchr(begin, '\n', left));
    std::size_t const length =
        newline != nullptr ? static_cast<std::size_t>(newline - begin) : left;
    m_pos += newline != nullptr ? length + 1 : length;
    ++m_line;
    line = std::string_view(begin, length);
    return true;
}

DxfGroupScanner::Status DxfGroupScanner::next(DxfGroup& group) {
    std::string_view codeLine;
    if (!readLine(codeLine)) {
        return Status::End;
    }
    codeLine = trimmed(codeLine);
    if (codeLine.empty()) {
        // Blank lines may close the file; anywhere else they break the pairing.
        if (isAllBlank(m_text.substr(m_pos))) {
            m_pos = m_text.size();
            return Status::End;
        }
        m_badLine = codeLine;
        return Status::BadCode;
    }

    group.line = m_line;
    char const* const end = codeLine.data() + codeLine.size();
    auto const parsed = std::from_chars(codeLine.data(), end, group.code);
    if (parsed.ec != std::errc() || parsed.ptr != end) {
        m_badLine = codeLine;
        return Status::BadCode;
    }
    std::string_view value;
    if (!readLine(value)) {
        return Status::MissingValue;
    }
    group.value = trimmed(value);
    return Status::Group;
}

} // namespace readers
} // namespace quarro
