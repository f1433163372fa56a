#include "model/ValueRange.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quarro {
namespace model {

ValueRange::ValueRange()
    : m_min(std::numeric_limits<double>::infinity())
    , m_max(-std::numeric_limits<double>::infinity()) {}

ValueRange ValueRange::of(std::vector<double> const& values) {
    ValueRange range;
    for (double value : values) {
        range.extend(value);
    }
    return range;
}

bool ValueRange::isEmpty() const {
    return m_min > m_max;
}

void ValueRange::extend(double value) {
    if (!std::isfinite(value)) {
        return;
    }
    m_min = std::min(m_min, value);
    m_max = std::max(m_max, value);
}

} // namespace model
} // namespace quarro
