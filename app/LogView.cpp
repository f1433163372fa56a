#include "LogView.h"

#include "AxisTicks.h"
#include "model/ValueRange.h"
#include "model/Well.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace quarro {
namespace app {

namespace {

int const axis_width = 64;
int const min_track_width = 96;
int const scroll_resolution = 100000;

} // namespace

LogView::LogView(QWidget* parent)
    : QWidget(parent)
    , m_scroll_bar(new QScrollBar(Qt::Vertical, this)) {
    setObjectName(QStringLiteral("LogView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::WheelFocus);
    connect(m_scroll_bar, &QScrollBar::valueChanged, this, &LogView::scroll_bar_moved);
    m_scroll_bar->hide();
}

LogView::~LogView() = default;

void LogView::set_well(boost::shared_ptr<model::Well const> well) {
    m_well = std::move(well);
    m_renderer.reset();
    m_tracks.clear();
    m_first = m_last = m_top = m_bottom = 0.0;
    if (m_well) {
        m_renderer = std::make_unique<LogTrackRenderer>(*m_well);
        for (int n = 0; n < m_well->curveCount(); ++n) {
            LogTrack track;
            track.curves.push_back(n);
            track.logarithmic =
                LogTrackRenderer::is_resistivity(m_well->curves()[static_cast<std::size_t>(n)]);
            m_tracks.push_back(track);
        }
        model::ValueRange const range = m_well->depthRange();
        if (!range.isEmpty()) {
            m_first = range.min();
            m_last = range.max();
            // One sample (or one depth) still gets a window to sit in.
            if (!(m_last > m_first)) {
                m_first -= 1.0;
                m_last += 1.0;
            }
            m_top = m_first;
            m_bottom = m_last;
        }
    }
    update_scroll_bar();
    layout_scroll_bar();
    update();
}

void LogView::set_tracks(std::vector<LogTrack> tracks) {
    m_tracks = std::move(tracks);
    layout_scroll_bar();
    update();
}

QStringList LogView::shown_curves() const {
    QStringList names;
    if (!m_well) {
        return names;
    }
    for (LogTrack const& track : m_tracks) {
        for (int const index : track.curves) {
            if (index >= 0 && index < m_well->curveCount()) {
                names << m_well->curves()[static_cast<std::size_t>(index)].mnemonic;
            }
        }
    }
    return names;
}

QString LogView::note() const {
    if (!m_well) {
        return tr("Select a well (in the documents panel or on the map) to see its curves.");
    }
    if (m_well->curveCount() == 0) {
        return tr("The well \"%1\" has no log curves.").arg(m_well->name());
    }
    if (!(m_last > m_first)) {
        return tr("The well \"%1\" has no depths to draw its curves at.").arg(m_well->name());
    }
    if (m_tracks.empty()) {
        return tr("No tracks: add a curve from the context menu.");
    }
    return QString();
}

void LogView::set_depth_window(double top, double bottom) {
    if (!(m_last > m_first) || !std::isfinite(top) || !std::isfinite(bottom)) {
        return;
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    double const full = m_last - m_first;
    // No closer than a millionth of the well, nor than a couple of samples can fill.
    double const smallest =
        std::max(full * 1e-6, full / std::max<double>(1.0, m_well->sampleCount()) * 2.0);
    double span = std::clamp(bottom - top, smallest, full);
    double const centre = (top + bottom) / 2.0;
    top = std::clamp(centre - span / 2.0, m_first, m_last - span);
    m_top = top;
    m_bottom = top + span;
    update_scroll_bar();
    update();
    emit depth_window_changed(m_top, m_bottom);
}

void LogView::zoom_by(double factor, double anchor_depth) {
    if (!(factor > 0.0) || !std::isfinite(factor)) {
        return;
    }
    double const anchor = std::clamp(anchor_depth, m_top, m_bottom);
    set_depth_window(anchor - (anchor - m_top) / factor, anchor + (m_bottom - anchor) / factor);
}

void LogView::scroll_by(double fraction) {
    double const shift = fraction * (m_bottom - m_top);
    set_depth_window(m_top + shift, m_bottom + shift);
}

void LogView::update_scroll_bar() {
    double const full = m_last - m_first;
    bool const scrollable = full > 0.0 && (m_bottom - m_top) < full * 0.999999;
    m_scroll_bar->setVisible(scrollable);
    if (!scrollable) {
        return;
    }
    m_updating_scroll_bar = true;
    int const page = std::max(1, static_cast<int>(scroll_resolution * (m_bottom - m_top) / full));
    m_scroll_bar->setRange(0, scroll_resolution - page);
    m_scroll_bar->setPageStep(page);
    m_scroll_bar->setSingleStep(std::max(1, page / 10));
    m_scroll_bar->setValue(static_cast<int>(scroll_resolution * (m_top - m_first) / full));
    m_updating_scroll_bar = false;
}

void LogView::scroll_bar_moved(int value) {
    if (m_updating_scroll_bar) {
        return;
    }
    double const span = m_bottom - m_top;
    double const top = m_first + (m_last - m_first) * value / scroll_resolution;
    set_depth_window(top, top + span);
}

int LogView::header_height() const {
    std::size_t most = 1;
    for (LogTrack const& track : m_tracks) {
        most = std::max(most, track.curves.size());
    }
    return static_cast<int>(most) * (2 * fontMetrics().height() + 6) + 6;
}

QRect LogView::plot_area() const {
    bool const inside = m_scroll_bar->parentWidget() == this && m_scroll_bar->isVisible();
    int const right = inside ? width() - m_scroll_bar->width() : width();
    return QRect(QPoint(axis_width, header_height()), QPoint(right - 1, height() - 1));
}

QRectF LogView::track_rect(int track) const {
    QRect const area = plot_area();
    double const track_width =
        std::max<double>(min_track_width, static_cast<double>(area.width()) /
                                              std::max<std::size_t>(1, m_tracks.size()));
    return QRectF(area.left() + track * track_width, area.top(), track_width, area.height());
}

int LogView::track_at(QPoint const& position) const {
    for (int n = 0; n < static_cast<int>(m_tracks.size()); ++n) {
        QRectF const rect = track_rect(n);
        if (position.x() >= rect.left() && position.x() < rect.right()) {
            return n;
        }
    }
    return -1;
}

void LogView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layout_scroll_bar();
}

void LogView::layout_scroll_bar() {
    // Wide enough for the axis and every track at its smallest: in a scroll area, more tracks
    // than fit scroll sideways. (A scroll area follows the widget's size, not its hints.)
    setMinimumWidth(std::max(240, axis_width + static_cast<int>(m_tracks.size()) * min_track_width +
                                      m_scroll_bar->sizeHint().width() + 2));
    if (m_scroll_bar->parentWidget() != this) {
        return;
    }
    int const bar = m_scroll_bar->sizeHint().width();
    m_scroll_bar->setGeometry(width() - bar, header_height(), bar, height() - header_height());
}

void LogView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QString const text = note();
    if (!text.isEmpty()) {
        painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
        painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                         text);
        return;
    }
    paint_axis(painter);
    for (int n = 0; n < static_cast<int>(m_tracks.size()); ++n) {
        paint_track(painter, n);
    }
}

void LogView::paint_axis(QPainter& painter) const {
    QRect const area = plot_area();
    QFontMetrics const metrics = fontMetrics();
    QString const unit = m_well->indexCurve().unit;
    QString const title =
        m_well->indexCurve().mnemonic.isEmpty() ? tr("Depth") : m_well->indexCurve().mnemonic;
    painter.setPen(palette().color(QPalette::Text));
    QRect const head(0, 0, axis_width, area.top());
    painter.drawText(head.adjusted(2, 2, -2, -2), Qt::AlignHCenter | Qt::AlignBottom,
                     unit.isEmpty() ? title : QStringLiteral("%1\n(%2)").arg(title, unit));
    double const pixels_per_depth = area.height() / (m_bottom - m_top);
    double const step = axis_ticks::nice_step((m_bottom - m_top) * 40.0 / area.height());
    for (double const depth : axis_ticks::ticks(m_top, m_bottom, step)) {
        int const y =
            area.top() + static_cast<int>(std::lround((depth - m_top) * pixels_per_depth));
        painter.drawLine(axis_width - 5, y, axis_width - 1, y);
        // A label cut by the bottom edge would read as another number.
        if (y + metrics.height() / 2 > area.bottom()) {
            continue;
        }
        QString const label = axis_ticks::label(depth);
        painter.drawText(QRect(0, y - metrics.height() / 2, axis_width - 7, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, label);
    }
    painter.drawLine(axis_width - 1, area.top(), axis_width - 1, area.bottom());
}

void LogView::paint_track(QPainter& painter, int track_index) const {
    LogTrack const& track = m_tracks[static_cast<std::size_t>(track_index)];
    QRectF const rect = track_rect(track_index);
    QRect const area = plot_area();
    QColor const grid(225, 225, 225);

    // Grid: depth lines at the axis ticks, scale lines at quarters or decades.
    painter.setPen(grid);
    double const pixels_per_depth = rect.height() / (m_bottom - m_top);
    double const step = axis_ticks::nice_step((m_bottom - m_top) * 40.0 / area.height());
    for (double const depth : axis_ticks::ticks(m_top, m_bottom, step)) {
        double const y = rect.top() + (depth - m_top) * pixels_per_depth;
        painter.drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
    }
    if (!track.curves.empty() && track.curves.front() < m_well->curveCount()) {
        CurveScale const& scale = m_renderer->scale(track.curves.front(), track.logarithmic);
        if (track.logarithmic && scale.valid) {
            for (double decade = scale.left * 10.0; decade < scale.right * 0.999; decade *= 10.0) {
                double const x = rect.left() + rect.width() * scale.fraction(decade);
                painter.drawLine(QPointF(x, rect.top()), QPointF(x, rect.bottom()));
            }
        } else {
            for (int n = 1; n < 4; ++n) {
                double const x = rect.left() + rect.width() * n / 4.0;
                painter.drawLine(QPointF(x, rect.top()), QPointF(x, rect.bottom()));
            }
        }
    }

    m_renderer->paint(painter, track, m_top, m_bottom, rect);

    // The header: per curve its mnemonic and unit, then its scale's ends over a line of its
    // colour.
    QFontMetrics const metrics = fontMetrics();
    int const line = metrics.height();
    int y = 3;
    int n = 0;
    for (int const index : track.curves) {
        if (index < 0 || index >= m_well->curveCount()) {
            continue;
        }
        model::WellCurve const& curve = m_well->curves()[static_cast<std::size_t>(index)];
        CurveScale const& scale = m_renderer->scale(index, track.logarithmic);
        QColor const colour = LogTrackRenderer::curve_colour(n++);
        QRectF const name_rect(rect.left() + 2, y, rect.width() - 4, line);
        painter.setPen(colour);
        QString const name = curve.unit.isEmpty()
                                 ? curve.mnemonic
                                 : QStringLiteral("%1 (%2)").arg(curve.mnemonic, curve.unit);
        painter.drawText(
            name_rect, Qt::AlignHCenter | Qt::AlignVCenter,
            metrics.elidedText(name, Qt::ElideRight, static_cast<int>(name_rect.width())));
        QRectF const scale_rect(rect.left() + 2, y + line, rect.width() - 4, line);
        if (scale.valid) {
            // Each end gets half the width (less room for the "log" mark), elided if need be.
            int const room =
                static_cast<int>(scale_rect.width() / 2) - (track.logarithmic ? 12 : 2);
            painter.drawText(
                scale_rect, Qt::AlignLeft | Qt::AlignVCenter,
                metrics.elidedText(axis_ticks::label(scale.left), Qt::ElideRight, room));
            painter.drawText(
                scale_rect, Qt::AlignRight | Qt::AlignVCenter,
                metrics.elidedText(axis_ticks::label(scale.right), Qt::ElideRight, room));
            if (track.logarithmic) {
                painter.drawText(scale_rect, Qt::AlignHCenter | Qt::AlignVCenter, tr("log"));
            }
        } else {
            painter.drawText(scale_rect, Qt::AlignHCenter | Qt::AlignVCenter,
                             track.logarithmic ? tr("no positive values") : tr("no values"));
        }
        painter.setPen(QPen(colour, 2.0));
        double const rule = y + 2 * line + 2;
        painter.drawLine(QPointF(rect.left() + 2, rule), QPointF(rect.right() - 2, rule));
        y += 2 * line + 6;
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect.left(), 0, rect.width(), area.bottom()));
    painter.drawLine(QPointF(rect.left(), rect.top()), QPointF(rect.right(), rect.top()));
}

void LogView::wheelEvent(QWheelEvent* event) {
    double const steps = event->angleDelta().y() / 120.0;
    if (steps == 0.0 || !note().isEmpty()) {
        event->ignore();
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        QRect const area = plot_area();
        double const anchor =
            m_top + (event->position().y() - area.top()) / area.height() * (m_bottom - m_top);
        zoom_by(std::pow(1.25, steps), anchor);
    } else {
        scroll_by(-0.1 * steps);
    }
    event->accept();
}

void LogView::contextMenuEvent(QContextMenuEvent* event) {
    int const index = track_at(event->pos());
    if (!m_well || index < 0) {
        return;
    }
    QMenu menu(this);
    LogTrack& track = m_tracks[static_cast<std::size_t>(index)];
    QAction* const logarithmic = menu.addAction(tr("Logarithmic Scale"));
    logarithmic->setCheckable(true);
    logarithmic->setChecked(track.logarithmic);
    connect(logarithmic, &QAction::toggled, this, [this, index](bool on) {
        m_tracks[static_cast<std::size_t>(index)].logarithmic = on;
        update();
    });
    QMenu* const add = menu.addMenu(tr("Add Curve"));
    QMenu* const remove = menu.addMenu(tr("Remove Curve"));
    for (int n = 0; n < m_well->curveCount(); ++n) {
        QString const mnemonic = m_well->curves()[static_cast<std::size_t>(n)].mnemonic;
        bool const shown =
            std::find(track.curves.begin(), track.curves.end(), n) != track.curves.end();
        QMenu* const target = shown ? remove : add;
        connect(target->addAction(mnemonic), &QAction::triggered, this, [this, index, n, shown] {
            std::vector<int>& curves = m_tracks[static_cast<std::size_t>(index)].curves;
            if (shown) {
                curves.erase(std::remove(curves.begin(), curves.end(), n), curves.end());
                if (curves.empty()) {
                    m_tracks.erase(m_tracks.begin() + index);
                }
            } else {
                curves.push_back(n);
            }
            layout_scroll_bar();
            update();
        });
    }
    add->setEnabled(!add->isEmpty());
    menu.addSeparator();
    connect(menu.addAction(tr("Show Whole Well")), &QAction::triggered, this,
            [this] { set_depth_window(m_first, m_last); });
    menu.exec(event->globalPos());
}

} // namespace app
} // namespace quarro
