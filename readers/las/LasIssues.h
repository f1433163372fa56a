#ifndef QUARRO_READERS_LAS_LASISSUES_H
#define QUARRO_READERS_LAS_LASISSUES_H

#include <QString>
#include <QStringList>

#include <vector>

namespace quarro {
namespace readers {

// The faults a LAS file was read in spite of. A real file can repeat one fault on thousands of
// lines, so faults are kept by kind: how many lines had it, the first few line numbers and the
// first offending text, and each kind becomes one line of the import summary.
class LasIssues {
public:
    enum Kind {
        NotUtf8,
        TextAfterEndMark,
        NoVersion,
        SectionNotRead,
        ExtraDataSection,
        HeaderLineSkipped,
        NoMnemonic,
        NoPeriod,
        NoColon,
        BareCurveLine,
        CurveWithoutMnemonic,
        CurvesFromDataTitle,
        RepeatedMnemonic,
        WrapMismatch,
        ShortRow,
        LongRow,
        LastRowCutShort,
        TextInData,
        TextLineInData,
        NullDepth
    };

    // Records that `line` has fault `kind`; `example` (kept for the first line only) shows the
    // offending text. A line is counted once per kind however often the fault repeats on it.
    void add(Kind kind, int line, QString const& example = QString());

    bool isEmpty() const { return m_entries.empty(); }
    // The number of lines recorded for `kind`.
    int count(Kind kind) const;
    bool has(Kind kind) const { return count(kind) > 0; }

    // One plain-text line per kind, in the order the kinds first occurred, e.g.
    // "lines 12, 14 and 3 more: row with fewer values than curves; ...". Warnings are not among
    // them.
    QStringList comments() const;
    // The faults that mean the file may lack data it should hold (a last row cut short by a
    // broken download), one line each, for the summary to show before everything else.
    QStringList warnings() const;

private:
    QStringList lines(bool warnings) const;

    struct Entry {
        Kind kind;
        int count;
        int lastLine;
        std::vector<int> lines;
        QString example;
    };

    std::vector<Entry> m_entries;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_LAS_LASISSUES_H
