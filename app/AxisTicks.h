#ifndef QUARRO_APP_AXISTICKS_H
#define QUARRO_APP_AXISTICKS_H

#include <QString>

#include <vector>

namespace quarro {
namespace app {

// Round tick positions for an axis (depth axis, map coordinates, scale bar, colour legend).
namespace axis_ticks {

// The round step (1, 2 or 5 times a power of ten) nearest above rough; 1 for anything not
// positive and finite.
double nice_step(double rough);
// The multiples of step between low and high, at most max_ticks of them (none when they would
// be more, or the range is not finite).
std::vector<double> ticks(double low, double high, double step, int max_ticks = 200);
// A tick value as the user reads it: grouped digits, no trailing zeros, at most 6 significant.
QString label(double value);

} // namespace axis_ticks
} // namespace app
} // namespace quarro

#endif // QUARRO_APP_AXISTICKS_H
