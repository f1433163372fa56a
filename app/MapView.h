#ifndef QUARRO_APP_MAPVIEW_H
#define QUARRO_APP_MAPVIEW_H

#include <QColor>
#include <QGraphicsView>
#include <QPointF>
#include <QRectF>

class QGraphicsScene;
class QMouseEvent;
class QShowEvent;
class QWheelEvent;

namespace quarro {
namespace housekeeping {
class Document;
}

namespace app {

// The 2D map of one document: its objects drawn in map coordinates (north up), zoomed with the
// mouse wheel around the cursor and panned by dragging. The view keeps its zoom and position when
// the document's objects change; zoom_to_fit() frames everything drawn.
class MapView : public QGraphicsView {
    Q_OBJECT
public:
    explicit MapView(QWidget* parent = nullptr);
    ~MapView() override;

    // Draws the document's objects, replacing what was drawn; null clears the map.
    void show_document(housekeeping::Document const* document);

    // Frames everything drawn, with a margin; does nothing on an empty map.
    void zoom_to_fit();
    // Zooms by factor (above 1 zooms in) around the centre of the view.
    void zoom_by(double factor);
    // Screen pixels per map unit.
    double pixels_per_unit() const;

    // The map extent of the objects drawn (null when none) and how many objects were drawn.
    QRectF data_rect() const { return m_data_rect; }
    int drawn_objects() const { return m_drawn_objects; }

    static QColor background_colour();

signals:
    // The map position under the mouse.
    void cursor_moved(QPointF const& map_position);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Q_DISABLE_COPY(MapView)

    QGraphicsScene* m_scene;
    QRectF m_data_rect;
    int m_drawn_objects = 0;
    // A fit asked for while the view was hidden: its size is not known until it shows.
    bool m_fit_when_shown = false;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_MAPVIEW_H
