#include "model/PolylineSet.h"

#include "model/ModelChecks.h"

#include <QSet>

namespace quarro {
namespace model {

namespace {

void checkPolyline(Polyline const& polyline, std::size_t position) {
    if (polyline.points.empty()) {
        detail::throwInvalidArgument(
            QStringLiteral("polyline %1 has no points").arg(static_cast<qulonglong>(position + 1)));
    }
}

} // namespace

ObjectKind PolylineSet::kind() const {
    return ObjectKind::PolylineSet;
}

BoundingBox PolylineSet::boundingBox() const {
    BoundingBox box;
    for (Polyline const& polyline : m_polylines) {
        for (Point3<double> const& point : polyline.points) {
            box.extend(point);
        }
    }
    return box;
}

quint64 PolylineSet::sizeHint() const {
    return pointCount();
}

std::unique_ptr<GeoObject> PolylineSet::clone() const {
    return std::make_unique<PolylineSet>(*this);
}

std::size_t PolylineSet::pointCount() const {
    std::size_t count = 0;
    for (Polyline const& polyline : m_polylines) {
        count += polyline.points.size();
    }
    return count;
}

void PolylineSet::addPolyline(Polyline polyline) {
    checkPolyline(polyline, m_polylines.size());
    m_polylines.push_back(std::move(polyline));
}

void PolylineSet::setPolylines(std::vector<Polyline> polylines) {
    for (std::size_t i = 0; i < polylines.size(); ++i) {
        checkPolyline(polylines[i], i);
    }
    m_polylines = std::move(polylines);
}

QStringList PolylineSet::layers() const {
    QStringList result;
    QSet<QString> seen;
    for (Polyline const& polyline : m_polylines) {
        if (polyline.layer.isEmpty() || seen.contains(polyline.layer)) {
            continue;
        }
        seen.insert(polyline.layer);
        result.append(polyline.layer);
    }
    return result;
}

} // namespace model
} // namespace quarro
