#include "AsciiGridParser.h"

#include "HugePages.h"
#include "QuotedText.h"

#include <QLocale>

#include <algorithm>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

namespace quarro {
namespace readers {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

// A number as the grid writes it; "nan" and "inf" parse too (they become NODATA).
bool parseNumber(char const* begin, char const* end, double& value) {
    if (begin != end && *begin == '+') {
        ++begin;
    }
    auto const result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end;
}

bool parseNumber(std::string_view token, double& value) {
    return parseNumber(token.data(), token.data() + token.size(), value);
}

// The next blank-separated token of `line` from `pos` on; empty at the end.
std::string_view nextToken(std::string_view line, std::size_t& pos) {
    while (pos < line.size() && isBlank(line[pos])) {
        ++pos;
    }
    std::size_t const begin = pos;
    while (pos < line.size() && !isBlank(line[pos])) {
        ++pos;
    }
    return line.substr(begin, pos - begin);
}

QString number(qulonglong value) {
    static QLocale const english(QLocale::English, QLocale::UnitedStates);
    return english.toString(value);
}

QString lowered(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<int>(text.size())).toLower();
}

template <class Header>
bool headerComplete(Header const& h) {
    return h.ncols && h.nrows && (h.xCorner || h.xCentre) && (h.yCorner || h.yCentre) &&
           (h.cellsize || (h.dx && h.dy));
}

// Reserves room for a grid's heights. On Linux a large grid asks for transparent huge pages:
// faulting in 4 KB pages one by one costs more than parsing the numbers on virtual machines (a
// 4000 x 4000 grid reads 2.5 times faster with 2 MB pages). The hint changes nothing else.
void reserveHeights(std::vector<double>& heights, std::size_t cells) {
    heights.clear();
    heights.reserve(cells);
    HugePages::advise(heights.data(), cells * sizeof(double));
}

constexpr std::string_view utf8Bom = "\xEF\xBB\xBF";
// Unknown header entries tolerated before the file is taken for something else.
constexpr int maxUnknownEntries = 5;

// Whether the numbers of the header and the first data line use a decimal comma: some hold a
// comma and none holds a point. Commas as separators between numbers with decimal points
// ("1.5,2.5") do not count.
bool usesDecimalComma(std::string_view text) {
    constexpr int headerLines = 12;
    bool comma = false;
    std::size_t pos = 0;
    for (int line = 0; line < headerLines && pos < text.size(); ++line) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view const row = text.substr(pos, end - pos);
        pos = end + 1;
        std::size_t at = 0;
        std::string_view const first = nextToken(row, at);
        bool const isData = !first.empty() && (first.front() == '-' || first.front() == '+' ||
                                               (first.front() >= '0' && first.front() <= '9'));
        // A header entry's name may hold neither; look at its value only.
        std::string_view const numbers = isData ? row : row.substr(at);
        if (numbers.find('.') != std::string_view::npos) {
            return false;
        }
        comma = comma || numbers.find(',') != std::string_view::npos;
        if (isData) {
            break;
        }
    }
    return comma;
}

} // namespace

struct AsciiGridParser::Header {
    std::optional<long long> ncols;
    std::optional<long long> nrows;
    std::optional<double> xCorner;
    std::optional<double> xCentre;
    std::optional<double> yCorner;
    std::optional<double> yCentre;
    std::optional<double> cellsize;
    std::optional<double> dx;
    std::optional<double> dy;
    std::optional<double> noData;
};

AsciiGridParser::AsciiGridParser(ProgressPoll poll)
    : m_poll(std::move(poll)) {}

bool AsciiGridParser::looksLikeGrid(std::string_view head, QString& why) {
    if (head.substr(0, utf8Bom.size()) == utf8Bom) {
        head.remove_prefix(utf8Bom.size());
    }
    std::size_t pos = 0;
    QString const first = lowered(nextToken(head, pos));
    static QStringList const keys{QStringLiteral("ncols"),     QStringLiteral("nrows"),
                                  QStringLiteral("xllcorner"), QStringLiteral("xllcenter"),
                                  QStringLiteral("yllcorner"), QStringLiteral("yllcenter"),
                                  QStringLiteral("cellsize"),  QStringLiteral("nodata_value")};
    if (keys.contains(first)) {
        return true;
    }
    why = QStringLiteral("not an ESRI ASCII grid: it must begin with a header of ncols, nrows, "
                         "xllcorner, yllcorner and cellsize");
    return false;
}

AsciiGridParser::Outcome AsciiGridParser::parse(std::string_view text) {
    m_surface = model::RegularSurface();
    m_comments.clear();
    m_failure.clear();
    m_faults = 0;
    m_heights.clear();
    m_byCentre = false;
    m_hasNoData = false;
    if (text.substr(0, utf8Bom.size()) == utf8Bom) {
        text.remove_prefix(utf8Bom.size());
    }
    m_decimalComma = usesDecimalComma(text);
    if (m_decimalComma) {
        // Decimal commas become points in a copy: every number then parses as usual, and the
        // line numbers of comments stay those of the file.
        m_commaText.assign(text);
        std::replace(m_commaText.begin(), m_commaText.end(), ',', '.');
        text = m_commaText;
    } else {
        m_commaText = std::string();
    }
    m_text = text;
    m_nextPoll = pollBytes;

    Header header;
    if (!parseHeader(header) || !checkHeader(header)) {
        return Outcome::Failed;
    }
    if (m_decimalComma) {
        m_comments.append(QStringLiteral("the numbers are written with a decimal comma (\"12,5\" "
                                         "for 12.5); they are read so"));
    }
    bool cancelled = false;
    bool read = readValues(cancelled);
    if (!read && !cancelled) {
        read = readCarefully(cancelled);
    }
    if (cancelled) {
        return Outcome::Cancelled;
    }
    if (!read) {
        return Outcome::Failed;
    }
    double const dx = header.cellsize ? *header.cellsize : *header.dx;
    double const dy = header.cellsize ? *header.cellsize : *header.dy;
    double const originX = header.xCorner ? *header.xCorner : *header.xCentre - dx / 2.0;
    double const originY = header.yCorner ? *header.yCorner : *header.yCentre - dy / 2.0;
    m_surface.setPlacement(originX, originY, dx, dy);
    m_surface.setHeights(m_ncols, m_nrows, std::move(m_heights));
    m_heights = std::vector<double>();
    finishComments();
    return Outcome::Read;
}

bool AsciiGridParser::parseHeader(Header& header) {
    std::size_t pos = 0;
    std::size_t line = 0;
    int unknown = 0;
    while (pos < m_text.size()) {
        char const* const begin = m_text.data() + pos;
        auto const* newline =
            static_cast<char const*>(std::memchr(begin, '\n', m_text.size() - pos));
        std::size_t const length =
            newline != nullptr ? static_cast<std::size_t>(newline - begin) : m_text.size() - pos;
        std::string_view const text(begin, length);
        ++line;
        std::size_t at = 0;
        std::string_view const key = nextToken(text, at);
        double probe = 0.0;
        if (!key.empty() && parseNumber(key, probe)) {
            m_dataOffset = pos;
            m_dataLine = line;
            return true;
        }
        pos += length + (newline != nullptr ? 1 : 0);
        if (key.empty()) {
            continue;
        }
        QString const name = lowered(key);
        std::string_view const value = nextToken(text, at);
        QString const where = QStringLiteral("line %1: ").arg(line);
        // NODATA may be spelled "nan", "-nan" or "inf"; every other entry must be finite.
        bool const mayBeNonFinite =
            name == QLatin1String("nodata_value") || name == QLatin1String("nodata");
        auto real = [&](std::optional<double>& target) {
            double parsed = 0.0;
            if (value.empty() || !parseNumber(value, parsed) ||
                (!mayBeNonFinite && !std::isfinite(parsed))) {
                m_failure =
                    where + QStringLiteral("%1 %2 is not a number")
                                .arg(QString::fromLatin1(key.data(), int(key.size())),
                                     value.empty() ? QStringLiteral("(no value)") : quoted(value));
                return false;
            }
            if (target) {
                comment(line, QStringLiteral("%1 is given again; this value counts").arg(name));
            }
            target = parsed;
            return true;
        };
        auto whole = [&](std::optional<long long>& target) {
            std::optional<double> parsed;
            if (!real(parsed)) {
                return false;
            }
            if (*parsed != std::floor(*parsed) || std::fabs(*parsed) > 1e15) {
                m_failure =
                    where + QStringLiteral("%1 %2 is not a whole number").arg(name, quoted(value));
                return false;
            }
            target = static_cast<long long>(*parsed);
            return true;
        };
        bool ok = true;
        if (name == QLatin1String("ncols")) {
            ok = whole(header.ncols);
        } else if (name == QLatin1String("nrows")) {
            ok = whole(header.nrows);
        } else if (name == QLatin1String("xllcorner")) {
            ok = real(header.xCorner);
        } else if (name == QLatin1String("xllcenter") || name == QLatin1String("xllcentre")) {
            ok = real(header.xCentre);
        } else if (name == QLatin1String("yllcorner")) {
            ok = real(header.yCorner);
        } else if (name == QLatin1String("yllcenter") || name == QLatin1String("yllcentre")) {
            ok = real(header.yCentre);
        } else if (name == QLatin1String("cellsize")) {
            ok = real(header.cellsize);
        } else if (name == QLatin1String("dx")) {
            ok = real(header.dx);
        } else if (name == QLatin1String("dy")) {
            ok = real(header.dy);
        } else if (name == QLatin1String("nodata_value") || name == QLatin1String("nodata")) {
            ok = real(header.noData);
        } else if (headerComplete(header)) {
            // A row that begins with something other than a number, after a full header.
            m_dataOffset = pos - length - (newline != nullptr ? 1 : 0);
            m_dataLine = line;
            return true;
        } else if (++unknown > maxUnknownEntries) {
            m_failure = where + QStringLiteral("%1 is neither a header entry nor a number; this is "
                                               "not an ESRI ASCII grid")
                                    .arg(quoted(key));
            return false;
        } else {
            comment(
                line,
                QStringLiteral("the header entry %1 is not known; it is ignored").arg(quoted(key)));
        }
        if (!ok) {
            return false;
        }
    }
    m_dataOffset = m_text.size();
    m_dataLine = line + 1;
    return true;
}

bool AsciiGridParser::checkHeader(Header const& header) {
    QString const where = QStringLiteral("line %1: ").arg(m_dataLine);
    QStringList missing;
    if (!header.ncols) {
        missing << QStringLiteral("ncols");
    }
    if (!header.nrows) {
        missing << QStringLiteral("nrows");
    }
    if (!header.xCorner && !header.xCentre) {
        missing << QStringLiteral("xllcorner");
    }
    if (!header.yCorner && !header.yCentre) {
        missing << QStringLiteral("yllcorner");
    }
    if (!header.cellsize && !(header.dx && header.dy)) {
        missing << QStringLiteral("cellsize");
    }
    if (!missing.isEmpty()) {
        m_failure = where + QStringLiteral("the header before this line lacks %1")
                                .arg(missing.join(QStringLiteral(", ")));
        return false;
    }
    if ((header.xCorner && header.xCentre) || (header.yCorner && header.yCentre)) {
        m_failure = where + QStringLiteral("the header gives both a corner and a centre "
                                           "(xllcorner and xllcenter); only one can hold");
        return false;
    }
    long long const maxSide = std::numeric_limits<int>::max();
    if (*header.ncols <= 0 || *header.nrows <= 0 || *header.ncols > maxSide ||
        *header.nrows > maxSide) {
        m_failure = where + QStringLiteral("ncols %1 and nrows %2 must be positive")
                                .arg(*header.ncols)
                                .arg(*header.nrows);
        return false;
    }
    for (std::optional<double> const* size : {&header.cellsize, &header.dx, &header.dy}) {
        if (*size && !(**size > 0.0)) {
            m_failure = where + QStringLiteral("the cell size %1 must be positive").arg(**size);
            return false;
        }
    }
    m_ncols = static_cast<int>(*header.ncols);
    m_nrows = static_cast<int>(*header.nrows);
    m_byCentre = header.xCentre || header.yCentre;
    // Values that are not finite become NODATA anyway; a NODATA of "nan" or "inf" adds nothing.
    m_hasNoData = header.noData.has_value() && std::isfinite(*header.noData);
    m_noData = header.noData.value_or(0.0);

    // Every value takes a character and a separator. A file that cannot hold half of its cells is
    // not repaired, so the grid is refused before it is allocated (the slack lets a grid of one or
    // two cells reach the message about its missing values).
    unsigned long long const cells =
        static_cast<unsigned long long>(m_ncols) * static_cast<unsigned long long>(m_nrows);
    unsigned long long const room = (m_text.size() - m_dataOffset + 1) / 2;
    if (cells > 2 * room + 2 || cells > m_heights.max_size()) {
        m_failure = where + QStringLiteral("the header announces %1 x %2 cells, more than the rest "
                                           "of the file can hold")
                                .arg(number(static_cast<qulonglong>(m_ncols)),
                                     number(static_cast<qulonglong>(m_nrows)));
        return false;
    }
    return true;
}

bool AsciiGridParser::poll(char const* position) {
    auto const offset = static_cast<std::size_t>(position - m_text.data());
    if (offset < m_nextPoll) {
        return true;
    }
    m_nextPoll = offset + pollBytes;
    return !m_poll || m_poll(static_cast<double>(offset) / m_text.size());
}

double AsciiGridParser::height(double value) const {
    if (!std::isfinite(value)) {
        return model::RegularSurface::noData();
    }
    if (m_hasNoData) {
        // Writers that store floats round a huge NODATA value (-3.4028235e+38) differently from
        // the header's spelling, so such values match within float precision.
        double const magnitude = std::fabs(m_noData);
        if (value == m_noData ||
            (magnitude > 1e30 && std::fabs(value - m_noData) <= 1e-6 * magnitude)) {
            return model::RegularSurface::noData();
        }
    }
    return value;
}

bool AsciiGridParser::readValues(bool& cancelled) {
    std::size_t const cells = static_cast<std::size_t>(m_ncols) * static_cast<std::size_t>(m_nrows);
    reserveHeights(m_heights, cells);
    m_heights.assign(cells, model::RegularSurface::noData());
    char const* p = m_text.data() + m_dataOffset;
    char const* const end = m_text.data() + m_text.size();
    auto const ncols = static_cast<std::size_t>(m_ncols);
    // The file's first row is the surface's last: rows run northward there.
    std::size_t rowBase = (static_cast<std::size_t>(m_nrows) - 1) * ncols;
    std::size_t col = 0;
    std::size_t count = 0;
    double* const heights = m_heights.data();
    for (;;) {
        while (p != end && isBlank(*p)) {
            ++p;
        }
        if (p == end) {
            break;
        }
        if (!poll(p)) {
            cancelled = true;
            return false;
        }
        char const* token = p;
        while (p != end && !isBlank(*p)) {
            ++p;
        }
        double value = 0.0;
        if (count == cells || !parseNumber(token, p, value)) {
            return false;
        }
        heights[rowBase + col] = height(value);
        ++count;
        if (++col == ncols) {
            col = 0;
            rowBase -= ncols;
        }
    }
    return count == cells;
}

void AsciiGridParser::placeRow(std::vector<double> const& values, std::size_t row) {
    auto const ncols = static_cast<std::size_t>(m_ncols);
    std::size_t const base = (static_cast<std::size_t>(m_nrows) - 1 - row) * ncols;
    std::size_t const n = std::min(values.size(), ncols);
    std::copy(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(n),
              m_heights.begin() + static_cast<std::ptrdiff_t>(base));
}

bool AsciiGridParser::readCarefully(bool& cancelled) {
    std::size_t const cells = static_cast<std::size_t>(m_ncols) * static_cast<std::size_t>(m_nrows);
    auto const ncols = static_cast<std::size_t>(m_ncols);
    auto const nrows = static_cast<std::size_t>(m_nrows);
    m_heights.assign(cells, model::RegularSurface::noData());

    std::vector<DataLine> lines;
    std::size_t total = 0;
    std::size_t pos = m_dataOffset;
    std::size_t lineNo = m_dataLine;
    for (; pos < m_text.size(); ++lineNo) {
        char const* const begin = m_text.data() + pos;
        if (!poll(begin)) {
            cancelled = true;
            return false;
        }
        auto const* newline =
            static_cast<char const*>(std::memchr(begin, '\n', m_text.size() - pos));
        std::size_t const length =
            newline != nullptr ? static_cast<std::size_t>(newline - begin) : m_text.size() - pos;
        std::string_view const text(begin, length);
        pos += length + 1;

        DataLine data;
        data.line = lineNo;
        std::vector<std::string_view> bad;
        std::size_t at = 0;
        for (std::string_view token = nextToken(text, at); !token.empty();
             token = nextToken(text, at)) {
            double value = 0.0;
            if (parseNumber(token, value)) {
                data.values.push_back(height(value));
            } else {
                data.values.push_back(model::RegularSurface::noData());
                bad.push_back(token);
            }
        }
        if (data.values.empty()) {
            continue;
        }
        // A line without a number is a remark, unless it has a row's count of values: some
        // writers spell NODATA as text ("****", "1.#IND").
        if (bad.size() == data.values.size() && data.values.size() != ncols) {
            comment(lineNo, QStringLiteral("text instead of numbers (%1); the line is ignored")
                                .arg(quoted(text.substr(0, 60))));
            continue;
        }
        for (std::string_view token : bad) {
            comment(lineNo,
                    QStringLiteral("%1 is not a number; the cell is NODATA").arg(quoted(token)));
        }
        total += data.values.size();
        lines.push_back(std::move(data));
    }
    if (lines.empty()) {
        m_failure =
            QStringLiteral("line %1: the file holds no heights after its header").arg(lineNo);
        return false;
    }

    std::size_t const lastLine = lines.back().line;
    auto streamValues = [&](std::size_t limit) {
        std::size_t k = 0;
        for (DataLine const& data : lines) {
            for (double value : data.values) {
                if (k == limit) {
                    return;
                }
                std::size_t const row = k / ncols;
                m_heights[(nrows - 1 - row) * ncols + k % ncols] = value;
                ++k;
            }
        }
    };
    if (total == cells) {
        // Rows wrapped over several lines, or a repaired value: the count is right.
        streamValues(cells);
        return true;
    }

    std::size_t fullRows = 0;
    for (DataLine const& data : lines) {
        fullRows += data.values.size() == ncols ? 1 : 0;
    }
    if (fullRows * 2 >= lines.size()) {
        // One row per line, as the format has it: repair the rows that are off.
        std::size_t const rows = std::min(lines.size(), nrows);
        std::size_t present = 0;
        for (std::size_t r = 0; r < rows; ++r) {
            present += std::min(lines[r].values.size(), ncols);
        }
        if (present * 2 < cells) {
            m_failure = QStringLiteral("line %1: the file ends after %2 of the %3 rows the header "
                                       "announces")
                            .arg(lastLine)
                            .arg(number(rows), number(nrows));
            return false;
        }
        for (std::size_t r = 0; r < rows; ++r) {
            std::size_t const n = lines[r].values.size();
            if (n < ncols) {
                comment(lines[r].line, QStringLiteral("a row of %1 values instead of %2; the "
                                                      "missing cells are NODATA")
                                           .arg(number(n), number(ncols)));
            } else if (n > ncols) {
                comment(lines[r].line, QStringLiteral("a row of %1 values instead of %2; the last "
                                                      "%3 are ignored")
                                           .arg(number(n), number(ncols), number(n - ncols)));
            }
            placeRow(lines[r].values, r);
        }
        if (lines.size() < nrows) {
            comment(lastLine, QStringLiteral("the file ends after %1 of %2 rows (cut short?); the "
                                             "missing rows are NODATA")
                                  .arg(number(lines.size()), number(nrows)));
        } else if (lines.size() > nrows) {
            comment(lines[nrows].line,
                    QStringLiteral("the header announces %1 rows; this line and those after it are "
                                   "ignored")
                        .arg(number(nrows)));
        }
        return true;
    }

    if (total * 2 < cells) {
        m_failure = QStringLiteral("line %1: the file ends after %2 of the %3 values the header "
                                   "announces")
                        .arg(lastLine)
                        .arg(number(total), number(cells));
        return false;
    }
    streamValues(std::min(total, cells));
    if (total < cells) {
        comment(lastLine, QStringLiteral("the file ends after %1 of %2 values (cut short?); the "
                                         "missing cells are NODATA")
                              .arg(number(total), number(cells)));
    } else {
        comment(lastLine, QStringLiteral("the file holds %1 values more than the %2 cells of the "
                                         "header; they are ignored")
                              .arg(number(total - cells), number(cells)));
    }
    return true;
}

void AsciiGridParser::comment(std::size_t line, QString const& text) {
    ++m_faults;
    if (m_faults <= maxComments) {
        m_comments.append(QStringLiteral("line %1: %2").arg(line).arg(text));
    }
}

void AsciiGridParser::finishComments() {
    if (m_faults > maxComments) {
        m_comments.append(
            QStringLiteral("%1 more faults are not listed").arg(m_faults - maxComments));
    }
}

} // namespace readers
} // namespace quarro
