#ifndef QUARRO_READERS_GRDECL_GRDECLDECK_H
#define QUARRO_READERS_GRDECL_GRDECLDECK_H

#include "grid/MResDef.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace quarro {
namespace readers {

// Where a keyword stands: a line of the file read, or of a file it includes.
struct GrdeclLocation {
    QString file; // the included file as the INCLUDE names it; empty for the file read
    int line = 0;
};

// "line 12", or "line 12 of grid.inc" inside an included file.
inline QString describe(GrdeclLocation const& where) {
    QString const line = QStringLiteral("line %1").arg(where.line);
    return where.file.isEmpty() ? line : QStringLiteral("%1 of %2").arg(line, where.file);
}

// A box of cells, 0-based, last index included (BOX, CARFIN).
struct GrdeclBox {
    int i1 = 0;
    int i2 = 0;
    int j1 = 0;
    int j2 = 0;
    int k1 = 0;
    int k2 = 0;

    std::uint64_t cellCount() const {
        return static_cast<std::uint64_t>(i2 - i1 + 1) * static_cast<std::uint64_t>(j2 - j1 + 1) *
               static_cast<std::uint64_t>(k2 - k1 + 1);
    }
};

// The grid's size from SPECGRID or DIMENS.
struct GrdeclDimensions {
    int ni = 0;
    int nj = 0;
    int nk = 0;
    int reservoirs = 1; // NUMRES
    bool radial = false;
    std::string keyword;
    GrdeclLocation where;

    std::uint64_t cellCount() const {
        return static_cast<std::uint64_t>(ni) * static_cast<std::uint64_t>(nj) *
               static_cast<std::uint64_t>(nk);
    }
};

// The numbers of one keyword: COORD, ZCORN, ACTNUM or a cell property.
struct GrdeclArray {
    // How the record ended.
    enum class Closure { Slash, Keyword, EndOfFile };

    std::string keyword;
    GrdeclLocation where;
    // The values read, up to as many as the grid can use.
    std::vector<double> values;
    // All values of the record: more than values.size() when the record holds too many.
    std::uint64_t count = 0;
    // Defaulted items ("3*") and the line of the first.
    std::uint64_t defaults = 0;
    int firstDefaultLine = 0;
    Closure closure = Closure::Slash;
    // The keyword that began where a '/' was missing.
    std::string endedBy;
    GrdeclLocation endedAt;
    // The BOX in force for a cell array; nullopt for the whole grid.
    std::optional<GrdeclBox> box;
    QString sourcePath;
};

// A local grid refinement (CARFIN ... ENDFIN): its box and cell counts; its contents are not read.
struct GrdeclRefinement {
    std::string name;
    std::string parent;
    GrdeclBox box;
    int ni = 0;
    int nj = 0;
    int nk = 0;
    int maxWells = 0;
    GrdeclLocation where;
};

// Everything a GRDECL file and the files it includes say about one grid, as read: nothing is
// checked against the grid's size yet (GrdeclGridBuilder does that).
struct GrdeclDeck {
    std::optional<GrdeclDimensions> dimensions;
    std::optional<GrdeclArray> coord;
    std::optional<GrdeclArray> zcorn;
    // ACTNUM and the cell properties, in the order of the file.
    std::vector<GrdeclArray> cellArrays;

    std::optional<std::array<double, 6>> mapAxes;
    GrdeclLocation mapAxesAt;
    std::string mapUnits;   // MAPUNITS
    std::string gridUnits;  // GRIDUNIT, first item
    bool gridOnMap = false; // GRIDUNIT's second item is MAP: COORD is in map coordinates
    std::string title;      // TITLE

    std::vector<std::string> faults; // fault names, in order of first appearance
    std::vector<GrdeclRefinement> refinements;
    // Boxes of cells merged into coarser cells (COARSEN), numbered from 1 in file order.
    std::vector<import::MResDef> coarsenings;

    // Keywords that say nothing about the grid and were passed over (PINCH, RPTGRID ...), each
    // once, in order of first appearance.
    std::vector<std::string> skippedKeywords;
    // The faults the file was read in spite of, one line each, naming the place; only the first
    // max_comments are listed, since a broken export can repeat one fault on every line.
    QStringList comments;
    int unlistedComments = 0;
    int includedFiles = 0;

    static constexpr int max_comments = 50;

    void addComment(QString const& text) {
        if (comments.size() < max_comments) {
            comments << text;
        } else {
            ++unlistedComments;
        }
    }
    void addComment(GrdeclLocation const& where, QString const& text) {
        addComment(QStringLiteral("%1: %2").arg(describe(where), text));
    }
    // The comments with a last line that counts those not listed.
    QStringList allComments() const {
        if (unlistedComments == 0) {
            return comments;
        }
        return QStringList(comments) << QStringLiteral("%1 more faults of this file are not listed")
                                            .arg(unlistedComments);
    }

    void addSkippedKeyword(std::string const& keyword) {
        if (m_skipped.insert(keyword).second) {
            skippedKeywords.push_back(keyword);
        }
    }
    void addFault(std::string const& name) {
        if (m_faults.insert(name).second) {
            faults.push_back(name);
        }
    }

private:
    std::unordered_set<std::string> m_skipped;
    std::unordered_set<std::string> m_faults;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GRDECL_GRDECLDECK_H
