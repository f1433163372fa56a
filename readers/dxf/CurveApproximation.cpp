#include "CurveApproximation.h"

#include "BulgeArc.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quarro {
namespace readers {

namespace {

using Point = model::Point3<double>;

int piecesFor(double sweep) {
    return std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / bulgeArcStep)));
}

} // namespace

std::vector<Point> arcPoints(Point const& centre, double radius, double start, double sweep) {
    int const pieces = piecesFor(sweep);
    std::vector<Point> points;
    points.reserve(static_cast<std::size_t>(pieces) + 1);
    for (int i = 0; i <= pieces; ++i) {
        double const angle = start + sweep * i / pieces;
        points.emplace_back(centre.x + radius * std::cos(angle),
                            centre.y + radius * std::sin(angle), centre.z);
    }
    return points;
}

std::vector<Point> ellipsePoints(Point const& centre, Point const& major, Point const& minor,
                                 double start, double sweep) {
    int const pieces = piecesFor(sweep);
    std::vector<Point> points;
    points.reserve(static_cast<std::size_t>(pieces) + 1);
    for (int i = 0; i <= pieces; ++i) {
        double const t = start + sweep * i / pieces;
        double const c = std::cos(t);
        double const s = std::sin(t);
        points.emplace_back(centre.x + c * major.x + s * minor.x,
                            centre.y + c * major.y + s * minor.y,
                            centre.z + c * major.z + s * minor.z);
    }
    return points;
}

std::vector<Point> bSplinePoints(int degree, std::vector<Point> const& controls,
                                 std::vector<double> const& knots,
                                 std::vector<double> const& weights, int perSpan) {
    std::size_t const n = controls.size();
    if (degree < 1 || n < static_cast<std::size_t>(degree) + 1 ||
        knots.size() != n + static_cast<std::size_t>(degree) + 1 ||
        (!weights.empty() && weights.size() != n) || perSpan < 1) {
        return {};
    }
    for (std::size_t i = 1; i < knots.size(); ++i) {
        if (!(knots[i] >= knots[i - 1])) {
            return {};
        }
    }
    auto const p = static_cast<std::size_t>(degree);
    // Homogeneous control points: (w x, w y, w z, w).
    std::vector<std::array<double, 4>> homogeneous(n);
    for (std::size_t i = 0; i < n; ++i) {
        double const w = weights.empty() ? 1.0 : weights[i];
        if (!(w > 0.0) || !std::isfinite(w)) {
            return {};
        }
        homogeneous[i] = {controls[i].x * w, controls[i].y * w, controls[i].z * w, w};
    }
    std::vector<Point> points;
    std::vector<std::array<double, 4>> d(p + 1);
    auto evaluate = [&](std::size_t span, double u) {
        // De Boor's algorithm on the span [knots[span], knots[span + 1]).
        for (std::size_t j = 0; j <= p; ++j) {
            d[j] = homogeneous[span - p + j];
        }
        for (std::size_t r = 1; r <= p; ++r) {
            for (std::size_t j = p; j >= r; --j) {
                std::size_t const i = span - p + j;
                double const denominator = knots[i + p + 1 - r] - knots[i];
                double const alpha = denominator > 0.0 ? (u - knots[i]) / denominator : 0.0;
                for (int c = 0; c < 4; ++c) {
                    d[j][c] = (1.0 - alpha) * d[j - 1][c] + alpha * d[j][c];
                }
            }
        }
        double const w = d[p][3];
        points.emplace_back(d[p][0] / w, d[p][1] / w, d[p][2] / w);
    };
    std::size_t lastSpan = 0;
    for (std::size_t span = p; span < n; ++span) {
        double const a = knots[span];
        double const b = knots[span + 1];
        if (!(b > a)) {
            continue;
        }
        for (int i = 0; i < perSpan; ++i) {
            evaluate(span, a + (b - a) * i / perSpan);
        }
        lastSpan = span;
    }
    if (points.empty()) {
        return {};
    }
    evaluate(lastSpan, knots[n]);
    return points;
}

std::vector<double> clampedUniformKnots(int degree, std::size_t controls) {
    std::vector<double> knots;
    if (degree < 1 || controls < static_cast<std::size_t>(degree) + 1) {
        return knots;
    }
    auto const p = static_cast<std::size_t>(degree);
    std::size_t const inner = controls - p;
    knots.assign(p + 1, 0.0);
    for (std::size_t i = 1; i < inner; ++i) {
        knots.push_back(static_cast<double>(i) / inner);
    }
    knots.insert(knots.end(), p + 1, 1.0);
    return knots;
}

} // namespace readers
} // namespace quarro
