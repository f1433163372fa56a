#include "MarkerSetItem.h"

#include <QPainter>
#include <QPen>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <utility>

namespace quarro {
namespace app {

MarkerSetItem::MarkerSetItem(std::vector<QPointF> points, QBrush const& brush, double marker_size)
    : m_points(std::move(points))
    , m_brush(brush)
    , m_marker_size(marker_size) {
    if (m_points.empty()) {
        return;
    }
    double left = m_points.front().x();
    double right = left;
    double bottom = m_points.front().y();
    double top = bottom;
    for (QPointF const& point : m_points) {
        left = std::min(left, point.x());
        right = std::max(right, point.x());
        bottom = std::min(bottom, point.y());
        top = std::max(top, point.y());
    }
    // A rectangle without area intersects nothing, so a lone point would never be painted.
    double const pad =
        1e-6 * std::max({1.0, std::abs(left), std::abs(right), std::abs(bottom), std::abs(top)});
    m_bounds = QRectF(QPointF(left - pad, bottom - pad), QPointF(right + pad, top + pad));
}

MarkerSetItem::~MarkerSetItem() = default;

QRectF MarkerSetItem::boundingRect() const {
    return m_bounds;
}

void MarkerSetItem::paint(QPainter* painter, QStyleOptionGraphicsItem const* /*option*/,
                          QWidget* /*widget*/) {
    // Markers are laid out in device pixels, so they keep their size when the view zooms.
    QTransform const to_device = painter->worldTransform();
    painter->save();
    painter->resetTransform();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(Qt::NoPen);
    painter->setBrush(m_brush);
    double const half = m_marker_size / 2.0;
    std::vector<QRectF> rects;
    rects.reserve(std::min<std::size_t>(m_points.size(), 4096));
    for (QPointF const& point : m_points) {
        QPointF const centre = to_device.map(point);
        rects.emplace_back(centre.x() - half, centre.y() - half, m_marker_size, m_marker_size);
        if (rects.size() == 4096) {
            painter->drawRects(rects.data(), static_cast<int>(rects.size()));
            rects.clear();
        }
    }
    if (!rects.empty()) {
        painter->drawRects(rects.data(), static_cast<int>(rects.size()));
    }
    painter->restore();
}

} // namespace app
} // namespace quarro
