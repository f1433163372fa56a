#include "GrdeclKeywords.h"

#include <initializer_list>
#include <unordered_map>

namespace quarro {
namespace readers {
namespace grdecl {

namespace {

using KeywordTable = std::unordered_map<std::string_view, KeywordKind>;

void addAll(KeywordTable& table, KeywordKind kind, std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) {
        table.emplace(name, kind);
    }
}

KeywordTable makeTable() {
    KeywordTable table;
    addAll(table, KeywordKind::NoData,
           {"ECHO",    "NOECHO",   "GRID",     "EDIT",     "PROPS",    "REGIONS",  "SOLUTION",
            "SUMMARY", "SCHEDULE", "RUNSPEC",  "END",      "ENDBOX",   "ENDFIN",   "ENDSKIP",
            "SKIP",    "SKIP100",  "SKIP300",  "NONNC",    "NEWTRAN",  "OLDTRAN",  "OLDTRANR",
            "NOGGF",   "INIT",     "NOSIM",    "FILLEPS",  "NOINSPEC", "NORSSPEC", "NODPPM",
            "DPGRID",  "NOWARN",   "WARN",     "UNIFIN",   "UNIFOUT",  "FMTIN",    "FMTOUT",
            "METRIC",  "FIELD",    "LAB",      "OIL",      "WATER",    "GAS",      "DISGAS",
            "VAPOIL",  "DUALPORO", "DUALPERM", "NOMONITO", "NOCASC",   "TITLE"});
    addAll(table, KeywordKind::Record,
           {"SPECGRID", "DIMENS",   "COORD",    "ZCORN",    "MAPAXES", "MAPUNITS", "GRIDUNIT",
            "INCLUDE",  "BOX",      "CARFIN",   "COORDSYS", "PINCH",   "MINPV",    "MINPORV",
            "GRIDFILE", "RPTGRID",  "NXFIN",    "NYFIN",    "NZFIN",   "HXFIN",    "HYFIN",
            "HZFIN",    "GDORIENT", "TABDIMS",  "EQLDIMS",  "REGDIMS", "WELLDIMS", "START",
            "NSTACK",   "GRIDOPTS", "JFUNC",    "RADFIN",   "AMALGAM", "GDFILE",   "IMPORT",
            "MESSAGES", "NUMRES",   "PINCHREG", "LGR"});
    addAll(table, KeywordKind::MultiRecord,
           {"FAULTS",   "MULTFLT",  "EQUALS",  "COPY",     "ADD",      "MULTIPLY",
            "MINVALUE", "MAXVALUE", "OPERATE", "COPYBOX",  "MULTREGT", "EQUALREG",
            "ADDREG",   "MULTIREG", "COPYREG", "OPERATER", "NNC",      "EDITNNC",
            "THPRES",   "AQUCON",   "AQUNUM",  "AQUFETP",  "AQUCT",    "COARSEN"});
    addAll(table, KeywordKind::CellArray,
           {"ACTNUM", "PORO",     "PERMX",  "PERMY",  "PERMZ",    "PERMR", "PERMTHT", "NTG",
            "DX",     "DY",       "DZ",     "DR",     "DTHETA",   "TOPS",  "MULTX",   "MULTY",
            "MULTZ",  "MULTX-",   "MULTY-", "MULTZ-", "MULTPV",   "PORV",  "SWAT",    "SGAS",
            "SOIL",   "PRESSURE", "RS",     "RV",     "SWL",      "SWCR",  "SWU",     "SGL",
            "SGCR",   "SGU",      "SOWCR",  "SOGCR",  "SWATINIT", "DEPTH", "TRANX",   "TRANY",
            "TRANZ",  "THCONR",   "TEMPI",  "DZNET",  "SIGMAV",   "PCW",   "PCG",     "ISWL",
            "ISWCR",  "ISGL",     "ISGCR",  "KRW",    "KRO",      "KRG"});
    return table;
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

KeywordKind keywordKind(std::string_view name) {
    static KeywordTable const table = makeTable();
    auto const found = table.find(name);
    if (found != table.end()) {
        return found->second;
    }
    return isRegionKeyword(name) ? KeywordKind::CellArray : KeywordKind::Unknown;
}

bool isRegionKeyword(std::string_view name) {
    return name.size() > 3 && endsWith(name, "NUM") && name != "ACTNUM" && name != "AQUNUM";
}

bool isEditKeyword(std::string_view name) {
    for (std::string_view edit :
         {"EQUALS", "COPY", "ADD", "MULTIPLY", "MINVALUE", "MAXVALUE", "OPERATE", "COPYBOX",
          "EQUALREG", "ADDREG", "MULTIREG", "COPYREG", "OPERATER"}) {
        if (name == edit) {
            return true;
        }
    }
    return false;
}

bool looksLikeKeyword(std::string_view text) {
    if (text.empty() || !isLetter(text.front())) {
        return false;
    }
    for (char c : text) {
        if (!isLetter(c) && !isDigit(c) && c != '_' && c != '+' && c != '-') {
            return false;
        }
    }
    return true;
}

std::string upperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

} // namespace grdecl
} // namespace readers
} // namespace quarro
