#ifndef QUARRO_READERS_RASTER_ASCIIGRIDPARSER_H
#define QUARRO_READERS_RASTER_ASCIIGRIDPARSER_H

#include "model/RegularSurface.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quarro {
namespace readers {

// Reads an ESRI ASCII grid: a header of ncols, nrows, xllcorner or xllcenter, yllcorner or
// yllcenter, cellsize (or dx and dy) and an optional NODATA_value, in any order and any case,
// then the heights row by row from north to south. The result is a surface whose rows run
// northward, NODATA as NaN.
//
// A well-formed file is read in one pass. When the values do not add up, a second pass looks at
// the file line by line: short or long rows, text where numbers belong and a file cut short (at
// least half of the cells present) are repaired with NODATA and a comment naming the line; a
// broken header or a file that holds too little fails with a reason naming the line.
class AsciiGridParser {
public:
    enum class Outcome { Read, Failed, Cancelled };

    // Called once per pollBytes of input with the share read so far (0 to 1); returning false
    // cancels the parse.
    using ProgressPoll = std::function<bool(double fraction)>;
    static constexpr std::size_t pollBytes = 16 * 1024;
    // Comments kept per file; further faults are only counted.
    static constexpr int maxComments = 20;

    explicit AsciiGridParser(ProgressPoll poll = ProgressPoll());

    Outcome parse(std::string_view text);

    model::RegularSurface const& surface() const { return m_surface; }
    model::RegularSurface takeSurface() { return std::move(m_surface); }
    // Whether the header placed the grid by cell centres (xllcenter) rather than corners.
    bool placedByCentre() const { return m_byCentre; }
    // Whether the numbers were written with a decimal comma ("12,5"); comments() says so too.
    bool decimalComma() const { return m_decimalComma; }
    QStringList const& comments() const { return m_comments; }
    QString const& failure() const { return m_failure; }

    // Whether the head of a file (its first 1024 bytes or less) begins like an ASCII grid; when it
    // does not, `why` says what is wrong.
    static bool looksLikeGrid(std::string_view head, QString& why);

private:
    Q_DISABLE_COPY(AsciiGridParser)

    struct Header;
    // One line of the data part, as the careful pass sees it.
    struct DataLine {
        std::size_t line = 0;
        std::vector<double> values;
    };

    bool parseHeader(Header& header);
    bool checkHeader(Header const& header);
    // The fast pass: true when the data held exactly ncols x nrows numbers.
    bool readValues(bool& cancelled);
    bool readCarefully(bool& cancelled);
    bool poll(char const* position);
    double height(double value) const;
    void placeRow(std::vector<double> const& values, std::size_t row);
    void comment(std::size_t line, QString const& text);
    void finishComments();

    ProgressPoll m_poll;
    std::string_view m_text;
    // The text with decimal commas turned into points, when the file writes them.
    std::string m_commaText;
    bool m_decimalComma = false;
    std::size_t m_nextPoll = 0;
    // Where the data begins, and its line number.
    std::size_t m_dataOffset = 0;
    std::size_t m_dataLine = 0;
    int m_ncols = 0;
    int m_nrows = 0;
    bool m_hasNoData = false;
    double m_noData = 0.0;
    bool m_byCentre = false;
    std::vector<double> m_heights;
    model::RegularSurface m_surface;
    QStringList m_comments;
    QString m_failure;
    int m_faults = 0;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_RASTER_ASCIIGRIDPARSER_H
