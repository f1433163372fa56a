#ifndef QUARRO_READERS_COMMON_QUOTEDTEXT_H
#define QUARRO_READERS_COMMON_QUOTEDTEXT_H

#include <QString>

#include <string_view>

namespace quarro {
namespace readers {

// A value from a file as a reason or comment quotes it: decoded as the readers decode text, cut to
// its first 40 bytes (with "...") so that a runaway line stays readable, between `mark`s.
QString quoted(std::string_view value, char mark = '\'');

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_COMMON_QUOTEDTEXT_H
