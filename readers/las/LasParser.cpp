#include "LasParser.h"

#include "LasTextDecoder.h"
#include "importwidgets/CancelHook.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace quarro {
namespace readers {

namespace {

// The text between two questions to the cancel hook: about 1 ms of reading (see bench/README.md).
constexpr std::size_t poll_bytes = 16 * 1024;
// Share of the progress bar given to finding the sections; reading the data takes the rest.
constexpr double scan_share = 5.0;
// Examples quoted in comments and errors are cut to this many characters.
constexpr int example_length = 40;

constexpr double no_value = std::numeric_limits<double>::quiet_NaN();

// Thrown inside the parser for a fault that stops the reading.
struct Failure {
    int line;
    QString text;
};
struct Cancelled {};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsUpper(std::string_view text, std::string_view upperCase) {
    return text.size() == upperCase.size() &&
           std::equal(text.begin(), text.end(), upperCase.begin(),
                      [](char a, char b) { return upper(a) == b; });
}

std::string_view trim(std::string_view text) {
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
bool parseNumber(std::string_view token, double& value) {
    char const* first = token.data();
    char const* const last = first + token.size();
    if (first != last && *first == '+') {
        ++first;
    }
    auto const result = std::from_chars(first, last, value);
    return result.ec == std::errc() && result.ptr == last && first != last;
}

// Spellings of a missing number that programs write into data: MSVC's "1.#IND" family, Fortran's
// overflow stars, NaN, infinity and a few words.
bool isNullSpelling(std::string_view token) {
    if (std::all_of(token.begin(), token.end(), [](char c) { return c == '*'; })) {
        return true;
    }
    if (token.find('#') != std::string_view::npos) {
        std::string upperToken(token.size(), ' ');
        std::transform(token.begin(), token.end(), upperToken.begin(), upper);
        return upperToken.find("#IND") != std::string::npos ||
               upperToken.find("#INF") != std::string::npos ||
               upperToken.find("#QNAN") != std::string::npos ||
               upperToken.find("#SNAN") != std::string::npos;
    }
    for (std::string_view word : {"-", "--", "NA", "N/A", "NAN", "-NAN", "INF", "-INF", "NULL",
                                  "(NULL)"}) {
        if (equalsUpper(token, word)) {
            return true;
        }
    }
    return false;
}

// Values that log curves use for "no value" whatever the header says.
bool isStandInNull(double value) {
    double const magnitude = std::fabs(value);
    return magnitude >= 999.0 &&
           (magnitude == 999.25 || magnitude == 9999.25 || magnitude == 9999.0);
}

QString example(std::string_view bytes, LasTextDecoder const& decoder) {
    QString text = decoder.decode(bytes.substr(0, 4 * example_length)).simplified();
    if (text.size() > example_length) {
        text = text.left(example_length) + QStringLiteral("...");
    }
    return text;
}

struct Line {
    std::string_view text;
    int number;
};

// Walks a text line by line; LF and CRLF ends are both taken off.
class LineCursor {
public:
    LineCursor(char const* begin, char const* end, int firstNumber)
        : m_p(begin)
        , m_end(end)
        , m_number(firstNumber) {}

    bool next(Line& line) {
        if (m_p >= m_end) {
            return false;
        }
        auto const* newline =
            static_cast<char const*>(std::memchr(m_p, '\n', static_cast<std::size_t>(m_end - m_p)));
        char const* lineEnd = newline != nullptr ? newline : m_end;
        line.number = m_number++;
        line.text = std::string_view(m_p, static_cast<std::size_t>(lineEnd - m_p));
        if (!line.text.empty() && line.text.back() == '\r') {
            line.text.remove_suffix(1);
        }
        m_p = newline != nullptr ? newline + 1 : m_end;
        return true;
    }

    char const* position() const { return m_p; }
    int nextNumber() const { return m_number; }
    void moveTo(char const* position, int number) {
        m_p = position;
        m_number = number;
    }

private:
    char const* m_p;
    char const* m_end;
    int m_number;
};

enum class SectionKind { Version, Well, Curves, Parameters, Other, Data, Unknown };

SectionKind sectionKind(std::string_view title) {
    std::string_view name = title.substr(1);
    name = name.substr(0, name.find_first_of(" \t|"));
    if (name.empty()) {
        return SectionKind::Unknown;
    }
    // LAS 3 names sections Group_Type; only the log group is read.
    if (name.find('_') != std::string_view::npos) {
        if (equalsUpper(name, "LOG_DEFINITION")) {
            return SectionKind::Curves;
        }
        if (equalsUpper(name, "LOG_PARAMETER")) {
            return SectionKind::Parameters;
        }
        if (equalsUpper(name, "LOG_DATA")) {
            return SectionKind::Data;
        }
        return SectionKind::Unknown;
    }
    switch (upper(name.front())) {
    case 'V':
        return SectionKind::Version;
    case 'W':
        return SectionKind::Well;
    case 'C':
        return SectionKind::Curves;
    case 'P':
        return SectionKind::Parameters;
    case 'O':
        return SectionKind::Other;
    case 'A':
        return SectionKind::Data;
    default:
        return SectionKind::Unknown;
    }
}

struct Section {
    SectionKind kind;
    // The title line, '~' included, trimmed.
    std::string_view title;
    int line;
    // Header sections: every line that is not blank or a comment, trimmed.
    std::vector<Line> lines;
    // Data sections: the lines up to the next section.
    char const* bodyBegin = nullptr;
    char const* bodyEnd = nullptr;
    int bodyLine = 0;
    std::size_t bodyLineCount = 0;
};

// The fields of a "MNEMONIC.UNIT VALUE : DESCRIPTION" line.
struct HeaderFields {
    std::string_view mnemonic;
    std::string_view unit;
    std::string_view value;
    std::string_view description;
    bool hasPeriod = false;
    bool hasColon = false;
};

std::size_t skipBlanks(std::string_view text, std::size_t from) {
    while (from < text.size() && isBlank(text[from])) {
        ++from;
    }
    return from;
}

// The colon that ends the value: the first after `from` that is not inside a time of day
// ("13:45"), so that colons in the description stay there.
std::size_t delimiterColon(std::string_view line, std::size_t from) {
    for (std::size_t i = line.find(':', from); i != std::string_view::npos;
         i = line.find(':', i + 1)) {
        bool const digitBefore = i > 0 && isDigit(line[i - 1]);
        bool const digitAfter = i + 1 < line.size() && isDigit(line[i + 1]);
        if (!(digitBefore && digitAfter)) {
            return i;
        }
    }
    return std::string_view::npos;
}

// Splits a trimmed header line. The mnemonic ends at the period that starts the unit: the last
// period of the first word (mnemonics such as "S.P" keep theirs), or a period that opens the next
// word ("DEPT   .M"). The unit runs to the next blank; the value to the delimiting colon. False
// when the line has neither period nor colon.
bool splitHeaderLine(std::string_view line, HeaderFields& fields) {
    constexpr auto npos = std::string_view::npos;
    std::size_t tokenEnd = 0;
    while (tokenEnd < line.size() && !isBlank(line[tokenEnd]) && line[tokenEnd] != ':') {
        ++tokenEnd;
    }
    std::string_view const token = line.substr(0, tokenEnd);
    std::size_t const next = skipBlanks(line, tokenEnd);
    bool const nextOpensUnit = next < line.size() && line[next] == '.';
    std::size_t const lastDot = token.rfind('.');

    std::size_t period = npos;
    std::size_t mnemonicEnd = tokenEnd;
    if (lastDot != npos && !(lastDot + 1 == tokenEnd && nextOpensUnit)) {
        period = lastDot;
        mnemonicEnd = lastDot;
    } else if (nextOpensUnit) {
        period = next;
    }

    std::size_t valueBegin = tokenEnd;
    std::size_t colon = npos;
    if (period != npos) {
        std::size_t unitEnd = period + 1;
        while (unitEnd < line.size() && !isBlank(line[unitEnd])) {
            ++unitEnd;
        }
        fields.unit = line.substr(period + 1, unitEnd - period - 1);
        colon = delimiterColon(line, unitEnd);
        // "DEPT.M: depth": the colon closes the unit word.
        if (colon == npos && !fields.unit.empty() && fields.unit.back() == ':') {
            fields.unit.remove_suffix(1);
            colon = unitEnd - 1;
        }
        valueBegin = unitEnd;
    } else {
        fields.unit = std::string_view();
        colon = delimiterColon(line, tokenEnd);
    }
    fields.hasPeriod = period != npos;
    fields.hasColon = colon != npos;
    if (!fields.hasPeriod && !fields.hasColon) {
        return false;
    }
    fields.mnemonic = trim(line.substr(0, mnemonicEnd));
    std::size_t const valueEnd = fields.hasColon ? colon : line.size();
    fields.value = valueBegin < valueEnd ? trim(line.substr(valueBegin, valueEnd - valueBegin))
                                         : std::string_view();
    fields.description = fields.hasColon ? trim(line.substr(colon + 1)) : std::string_view();
    return true;
}

// LAS 3 follows the description with "{format}" and "| association"; neither is description.
std::string_view stripLas3Decorations(std::string_view description) {
    description = trim(description.substr(0, description.find('|')));
    if (!description.empty() && description.back() == '}') {
        std::size_t const open = description.rfind('{');
        if (open != std::string_view::npos) {
            description = trim(description.substr(0, open));
        }
    }
    return description;
}

// One reading of one text.
class Run {
public:
    Run(std::string_view text, CancelHook const* hook, LasFile& file)
        : m_text(text)
        , m_hook(hook)
        , m_file(file) {}

    void read();

private:
    std::string_view prepare();
    void splitSections(std::string_view text);
    void chooseEncoding();
    void readVersion();
    void readHeaderSections();
    LasItem item(HeaderFields const& fields, int line) const;
    void readCurves(Section const& section);
    void curvesFromDataTitle(Section const& data);
    void readData(Section const& data);
    void poll(char const* position, double from, double span);

    std::string_view m_text;
    CancelHook const* m_hook;
    LasFile& m_file;
    std::vector<Section> m_sections;
    LasTextDecoder m_decoder;
    bool m_commaDelimited = false;
};

void Run::poll(char const* position, double from, double span) {
    if (m_hook == nullptr) {
        return;
    }
    double const done =
        m_text.empty() ? 1.0 : static_cast<double>(position - m_text.data()) / m_text.size();
    m_hook->progress(from + span * done);
    if (m_hook->isCancelled()) {
        throw Cancelled();
    }
}

// The text to read: without a byte-order mark, and up to a DOS end-of-file mark (0x1A).
std::string_view Run::prepare() {
    std::string_view text = m_text;
    if (text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') ||
                             (text[0] == '\xFE' && text[1] == '\xFF'))) {
        throw Failure{1, QStringLiteral("the file is UTF-16 text; save it as UTF-8 or ASCII")};
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    std::size_t const endMark = text.find('\x1A');
    if (endMark != std::string_view::npos) {
        std::string_view const rest = text.substr(endMark);
        bool const onlyBlanks = std::all_of(rest.begin(), rest.end(), [](char c) {
            return c == '\x1A' || c == '\n' || isBlank(c);
        });
        if (!onlyBlanks) {
            int const line =
                1 + static_cast<int>(std::count(text.begin(), text.begin() + endMark, '\n'));
            m_file.issues.add(LasIssues::TextAfterEndMark, line);
        }
        text = text.substr(0, endMark);
    }
    std::size_t const nul = text.find('\0');
    if (nul != std::string_view::npos) {
        int const line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + nul, '\n'));
        throw Failure{line, QStringLiteral("binary data (a NUL byte): not a LAS text file")};
    }
    return text;
}

void Run::splitSections(std::string_view text) {
    char const* const end = text.data() + text.size();
    LineCursor cursor(text.data(), end, 1);
    char const* nextPoll = text.data() + poll_bytes;
    Line line;
    while (cursor.next(line)) {
        std::string_view const trimmed = trim(line.text);
        if (trimmed.empty() || trimmed.front() == '#') {
            continue;
        }
        if (trimmed.front() != '~') {
            if (m_sections.empty()) {
                throw Failure{line.number,
                              QStringLiteral("a LAS file begins with a section line such as "
                                             "~VERSION, not \"%1\"")
                                  .arg(example(trimmed, m_decoder))};
            }
            if (m_sections.back().kind != SectionKind::Data) {
                m_sections.back().lines.push_back(Line{trimmed, line.number});
            }
            continue;
        }
        Section section{sectionKind(trimmed), trimmed, line.number, {}};
        if (section.kind == SectionKind::Data) {
            // The body runs to the next line that opens a section (LAS 3 has sections after
            // the data). Only line starts are looked at here.
            char const* p = cursor.position();
            int number = cursor.nextNumber();
            section.bodyBegin = p;
            section.bodyLine = number;
            while (p < end) {
                char const* first = p;
                while (first < end && (*first == ' ' || *first == '\t')) {
                    ++first;
                }
                if (first < end && *first == '~') {
                    break;
                }
                auto const* newline =
                    static_cast<char const*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
                p = newline != nullptr ? newline + 1 : end;
                ++number;
                ++section.bodyLineCount;
                if (p >= nextPoll) {
                    poll(p, 0.0, scan_share);
                    nextPoll = p + poll_bytes;
                }
            }
            section.bodyEnd = p;
            cursor.moveTo(p, number);
        }
        m_sections.push_back(std::move(section));
    }
    if (m_sections.empty()) {
        throw Failure{std::max(1, cursor.nextNumber() - 1),
                      QStringLiteral("no LAS section (~VERSION, ~WELL, ~CURVE, ~A) in the file")};
    }
}

void Run::chooseEncoding() {
    for (Section const& section : m_sections) {
        if (!LasTextDecoder::isValidUtf8(section.title)) {
            m_decoder = LasTextDecoder(LasTextDecoder::Windows1252);
            m_file.issues.add(LasIssues::NotUtf8, section.line);
            return;
        }
        for (Line const& line : section.lines) {
            if (!LasTextDecoder::isValidUtf8(line.text)) {
                m_decoder = LasTextDecoder(LasTextDecoder::Windows1252);
                m_file.issues.add(LasIssues::NotUtf8, line.number);
                return;
            }
        }
    }
}

LasItem Run::item(HeaderFields const& fields, int line) const {
    std::string_view description = fields.description;
    if (m_file.versionNumber >= 3.0) {
        description = stripLas3Decorations(description);
    }
    return LasItem{m_decoder.decode(fields.mnemonic), m_decoder.decode(fields.unit),
                   m_decoder.decode(fields.value), m_decoder.decode(description), line};
}

void Run::readVersion() {
    bool versionFound = false;
    int firstLine = 1;
    for (Section const& section : m_sections) {
        if (section.kind != SectionKind::Version) {
            continue;
        }
        firstLine = section.line;
        for (Line const& line : section.lines) {
            HeaderFields fields;
            if (!splitHeaderLine(line.text, fields)) {
                continue;
            }
            if (equalsUpper(fields.mnemonic, "VERS")) {
                versionFound = true;
                m_file.version = m_decoder.decode(fields.value);
                // "2.0", "1.20", sometimes "2.0 (CWLS)": the leading number counts.
                std::string_view number = fields.value.substr(0, fields.value.find_first_of(" \t"));
                double parsed = 0.0;
                if (parseNumber(number, parsed) && parsed > 0.0) {
                    m_file.versionNumber = parsed;
                }
            } else if (equalsUpper(fields.mnemonic, "WRAP")) {
                m_file.wrapped = !fields.value.empty() && upper(fields.value.front()) == 'Y';
            } else if (equalsUpper(fields.mnemonic, "DLM")) {
                m_commaDelimited = equalsUpper(fields.value, "COMMA");
            }
        }
    }
    if (!versionFound) {
        m_file.version = QStringLiteral("2.0");
        m_file.issues.add(LasIssues::NoVersion, firstLine);
    }
}

void Run::readHeaderSections() {
    bool dataSeen = false;
    for (Section const& section : m_sections) {
        switch (section.kind) {
        case SectionKind::Data:
            if (dataSeen) {
                m_file.issues.add(LasIssues::ExtraDataSection, section.line,
                                  example(section.title, m_decoder));
            }
            dataSeen = true;
            continue;
        case SectionKind::Unknown:
            m_file.issues.add(LasIssues::SectionNotRead, section.line,
                              example(section.title, m_decoder));
            continue;
        case SectionKind::Curves:
            readCurves(section);
            continue;
        case SectionKind::Other:
            for (Line const& line : section.lines) {
                if (!m_file.otherText.isEmpty()) {
                    m_file.otherText += QLatin1Char('\n');
                }
                m_file.otherText += m_decoder.decode(line.text);
            }
            continue;
        case SectionKind::Version:
        case SectionKind::Well:
        case SectionKind::Parameters:
            break;
        }
        std::vector<LasItem>& items = section.kind == SectionKind::Version ? m_file.versionItems
                                      : section.kind == SectionKind::Well  ? m_file.wellItems
                                                                           : m_file.parameters;
        // LAS 1.x writes most ~W lines as "MNEM.UNIT DESCRIPTION : VALUE".
        bool const valueAfterColon = section.kind == SectionKind::Well && m_file.versionNumber < 2.0;
        for (Line const& line : section.lines) {
            HeaderFields fields;
            if (!splitHeaderLine(line.text, fields)) {
                m_file.issues.add(LasIssues::HeaderLineSkipped, line.number,
                                  example(line.text, m_decoder));
                continue;
            }
            if (fields.mnemonic.empty()) {
                m_file.issues.add(LasIssues::NoMnemonic, line.number, example(line.text, m_decoder));
                continue;
            }
            if (!fields.hasPeriod) {
                m_file.issues.add(LasIssues::NoPeriod, line.number);
            } else if (!fields.hasColon) {
                m_file.issues.add(LasIssues::NoColon, line.number);
            }
            bool const indexItem = equalsUpper(fields.mnemonic, "STRT") ||
                                   equalsUpper(fields.mnemonic, "STOP") ||
                                   equalsUpper(fields.mnemonic, "STEP") ||
                                   equalsUpper(fields.mnemonic, "NULL");
            if (valueAfterColon && !indexItem && !fields.description.empty()) {
                std::swap(fields.value, fields.description);
            }
            if (section.kind == SectionKind::Well && equalsUpper(fields.mnemonic, "NULL")) {
                double null = 0.0;
                if (parseNumber(fields.value, null)) {
                    m_file.nullValue = null;
                }
            }
            items.push_back(item(fields, line.number));
        }
    }
}

void Run::readCurves(Section const& section) {
    // Every curve line stands for a data column, so none is skipped: that would shift the
    // columns after it.
    for (Line const& line : section.lines) {
        HeaderFields fields;
        if (!splitHeaderLine(line.text, fields)) {
            std::size_t end = 0;
            while (end < line.text.size() && !isBlank(line.text[end])) {
                ++end;
            }
            fields.mnemonic = line.text.substr(0, end);
            m_file.issues.add(LasIssues::BareCurveLine, line.number);
        } else if (!fields.hasPeriod) {
            m_file.issues.add(LasIssues::NoPeriod, line.number);
        } else if (!fields.hasColon) {
            m_file.issues.add(LasIssues::NoColon, line.number);
        }
        if (fields.mnemonic.empty()) {
            m_file.issues.add(LasIssues::CurveWithoutMnemonic, line.number);
        }
        m_file.curves.push_back(item(fields, line.number));
    }
}

// Some files name the columns on the ~A line ("~A DEPT[M] GR ..."); without a curve section
// those names are all there is.
void Run::curvesFromDataTitle(Section const& data) {
    std::string_view title = data.title.substr(1);
    std::size_t pos = title.find_first_of(" \t");
    while (pos != std::string_view::npos) {
        pos = skipBlanks(title, pos);
        if (pos >= title.size()) {
            break;
        }
        std::size_t end = pos;
        while (end < title.size() && !isBlank(title[end])) {
            ++end;
        }
        std::string_view word = title.substr(pos, end - pos);
        LasItem curve;
        curve.line = data.line;
        std::size_t const open = word.find('[');
        if (open != std::string_view::npos && word.back() == ']') {
            curve.unit = m_decoder.decode(word.substr(open + 1, word.size() - open - 2));
            word = word.substr(0, open);
        }
        curve.mnemonic = m_decoder.decode(word);
        m_file.curves.push_back(curve);
        pos = end;
    }
    if (!m_file.curves.empty()) {
        m_file.issues.add(LasIssues::CurvesFromDataTitle, data.line);
    }
}

void Run::read() {
    std::string_view const text = prepare();
    splitSections(text);
    chooseEncoding();
    readVersion();
    readHeaderSections();

    auto const data = std::find_if(m_sections.begin(), m_sections.end(),
                                   [](Section const& s) { return s.kind == SectionKind::Data; });
    if (data == m_sections.end()) {
        throw Failure{std::max(1, static_cast<int>(std::count(text.begin(), text.end(), '\n'))),
                      QStringLiteral("the file ends without a ~A (data) section")};
    }
    m_file.dataLine = data->line;
    if (m_file.curves.empty()) {
        curvesFromDataTitle(*data);
    }
    if (m_file.curves.empty()) {
        throw Failure{data->line,
                      QStringLiteral("no curve definitions (~CURVE) name the columns of ~A")};
    }
    readData(*data);
}

void Run::readData(Section const& data) {
    std::size_t const n = m_file.curves.size();
    // A file can declare many curves and give few values; padding rows must not let a small
    // file claim gigabytes. Real data needs at least two bytes per value.
    std::size_t const maxCells = m_text.size() + 65536;
    std::size_t const reserveRows =
        m_file.wrapped ? 0 : std::min(data.bodyLineCount, maxCells / n);

    std::vector<std::vector<double>>& columns = m_file.columns;
    columns.assign(n, std::vector<double>());
    for (std::vector<double>& column : columns) {
        column.reserve(reserveRows);
    }

    bool const hasNull = m_file.nullValue.has_value();
    double const nullValue = m_file.nullValue.value_or(0.0);
    bool const comma = m_commaDelimited;
    bool wrapped = m_file.wrapped;
    bool firstDataLine = true;
    LasIssues& issues = m_file.issues;

    std::size_t j = 0; // the next column of the row being read
    bool longRow = false;
    int lineNumber = data.bodyLine;
    char const* p = data.bodyBegin;
    char const* const end = data.bodyEnd;
    char const* nextPoll = p;

    auto isSeparator = [comma](char c) { return isBlank(c) || (comma && c == ','); };
    auto store = [&](double value) {
        if (j == n) {
            longRow = true;
            return;
        }
        if (j == 0 && std::isnan(value)) {
            issues.add(LasIssues::NullDepth, lineNumber);
        }
        columns[j++].push_back(value);
    };
    auto numberValue = [&](double value) {
        if ((hasNull && value == nullValue) || !std::isfinite(value) ||
            (j != 0 && isStandInNull(value))) {
            return no_value;
        }
        return value;
    };
    // A token that std::from_chars did not take whole.
    auto textValue = [&](std::string_view token) {
        double value = 0.0;
        if (parseNumber(token, value)) {
            return numberValue(value);
        }
        if (!isNullSpelling(token)) {
            issues.add(LasIssues::TextInData, lineNumber, example(token, m_decoder));
        }
        return no_value;
    };
    auto hasNumber = [&](char const* q, char const* lineEnd) {
        while (q < lineEnd) {
            while (q < lineEnd && isSeparator(*q)) {
                ++q;
            }
            char const* tokenEnd = q;
            while (tokenEnd < lineEnd && !isSeparator(*tokenEnd)) {
                ++tokenEnd;
            }
            double value = 0.0;
            if (tokenEnd > q && parseNumber(std::string_view(q, tokenEnd - q), value)) {
                return true;
            }
            q = tokenEnd;
        }
        return false;
    };

    for (; p < end; ++lineNumber) {
        if (p >= nextPoll) {
            poll(p, scan_share, 100.0 - scan_share);
            nextPoll = p + poll_bytes;
        }
        auto const* newline =
            static_cast<char const*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        char const* const lineEnd = newline != nullptr ? newline : end;
        char const* q = p;
        p = newline != nullptr ? newline + 1 : end;

        while (q < lineEnd && isBlank(*q)) {
            ++q;
        }
        if (q == lineEnd || *q == '#') {
            continue;
        }
        longRow = false;
        // A line that starts a row with text and holds no number at all is a note, not a row.
        auto isTextLine = [&](std::string_view first, char const* rest) {
            double value = 0.0;
            return j == 0 && !parseNumber(first, value) && !hasNumber(rest, lineEnd);
        };
        bool textLine = false;
        if (comma) {
            // LAS 3 comma-delimited data: every field counts, an empty one is no value.
            for (bool firstField = true;; firstField = false) {
                auto const* fieldEnd = static_cast<char const*>(
                    std::memchr(q, ',', static_cast<std::size_t>(lineEnd - q)));
                char const* const stop = fieldEnd != nullptr ? fieldEnd : lineEnd;
                std::string_view const field = trim(std::string_view(q, stop - q));
                if (firstField && !field.empty() && isTextLine(field, stop)) {
                    textLine = true;
                    break;
                }
                store(field.empty() ? no_value : textValue(field));
                if (fieldEnd == nullptr) {
                    break;
                }
                q = fieldEnd + 1;
            }
        } else {
            for (char const* const lineBegin = q; q < lineEnd;) {
                double value = 0.0;
                char const* first = *q == '+' ? q + 1 : q;
                auto const parsed = std::from_chars(first, lineEnd, value);
                if (parsed.ec == std::errc() && parsed.ptr > first &&
                    (parsed.ptr == lineEnd || isSeparator(*parsed.ptr))) {
                    store(numberValue(value));
                    q = parsed.ptr;
                } else {
                    char const* tokenEnd = q;
                    while (tokenEnd < lineEnd && !isSeparator(*tokenEnd)) {
                        ++tokenEnd;
                    }
                    std::string_view const token(q, tokenEnd - q);
                    if (q == lineBegin && isTextLine(token, tokenEnd)) {
                        textLine = true;
                        break;
                    }
                    store(textValue(token));
                    q = tokenEnd;
                }
                while (q < lineEnd && isBlank(*q)) {
                    ++q;
                }
            }
        }
        if (textLine) {
            issues.add(LasIssues::TextLineInData, lineNumber,
                       example(std::string_view(q, lineEnd - q), m_decoder));
            continue;
        }
        if (longRow) {
            issues.add(LasIssues::LongRow, lineNumber);
        }
        if (firstDataLine) {
            firstDataLine = false;
            // A depth alone on the first line of many-curve data: the writer wrapped the rows
            // without saying so.
            if (!wrapped && n > 1 && j == 1) {
                wrapped = true;
                issues.add(LasIssues::WrapMismatch, lineNumber);
                continue;
            }
        }
        if (j == n) {
            j = 0;
        } else if (!wrapped) {
            issues.add(LasIssues::ShortRow, lineNumber);
            while (j < n) {
                columns[j++].push_back(no_value);
            }
            j = 0;
            if (columns.front().size() * n > maxCells) {
                throw Failure{lineNumber,
                              QStringLiteral("too many missing values: the rows hold far fewer "
                                             "values than the %1 curves")
                                  .arg(n)};
            }
        }
    }
    if (j != 0) {
        issues.add(LasIssues::LastRowCutShort, lineNumber - 1);
        while (j < n) {
            columns[j++].push_back(no_value);
        }
    }
    if (columns.front().empty()) {
        throw Failure{data.line, QStringLiteral("the ~A section holds no data")};
    }
}

} // namespace

LasParser::Result LasParser::parse(std::string_view text) const {
    Result result;
    try {
        Run(text, m_hook, result.file).read();
        result.status = Status::Ok;
    } catch (Failure const& failure) {
        result.status = Status::Failed;
        result.error = QStringLiteral("line %1: %2").arg(failure.line).arg(failure.text);
        result.file = LasFile();
    } catch (Cancelled const&) {
        result.status = Status::Cancelled;
        result.file = LasFile();
    }
    return result;
}

} // namespace readers
} // namespace quarro
