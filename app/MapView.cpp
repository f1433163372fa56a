#include "MapView.h"

#include "AxisTicks.h"
#include "MapSceneBuilder.h"
#include "housekeeping/Document.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
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
    // The axes, scale bar and legend are drawn in screen coordinates over the scene: a scroll
    // must repaint them, not shift them along with the map.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
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
    m_document = document;
    m_data_rect = QRectF();
    m_drawn_objects = 0;
    m_object_rects.clear();
    m_legends.clear();
    m_wells_without_location = 0;
    m_objects_without_drawing = 0;
    if (document != nullptr) {
        MapSceneBuilder builder(*m_scene);
        builder.set_grid_colouring(m_grid_property, m_grid_layer);
        builder.add_document(*document);
        m_drawn_objects = builder.drawn_objects();
        if (m_drawn_objects > 0) {
            m_data_rect = builder.data_rect();
        }
        m_object_rects = builder.object_rects();
        m_legends = builder.legends();
        m_wells_without_location = builder.wells_without_location();
        m_objects_without_drawing = builder.objects_without_drawing();
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
    fit_rect(m_data_rect);
}

void MapView::fit_rect(QRectF const& rect) {
    fitInView(framed(rect), Qt::KeepAspectRatio);
    // fitInView goes beyond the zoom limits for a point far from the origin.
    double const current = pixels_per_unit();
    double const target = std::clamp(current, min_zoom, max_zoom);
    if (current > 0.0 && target != current) {
        scale(target / current, target / current);
    }
}

void MapView::set_grid_colouring(QString const& property, int layer) {
    m_grid_property = property;
    m_grid_layer = std::max(layer, 0);
    show_document(m_document);
    viewport()->update();
}

void MapView::set_selected_object(int index) {
    m_selected = index;
    viewport()->update();
}

std::optional<QRectF> MapView::object_rect(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_object_rects.size()) {
        return std::nullopt;
    }
    return m_object_rects[static_cast<std::size_t>(index)];
}

void MapView::zoom_to_object(int index) {
    std::optional<QRectF> const rect = object_rect(index);
    if (rect && isVisible()) {
        fit_rect(*rect);
    }
}

ColourLegend MapView::legend() const {
    if (m_selected >= 0 && static_cast<std::size_t>(m_selected) < m_legends.size() &&
        !m_legends[static_cast<std::size_t>(m_selected)].title.isEmpty()) {
        return m_legends[static_cast<std::size_t>(m_selected)];
    }
    for (ColourLegend const& legend : m_legends) {
        if (!legend.title.isEmpty()) {
            return legend;
        }
    }
    return ColourLegend();
}

QString MapView::unplaced_summary() const {
    QStringList parts;
    if (m_wells_without_location == 1) {
        parts << tr("1 well without coordinates");
    } else if (m_wells_without_location > 1) {
        parts << tr("%1 wells without coordinates").arg(m_wells_without_location);
    }
    if (m_objects_without_drawing == 1) {
        parts << tr("1 object with nothing to draw");
    } else if (m_objects_without_drawing > 1) {
        parts << tr("%1 objects with nothing to draw").arg(m_objects_without_drawing);
    }
    return parts.join(QStringLiteral(", "));
}

QString MapView::note() const {
    if (m_document == nullptr || m_document->object_count() == 0) {
        return tr("Nothing here yet.\n\nOpen files with File > Open, add them to this document "
                  "with File > Insert, or drop files here.");
    }
    if (m_drawn_objects == 0) {
        return tr("Nothing in this document has a place on the map: %1.\nSelect an object in the "
                  "documents panel to see it.")
            .arg(unplaced_summary());
    }
    return QString();
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

void MapView::mousePressEvent(QMouseEvent* event) {
    m_press_position = event->pos();
    QGraphicsView::mousePressEvent(event);
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
    QGraphicsView::mouseReleaseEvent(event);
    // A click, not the end of a drag: the topmost object under the cursor.
    if (event->button() != Qt::LeftButton ||
        (event->pos() - m_press_position).manhattanLength() > 3) {
        return;
    }
    for (QGraphicsItem* item : items(event->pos())) {
        for (QGraphicsItem* owner = item; owner != nullptr; owner = owner->parentItem()) {
            QVariant const index = owner->data(MapSceneBuilder::object_key());
            if (index.isValid()) {
                emit object_clicked(index.toInt());
                return;
            }
        }
    }
}

void MapView::drawForeground(QPainter* painter, QRectF const&) {
    painter->save();
    painter->resetTransform();
    painter->setRenderHint(QPainter::Antialiasing, false);
    QString const text = note();
    if (!text.isEmpty()) {
        painter->setPen(QColor(90, 90, 90));
        painter->drawText(viewport()->rect().adjusted(40, 40, -40, -40),
                          Qt::AlignCenter | Qt::TextWordWrap, text);
        painter->restore();
        return;
    }
    // Objects too small to see at this zoom still show where they are.
    int const smallest = 5;
    for (std::size_t n = 0; n < m_object_rects.size(); ++n) {
        if (!m_object_rects[n]) {
            continue;
        }
        // In floating point, then cut to the screen: a far-off object would overflow pixels.
        QRectF const exact = viewportTransform().mapRect(*m_object_rects[n]);
        QRectF const near(QRectF(viewport()->rect()).adjusted(-50, -50, 50, 50));
        if (!exact.intersects(near) && !near.contains(exact.topLeft())) {
            continue;
        }
        QRect const on_screen = exact.intersected(near).toAlignedRect();
        bool const selected = static_cast<int>(n) == m_selected;
        if (exact.width() < smallest && exact.height() < smallest) {
            painter->setPen(QPen(MapSceneBuilder::object_colour(static_cast<int>(n)), 2.0));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(QRect(on_screen.center() - QPoint(4, 4), QSize(8, 8)));
        }
        if (selected) {
            QPen pen(QColor(255, 140, 0), 2.0, Qt::DashLine);
            painter->setPen(pen);
            painter->setBrush(Qt::NoBrush);
            QRect frame = on_screen.adjusted(-4, -4, 4, 4);
            if (frame.width() < 16 || frame.height() < 16) {
                frame = QRect(on_screen.center() - QPoint(8, 8), QSize(16, 16));
            }
            painter->drawRect(frame.intersected(viewport()->rect().adjusted(1, 1, -2, -2)));
        }
    }
    paint_axes(*painter);
    paint_scale_bar(*painter);
    paint_legend(*painter);
    painter->restore();
}

void MapView::paint_axes(QPainter& painter) const {
    QRect const area = viewport()->rect();
    QFontMetrics const metrics = fontMetrics();
    int const band = metrics.height() + 6;
    QColor const shade(255, 255, 255, 200);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawRect(QRect(0, area.bottom() - band + 1, area.width(), band));
    painter.drawRect(QRect(0, 0, band, area.height() - band));
    painter.setPen(QColor(60, 60, 60));
    QPointF const low = mapToScene(QPoint(0, area.bottom()));
    QPointF const high = mapToScene(QPoint(area.right(), 0));
    double const per_pixel = 1.0 / std::max(pixels_per_unit(), 1e-300);
    double const step = axis_ticks::nice_step(per_pixel * 110.0);
    for (double const x : axis_ticks::ticks(low.x(), high.x(), step)) {
        int const px = mapFromScene(QPointF(x, low.y())).x();
        painter.drawLine(px, area.bottom() - band + 1, px, area.bottom() - band + 5);
        QString const label = axis_ticks::label(x);
        int const w = metrics.horizontalAdvance(label);
        painter.drawText(QRect(px - w / 2, area.bottom() - band + 4, w, band - 4), Qt::AlignCenter,
                         label);
    }
    for (double const y : axis_ticks::ticks(low.y(), high.y(), step)) {
        int const py = mapFromScene(QPointF(low.x(), y)).y();
        if (py > area.bottom() - band) {
            continue;
        }
        painter.drawLine(band - 5, py, band - 1, py);
        QString const label = axis_ticks::label(y);
        int const w = metrics.horizontalAdvance(label);
        painter.save();
        painter.translate(band - 6, py);
        painter.rotate(-90);
        painter.drawText(QRect(-w / 2, -band + 4, w, band - 4), Qt::AlignCenter, label);
        painter.restore();
    }
}

void MapView::paint_scale_bar(QPainter& painter) const {
    double const ppu = pixels_per_unit();
    if (!(ppu > 0.0)) {
        return;
    }
    double const length = axis_ticks::nice_step(100.0 / ppu);
    int const pixels = static_cast<int>(std::lround(length * ppu));
    if (pixels <= 0 || pixels > viewport()->width()) {
        return;
    }
    QRect const area = viewport()->rect();
    int const band = fontMetrics().height() + 6;
    int const right = area.right() - 16;
    int const y = area.bottom() - band - 12;
    QString const label = axis_ticks::label(length);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawRect(QRect(right - pixels - 6, y - fontMetrics().height() - 6, pixels + 12,
                           fontMetrics().height() + 14));
    painter.setPen(QPen(QColor(30, 30, 30), 2.0));
    painter.drawLine(right - pixels, y, right, y);
    painter.drawLine(right - pixels, y - 4, right - pixels, y + 4);
    painter.drawLine(right, y - 4, right, y + 4);
    painter.drawText(
        QRect(right - pixels, y - fontMetrics().height() - 4, pixels, fontMetrics().height()),
        Qt::AlignCenter, label);
}

void MapView::paint_legend(QPainter& painter) const {
    ColourLegend const shown = legend();
    if (shown.title.isEmpty()) {
        return;
    }
    QFontMetrics const metrics = fontMetrics();
    int const width = std::max(180, metrics.horizontalAdvance(shown.title) + 16);
    int const line = metrics.height();
    QRect const box(viewport()->width() - width - 12, 12, width, 3 * line + 26);
    painter.setPen(QColor(160, 160, 160));
    painter.setBrush(QColor(255, 255, 255, 225));
    painter.drawRect(box);
    painter.setPen(QColor(30, 30, 30));
    painter.drawText(QRect(box.left() + 8, box.top() + 4, width - 16, line), Qt::AlignLeft,
                     shown.title);
    QRect const bar(box.left() + 8, box.top() + line + 10, width - 16, 12);
    if (!shown.valid) {
        painter.drawText(QRect(bar.left(), bar.top(), bar.width(), line * 2),
                         Qt::AlignLeft | Qt::TextWordWrap, tr("no values to colour by"));
        return;
    }
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    for (int n = 0; n <= 8; ++n) {
        gradient.setColorAt(n / 8.0, QColor::fromRgb(colour_map::viridis(n / 8.0)));
    }
    painter.fillRect(bar, gradient);
    painter.drawText(QRect(bar.left(), bar.bottom() + 3, bar.width(), line), Qt::AlignLeft,
                     axis_ticks::label(shown.low));
    painter.drawText(QRect(bar.left(), bar.bottom() + 3, bar.width(), line), Qt::AlignRight,
                     axis_ticks::label(shown.high));
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
