#ifndef QUARRO_APP_MARKERSETITEM_H
#define QUARRO_APP_MARKERSETITEM_H

#include <QBrush>
#include <QGraphicsItem>
#include <QPointF>
#include <QRectF>

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

private:
    Q_DISABLE_COPY(MarkerSetItem)

    std::vector<QPointF> m_points;
    QBrush m_brush;
    double m_marker_size;
    QRectF m_bounds;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_MARKERSETITEM_H
