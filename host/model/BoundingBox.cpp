#include "model/BoundingBox.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quarro {
namespace model {

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

bool isFinite(Point3<double> const& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

} // namespace

// The empty box is inverted, so that extending it is a plain min/max with no special case.
BoundingBox::BoundingBox()
    : m_min(infinity, infinity, infinity)
    , m_max(-infinity, -infinity, -infinity) {}

BoundingBox::BoundingBox(Point3<double> const& a, Point3<double> const& b)
    : BoundingBox() {
    extend(a);
    extend(b);
}

bool BoundingBox::isEmpty() const {
    return m_min.x > m_max.x;
}

void BoundingBox::extend(Point3<double> const& point) {
    if (!isFinite(point)) {
        return;
    }
    m_min = Point3<double>(std::min(m_min.x, point.x), std::min(m_min.y, point.y),
                           std::min(m_min.z, point.z));
    m_max = Point3<double>(std::max(m_max.x, point.x), std::max(m_max.y, point.y),
                           std::max(m_max.z, point.z));
}

void BoundingBox::extend(BoundingBox const& other) {
    if (other.isEmpty()) {
        return;
    }
    extend(other.m_min);
    extend(other.m_max);
}

bool BoundingBox::contains(Point3<double> const& point) const {
    return point.x >= m_min.x && point.x <= m_max.x && point.y >= m_min.y && point.y <= m_max.y &&
           point.z >= m_min.z && point.z <= m_max.z;
}

} // namespace model
} // namespace quarro
