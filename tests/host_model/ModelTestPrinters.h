#ifndef QUARRO_TESTS_HOST_MODEL_MODELTESTPRINTERS_H
#define QUARRO_TESTS_HOST_MODEL_MODELTESTPRINTERS_H

#include "model/BoundingBox.h"
#include "model/Point3.h"

#include <ostream>

// Readable failure messages for the model's value types (found by GoogleTest through ADL).
namespace quarro {
namespace model {

inline void PrintTo(Point3<double> const& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ", " << p.z << ")";
}

inline void PrintTo(BoundingBox const& box, std::ostream* os) {
    if (box.isEmpty()) {
        *os << "empty box";
        return;
    }
    *os << "box ";
    PrintTo(box.min(), os);
    *os << " - ";
    PrintTo(box.max(), os);
}

} // namespace model
} // namespace quarro

#endif // QUARRO_TESTS_HOST_MODEL_MODELTESTPRINTERS_H
