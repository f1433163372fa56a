#include "LasIssues.h"

#include <algorithm>

namespace quarro {
namespace readers {

namespace {

// Line numbers a comment lists before it sums the rest up as "and N more".
constexpr std::size_t listed_lines = 5;

QString describe(LasIssues::Kind kind) {
    switch (kind) {
    case LasIssues::NotUtf8:
        return QStringLiteral("the text is not UTF-8; read as Windows-1252 (Latin-1)");
    case LasIssues::TextAfterEndMark:
        return QStringLiteral("text after the end-of-file mark (0x1A) ignored");
    case LasIssues::NoVersion:
        return QStringLiteral("no VERS line in ~VERSION; read as LAS 2.0");
    case LasIssues::SectionNotRead:
        return QStringLiteral("section not read");
    case LasIssues::ExtraDataSection:
        return QStringLiteral("second data section not read");
    case LasIssues::HeaderLineSkipped:
        return QStringLiteral("header line without '.' or ':' skipped");
    case LasIssues::NoMnemonic:
        return QStringLiteral("header line without a mnemonic skipped");
    case LasIssues::NoPeriod:
        return QStringLiteral("header line without '.' after the mnemonic; read without a unit");
    case LasIssues::NoColon:
        return QStringLiteral("header line without ':'; read without a description");
    case LasIssues::BareCurveLine:
        return QStringLiteral("curve line without '.' or ':'; its first word is the mnemonic");
    case LasIssues::CurveWithoutMnemonic:
        return QStringLiteral("curve line without a mnemonic; the curve is named UNKNOWN");
    case LasIssues::CurvesFromDataTitle:
        return QStringLiteral("no curve definitions; curve names taken from the ~A line");
    case LasIssues::RepeatedMnemonic:
        return QStringLiteral("repeated mnemonic; every copy is kept under a numbered name");
    case LasIssues::WrapMismatch:
        return QStringLiteral("WRAP is NO but the data is wrapped; read as wrapped");
    case LasIssues::ShortRow:
        return QStringLiteral("row with fewer values than curves; the missing values are "
                              "no value");
    case LasIssues::LongRow:
        return QStringLiteral("row with more values than curves; the extra values are dropped");
    case LasIssues::LastRowCutShort:
        return QStringLiteral("the last row is incomplete (file cut short?); the missing values "
                              "are no value");
    case LasIssues::TextInData:
        return QStringLiteral("text in the data read as no value");
    case LasIssues::TextLineInData:
        return QStringLiteral("line of text in the data skipped");
    case LasIssues::NullDepth:
        return QStringLiteral("the depth is NULL; the row is kept without a depth");
    }
    return QString();
}

bool isWarning(LasIssues::Kind kind) {
    return kind == LasIssues::LastRowCutShort;
}

QString lineList(std::vector<int> const& lines, int count) {
    QStringList numbers;
    for (int line : lines) {
        numbers << QString::number(line);
    }
    int const more = count - static_cast<int>(lines.size());
    if (numbers.size() == 1 && more == 0) {
        return QStringLiteral("line ") + numbers.front();
    }
    if (more > 0) {
        return QStringLiteral("lines %1 and %2 more")
            .arg(numbers.join(QStringLiteral(", ")))
            .arg(more);
    }
    QString const last = numbers.takeLast();
    return QStringLiteral("lines %1 and %2").arg(numbers.join(QStringLiteral(", ")), last);
}

} // namespace

void LasIssues::add(Kind kind, int line, QString const& example) {
    auto entry = std::find_if(m_entries.begin(), m_entries.end(),
                              [kind](Entry const& e) { return e.kind == kind; });
    if (entry == m_entries.end()) {
        m_entries.push_back(Entry{kind, 1, line, {line}, example});
        return;
    }
    // Faults arrive in line order, so a repeat on one line follows the line's first report.
    if (entry->lastLine == line) {
        return;
    }
    entry->lastLine = line;
    if (entry->lines.size() < listed_lines) {
        entry->lines.push_back(line);
    }
    ++entry->count;
}

int LasIssues::count(Kind kind) const {
    auto entry = std::find_if(m_entries.begin(), m_entries.end(),
                              [kind](Entry const& e) { return e.kind == kind; });
    return entry == m_entries.end() ? 0 : entry->count;
}

QStringList LasIssues::comments() const {
    return lines(false);
}

QStringList LasIssues::warnings() const {
    return lines(true);
}

QStringList LasIssues::lines(bool warnings) const {
    QStringList result;
    for (Entry const& entry : m_entries) {
        if (isWarning(entry.kind) != warnings) {
            continue;
        }
        QString text =
            lineList(entry.lines, entry.count) + QStringLiteral(": ") + describe(entry.kind);
        if (!entry.example.isEmpty()) {
            text += QStringLiteral(" (\"%1\")").arg(entry.example);
        }
        result << text;
    }
    return result;
}

} // namespace readers
} // namespace quarro
