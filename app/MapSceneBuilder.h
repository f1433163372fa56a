#ifndef QUARRO_APP_MAPSCENEBUILDER_H
#define QUARRO_APP_MAPSCENEBUILDER_H

#include "ColourMap.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QtGlobal>

#include <optional>
#include <vector>

class QGraphicsItem;
class QGraphicsScene;

namespace quarro {
namespace housekeeping {
class Document;
}
namespace model {
class CornerPointGrid;
class GeoObject;
class PointSet;
class PolylineSet;
class RasterImage;
class RegularSurface;
class Well;
} // namespace model

namespace app {

// Turns a document's objects into the items of a 2D map: scene coordinates are map coordinates
// (x east, y north; the view flips y for the screen). Wells become a marker with their name at
// the surface location, point sets markers, polyline sets paths, rasters their image stretched
// over their extent, surfaces a colour-shaded image of their heights and corner-point grids the
// outlines of their top cells (or, for very large grids, the outline of the grid), or one layer
// coloured by a property. Objects without a position (a well without coordinates) are left out
// and counted. Every item carries the index of its object (data key object_key()).
class MapSceneBuilder {
public:
    explicit MapSceneBuilder(QGraphicsScene& scene);

    // Grids that have this property show its values on the given layer (0 the top) instead of
    // their outline.
    void set_grid_colouring(QString const& property, int layer);

    void add_document(housekeeping::Document const& document);
    // index picks the colour of line and point objects, so neighbours differ.
    void add_object(model::GeoObject const& object, int index);

    // The map extent of what was drawn, without the screen-sized markers and labels; meaningless
    // while drawn_objects() is 0. A single well gives a rectangle without area.
    QRectF data_rect() const { return m_data_rect; }
    // How many objects got items.
    int drawn_objects() const { return m_drawn; }
    // The map extent of each object by its index; none for one not drawn.
    std::vector<std::optional<QRectF>> const& object_rects() const { return m_object_rects; }
    // The colour legend of each object by its index; empty titles for objects not colour-coded.
    std::vector<ColourLegend> const& legends() const { return m_legends; }
    // Wells left out for want of coordinates, and other objects left out with nothing to draw.
    int wells_without_location() const { return m_wells_without_location; }
    int objects_without_drawing() const { return m_objects_without_drawing; }

    // The key under which items hold their object's index (QGraphicsItem::data()).
    static int object_key() { return 0; }

    // The surface's heights as an image, north up (row 0 of the image is the northern row),
    // coloured from low to high; NODATA cells are transparent.
    static QImage surface_image(model::RegularSurface const& surface);
    // The top-layer cell outlines of a grid in map coordinates: for each column the top face of
    // its uppermost active cell. Above max_columns columns only the grid's outer edges are drawn.
    static QPainterPath grid_outline(model::CornerPointGrid const& grid, int max_columns = 62500);

    // Colour of the line and point objects, by their index in the document.
    static QColor object_colour(int index);

private:
    Q_DISABLE_COPY(MapSceneBuilder)

    void add_well(model::Well const& well);
    void add_point_set(model::PointSet const& points, int index);
    void add_polylines(model::PolylineSet const& lines, int index);
    void add_surface(model::RegularSurface const& surface);
    void add_raster(model::RasterImage const& raster);
    void add_grid(model::CornerPointGrid const& grid);
    // Counts one more object drawn and widens the data extent by rect.
    void drawn(QRectF const& rect);
    // Adds an item of the object being drawn to the scene.
    void add_item(QGraphicsItem* item);

    QGraphicsScene& m_scene;
    QRectF m_data_rect;
    int m_drawn = 0;
    int m_index = 0;
    std::vector<std::optional<QRectF>> m_object_rects;
    std::vector<ColourLegend> m_legends;
    int m_wells_without_location = 0;
    int m_objects_without_drawing = 0;
    QString m_grid_property;
    int m_grid_layer = 0;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_MAPSCENEBUILDER_H
