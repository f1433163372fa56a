#ifndef QUARRO_READERS_DXF_BULGEARC_H
#define QUARRO_READERS_DXF_BULGEARC_H

#include "model/Point3.h"

#include <vector>

namespace quarro {
namespace readers {

// The largest angle, in radians, that one straight piece of an approximated arc spans (5 degrees).
constexpr double bulgeArcStep = 0.0872664625997164788;

// Appends to `points` the inner points of the arc segment that a polyline vertex with the given
// bulge draws from `from` to `to` (tan of a quarter of the included angle; positive turns
// counter-clockwise in the entity's plane). The ends themselves are not appended. A bulge of
// (almost) zero, a non-finite one or coinciding ends give a straight segment: nothing is added.
// z is interpolated linearly along the arc.
void appendBulgeArc(std::vector<model::Point3<double>>& points, model::Point3<double> const& from,
                    model::Point3<double> const& to, double bulge);

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_DXF_BULGEARC_H
