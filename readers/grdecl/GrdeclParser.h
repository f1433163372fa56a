#ifndef QUARRO_READERS_GRDECL_GRDECLPARSER_H
#define QUARRO_READERS_GRDECL_GRDECLPARSER_H

#include "GrdeclDeck.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string_view>

class CancelHook;

namespace quarro {
namespace readers {

// Reads the keywords of an Eclipse grid file (GRDECL) and of the files it includes into a
// GrdeclDeck: SPECGRID or DIMENS, COORD, ZCORN, ACTNUM, MAPAXES, MAPUNITS, GRIDUNIT, BOX, FAULTS,
// and every keyword with one number per cell as a cell property. Keywords without data (ECHO,
// NOECHO, section names) are passed over, SKIP ... ENDSKIP and CARFIN ... ENDFIN blocks too;
// keywords that do not describe the grid (PINCH, RPTGRID ...) are listed as not read.
//
// What real files get wrong and can be read with a fair guess is read and recorded in the deck's
// comments: a record that misses its '/', a keyword without data, a keyword name longer than
// eight characters, text in a property, values outside any keyword. The parse fails, naming the
// line, when the grid itself cannot be trusted: text in COORD or ZCORN, an unreadable SPECGRID,
// an INCLUDE that cannot be read or includes itself. Whether the counts fit the grid is
// GrdeclGridBuilder's business.
class GrdeclParser {
public:
    enum class Status { Ok, Failed, Cancelled };

    struct Result {
        Status status = Status::Failed;
        // Why the file failed, naming the line ("line 12: ...").
        QString error;
        GrdeclDeck deck;
    };

    // Gives the text of the file an INCLUDE names (its path resolved against the including
    // file); the text must stay valid until parse() returns. Returns false with `error` set when
    // the file cannot be read.
    using IncludeOpener =
        std::function<bool(QString const& path, std::string_view& text, QString& error)>;

    // Grids larger than this are refused before anything is allocated for them.
    static constexpr std::uint64_t default_max_cells = 200'000'000;
    // How deep INCLUDE files may nest.
    static constexpr int max_include_depth = 16;

    // `hook` (may be null) is asked whether to stop, and told how far the reading got in
    // percent, about once per 16 KB of text.
    explicit GrdeclParser(CancelHook const* hook = nullptr);

    // Without an opener an INCLUDE fails the parse.
    void setIncludeOpener(IncludeOpener opener) { m_opener = std::move(opener); }
    void setMaxCells(std::uint64_t cells) { m_maxCells = cells; }

    // `path` is the file's own path, against which INCLUDE names are resolved; it may be empty
    // when the text comes from elsewhere.
    Result parse(std::string_view text, QString const& path = QString()) const;

private:
    CancelHook const* m_hook;
    IncludeOpener m_opener;
    std::uint64_t m_maxCells = default_max_cells;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GRDECL_GRDECLPARSER_H
