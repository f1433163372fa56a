#ifndef QUARRO_READERS_DXF_DXFGROUPSCANNER_H
#define QUARRO_READERS_DXF_DXFGROUPSCANNER_H

#include <cstddef>
#include <string_view>

namespace quarro {
namespace readers {

// One group of an ASCII DXF file: a group code line and the value line after it.
struct DxfGroup {
    int code = 0;
    // The value line without its line end and without surrounding blanks.
    std::string_view value;
    // The 1-based number of the code line; the value stands on the next line.
    std::size_t line = 0;
};

// Walks the group code / value line pairs of an ASCII DXF text. Lines end in LF or CRLF; the
// code line may be padded with blanks ("  0", " 10"), as R12 writers do.
class DxfGroupScanner {
public:
    enum class Status {
        Group,        // a group was read
        End,          // nothing but blank lines is left
        BadCode,      // the code line does not hold an integer; badLine() shows it
        MissingValue, // the text ends after a code line
    };

    explicit DxfGroupScanner(std::string_view text);

    Status next(DxfGroup& group);

    // Bytes consumed so far, for progress reports.
    std::size_t position() const { return m_pos; }
    std::size_t size() const { return m_text.size(); }
    // The number of the last line read.
    std::size_t line() const { return m_line; }
    // After BadCode: the code line as it stands in the file.
    std::string_view badLine() const { return m_badLine; }

private:
    // The next line without its line end; false at the end of the text.
    bool readLine(std::string_view& line);

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_line = 0;
    std::string_view m_badLine;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_DXF_DXFGROUPSCANNER_H
