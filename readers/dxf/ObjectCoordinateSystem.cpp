#include "ObjectCoordinateSystem.h"

#include <cmath>

namespace quarro {
namespace readers {

namespace {

using Vector = model::Point3<double>;

Vector cross(Vector const& a, Vector const& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double length(Vector const& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

Vector normalised(Vector const& v) {
    double const l = length(v);
    return {v.x / l, v.y / l, v.z / l};
}

// Below this share of x and y in the extrusion, the entity lies (nearly) flat and the x axis is
// taken from the world y axis instead of the world z axis, as the DXF reference prescribes.
constexpr double arbitraryAxisLimit = 1.0 / 64.0;

} // namespace

ObjectCoordinateSystem::ObjectCoordinateSystem(model::Point3<double> const& extrusion) {
    double const l = length(extrusion);
    if (!std::isfinite(l) || l < 1e-12) {
        return;
    }
    m_az = normalised(extrusion);
    if (m_az.x == 0.0 && m_az.y == 0.0 && m_az.z > 0.0) {
        m_az = {0.0, 0.0, 1.0};
        return;
    }
    m_world = false;
    Vector const worldY{0.0, 1.0, 0.0};
    Vector const worldZ{0.0, 0.0, 1.0};
    bool const nearZ =
        std::fabs(m_az.x) < arbitraryAxisLimit && std::fabs(m_az.y) < arbitraryAxisLimit;
    m_ax = normalised(cross(nearZ ? worldY : worldZ, m_az));
    m_ay = normalised(cross(m_az, m_ax));
}

model::Point3<double> ObjectCoordinateSystem::toWorld(model::Point3<double> const& p) const {
    if (m_world) {
        return p;
    }
    return {p.x * m_ax.x + p.y * m_ay.x + p.z * m_az.x, p.x * m_ax.y + p.y * m_ay.y + p.z * m_az.y,
            p.x * m_ax.z + p.y * m_ay.z + p.z * m_az.z};
}

} // namespace readers
} // namespace quarro
