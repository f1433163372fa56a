#include "GrdeclParser.h"

#include "GrdeclKeywords.h"
#include "GrdeclScanner.h"
#include "GrdeclText.h"
#include "HugePages.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <system_error>
#include <vector>

namespace quarro {
namespace readers {

namespace {

using grdecl::decodeText;
using grdecl::KeywordKind;
using grdecl::keywordName;
using grdecl::quoted;
using Token = GrdeclScanner::Token;
using TokenKind = GrdeclScanner::TokenKind;

// Items a generic record keeps; SPECGRID, MAPAXES, BOX and friends need a dozen at most.
constexpr std::size_t max_record_items = 64;

std::optional<long long> integer(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    long long value = 0;
    char const* const last = text.data() + text.size();
    std::from_chars_result const parsed = std::from_chars(text.data(), last, value);
    if (text.empty() || parsed.ec != std::errc() || parsed.ptr != last) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> real(std::string_view text) {
    std::vector<double> values;
    GrdeclScanner scanner(text);
    GrdeclScanner::Values sink;
    sink.values = &values;
    sink.keep = 1;
    if (scanner.readValues(sink) != GrdeclScanner::ValuesEnd::End || sink.count != 1 ||
        sink.defaults != 0) {
        return std::nullopt;
    }
    return values.front();
}

bool startsLikeNumber(std::string_view text) {
    char const c = text.empty() ? '\0' : text.front();
    return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+';
}

std::string trimmed(std::string_view text) {
    std::size_t const first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return std::string();
    }
    std::size_t const last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

// One item of a generic record: a word, a string without its quotes, or a defaulted item ("2*").
struct Item {
    std::string_view text;
    bool defaulted = false;
};

struct Record {
    std::vector<Item> items;
    std::uint64_t count = 0; // items, also those beyond the kept ones
    bool closed = false;     // ended by '/'
    bool endOfFile = false;  // the text ended inside it
};

// What one parse shares across the file read and the files it includes.
struct Context {
    Context(GrdeclDeck& p_deck, CancelHook const* p_hook,
            GrdeclParser::IncludeOpener const& p_opener, std::uint64_t p_maxCells)
        : deck(p_deck)
        , hook(p_hook)
        , opener(p_opener)
        , maxCells(p_maxCells) {}

    GrdeclDeck& deck;
    CancelHook const* hook;
    GrdeclParser::IncludeOpener const& opener;
    std::uint64_t maxCells;
    QString mainDirectory;

    std::optional<GrdeclBox> box; // the BOX in force
    std::vector<QString> openFiles;
    QString error;
    bool cancelled = false;
    bool ended = false; // END was read

    void comment(GrdeclLocation const& where, QString const& text) { deck.addComment(where, text); }
    void skipped(std::string const& keyword) { deck.addSkippedKeyword(keyword); }

    bool fail(GrdeclLocation const& where, QString const& text) {
        error = QStringLiteral("%1: %2").arg(describe(where), text);
        return false;
    }
};

// Reads the keywords of one file; an INCLUDE reads the included file with a reader of its own.
class FileReader {
public:
    FileReader(Context& context, std::string_view text, QString const& path, QString const& shown,
               int depth, double firstPercent, double spanPercent)
        : m_context(context)
        , m_scanner(text)
        , m_path(path)
        , m_shown(shown)
        , m_depth(depth) {
        m_scanner.setCancelHook(context.hook, firstPercent, spanPercent);
    }

    // False when the parse failed (the context holds why) or was cancelled.
    bool read();

private:
    GrdeclLocation at(int line) const { return GrdeclLocation{m_shown, line}; }

    bool wasCancelled() {
        m_context.cancelled = m_context.cancelled || m_scanner.cancelled();
        return m_context.cancelled;
    }

    // A word that begins a line and cannot be data of the record being read.
    static bool endsRecord(Token const& token) {
        return token.kind == TokenKind::Word && token.firstOnLine &&
               grdecl::looksLikeKeyword(token.text) &&
               grdecl::isStructuralKeyword(grdecl::upperCase(token.text));
    }
    // A word that begins a line and may begin the next keyword.
    static bool mayBeKeyword(Token const& token) {
        return token.kind == TokenKind::Word && token.firstOnLine &&
               grdecl::looksLikeKeyword(token.text);
    }

    bool keyword(Token const& token);
    Record readRecord();
    // Reads the records of a keyword that takes several, up to the empty record that ends it,
    // and hands each to `take`. A known keyword ends early only at a keyword that cannot be its
    // data; an unknown one also at any word that begins a line after a record.
    void readRecords(std::string const& name, GrdeclLocation const& where, bool known,
                     std::function<void(Record const&)> const& take);
    void skipUntil(std::string_view keyword);
    void strayValues(Token const& first);

    enum class ArrayEnd { Done, Text, Cancelled };
    ArrayEnd readArray(GrdeclArray& array, std::uint64_t expected, std::uint64_t cap);

    bool include(GrdeclLocation const& where);
    bool dimensions(std::string const& name, GrdeclLocation const& where);
    bool gridArray(std::string const& name, GrdeclLocation const& where);
    void mapAxes(GrdeclLocation const& where);
    void units(std::string const& name);
    void box(GrdeclLocation const& where);
    void refinement(GrdeclLocation const& where);
    void faults(GrdeclLocation const& where);
    void coarsen(GrdeclLocation const& where);
    bool cellArray(std::string const& name, GrdeclLocation const& where, bool known);
    void unreadRecord(std::string const& name, GrdeclLocation const& where, Record const& record);

    Context& m_context;
    GrdeclScanner m_scanner;
    QString m_path;
    QString m_shown;
    int m_depth;
};

bool FileReader::read() {
    for (;;) {
        if (m_context.ended) {
            return true;
        }
        Token const token = m_scanner.next();
        if (token.kind == TokenKind::End) {
            return !wasCancelled();
        }
        if (token.kind == TokenKind::Slash) {
            continue; // an empty record after a keyword that had all it needed
        }
        if (token.kind == TokenKind::Word && grdecl::looksLikeKeyword(token.text)) {
            if (!keyword(token)) {
                return false;
            }
            if (wasCancelled()) {
                return false;
            }
            continue;
        }
        strayValues(token);
    }
}

bool FileReader::keyword(Token const& token) {
    std::string const name = grdecl::upperCase(token.text);
    GrdeclLocation const where = at(token.line);
    if (name.size() > 8) {
        m_context.comment(where, QStringLiteral("keyword %1 is longer than 8 characters; it is "
                                                "read under its full name")
                                     .arg(keywordName(name)));
    }
    KeywordKind const kind = grdecl::keywordKind(name);
    if (name == "END") {
        m_context.ended = true;
        return true;
    }
    if (name == "TITLE") {
        m_context.deck.title = trimmed(m_scanner.nextLine());
        return true;
    }
    if (name == "SKIP" || name == "SKIP100" || name == "SKIP300") {
        skipUntil("ENDSKIP");
        return true;
    }
    if (name == "ENDBOX") {
        m_context.box.reset();
        return true;
    }
    if (kind == KeywordKind::NoData) {
        return true;
    }
    if (name == "INCLUDE") {
        return include(where);
    }
    if (name == "SPECGRID" || name == "DIMENS") {
        return dimensions(name, where);
    }
    if (name == "COORD" || name == "ZCORN") {
        return gridArray(name, where);
    }
    if (name == "MAPAXES") {
        mapAxes(where);
        return true;
    }
    if (name == "MAPUNITS" || name == "GRIDUNIT") {
        units(name);
        return true;
    }
    if (name == "BOX") {
        box(where);
        return true;
    }
    if (name == "CARFIN") {
        refinement(where);
        return true;
    }
    if (name == "FAULTS") {
        faults(where);
        return true;
    }
    if (name == "COARSEN") {
        coarsen(where);
        return true;
    }
    if (kind == KeywordKind::MultiRecord) {
        readRecords(name, where, true, [](Record const&) {});
        if (grdecl::isEditKeyword(name)) {
            m_context.comment(where, QStringLiteral("%1 changes cell values; such edits are not "
                                                    "applied")
                                         .arg(keywordName(name)));
        } else {
            m_context.skipped(name);
        }
        return true;
    }
    if (kind == KeywordKind::Record) {
        unreadRecord(name, where, readRecord());
        return true;
    }
    return cellArray(name, where, kind == KeywordKind::CellArray);
}

Record FileReader::readRecord() {
    Record record;
    for (;;) {
        Token const& next = m_scanner.peek();
        if (next.kind == TokenKind::End) {
            record.endOfFile = !m_scanner.cancelled();
            return record;
        }
        if (next.kind == TokenKind::Slash) {
            m_scanner.next();
            record.closed = true;
            return record;
        }
        if (endsRecord(next)) {
            return record; // the '/' is missing; the keyword is left for the caller
        }
        Token const token = m_scanner.next();
        Item item{token.text, false};
        std::uint64_t repeat = 1;
        std::size_t const star = token.kind == TokenKind::Word ? token.text.find('*') : 0;
        if (star != 0 && star != std::string_view::npos) {
            std::optional<long long> const count = integer(token.text.substr(0, star));
            if (count && *count > 0) {
                repeat = static_cast<std::uint64_t>(*count);
                item.text = token.text.substr(star + 1);
                item.defaulted = item.text.empty();
                if (item.text.size() >= 2 &&
                    (item.text.front() == '\'' || item.text.front() == '"') &&
                    item.text.back() == item.text.front()) {
                    item.text = item.text.substr(1, item.text.size() - 2);
                }
            }
        }
        for (std::uint64_t n = 0; n < repeat && record.items.size() < max_record_items; ++n) {
            record.items.push_back(item);
        }
        record.count += repeat;
    }
}

void FileReader::readRecords(std::string const& name, GrdeclLocation const& where, bool known,
                             std::function<void(Record const&)> const& take) {
    for (bool first = true;; first = false) {
        Token const& next = m_scanner.peek();
        if (next.kind == TokenKind::End) {
            return;
        }
        if (next.kind == TokenKind::Slash) {
            m_scanner.next(); // the empty record that ends the keyword
            return;
        }
        if (endsRecord(next) || (!known && !first && mayBeKeyword(next))) {
            if (known) {
                m_context.comment(
                    where,
                    QStringLiteral("%1 is not ended by an empty record").arg(keywordName(name)));
            }
            return;
        }
        Record const record = readRecord();
        take(record);
        if (!record.closed) {
            if (record.endOfFile) {
                m_context.comment(where,
                                  QStringLiteral("the file ends inside %1").arg(keywordName(name)));
            }
            return;
        }
    }
}

void FileReader::skipUntil(std::string_view keyword) {
    for (;;) {
        Token const token = m_scanner.next();
        if (token.kind == TokenKind::End) {
            return;
        }
        if (mayBeKeyword(token) && grdecl::upperCase(token.text) == keyword) {
            return;
        }
    }
}

void FileReader::strayValues(Token const& first) {
    m_context.comment(at(first.line),
                      QStringLiteral("%1 and what follows it up to the next keyword stand "
                                     "outside any keyword; skipped")
                          .arg(quoted(first.text)));
    for (;;) {
        Token const& next = m_scanner.peek();
        if (next.kind == TokenKind::End || mayBeKeyword(next)) {
            return;
        }
        m_scanner.next();
    }
}

void FileReader::unreadRecord(std::string const& name, GrdeclLocation const& where,
                              Record const& record) {
    m_context.skipped(name);
    if (!record.closed && !record.endOfFile && record.count > 0) {
        m_context.comment(where, QStringLiteral("%1 is not ended by '/'").arg(keywordName(name)));
    }
}

FileReader::ArrayEnd FileReader::readArray(GrdeclArray& array, std::uint64_t expected,
                                           std::uint64_t cap) {
    GrdeclScanner::Values values;
    values.values = &array.values;
    values.keep = expected != 0 ? expected : cap;
    values.defaultValue = std::numeric_limits<double>::quiet_NaN();
    if (expected != 0) {
        // Every value takes at least two bytes of text unless repeated: a short file does not
        // get a large reservation.
        array.values.reserve(static_cast<std::size_t>(
            std::min<std::uint64_t>(expected, m_scanner.remaining() / 2 + 1)));
        HugePages::advise(array.values.data(), array.values.capacity() * sizeof(double));
    }
    GrdeclScanner::ValuesEnd const end = m_scanner.readValues(values);
    array.count = values.count;
    array.defaults = values.defaults;
    array.firstDefaultLine = values.firstDefaultLine;
    switch (end) {
    case GrdeclScanner::ValuesEnd::Slash:
        array.closure = GrdeclArray::Closure::Slash;
        return ArrayEnd::Done;
    case GrdeclScanner::ValuesEnd::Cancelled:
        m_context.cancelled = true;
        return ArrayEnd::Cancelled;
    case GrdeclScanner::ValuesEnd::End:
        array.closure = GrdeclArray::Closure::EndOfFile;
        return ArrayEnd::Done;
    case GrdeclScanner::ValuesEnd::Token:
        break;
    }
    // A keyword where the '/' should be: a known one, any keyword once the values are complete,
    // or a word in the first column when the count is not known.
    Token const& next = m_scanner.peek();
    if (mayBeKeyword(next)) {
        std::string const name = grdecl::upperCase(next.text);
        bool const complete = expected != 0 && values.count >= expected;
        if (grdecl::isKnownKeyword(name) || complete || (expected == 0 && next.inFirstColumn)) {
            array.closure = GrdeclArray::Closure::Keyword;
            array.endedBy = name;
            array.endedAt = at(next.line);
            return ArrayEnd::Done;
        }
    }
    return ArrayEnd::Text;
}

bool FileReader::include(GrdeclLocation const& where) {
    Record const record = readRecord();
    if (record.items.empty() || record.items.front().defaulted ||
        record.items.front().text.empty()) {
        return m_context.fail(where, QStringLiteral("INCLUDE names no file"));
    }
    QString const written = decodeText(record.items.front().text);
    QString const name = QDir::fromNativeSeparators(QString(written).replace('\\', '/'));
    if (m_depth >= GrdeclParser::max_include_depth) {
        return m_context.fail(where, QStringLiteral("INCLUDE of %1 nests files more than %2 deep")
                                         .arg(quoted(record.items.front().text))
                                         .arg(GrdeclParser::max_include_depth));
    }
    if (!m_context.opener) {
        return m_context.fail(where, QStringLiteral("INCLUDE of %1: included files cannot be "
                                                    "read here")
                                         .arg(quoted(record.items.front().text)));
    }
    // Relative to the including file; exports that write names relative to the main file are
    // found there too.
    QString path = name;
    if (QFileInfo(name).isRelative()) {
        QString const directory =
            m_path.isEmpty() ? m_context.mainDirectory : QFileInfo(m_path).absolutePath();
        path = QDir(directory).filePath(name);
        if (!QFileInfo::exists(path) && !m_context.mainDirectory.isEmpty()) {
            QString const fromMain = QDir(m_context.mainDirectory).filePath(name);
            if (QFileInfo::exists(fromMain)) {
                path = fromMain;
            }
        }
    }
    QString const canonical = QFileInfo(path).canonicalFilePath();
    std::vector<QString> const& open = m_context.openFiles;
    if (!canonical.isEmpty() && std::find(open.begin(), open.end(), canonical) != open.end()) {
        return m_context.fail(where, QStringLiteral("INCLUDE of %1 includes a file that is "
                                                    "being read already")
                                         .arg(quoted(record.items.front().text)));
    }
    std::string_view text;
    QString error;
    if (!m_context.opener(path, text, error)) {
        return m_context.fail(where, QStringLiteral("INCLUDE of %1: the file cannot be read (%2)")
                                         .arg(quoted(record.items.front().text), error));
    }
    ++m_context.deck.includedFiles;
    m_context.openFiles.push_back(canonical);
    FileReader included(m_context, text, path, written, m_depth + 1, m_scanner.progress(), 0.0);
    bool const ok = included.read();
    m_context.openFiles.pop_back();
    return ok;
}

bool FileReader::dimensions(std::string const& name, GrdeclLocation const& where) {
    Record const record = readRecord();
    QString const keyword = keywordName(name);
    GrdeclDimensions dimensions;
    dimensions.keyword = name;
    dimensions.where = where;
    int* const counts[] = {&dimensions.ni, &dimensions.nj, &dimensions.nk};
    for (std::size_t n = 0; n < 3; ++n) {
        std::optional<long long> const count = n < record.items.size() && !record.items[n].defaulted
                                                   ? integer(record.items[n].text)
                                                   : std::nullopt;
        if (!count || *count <= 0 || *count > std::numeric_limits<int>::max()) {
            QString const found = n < record.items.size() && !record.items[n].defaulted
                                      ? quoted(record.items[n].text)
                                      : QStringLiteral("nothing");
            return m_context.fail(where, QStringLiteral("%1 needs three positive cell counts; "
                                                        "count %2 is %3")
                                             .arg(keyword)
                                             .arg(n + 1)
                                             .arg(found));
        }
        *counts[n] = static_cast<int>(*count);
    }
    if (name == "SPECGRID") {
        if (record.items.size() > 3 && !record.items[3].defaulted) {
            std::optional<long long> const reservoirs = integer(record.items[3].text);
            if (!reservoirs || *reservoirs <= 0 || *reservoirs > 1000) {
                return m_context.fail(where,
                                      QStringLiteral("SPECGRID: %1 is not a number of reservoirs")
                                          .arg(quoted(record.items[3].text)));
            }
            dimensions.reservoirs = static_cast<int>(*reservoirs);
        }
        if (record.items.size() > 4 && !record.items[4].defaulted) {
            std::string const type = grdecl::upperCase(record.items[4].text);
            dimensions.radial = type == "T";
            if (type != "T" && type != "F") {
                m_context.comment(where, QStringLiteral("SPECGRID: coordinate type %1 is neither "
                                                        "F nor T; read as F (Cartesian)")
                                             .arg(quoted(record.items[4].text)));
            }
        }
    }
    // Counts of up to 2^31 each: their product is checked a factor at a time, before it could
    // overflow.
    std::uint64_t const maxCells = m_context.maxCells;
    std::uint64_t const ni = static_cast<std::uint64_t>(dimensions.ni);
    std::uint64_t const nj = static_cast<std::uint64_t>(dimensions.nj);
    std::uint64_t const nk = static_cast<std::uint64_t>(dimensions.nk);
    if (ni > maxCells || nj > maxCells / ni || nk > maxCells / (ni * nj)) {
        return m_context.fail(where, QStringLiteral("a grid of %1 x %2 x %3 cells is larger than "
                                                    "the %4 cells this reader takes")
                                         .arg(dimensions.ni)
                                         .arg(dimensions.nj)
                                         .arg(dimensions.nk)
                                         .arg(grdecl::groupedNumber(m_context.maxCells)));
    }
    if (!record.closed && !record.endOfFile) {
        m_context.comment(where, QStringLiteral("%1 is not ended by '/'").arg(keyword));
    }
    std::optional<GrdeclDimensions>& known = m_context.deck.dimensions;
    if (known) {
        if (known->ni != dimensions.ni || known->nj != dimensions.nj ||
            known->nk != dimensions.nk) {
            return m_context.fail(where, QStringLiteral("%1 gives a grid of %2 x %3 x %4 cells, "
                                                        "but %5 on %6 gave %7 x %8 x %9")
                                             .arg(keyword)
                                             .arg(dimensions.ni)
                                             .arg(dimensions.nj)
                                             .arg(dimensions.nk)
                                             .arg(keywordName(known->keyword))
                                             .arg(describe(known->where))
                                             .arg(known->ni)
                                             .arg(known->nj)
                                             .arg(known->nk));
        }
        if (name == "SPECGRID") {
            known = dimensions; // SPECGRID also knows the reservoirs and the coordinate type
        }
        return true;
    }
    known = dimensions;
    return true;
}

bool FileReader::gridArray(std::string const& name, GrdeclLocation const& where) {
    std::optional<GrdeclDimensions> const& dimensions = m_context.deck.dimensions;
    std::uint64_t expected = 0;
    if (dimensions) {
        expected = name == "COORD" ? 6 * static_cast<std::uint64_t>(dimensions->ni + 1) *
                                         static_cast<std::uint64_t>(dimensions->nj + 1) *
                                         static_cast<std::uint64_t>(dimensions->reservoirs)
                                   : 8 * dimensions->cellCount();
    }
    GrdeclArray array;
    array.keyword = name;
    array.where = where;
    array.sourcePath = m_path;
    ArrayEnd const end = readArray(array, expected, 8 * m_context.maxCells);
    if (end == ArrayEnd::Cancelled) {
        return false;
    }
    if (end == ArrayEnd::Text) {
        Token const& next = m_scanner.peek();
        return m_context.fail(at(next.line),
                              QStringLiteral("%1 in %2 (begun on %3) is not a "
                                             "number")
                                  .arg(quoted(next.text), keywordName(name), describe(where)));
    }
    std::optional<GrdeclArray>& target =
        name == "COORD" ? m_context.deck.coord : m_context.deck.zcorn;
    if (target) {
        m_context.comment(where, QStringLiteral("%1 replaces the one on %2")
                                     .arg(keywordName(name), describe(target->where)));
    }
    target = std::move(array);
    return true;
}

void FileReader::mapAxes(GrdeclLocation const& where) {
    Record const record = readRecord();
    std::array<double, 6> axes{};
    bool valid = record.items.size() == axes.size();
    for (std::size_t n = 0; valid && n < axes.size(); ++n) {
        std::optional<double> const value =
            record.items[n].defaulted ? std::nullopt : real(record.items[n].text);
        valid = value.has_value();
        axes[n] = value.value_or(0.0);
    }
    if (!valid) {
        m_context.comment(where, QStringLiteral("MAPAXES needs six numbers; ignored"));
        return;
    }
    m_context.deck.mapAxes = axes;
    m_context.deck.mapAxesAt = where;
}

void FileReader::units(std::string const& name) {
    Record const record = readRecord();
    std::string const first = record.items.empty() || record.items[0].defaulted
                                  ? std::string()
                                  : trimmed(record.items[0].text);
    if (name == "MAPUNITS") {
        m_context.deck.mapUnits = first;
        return;
    }
    m_context.deck.gridUnits = first;
    m_context.deck.gridOnMap = record.items.size() > 1 && !record.items[1].defaulted &&
                               grdecl::upperCase(trimmed(record.items[1].text)) == "MAP";
}

void FileReader::box(GrdeclLocation const& where) {
    Record const record = readRecord();
    int bounds[6] = {};
    bool valid = record.items.size() >= 6;
    for (std::size_t n = 0; valid && n < 6; ++n) {
        std::optional<long long> const value =
            record.items[n].defaulted ? std::nullopt : integer(record.items[n].text);
        valid = value && *value >= 1 && *value <= std::numeric_limits<int>::max();
        bounds[n] = valid ? static_cast<int>(*value) - 1 : 0;
    }
    valid = valid && bounds[0] <= bounds[1] && bounds[2] <= bounds[3] && bounds[4] <= bounds[5];
    if (!valid) {
        m_context.comment(where, QStringLiteral("BOX needs six cell indices from 1, each pair "
                                                "in order; the whole grid stays selected"));
        m_context.box.reset();
        return;
    }
    m_context.box = GrdeclBox{bounds[0], bounds[1], bounds[2], bounds[3], bounds[4], bounds[5]};
}

void FileReader::refinement(GrdeclLocation const& where) {
    Record const record = readRecord();
    GrdeclRefinement refinement;
    refinement.where = where;
    auto text = [&record](std::size_t n) {
        return n < record.items.size() && !record.items[n].defaulted ? trimmed(record.items[n].text)
                                                                     : std::string();
    };
    auto value = [&record](std::size_t n) {
        std::optional<long long> const parsed =
            n < record.items.size() && !record.items[n].defaulted ? integer(record.items[n].text)
                                                                  : std::nullopt;
        return parsed && *parsed > 0 && *parsed <= std::numeric_limits<int>::max()
                   ? static_cast<int>(*parsed)
                   : 0;
    };
    refinement.name = text(0);
    refinement.box = GrdeclBox{value(1) - 1, value(2) - 1, value(3) - 1,
                               value(4) - 1, value(5) - 1, value(6) - 1};
    refinement.ni = value(7);
    refinement.nj = value(8);
    refinement.nk = value(9);
    refinement.maxWells = value(10);
    refinement.parent = text(11);
    m_context.deck.refinements.push_back(refinement);
    m_context.comment(where, QStringLiteral("the local grid refinement %1 is not read into the "
                                            "grid")
                                 .arg(quoted(refinement.name)));
    skipUntil("ENDFIN");
}

void FileReader::faults(GrdeclLocation const& where) {
    readRecords("FAULTS", where, true, [this](Record const& record) {
        if (!record.items.empty() && !record.items.front().defaulted) {
            std::string const name = trimmed(record.items.front().text);
            if (!name.empty()) {
                m_context.deck.addFault(name);
            }
        }
    });
}

void FileReader::coarsen(GrdeclLocation const& where) {
    readRecords("COARSEN", where, true, [this, &where](Record const& record) {
        // I1 I2 J1 J2 K1 K2 NX NY NZ, all from 1.
        std::int32_t values[9] = {};
        bool valid = record.items.size() >= 9;
        for (std::size_t n = 0; valid && n < 9; ++n) {
            std::optional<long long> const value =
                record.items[n].defaulted ? std::nullopt : integer(record.items[n].text);
            valid = value && *value >= 1 && *value <= std::numeric_limits<std::int32_t>::max();
            values[n] = valid ? static_cast<std::int32_t>(*value) : 0;
        }
        valid = valid && values[0] <= values[1] && values[2] <= values[3] && values[4] <= values[5];
        if (!valid) {
            m_context.comment(where, QStringLiteral("a COARSEN record needs a box of cells from 1 "
                                                    "and three positive counts; skipped"));
            return;
        }
        std::vector<import::MResDef>& coarsenings = m_context.deck.coarsenings;
        import::MResDef coarsening;
        coarsening.i_first = values[0] - 1;
        coarsening.i_last = values[1] - 1;
        coarsening.j_first = values[2] - 1;
        coarsening.j_last = values[3] - 1;
        coarsening.k_first = values[4] - 1;
        coarsening.k_last = values[5] - 1;
        coarsening.ni = values[6];
        coarsening.nj = values[7];
        coarsening.nk = values[8];
        coarsening.number = static_cast<std::int32_t>(coarsenings.size()) + 1;
        coarsening.active = 1;
        coarsenings.push_back(coarsening);
    });
}

bool FileReader::cellArray(std::string const& name, GrdeclLocation const& where, bool known) {
    QString const keyword = keywordName(name);
    Token const next = m_scanner.peek();
    if (next.kind == TokenKind::End) {
        if (wasCancelled()) {
            return false;
        }
        if (known) {
            return m_context.fail(where, QStringLiteral("the file ends right after %1: it seems "
                                                        "cut short")
                                             .arg(keyword));
        }
        m_context.skipped(name);
        return true;
    }
    if (next.kind == TokenKind::Slash || mayBeKeyword(next)) {
        if (next.kind == TokenKind::Slash) {
            m_scanner.next();
        }
        if (known) {
            m_context.comment(where, QStringLiteral("%1 has no values; skipped").arg(keyword));
        } else {
            m_context.skipped(name);
        }
        return true;
    }
    if (next.kind != TokenKind::Word || !startsLikeNumber(next.text)) {
        // Words or strings: a keyword of some other kind (RPTGRID 'ALLNNC' /, say).
        if (known) {
            m_context.comment(at(next.line), QStringLiteral("%1 in %2 is not a number; %2 "
                                                            "skipped")
                                                 .arg(quoted(next.text), keyword));
            readRecord();
        } else {
            readRecords(name, where, false, [](Record const&) {});
            m_context.skipped(name);
        }
        return true;
    }

    std::optional<GrdeclDimensions> const& dimensions = m_context.deck.dimensions;
    std::optional<GrdeclBox> const& box = m_context.box;
    std::uint64_t expected = 0;
    if (dimensions) {
        expected = box ? box->cellCount() : dimensions->cellCount();
    }
    GrdeclArray array;
    array.keyword = name;
    array.where = where;
    array.box = box;
    array.sourcePath = m_path;
    ArrayEnd const end = readArray(array, expected, m_context.maxCells);
    if (end == ArrayEnd::Cancelled) {
        return false;
    }
    if (end == ArrayEnd::Text) {
        Token const& text = m_scanner.peek();
        if (known) {
            m_context.comment(at(text.line), QStringLiteral("%1 in %2 (begun on %3) is not a "
                                                            "number; %2 skipped")
                                                 .arg(quoted(text.text), keyword, describe(where)));
        } else {
            m_context.skipped(name);
        }
        readRecord(); // the rest of the record
        return true;
    }
    m_context.deck.cellArrays.push_back(std::move(array));
    return true;
}

} // namespace

GrdeclParser::GrdeclParser(CancelHook const* hook)
    : m_hook(hook) {}

GrdeclParser::Result GrdeclParser::parse(std::string_view text, QString const& path) const {
    Result result;
    Context context(result.deck, m_hook, m_opener, m_maxCells);
    if (!path.isEmpty()) {
        QFileInfo const info(path);
        context.mainDirectory = info.absolutePath();
        context.openFiles.push_back(info.canonicalFilePath());
    }
    FileReader reader(context, text, path, QString(), 0, 0.0, 100.0);
    bool const ok = reader.read();
    if (context.cancelled) {
        result.status = Status::Cancelled;
        return result;
    }
    if (!ok) {
        result.status = Status::Failed;
        result.error = context.error;
        return result;
    }
    result.status = Status::Ok;
    return result;
}

} // namespace readers
} // namespace quarro
