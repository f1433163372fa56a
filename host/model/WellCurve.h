#ifndef QUARRO_MODEL_WELLCURVE_H
#define QUARRO_MODEL_WELLCURVE_H

#include <QString>

#include <vector>

namespace quarro {
namespace model {

// One log curve of a well: a sample per depth of the well's index curve, NaN for "no value".
struct WellCurve {
    QString mnemonic;
    QString unit;
    QString description;
    std::vector<double> samples;
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_WELLCURVE_H
