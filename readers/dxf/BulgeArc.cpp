#include "BulgeArc.h"

#include <cmath>

namespace quarro {
namespace readers {

void appendBulgeArc(std::vector<model::Point3<double>>& points, model::Point3<double> const& from,
                    model::Point3<double> const& to, double bulge) {
    if (!std::isfinite(bulge) || std::fabs(bulge) < 1e-9) {
        return;
    }
    double const ux = to.x - from.x;
    double const uy = to.y - from.y;
    if (ux == 0.0 && uy == 0.0) {
        return;
    }
    double const sweep = 4.0 * std::atan(bulge);
    // The centre lies on the chord's perpendicular bisector; (1 - b^2) / 4b is its distance from
    // the chord's middle in chord lengths, towards the left for a counter-clockwise arc.
    double const offset = (1.0 - bulge * bulge) / (4.0 * bulge);
    double const cx = from.x + ux / 2.0 - uy * offset;
    double const cy = from.y + uy / 2.0 + ux * offset;
    double const radius = std::hypot(from.x - cx, from.y - cy);
    double const start = std::atan2(from.y - cy, from.x - cx);
    if (!std::isfinite(radius) || !std::isfinite(start)) {
        return;
    }
    int const pieces = static_cast<int>(std::ceil(std::fabs(sweep) / bulgeArcStep));
    for (int i = 1; i < pieces; ++i) {
        double const t = static_cast<double>(i) / pieces;
        double const angle = start + sweep * t;
        points.emplace_back(cx + radius * std::cos(angle), cy + radius * std::sin(angle),
                            from.z + (to.z - from.z) * t);
    }
}

} // namespace readers
} // namespace quarro
