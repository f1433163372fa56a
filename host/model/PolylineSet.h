#ifndef QUARRO_MODEL_POLYLINESET_H
#define QUARRO_MODEL_POLYLINESET_H

#include "QuarroHostExport.h"
#include "model/GeoObject.h"
#include "model/Polyline.h"

#include <QStringList>

#include <cstddef>
#include <memory>
#include <vector>

namespace quarro {
namespace model {

// A set of polylines (outlines, faults, contours), each on a named layer.
class QUARRO_HOST_EXPORT PolylineSet : public GeoObject {
public:
    PolylineSet() = default;

    ObjectKind kind() const override;
    BoundingBox boundingBox() const override;
    // The number of points of all polylines.
    quint64 sizeHint() const override;
    std::unique_ptr<GeoObject> clone() const override;

    std::vector<Polyline> const& polylines() const { return m_polylines; }
    std::size_t polylineCount() const { return m_polylines.size(); }
    std::size_t pointCount() const;

    // Appends a polyline. Throws std::invalid_argument (and changes nothing) when it has no point.
    void addPolyline(Polyline polyline);
    // Replaces all polylines; the same rule applies to each.
    void setPolylines(std::vector<Polyline> polylines);

    // The distinct non-empty layer names, in the order of their first polyline.
    QStringList layers() const;

private:
    std::vector<Polyline> m_polylines;
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_POLYLINESET_H
