#ifndef QUARRO_MODEL_DEPTHREFERENCE_H
#define QUARRO_MODEL_DEPTHREFERENCE_H

#include <QString>

#include <cmath>
#include <limits>
#include <optional>

namespace quarro {
namespace model {

// Where a well stands and what its depths are measured from. Many well files give no
// coordinates: x and y stay NaN then, and the well has no place on a map.
struct DepthReference {
    double x = std::numeric_limits<double>::quiet_NaN();
    double y = std::numeric_limits<double>::quiet_NaN();
    // Elevation of the depth datum above the map's zero, when known.
    std::optional<double> elevation;
    // The datum the depths are measured from ("KB", "DF", "GL"), empty when unknown.
    QString datum;

    bool hasLocation() const { return std::isfinite(x) && std::isfinite(y); }
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_DEPTHREFERENCE_H
