#include "model/PointSet.h"

#include <limits>
#include <stdexcept>

namespace quarro {
namespace model {

PointSet::PointSet()
    : m_attributes(QStringLiteral("attribute")) {}

ObjectKind PointSet::kind() const {
    return ObjectKind::PointSet;
}

BoundingBox PointSet::boundingBox() const {
    BoundingBox box;
    for (Point3<double> const& point : m_points) {
        box.extend(point);
    }
    return box;
}

quint64 PointSet::sizeHint() const {
    return m_points.size();
}

std::unique_ptr<GeoObject> PointSet::clone() const {
    return std::make_unique<PointSet>(*this);
}

void PointSet::setPoints(std::vector<Point3<double>> points) {
    m_points = std::move(points);
    m_attributes.reset(m_points.size());
    m_labels.clear();
}

void PointSet::addPoint(Point3<double> const& point) {
    m_points.push_back(point);
    m_attributes.appendRow(std::numeric_limits<double>::quiet_NaN());
    if (!m_labels.empty()) {
        m_labels.emplace_back();
    }
}

void PointSet::setLabels(std::vector<QString> labels) {
    if (!labels.empty() && labels.size() != m_points.size()) {
        throw std::invalid_argument("a point set needs one label per point");
    }
    m_labels = std::move(labels);
}

std::vector<double> const* PointSet::attribute(QString const& name) const {
    return m_attributes.column(name);
}

void PointSet::setAttribute(QString const& name, std::vector<double> values) {
    m_attributes.setColumn(name, std::move(values));
}

bool PointSet::removeAttribute(QString const& name) {
    return m_attributes.removeColumn(name);
}

} // namespace model
} // namespace quarro
