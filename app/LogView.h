#ifndef QUARRO_APP_LOGVIEW_H
#define QUARRO_APP_LOGVIEW_H

#include "LogTrackRenderer.h"

#include <QStringList>
#include <QWidget>
#include <boost/shared_ptr.hpp>

#include <memory>
#include <vector>

class QContextMenuEvent;
class QPaintEvent;
class QResizeEvent;
class QScrollBar;
class QWheelEvent;

namespace quarro {
namespace model {
class Well;
}

namespace app {

// The curves of one well in depth tracks: a depth axis on the left with the depth unit, then one
// track per curve, each headed by its mnemonic, unit and value scale. All tracks share the depth
// window; the wheel scrolls it, Ctrl+wheel zooms around the cursor, the scroll bar moves it.
// A track's context menu adds curves to it, removes them, and switches it between a linear and a
// logarithmic scale. Resistivity curves start on a logarithmic scale.
class LogView : public QWidget {
    Q_OBJECT
public:
    explicit LogView(QWidget* parent = nullptr);
    ~LogView() override;

    // Shows the well, one track per curve, over its whole depth range; null shows nothing.
    void set_well(boost::shared_ptr<model::Well const> well);
    boost::shared_ptr<model::Well const> const& well() const { return m_well; }

    std::vector<LogTrack> const& tracks() const { return m_tracks; }
    // Replaces the tracks; curves are positions in the well's curves().
    void set_tracks(std::vector<LogTrack> tracks);
    // The mnemonics of the curves shown, track by track.
    QStringList shown_curves() const;
    // What is said instead of tracks (no well, no curves, no depths); empty while tracks show.
    QString note() const;

    double top_depth() const { return m_top; }
    double bottom_depth() const { return m_bottom; }
    // Shows depths from top to bottom, kept within the well's depth range and a smallest span.
    void set_depth_window(double top, double bottom);
    // Zooms by factor (above 1 zooms in) around the given depth.
    void zoom_by(double factor, double anchor_depth);
    // Moves the window by a fraction of its span (positive moves down).
    void scroll_by(double fraction);

    // The depth scroll bar, shown while the window is smaller than the well. It sits at the
    // view's right edge unless the owner places it elsewhere (beside a scroll area that scrolls
    // the tracks sideways).
    QScrollBar* depth_scroll_bar() const { return m_scroll_bar; }

    // The track under a widget position, or -1.
    int track_at(QPoint const& position) const;

signals:
    void depth_window_changed(double top, double bottom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    Q_DISABLE_COPY(LogView)

    QRect plot_area() const;
    int header_height() const;
    QRectF track_rect(int track) const;
    void paint_axis(QPainter& painter) const;
    void paint_track(QPainter& painter, int track) const;
    void update_scroll_bar();
    // The scroll bar runs beside the tracks, below the header (whose height follows the tracks).
    void layout_scroll_bar();
    void scroll_bar_moved(int value);

    boost::shared_ptr<model::Well const> m_well;
    std::unique_ptr<LogTrackRenderer> m_renderer;
    std::vector<LogTrack> m_tracks;
    QScrollBar* m_scroll_bar;
    double m_first = 0.0;
    double m_last = 0.0;
    double m_top = 0.0;
    double m_bottom = 0.0;
    bool m_updating_scroll_bar = false;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_LOGVIEW_H
