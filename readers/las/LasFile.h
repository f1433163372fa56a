#ifndef QUARRO_READERS_LAS_LASFILE_H
#define QUARRO_READERS_LAS_LASFILE_H

#include "LasIssues.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

namespace quarro {
namespace readers {

// One "MNEMONIC.UNIT VALUE : DESCRIPTION" line of a header section, as text, with the line it
// came from. In a curve section the value holds the API code.
struct LasItem {
    QString mnemonic;
    QString unit;
    QString value;
    QString description;
    int line = 0;
};

// Everything a LAS file holds, as read: the header sections as text and the data as one column
// of numbers per curve, NULLs already turned into NaN ("no value").
struct LasFile {
    // VERS as written ("2.0"), and as a number (2.0 when the file gives none).
    QString version;
    double versionNumber = 2.0;
    bool wrapped = false;
    // The ~W NULL value, when the file gives one.
    std::optional<double> nullValue;

    std::vector<LasItem> versionItems;
    std::vector<LasItem> wellItems;
    std::vector<LasItem> parameters;
    // One per data column, in column order; the first is the index (depth).
    std::vector<LasItem> curves;
    // The ~OTHER section's lines.
    QString otherText;

    // columns[i] holds curves[i]'s samples; all columns have the same length.
    std::vector<std::vector<double>> columns;
    // The line of the ~A section's title.
    int dataLine = 0;

    LasIssues issues;

    std::size_t rowCount() const { return columns.empty() ? 0 : columns.front().size(); }
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_LAS_LASFILE_H
