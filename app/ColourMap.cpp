#include "ColourMap.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <cmath>

namespace quarro {
namespace app {
namespace colour_map {

QRgb viridis(double t) {
    // Viridis at nine evenly spaced points; between them the colours are interpolated linearly,
    // which stays within a step of the full table.
    static std::array<std::array<int, 3>, 9> const stops = {{{68, 1, 84},
                                                             {71, 44, 122},
                                                             {59, 81, 139},
                                                             {44, 113, 142},
                                                             {33, 145, 140},
                                                             {39, 173, 129},
                                                             {92, 200, 99},
                                                             {170, 220, 50},
                                                             {253, 231, 37}}};
    double const scaled = (std::isnan(t) ? 0.0 : std::clamp(t, 0.0, 1.0)) * (stops.size() - 1);
    std::size_t const low = std::min(static_cast<std::size_t>(scaled), stops.size() - 2);
    double const f = scaled - static_cast<double>(low);
    auto const mix = [&](int c) {
        return static_cast<int>(
            std::lround(stops[low][c] + f * (stops[low + 1][c] - stops[low][c])));
    };
    return qRgb(mix(0), mix(1), mix(2));
}

} // namespace colour_map
} // namespace app
} // namespace quarro
