#ifndef QUARRO_READERS_LAS_LASTEXT_H
#define QUARRO_READERS_LAS_LASTEXT_H

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <string_view>
#include <system_error>

namespace quarro {
namespace readers {
namespace las {

// Small text helpers of the LAS parser. LAS is ASCII at heart: blanks, letters and digits are
// the ASCII ones, whatever the file's encoding.

inline bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The first position at or after `from` that is not a blank.
inline std::size_t skipBlanks(std::string_view text, std::size_t from) {
    while (from < text.size() && isBlank(text[from])) {
        ++from;
    }
    return from;
}

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

inline char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether `text` is `upperCase` in any case.
inline bool equalsUpper(std::string_view text, std::string_view upperCase) {
    return text.size() == upperCase.size() &&
           std::equal(text.begin(), text.end(), upperCase.begin(),
                      [](char a, char b) { return upper(a) == b; });
}

inline std::string_view trim(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && isBlank(text[begin])) {
        ++begin;
    }
    std::size_t end = text.size();
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

// A whole token as a number. std::from_chars takes no plus sign, which some writers put first.
inline bool parseNumber(std::string_view token, double& value) {
    char const* first = token.data();
    char const* const last = first + token.size();
    if (first != last && *first == '+') {
        ++first;
    }
    auto const result = std::from_chars(first, last, value);
    return result.ec == std::errc() && result.ptr == last && first != last;
}

} // namespace las
} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_LAS_LASTEXT_H
