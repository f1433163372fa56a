#ifndef QUARRO_READERS_LAS_LASDATAREADER_H
#define QUARRO_READERS_LAS_LASDATAREADER_H

#include "LasIssues.h"
#include "TextDecoder.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace quarro {
namespace readers {

// Reads the body of a ~A section into one column of numbers per curve. Rows are lines, or, when
// wrapped, runs of lines that together hold a value per curve. NULLs become NaN ("no value"):
// the header's NULL value in any column; in the log columns (not the depth) also the common
// stand-ins -999.25, 999.25, -9999.25, 9999.25, -9999 and 9999; everywhere values that are not
// finite or are spelled as missing ("1.#IND", "****", "NaN", "-"), silently, and other text
// ("ERR") with a comment. Short rows are padded, long ones cut, lines of text skipped; every
// such repair goes into the issues.
class LasDataReader {
public:
    // The text read between two polls: about 1 ms of reading (see bench/README.md).
    static constexpr std::size_t poll_bytes = 16 * 1024;

    struct Settings {
        std::size_t curves = 0;
        bool wrapped = false;
        bool commaDelimited = false;
        std::optional<double> nullValue;
        // The most values (rows times curves) the columns may hold once short rows are padded.
        std::size_t maxCells = 0;
    };
    // Called with the position reached before each block of poll_bytes; may throw to stop.
    using Poll = std::function<void(char const* position)>;

    LasDataReader(Settings const& settings, TextDecoder const& decoder, LasIssues& issues,
                  Poll poll);

    // Reads `body`, `lineCount` lines whose first is line `firstLine` of the file. The columns
    // all have the same length, 0 when the body holds no row. Throws LasParseFailure when
    // padding short rows would pass Settings::maxCells.
    std::vector<std::vector<double>> read(std::string_view body, int firstLine,
                                          std::size_t lineCount);

private:
    Settings m_settings;
    TextDecoder m_decoder;
    LasIssues& m_issues;
    Poll m_poll;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_LAS_LASDATAREADER_H
