#include "BlockTransform.h"

#include "ObjectCoordinateSystem.h"

#include <cmath>

namespace quarro {
namespace readers {

using Point = model::Point3<double>;

BlockTransform::BlockTransform()
    : m_rows{{{1.0, 0.0, 0.0, 0.0}, {0.0, 1.0, 0.0, 0.0}, {0.0, 0.0, 1.0, 0.0}}} {}

BlockTransform BlockTransform::forInsert(Point const& base, Point const& position,
                                         Point const& scale, double rotation,
                                         Point const& extrusion) {
    constexpr double degree = 3.14159265358979323846 / 180.0;
    double const c = std::cos(rotation * degree);
    double const s = std::sin(rotation * degree);
    ObjectCoordinateSystem const ocs(extrusion);
    // The columns of the linear part are the images of the unit vectors.
    Point const ex = ocs.toWorld(Point(c * scale.x, s * scale.x, 0.0));
    Point const ey = ocs.toWorld(Point(-s * scale.y, c * scale.y, 0.0));
    Point const ez = ocs.toWorld(Point(0.0, 0.0, scale.z));
    Point const origin = ocs.toWorld(position);
    BlockTransform t;
    t.m_rows = {{{ex.x, ey.x, ez.x, 0.0}, {ex.y, ey.y, ez.y, 0.0}, {ex.z, ey.z, ez.z, 0.0}}};
    Point const movedBase = t.apply(base);
    t.m_rows[0][3] = origin.x - movedBase.x;
    t.m_rows[1][3] = origin.y - movedBase.y;
    t.m_rows[2][3] = origin.z - movedBase.z;
    return t;
}

Point BlockTransform::apply(Point const& p) const {
    auto row = [&](std::array<double, 4> const& r) {
        return r[0] * p.x + r[1] * p.y + r[2] * p.z + r[3];
    };
    return {row(m_rows[0]), row(m_rows[1]), row(m_rows[2])};
}

BlockTransform BlockTransform::after(BlockTransform const& inner) const {
    BlockTransform result;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            double value = j == 3 ? m_rows[i][3] : 0.0;
            for (int k = 0; k < 3; ++k) {
                value += m_rows[i][k] * inner.m_rows[k][j];
            }
            result.m_rows[i][j] = value;
        }
    }
    return result;
}

} // namespace readers
} // namespace quarro
