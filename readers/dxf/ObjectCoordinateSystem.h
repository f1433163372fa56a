#ifndef QUARRO_READERS_DXF_OBJECTCOORDINATESYSTEM_H
#define QUARRO_READERS_DXF_OBJECTCOORDINATESYSTEM_H

#include "model/Point3.h"

namespace quarro {
namespace readers {

// The coordinate system of a planar DXF entity (2D polylines, lightweight polylines), derived
// from its extrusion direction by AutoCAD's "arbitrary axis" rule. Such entities store x and y
// in this system and their elevation as z; the world coordinates follow from the three axes.
class ObjectCoordinateSystem {
public:
    // The world system: extrusion (0, 0, 1).
    ObjectCoordinateSystem() = default;
    // A zero or non-finite extrusion gives the world system.
    explicit ObjectCoordinateSystem(model::Point3<double> const& extrusion);

    bool isWorld() const { return m_world; }
    model::Point3<double> toWorld(model::Point3<double> const& point) const;

private:
    bool m_world = true;
    model::Point3<double> m_ax{1.0, 0.0, 0.0};
    model::Point3<double> m_ay{0.0, 1.0, 0.0};
    model::Point3<double> m_az{0.0, 0.0, 1.0};
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_DXF_OBJECTCOORDINATESYSTEM_H
