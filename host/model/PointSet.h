#ifndef QUARRO_MODEL_POINTSET_H
#define QUARRO_MODEL_POINTSET_H

#include "QuarroHostExport.h"
#include "model/GeoObject.h"
#include "model/NamedColumns.h"
#include "model/Point3.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <memory>
#include <vector>

namespace quarro {
namespace model {

// Scattered points, optionally with numeric attributes (named columns of one value per point,
// NaN for "no value") and text labels (annotations of a drawing, one per point).
class QUARRO_HOST_EXPORT PointSet : public GeoObject {
public:
    PointSet();

    ObjectKind kind() const override;
    BoundingBox boundingBox() const override;
    // The number of points.
    quint64 sizeHint() const override;
    std::unique_ptr<GeoObject> clone() const override;

    std::vector<Point3<double>> const& points() const { return m_points; }
    std::size_t pointCount() const { return m_points.size(); }
    // Replaces the points. The attribute columns and labels described the old points and are
    // removed.
    void setPoints(std::vector<Point3<double>> points);
    // Appends a point; every attribute column gets "no value" for it.
    void addPoint(Point3<double> const& point);

    QStringList attributeNames() const { return m_attributes.names(); }
    // The attribute's values, or nullptr when there is no such attribute.
    std::vector<double> const* attribute(QString const& name) const;
    // Replaces or appends an attribute column. Throws std::invalid_argument (and changes nothing)
    // when the name is empty or there is not exactly one value per point.
    void setAttribute(QString const& name, std::vector<double> values);
    bool removeAttribute(QString const& name);

    // One label per point (empty for a point without one), or none at all.
    std::vector<QString> const& labels() const { return m_labels; }
    // Replaces the labels. Throws std::invalid_argument (and changes nothing) when they are
    // neither empty nor one per point.
    void setLabels(std::vector<QString> labels);

private:
    std::vector<Point3<double>> m_points;
    NamedColumns m_attributes;
    std::vector<QString> m_labels;
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_POINTSET_H
