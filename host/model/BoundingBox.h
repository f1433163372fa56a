#ifndef QUARRO_MODEL_BOUNDINGBOX_H
#define QUARRO_MODEL_BOUNDINGBOX_H

#include "QuarroHostExport.h"
#include "model/Point3.h"

namespace quarro {
namespace model {

// An axis-aligned box in model space, or the empty box that contains nothing. Points with a
// NaN or infinite coordinate carry no position (a missing elevation, a NODATA height) and are
// ignored, so a box is either empty or has finite corners.
class QUARRO_HOST_EXPORT BoundingBox {
public:
    BoundingBox();
    // The box spanning two corners given in any order.
    BoundingBox(Point3<double> const& a, Point3<double> const& b);

    bool isEmpty() const;
    // The corners; they are +infinity and -infinity while the box is empty.
    Point3<double> const& min() const { return m_min; }
    Point3<double> const& max() const { return m_max; }

    void extend(Point3<double> const& point);
    void extend(BoundingBox const& other);

    bool contains(Point3<double> const& point) const;

    friend bool operator==(BoundingBox const& a, BoundingBox const& b) {
        return (a.isEmpty() && b.isEmpty()) || (a.m_min == b.m_min && a.m_max == b.m_max);
    }
    friend bool operator!=(BoundingBox const& a, BoundingBox const& b) { return !(a == b); }

private:
    Point3<double> m_min;
    Point3<double> m_max;
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_BOUNDINGBOX_H
