#ifndef QUARRO_APP_MAPVIEW_H
#define QUARRO_APP_MAPVIEW_H

#include "ColourMap.h"

#include <QColor>
#include <QGraphicsView>
#include <QPointF>
#include <QPointer>
#include <QRectF>

#include <optional>
#include <vector>

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
//
// Over the map, in screen coordinates: coordinate axes along the left and bottom edge, a scale
// bar, the colour legend of the selected (else the first) colour-coded object, a frame around the
// selected object and a marker of a few pixels for every object too small to see at the zoom. An
// empty document says how to begin. Clicking an object reports its index.
class MapView : public QGraphicsView {
    Q_OBJECT
public:
    explicit MapView(QWidget* parent = nullptr);
    ~MapView() override;

    // Draws the document's objects, replacing what was drawn; null clears the map.
    void show_document(housekeeping::Document const* document);
    // Colours grids that have the property on the given layer (0 the top); an empty name shows
    // their outlines. Redraws the document shown.
    void set_grid_colouring(QString const& property, int layer);
    QString grid_property() const { return m_grid_property; }
    int grid_layer() const { return m_grid_layer; }

    // The object marked as selected, by its index in the document; -1 for none.
    void set_selected_object(int index);
    int selected_object() const { return m_selected; }
    // Frames the object; does nothing for one that is not drawn.
    void zoom_to_object(int index);
    // The map extent of the object; none when it is not drawn.
    std::optional<QRectF> object_rect(int index) const;
    // The legend shown: the selected object's, else the first colour-coded object's; an empty
    // title when nothing is colour-coded.
    ColourLegend legend() const;
    // Why objects are not on the map ("3 wells without coordinates"); empty when all are.
    QString unplaced_summary() const;
    // The text shown over an empty map (no document, no objects, nothing placed); empty otherwise.
    QString note() const;

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
    // The user clicked the object with this index in the document.
    void object_clicked(int index);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void drawForeground(QPainter* painter, QRectF const& rect) override;

private:
    Q_DISABLE_COPY(MapView)

    void fit_rect(QRectF const& rect);
    void paint_axes(QPainter& painter) const;
    void paint_scale_bar(QPainter& painter) const;
    void paint_legend(QPainter& painter) const;

    QGraphicsScene* m_scene;
    QPointer<housekeeping::Document const> m_document;
    QRectF m_data_rect;
    int m_drawn_objects = 0;
    std::vector<std::optional<QRectF>> m_object_rects;
    std::vector<ColourLegend> m_legends;
    int m_wells_without_location = 0;
    int m_objects_without_drawing = 0;
    int m_selected = -1;
    QString m_grid_property;
    int m_grid_layer = 0;
    QPoint m_press_position;
    // A fit asked for while the view was hidden: its size is not known until it shows.
    bool m_fit_when_shown = false;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_MAPVIEW_H
