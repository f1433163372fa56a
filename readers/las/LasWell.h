#ifndef QUARRO_READERS_LAS_LASWELL_H
#define QUARRO_READERS_LAS_LASWELL_H

#include "LasFile.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace quarro {
namespace model {
class Well;
}

namespace readers {

// Gives every copy of a name that occurs more than once a number, "GR" twice becoming "GR:1" and
// "GR:2", skipping numbers another name already has; an empty name counts as "UNKNOWN". The
// result has the order and size of `names` and no repeats.
QStringList numberRepeatedMnemonics(QStringList const& names);

// The well that a parsed LAS file describes: the first curve is the index, ~W and ~P lines are the
// header items (repeats numbered as the curves are), the location and datum come from the usual
// header values (X/Y, EKB/EDF/EGL and LMF/DREF). The data columns are moved out of `file`;
// renamed mnemonics are added to its issues. The well is named after WELL, or after
// `fileName` when the file gives no name.
std::unique_ptr<model::Well> makeWell(LasFile& file, QString const& fileName);

// The import summary of a well: "well W-1: 12 curves, 2,400 samples, 1,500.0-2,100.0 m", the
// curves without the index.
QString wellSummary(model::Well const& well);

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_LAS_LASWELL_H
