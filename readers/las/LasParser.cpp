#include "LasParser.h"

#include "LasDataReader.h"
#include "LasHeaderLine.h"
#include "LasParseFailure.h"
#include "LasText.h"
#include "TextDecoder.h"
#include "importwidgets/CancelHook.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace quarro {
namespace readers {

using namespace las;

namespace {

// Share of the progress bar given to finding the sections; reading the data takes the rest.
constexpr double scan_share = 5.0;
// Finding the sections looks only at line starts, some fifty times faster than reading the
// numbers, so it asks the cancel hook that much less often for the same work per question.
constexpr std::size_t scan_poll_bytes = 64 * LasDataReader::poll_bytes;
// Thrown inside the parser when the user cancels.
struct Cancelled {};

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
    // LAS 3 numbers repeated sets: "~Log_Definition[2]".
    name = name.substr(0, name.find_first_of(" \t|["));
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
    LasItem item(LasHeaderLine const& fields, int line) const;
    void readCurves(Section const& section);
    void curvesFromDataTitle(Section const& data);
    void poll(char const* position, double from, double span);

    std::string_view m_text;
    CancelHook const* m_hook;
    LasFile& m_file;
    std::vector<Section> m_sections;
    TextDecoder m_decoder;
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
    if (text.size() >= 2 &&
        ((text[0] == '\xFF' && text[1] == '\xFE') || (text[0] == '\xFE' && text[1] == '\xFF'))) {
        throw LasParseFailure{1,
                              QStringLiteral("the file is UTF-16 text; save it as UTF-8 or ASCII")};
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
        throw LasParseFailure{line,
                              QStringLiteral("binary data (a NUL byte): not a LAS text file")};
    }
    return text;
}

void Run::splitSections(std::string_view text) {
    char const* const end = text.data() + text.size();
    LineCursor cursor(text.data(), end, 1);
    char const* nextPoll = text.data() + scan_poll_bytes;
    Line line;
    while (cursor.next(line)) {
        std::string_view const trimmed = trim(line.text);
        if (trimmed.empty() || trimmed.front() == '#') {
            continue;
        }
        if (trimmed.front() != '~') {
            if (m_sections.empty()) {
                throw LasParseFailure{
                    line.number, QStringLiteral("a LAS file begins with a section line such as "
                                                "~VERSION, not \"%1\"")
                                     .arg(m_decoder.excerpt(trimmed))};
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
                auto const* newline = static_cast<char const*>(
                    std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
                p = newline != nullptr ? newline + 1 : end;
                ++number;
                ++section.bodyLineCount;
                if (p >= nextPoll) {
                    poll(p, 0.0, scan_share);
                    nextPoll = p + scan_poll_bytes;
                }
            }
            section.bodyEnd = p;
            cursor.moveTo(p, number);
        }
        m_sections.push_back(std::move(section));
    }
    if (m_sections.empty()) {
        throw LasParseFailure{
            std::max(1, cursor.nextNumber() - 1),
            QStringLiteral("no LAS section (~VERSION, ~WELL, ~CURVE, ~A) in the file")};
    }
}

void Run::chooseEncoding() {
    for (Section const& section : m_sections) {
        if (!TextDecoder::isValidUtf8(section.title)) {
            m_decoder = TextDecoder(TextDecoder::Windows1252);
            m_file.issues.add(LasIssues::NotUtf8, section.line);
            return;
        }
        for (Line const& line : section.lines) {
            if (!TextDecoder::isValidUtf8(line.text)) {
                m_decoder = TextDecoder(TextDecoder::Windows1252);
                m_file.issues.add(LasIssues::NotUtf8, line.number);
                return;
            }
        }
    }
}

LasItem Run::item(LasHeaderLine const& fields, int line) const {
    std::string_view description = fields.description;
    if (m_file.versionNumber >= 3.0) {
        description = LasHeaderLine::withoutLas3Decorations(description);
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
            LasHeaderLine fields;
            if (!LasHeaderLine::split(line.text, fields)) {
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
    bool curvesSeen = false;
    for (Section const& section : m_sections) {
        switch (section.kind) {
        case SectionKind::Data:
            if (dataSeen) {
                m_file.issues.add(LasIssues::ExtraDataSection, section.line,
                                  m_decoder.excerpt(section.title));
            }
            dataSeen = true;
            continue;
        case SectionKind::Unknown:
            m_file.issues.add(LasIssues::SectionNotRead, section.line,
                              m_decoder.excerpt(section.title));
            continue;
        case SectionKind::Curves:
            // LAS 3 may hold further log sets; only the first, which the first data section
            // holds, is read.
            if (curvesSeen) {
                m_file.issues.add(LasIssues::SectionNotRead, section.line,
                                  m_decoder.excerpt(section.title));
            } else {
                readCurves(section);
            }
            curvesSeen = true;
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
        bool const valueAfterColon =
            section.kind == SectionKind::Well && m_file.versionNumber < 2.0;
        for (Line const& line : section.lines) {
            LasHeaderLine fields;
            if (!LasHeaderLine::split(line.text, fields)) {
                m_file.issues.add(LasIssues::HeaderLineSkipped, line.number,
                                  m_decoder.excerpt(line.text));
                continue;
            }
            if (fields.mnemonic.empty()) {
                m_file.issues.add(LasIssues::NoMnemonic, line.number, m_decoder.excerpt(line.text));
                continue;
            }
            if (!fields.hasPeriod) {
                m_file.issues.add(LasIssues::NoPeriod, line.number);
            } else if (!fields.hasColon) {
                m_file.issues.add(LasIssues::NoColon, line.number);
            }
            bool const indexItem =
                equalsUpper(fields.mnemonic, "STRT") || equalsUpper(fields.mnemonic, "STOP") ||
                equalsUpper(fields.mnemonic, "STEP") || equalsUpper(fields.mnemonic, "NULL");
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
        LasHeaderLine fields;
        if (!LasHeaderLine::split(line.text, fields)) {
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
        int const lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) +
                          (!text.empty() && text.back() != '\n' ? 1 : 0);
        throw LasParseFailure{std::max(1, lines),
                              QStringLiteral("the file ends without a ~A (data) section")};
    }
    m_file.dataLine = data->line;
    if (m_file.curves.empty()) {
        curvesFromDataTitle(*data);
    }
    if (m_file.curves.empty()) {
        throw LasParseFailure{
            data->line, QStringLiteral("no curve definitions (~CURVE) name the columns of ~A")};
    }
    // A file can declare many curves and give few values; padding rows must not let a small
    // file claim gigabytes. Real data needs at least two bytes per value.
    LasDataReader::Settings settings;
    settings.curves = m_file.curves.size();
    settings.wrapped = m_file.wrapped;
    settings.commaDelimited = m_commaDelimited;
    settings.nullValue = m_file.nullValue;
    settings.maxCells = m_text.size() + 65536;
    LasDataReader reader(settings, m_decoder, m_file.issues, [this](char const* position) {
        poll(position, scan_share, 100.0 - scan_share);
    });
    m_file.columns =
        reader.read(std::string_view(data->bodyBegin,
                                     static_cast<std::size_t>(data->bodyEnd - data->bodyBegin)),
                    data->bodyLine, data->bodyLineCount);
    if (m_file.rowCount() == 0) {
        throw LasParseFailure{data->line, QStringLiteral("the ~A section holds no data")};
    }
}

} // namespace

LasParser::Result LasParser::parse(std::string_view text) const {
    Result result;
    try {
        Run(text, m_hook, result.file).read();
        result.status = Status::Ok;
    } catch (LasParseFailure const& failure) {
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
