#include "MarkerSetItem.h"

#include <QColor>
#include <QFontMetrics>
#include <QPaintDevice>
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

void MarkerSetItem::set_labels(std::vector<QString> labels) {
    m_labels = std::move(labels);
    m_labels.resize(m_points.size());
    update();
}

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
    paint_labels(painter, to_device);
    painter->restore();
}

void MarkerSetItem::paint_labels(QPainter* painter, QTransform const& to_device) const {
    if (m_labels.empty() || painter->device() == nullptr) {
        return;
    }
    QRectF const view(0, 0, painter->device()->width(), painter->device()->height());
    std::vector<std::pair<QPointF, QString const*>> shown;
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        if (m_labels[i].isEmpty()) {
            continue;
        }
        QPointF const centre = to_device.map(m_points[i]);
        if (!view.contains(centre)) {
            continue;
        }
        if (shown.size() == max_labels_drawn) {
            return;
        }
        shown.emplace_back(centre, &m_labels[i]);
    }
    painter->setPen(QColor(40, 40, 40));
    double const baseline = painter->fontMetrics().ascent() / 2.0 - 1.0;
    for (auto const& [centre, label] : shown) {
        painter->drawText(centre + QPointF(m_marker_size / 2.0 + 3.0, baseline), *label);
    }
}

} // namespace app
} // namespace quarro
