#ifndef QUARRO_READERS_LAS_LASHEADERLINE_H
#define QUARRO_READERS_LAS_LASHEADERLINE_H

#include <string_view>

namespace quarro {
namespace readers {

// The fields of a "MNEMONIC.UNIT VALUE : DESCRIPTION" line of a header section, as views into
// the line.
struct LasHeaderLine {
    std::string_view mnemonic;
    std::string_view unit;
    std::string_view value;
    std::string_view description;
    bool hasPeriod = false;
    bool hasColon = false;

    // Splits a trimmed header line. The mnemonic ends at the period that starts the unit: the
    // last period of the first word (mnemonics such as "S.P" keep theirs), or a period that
    // opens the next word ("DEPT   .M"); without a period the first word is the mnemonic. The
    // unit runs to the next blank, the value to the first colon after it that is not inside a
    // time of day ("13:45"), so colons in units and descriptions stay where they are. False
    // when the line has neither period nor colon.
    static bool split(std::string_view line, LasHeaderLine& fields);

    // LAS 3 follows the description with "{format}" and "| association"; neither is
    // description.
    static std::string_view withoutLas3Decorations(std::string_view description);
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_LAS_LASHEADERLINE_H
