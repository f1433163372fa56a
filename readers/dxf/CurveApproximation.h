#ifndef QUARRO_READERS_DXF_CURVEAPPROXIMATION_H
#define QUARRO_READERS_DXF_CURVEAPPROXIMATION_H

#include "model/Point3.h"

#include <cstddef>
#include <vector>

namespace quarro {
namespace readers {

// Curves of a drawing become straight pieces that span at most bulgeArcStep (5 degrees) of an
// arc: a chord then stays within 0.1 % of the radius of its arc.
constexpr double curveChordTolerance = 0.001;

// The points of a circular arc in its plane, from `start` through `sweep` radians
// (counter-clockwise when positive), ends included; z is the centre's.
std::vector<model::Point3<double>> arcPoints(model::Point3<double> const& centre, double radius,
                                             double start, double sweep);

// The points of an elliptical arc: centre + cos(t) * major + sin(t) * minor for t from `start`
// through `sweep` radians, ends included.
std::vector<model::Point3<double>> ellipsePoints(model::Point3<double> const& centre,
                                                 model::Point3<double> const& major,
                                                 model::Point3<double> const& minor, double start,
                                                 double sweep);

// Points along a B-spline of the given degree through its control points and knots (weights
// empty for a non-rational spline, else one per control point), `perSpan` points per knot span.
// Returns nothing when the knots do not fit the control points: degree at least 1, as many
// knots as control points plus degree plus one, never decreasing, and a span that is not empty.
std::vector<model::Point3<double>> bSplinePoints(int degree,
                                                 std::vector<model::Point3<double>> const& controls,
                                                 std::vector<double> const& knots,
                                                 std::vector<double> const& weights, int perSpan);

// Clamped knots spaced evenly, for control points that come without usable knots.
std::vector<double> clampedUniformKnots(int degree, std::size_t controls);

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_DXF_CURVEAPPROXIMATION_H
