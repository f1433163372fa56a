#ifndef QUARRO_MODEL_POLYLINE_H
#define QUARRO_MODEL_POLYLINE_H

#include "model/Point3.h"

#include <QString>

#include <vector>

namespace quarro {
namespace model {

// One line through a sequence of points; a closed line joins its last point to its first.
struct Polyline {
    std::vector<Point3<double>> points;
    bool closed = false;
    // The layer the line was drawn on (DXF layers, shapefile classes), empty when none.
    QString layer;
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_POLYLINE_H
