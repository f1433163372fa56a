#ifndef QUARRO_APP_MAPSCENEBUILDER_H
#define QUARRO_APP_MAPSCENEBUILDER_H

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QtGlobal>

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
// outlines of their top cells (or, for very large grids, the outline of the grid). Objects without
// a position (a well without coordinates) are left out.
class MapSceneBuilder {
public:
    explicit MapSceneBuilder(QGraphicsScene& scene);

    void add_document(housekeeping::Document const& document);
    // index picks the colour of line and point objects, so neighbours differ.
    void add_object(model::GeoObject const& object, int index);

    // The map extent of what was drawn, without the screen-sized markers and labels; meaningless
    // while drawn_objects() is 0. A single well gives a rectangle without area.
    QRectF data_rect() const { return m_data_rect; }
    // How many objects got items.
    int drawn_objects() const { return m_drawn; }

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

    QGraphicsScene& m_scene;
    QRectF m_data_rect;
    int m_drawn = 0;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_MAPSCENEBUILDER_H
