#ifndef QUARRO_APP_MARKERSETITEM_H
#define QUARRO_APP_MARKERSETITEM_H

#include <QBrush>
#include <QGraphicsItem>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <cstddef>
#include <vector>

namespace quarro {
namespace app {

// Points of a map drawn as markers of a fixed size on screen, whatever the zoom. One item for a
// whole point set: a scene item per point would cost a QGraphicsItem for each of many thousand
// points.
class MarkerSetItem : public QGraphicsItem {
public:
    // points in scene (map) coordinates; marker_size is the marker's width in pixels.
    MarkerSetItem(std::vector<QPointF> points, QBrush const& brush, double marker_size);
    ~MarkerSetItem() override;

    // The points' extent: markers straddle it by half their size on screen.
    QRectF boundingRect() const override;
    void paint(QPainter* painter, QStyleOptionGraphicsItem const* option, QWidget* widget) override;

    std::vector<QPointF> const& points() const { return m_points; }

    // Texts drawn beside the markers, one per point (empty for a point without one). Labels are
    // drawn only while at most max_labels_drawn labelled points are in view: beyond that they
    // would cover each other and the map.
    void set_labels(std::vector<QString> labels);
    std::vector<QString> const& labels() const { return m_labels; }
    static constexpr std::size_t max_labels_drawn = 500;

private:
    Q_DISABLE_COPY(MarkerSetItem)

    void paint_labels(QPainter* painter, QTransform const& to_device) const;

    std::vector<QPointF> m_points;
    std::vector<QString> m_labels;
    QBrush m_brush;
    double m_marker_size;
    QRectF m_bounds;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_MARKERSETITEM_H
