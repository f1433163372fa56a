#include "MapView.h"

#include "MapSceneBuilder.h"
#include "housekeeping/Document.h"

#include <QGraphicsScene>
#include <QMouseEvent>
#include <QShowEvent>
#include <QTimer>
#include <QTransform>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace quarro {
namespace app {

namespace {

// Zoom limits in pixels per map unit: far beyond any real map, short of numeric trouble.
double const min_zoom = 1e-7;
double const max_zoom = 1e7;
double const wheel_step = 1.25;

// The extent to frame: a point or a line gets some room around it.
QRectF framed(QRectF const& data) {
    double const size = std::max(data.width(), data.height());
    double const room = size > 0.0 ? size : std::max(100.0, 0.01 * std::abs(data.center().x()));
    double const w = std::max(data.width(), 0.1 * room);
    double const h = std::max(data.height(), 0.1 * room);
    QRectF const grown(data.center().x() - w / 2.0, data.center().y() - h / 2.0, w, h);
    return grown.adjusted(-0.05 * w, -0.05 * h, 0.05 * w, 0.05 * h);
}

} // namespace

MapView::MapView(QWidget* parent)
    : QGraphicsView(parent)
    , m_scene(new QGraphicsScene(this)) {
    setScene(m_scene);
    setBackgroundBrush(background_colour());
    setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setTransformationAnchor(QGraphicsView::AnchorViewCenter);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setViewportUpdateMode(QGraphicsView::BoundingRectViewportUpdate);
    setMouseTracking(true);
    // Map y grows northward, screen y downward.
    setTransform(QTransform::fromScale(1.0, -1.0));
}

MapView::~MapView() = default;

QColor MapView::background_colour() {
    return QColor(250, 250, 246);
}

void MapView::show_document(housekeeping::Document const* document) {
    m_scene->clear();
    m_data_rect = QRectF();
    m_drawn_objects = 0;
    if (document != nullptr) {
        MapSceneBuilder builder(*m_scene);
        builder.add_document(*document);
        m_drawn_objects = builder.drawn_objects();
        if (m_drawn_objects > 0) {
            m_data_rect = builder.data_rect();
        }
    }
    // Room to pan and zoom out well beyond the data; the scroll bars are hidden.
    QRectF const frame = m_drawn_objects > 0 ? framed(m_data_rect) : QRectF(-500, -500, 1000, 1000);
    double const room = 20.0 * std::max(frame.width(), frame.height());
    m_scene->setSceneRect(frame.adjusted(-room, -room, room, room));
}

void MapView::zoom_to_fit() {
    if (m_drawn_objects == 0) {
        return;
    }
    if (!isVisible()) {
        m_fit_when_shown = true;
        return;
    }
    fitInView(framed(m_data_rect), Qt::KeepAspectRatio);
}

void MapView::zoom_by(double factor) {
    if (!(factor > 0.0) || !std::isfinite(factor)) {
        return;
    }
    double const current = pixels_per_unit();
    double const target = std::clamp(current * factor, min_zoom, max_zoom);
    if (current <= 0.0 || target == current) {
        return;
    }
    scale(target / current, target / current);
}

double MapView::pixels_per_unit() const {
    return std::abs(transform().m11());
}

void MapView::wheelEvent(QWheelEvent* event) {
    double const steps = event->angleDelta().y() / 120.0;
    if (steps == 0.0) {
        event->ignore();
        return;
    }
    double const current = pixels_per_unit();
    double const target = std::clamp(current * std::pow(wheel_step, steps), min_zoom, max_zoom);
    if (current > 0.0 && target != current) {
        // The map point under the cursor stays under it: scale, then move that point back.
        QPoint const cursor = event->position().toPoint();
        QPointF const before = mapToScene(cursor);
        ViewportAnchor const anchor = transformationAnchor();
        setTransformationAnchor(QGraphicsView::NoAnchor);
        scale(target / current, target / current);
        QPointF const delta = mapToScene(cursor) - before;
        translate(delta.x(), delta.y());
        setTransformationAnchor(anchor);
    }
    event->accept();
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    QGraphicsView::mouseMoveEvent(event);
    emit cursor_moved(mapToScene(event->pos()));
}

void MapView::showEvent(QShowEvent* event) {
    QGraphicsView::showEvent(event);
    if (m_fit_when_shown) {
        m_fit_when_shown = false;
        // From the event loop: the window's layout gives the view its final size first.
        QTimer::singleShot(0, this, &MapView::zoom_to_fit);
    }
}

} // namespace app
} // namespace quarro
