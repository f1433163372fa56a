#ifndef QUARRO_MODEL_PILLAR_H
#define QUARRO_MODEL_PILLAR_H

#include "model/Point3.h"

namespace quarro {
namespace model {

// A straight coordinate line of a corner-point grid; cell corners slide along it by depth.
struct Pillar {
    Point3<double> top;
    Point3<double> bottom;
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_PILLAR_H
