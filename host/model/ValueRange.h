#ifndef QUARRO_MODEL_VALUERANGE_H
#define QUARRO_MODEL_VALUERANGE_H

#include "QuarroHostExport.h"

#include <vector>

namespace quarro {
namespace model {

// The smallest and largest of a set of values, or the empty range. NaN ("no value", NODATA) and
// infinities are ignored, so a range is either empty or has finite ends.
class QUARRO_HOST_EXPORT ValueRange {
public:
    ValueRange();
    // The range of the given values.
    static ValueRange of(std::vector<double> const& values);

    bool isEmpty() const;
    // The ends; they are +infinity and -infinity while the range is empty.
    double min() const { return m_min; }
    double max() const { return m_max; }

    void extend(double value);

    friend bool operator==(ValueRange const& a, ValueRange const& b) {
        return (a.isEmpty() && b.isEmpty()) || (a.m_min == b.m_min && a.m_max == b.m_max);
    }
    friend bool operator!=(ValueRange const& a, ValueRange const& b) { return !(a == b); }

private:
    double m_min;
    double m_max;
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_VALUERANGE_H
