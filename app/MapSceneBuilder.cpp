#include "MapSceneBuilder.h"

#include "GridLayerItem.h"
#include "MarkerSetItem.h"
#include "housekeeping/Document.h"
#include "model/CornerPointGrid.h"
#include "model/GeoObject.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"
#include "model/RasterImage.h"
#include "model/RegularSurface.h"
#include "model/ValueRange.h"
#include "model/Well.h"

#include <QBrush>
#include <QFont>
#include <QGraphicsEllipseItem>
#include <QGraphicsPathItem>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QPen>
#include <QPixmap>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace quarro {
namespace app {

namespace {

// Stacking order: images at the bottom, the wells with their names on top.
enum Layer { ImageLayer = 0, GridLayer = 1, LineLayer = 2, PointLayer = 3, WellLayer = 4 };

QPen cosmetic_pen(QColor const& colour, double width) {
    QPen pen(colour, width);
    pen.setCosmetic(true);
    return pen;
}

bool finite(model::Point3<double> const& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

QPointF map_point(model::CornerPointGrid const& grid, model::Point3<double> const& p) {
    model::Point3<double> const mapped = grid.toMapCoordinates(p);
    return QPointF(mapped.x, mapped.y);
}

// The uppermost active layer of column (i, j); -1 when the whole column is inactive.
int top_active_layer(model::CornerPointGrid const& grid, int i, int j) {
    for (int k = 0; k < grid.nk(); ++k) {
        if (grid.isActive(i, j, k)) {
            return k;
        }
    }
    return -1;
}

} // namespace

MapSceneBuilder::MapSceneBuilder(QGraphicsScene& scene)
    : m_scene(scene) {}

void MapSceneBuilder::set_grid_colouring(QString const& property, int layer) {
    m_grid_property = property;
    m_grid_layer = layer;
}

void MapSceneBuilder::add_item(QGraphicsItem* item) {
    item->setData(object_key(), m_index);
    m_scene.addItem(item);
}

void MapSceneBuilder::add_document(housekeeping::Document const& document) {
    int index = 0;
    for (housekeeping::Document::ObjectPtr const& object : document.objects()) {
        if (object) {
            add_object(*object, index);
        }
        ++index;
    }
}

void MapSceneBuilder::add_object(model::GeoObject const& object, int index) {
    m_index = std::max(index, 0);
    if (static_cast<std::size_t>(m_index) >= m_object_rects.size()) {
        m_object_rects.resize(static_cast<std::size_t>(m_index) + 1);
        m_legends.resize(static_cast<std::size_t>(m_index) + 1);
    }
    int const drawn_before = m_drawn;
    switch (object.kind()) {
    case model::ObjectKind::Well:
        add_well(static_cast<model::Well const&>(object));
        break;
    case model::ObjectKind::PointSet:
        add_point_set(static_cast<model::PointSet const&>(object), index);
        break;
    case model::ObjectKind::PolylineSet:
        add_polylines(static_cast<model::PolylineSet const&>(object), index);
        break;
    case model::ObjectKind::Surface:
        add_surface(static_cast<model::RegularSurface const&>(object));
        break;
    case model::ObjectKind::Raster:
        add_raster(static_cast<model::RasterImage const&>(object));
        break;
    case model::ObjectKind::CornerPointGrid:
        add_grid(static_cast<model::CornerPointGrid const&>(object));
        break;
    }
    if (m_drawn != drawn_before) {
        return;
    }
    if (object.kind() == model::ObjectKind::Well) {
        ++m_wells_without_location;
    } else {
        ++m_objects_without_drawing;
    }
}

QColor MapSceneBuilder::object_colour(int index) {
    static std::array<QColor, 8> const palette = {
        QColor(200, 60, 40),  QColor(40, 90, 200),  QColor(30, 140, 70), QColor(160, 60, 170),
        QColor(220, 130, 20), QColor(20, 150, 160), QColor(120, 90, 40), QColor(90, 90, 90)};
    return palette[static_cast<std::size_t>(index < 0 ? 0 : index) % palette.size()];
}

void MapSceneBuilder::drawn(QRectF const& rect) {
    ++m_drawn;
    // QRectF::united() drops rectangles without area, and a lone well is a point.
    QRectF const r = rect.normalized();
    if (static_cast<std::size_t>(m_index) < m_object_rects.size()) {
        m_object_rects[static_cast<std::size_t>(m_index)] = r;
    }
    if (m_drawn == 1) {
        m_data_rect = r;
        return;
    }
    QPointF const top_left(std::min(m_data_rect.left(), r.left()),
                           std::min(m_data_rect.top(), r.top()));
    QPointF const bottom_right(std::max(m_data_rect.right(), r.right()),
                               std::max(m_data_rect.bottom(), r.bottom()));
    m_data_rect = QRectF(top_left, bottom_right);
}

void MapSceneBuilder::add_well(model::Well const& well) {
    model::DepthReference const& reference = well.depthReference();
    if (!reference.hasLocation()) {
        return;
    }
    QPointF const location(reference.x, reference.y);
    // Marker and name keep their size on screen: they ignore the view's zoom and flip.
    auto* marker = new QGraphicsEllipseItem(-5, -5, 10, 10);
    marker->setPen(cosmetic_pen(Qt::black, 1.0));
    marker->setBrush(QColor(30, 60, 160));
    marker->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    marker->setPos(location);
    marker->setZValue(WellLayer);
    marker->setToolTip(well.name());
    auto* label = new QGraphicsSimpleTextItem(well.name(), marker);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setBrush(QColor(20, 20, 20));
    label->setPos(7, -label->boundingRect().height() / 2.0);
    add_item(marker);
    drawn(QRectF(location, QSizeF(0, 0)));
}

void MapSceneBuilder::add_point_set(model::PointSet const& points, int index) {
    std::vector<QPointF> placed;
    std::vector<QString> labels;
    placed.reserve(points.pointCount());
    bool const labelled = !points.labels().empty();
    for (std::size_t i = 0; i < points.points().size(); ++i) {
        model::Point3<double> const& p = points.points()[i];
        if (!finite(p)) {
            continue;
        }
        placed.emplace_back(p.x, p.y);
        if (labelled) {
            labels.push_back(points.labels()[i]);
        }
    }
    if (placed.empty()) {
        return;
    }
    auto* item = new MarkerSetItem(std::move(placed), object_colour(index), 4.0);
    if (labelled) {
        item->set_labels(std::move(labels));
    }
    item->setZValue(PointLayer);
    item->setToolTip(points.name());
    add_item(item);
    drawn(item->boundingRect());
}

void MapSceneBuilder::add_polylines(model::PolylineSet const& lines, int index) {
    QPainterPath path;
    for (model::Polyline const& line : lines.polylines()) {
        bool started = false;
        for (model::Point3<double> const& p : line.points) {
            if (!finite(p)) {
                started = false;
                continue;
            }
            if (started) {
                path.lineTo(p.x, p.y);
            } else {
                path.moveTo(p.x, p.y);
                started = true;
            }
        }
        if (line.closed && started) {
            path.closeSubpath();
        }
    }
    if (path.isEmpty()) {
        return;
    }
    auto* item = new QGraphicsPathItem(path);
    item->setPen(cosmetic_pen(object_colour(index), 1.5));
    item->setZValue(LineLayer);
    item->setToolTip(lines.name());
    add_item(item);
    drawn(path.boundingRect());
}

QImage MapSceneBuilder::surface_image(model::RegularSurface const& surface) {
    int const ncols = surface.ncols();
    int const nrows = surface.nrows();
    if (ncols <= 0 || nrows <= 0) {
        return QImage();
    }
    QImage image(ncols, nrows, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    model::ValueRange const range = surface.minMax();
    if (range.isEmpty()) {
        return image;
    }
    double const span = range.max() - range.min();
    for (int row = 0; row < nrows; ++row) {
        // Surface rows run northward, image rows downward.
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(nrows - 1 - row));
        for (int col = 0; col < ncols; ++col) {
            double const height = surface.height(col, row);
            if (model::RegularSurface::isNoData(height)) {
                continue;
            }
            line[col] = colour_map::viridis(span > 0.0 ? (height - range.min()) / span : 0.5);
        }
    }
    return image;
}

void MapSceneBuilder::add_surface(model::RegularSurface const& surface) {
    QImage const image = surface_image(surface);
    if (image.isNull()) {
        return;
    }
    auto* item = new QGraphicsPixmapItem(QPixmap::fromImage(image));
    // Image pixel (c, r) covers the cell whose north-west corner is at the top of the grid.
    double const top = surface.originY() + surface.nrows() * surface.dy();
    item->setTransform(QTransform(surface.dx(), 0, 0, -surface.dy(), surface.originX(), top));
    item->setZValue(ImageLayer);
    item->setToolTip(surface.name());
    add_item(item);
    model::ValueRange const range = surface.minMax();
    ColourLegend& legend = m_legends[static_cast<std::size_t>(m_index)];
    legend.title = QObject::tr("%1: heights").arg(surface.name());
    legend.valid = !range.isEmpty();
    legend.low = legend.valid ? range.min() : 0.0;
    legend.high = legend.valid ? range.max() : 0.0;
    drawn(item->sceneBoundingRect());
}

void MapSceneBuilder::add_raster(model::RasterImage const& raster) {
    if (raster.image().isNull()) {
        return;
    }
    auto* item = new QGraphicsPixmapItem(QPixmap::fromImage(raster.image()));
    item->setTransformationMode(Qt::SmoothTransformation);
    item->setTransform(QTransform(raster.pixelSizeX(), 0, 0, -raster.pixelSizeY(),
                                  raster.topLeftX(), raster.topLeftY()));
    item->setZValue(ImageLayer);
    item->setToolTip(raster.name());
    add_item(item);
    drawn(item->sceneBoundingRect());
}

QPainterPath MapSceneBuilder::grid_outline(model::CornerPointGrid const& grid, int max_columns) {
    QPainterPath path;
    // Neighbouring cells overlap along their shared edges; the fill must not cancel out there.
    path.setFillRule(Qt::WindingFill);
    int const ni = grid.ni();
    int const nj = grid.nj();
    bool const edges_only = static_cast<long long>(ni) * nj > max_columns;
    auto const edge = [&path, &grid](model::Point3<double> const& a,
                                     model::Point3<double> const& b) {
        if (finite(a) && finite(b)) {
            path.moveTo(map_point(grid, a));
            path.lineTo(map_point(grid, b));
        }
    };
    for (int j = 0; j < nj; ++j) {
        for (int i = 0; i < ni; ++i) {
            bool const boundary = i == 0 || j == 0 || i == ni - 1 || j == nj - 1;
            if (edges_only && !boundary) {
                continue;
            }
            int const k = top_active_layer(grid, i, j);
            if (k < 0) {
                continue;
            }
            // Top face corners: index di + 2 * dj.
            model::CornerPointGrid::CellCorners const c = grid.cellCorners(i, j, k);
            if (!edges_only) {
                if (finite(c[0]) && finite(c[1]) && finite(c[2]) && finite(c[3])) {
                    path.moveTo(map_point(grid, c[0]));
                    path.lineTo(map_point(grid, c[1]));
                    path.lineTo(map_point(grid, c[3]));
                    path.lineTo(map_point(grid, c[2]));
                    path.closeSubpath();
                }
                continue;
            }
            if (j == 0) {
                edge(c[0], c[1]);
            }
            if (i == ni - 1) {
                edge(c[1], c[3]);
            }
            if (j == nj - 1) {
                edge(c[3], c[2]);
            }
            if (i == 0) {
                edge(c[2], c[0]);
            }
        }
    }
    return path;
}

void MapSceneBuilder::add_grid(model::CornerPointGrid const& grid) {
    if (grid.cellCount() == 0) {
        return;
    }
    bool coloured = false;
    if (!m_grid_property.isEmpty() && grid.property(m_grid_property) != nullptr) {
        auto* layer = new GridLayerItem(grid, m_grid_property, m_grid_layer);
        ColourLegend legend = layer->legend();
        legend.title = grid.name() + QStringLiteral(": ") + legend.title;
        m_legends[static_cast<std::size_t>(m_index)] = legend;
        if (layer->cell_count() > 0) {
            layer->setZValue(GridLayer);
            layer->setToolTip(grid.name());
            add_item(layer);
            coloured = true;
        } else {
            delete layer;
        }
    }
    // Over coloured cells only the grid's edge, so that the colours show.
    QPainterPath const path = grid_outline(grid, coloured ? 0 : 62500);
    if (path.isEmpty()) {
        // Qt compares points fuzzily (to 12 digits): small cells far from the origin collapse
        // into nothing. The grid still has a place, where the view marks it.
        model::BoundingBox const box = grid.boundingBox();
        if (grid.activeCellCount() > 0 && !box.isEmpty()) {
            QPointF const a = map_point(grid, box.min());
            QPointF const b = map_point(grid, box.max());
            drawn(QRectF(a, b));
        }
        return;
    }
    auto* item = new QGraphicsPathItem(path);
    item->setPen(cosmetic_pen(QColor(20, 110, 60), 1.0));
    item->setBrush(coloured ? QBrush(Qt::NoBrush) : QBrush(QColor(20, 110, 60, 40)));
    item->setZValue(GridLayer);
    item->setToolTip(grid.name());
    add_item(item);
    drawn(path.boundingRect());
}

} // namespace app
} // namespace quarro
