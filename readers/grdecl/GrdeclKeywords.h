#ifndef QUARRO_READERS_GRDECL_GRDECLKEYWORDS_H
#define QUARRO_READERS_GRDECL_GRDECLKEYWORDS_H

#include <string>
#include <string_view>

namespace quarro {
namespace readers {
namespace grdecl {

// What the reader knows about a keyword of an Eclipse grid section. The lists hold the keywords
// that real GRDECL exports and hand-written grid decks use; anything else is Unknown and is
// judged by its data.
enum class KeywordKind {
    NoData,      // takes no record: ECHO, NOECHO, section names, RUNSPEC switches
    Record,      // one record ended by '/': SPECGRID, COORD, ZCORN, MAPAXES, INCLUDE, PINCH ...
    MultiRecord, // records until an empty one: FAULTS, EQUALS, MULTFLT ...
    CellArray,   // one value per cell: ACTNUM, PORO, PERMX, NTG, region numbers ...
    Unknown
};

KeywordKind keywordKind(std::string_view name);

inline bool isKnownKeyword(std::string_view name) {
    return keywordKind(name) != KeywordKind::Unknown;
}

// A known keyword that is not a cell array: such a word at the start of a line cannot be data
// of another keyword, so it ends a record that misses its '/'.
inline bool isStructuralKeyword(std::string_view name) {
    KeywordKind const kind = keywordKind(name);
    return kind != KeywordKind::Unknown && kind != KeywordKind::CellArray;
}

// Region numbers (FIPNUM, SATNUM, EQLNUM ...): integer codes, one region per value.
bool isRegionKeyword(std::string_view name);

// Keywords that change cell values already read (EQUALS, MULTIPLY, COPY ...).
bool isEditKeyword(std::string_view name);

// Spelled like a keyword: a letter, then letters, digits, '_', '+' or '-'.
bool looksLikeKeyword(std::string_view text);

// ASCII upper case, as Eclipse compares keywords.
std::string upperCase(std::string_view text);

} // namespace grdecl
} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GRDECL_GRDECLKEYWORDS_H
