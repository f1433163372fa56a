#ifndef QUARRO_READERS_GRDECL_GRDECLTEXT_H
#define QUARRO_READERS_GRDECL_GRDECLTEXT_H

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace quarro {
namespace readers {
namespace grdecl {

// Text of a file in a message or a name: UTF-8 when it is valid UTF-8, else Windows-1252 (which
// any byte decodes to), so that a file from an old Windows export still reads.
QString decodeText(std::string_view text);

// A piece of the file quoted in a message ("abc"), shortened with "..." when long.
QString quoted(std::string_view text);

// A keyword in a message; keywords are ASCII.
QString keywordName(std::string const& name);

// A count as the summary shows it: 1,000,000.
QString groupedNumber(std::uint64_t value);

} // namespace grdecl
} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GRDECL_GRDECLTEXT_H
