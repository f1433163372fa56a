// The map: what each kind of object becomes, where it lands, and zooming and panning.
#include "MapSceneBuilder.h"
#include "MapView.h"
#include "MarkerSetItem.h"
#include "ModalDialogHelper.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/CornerPointGrid.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"
#include "model/RasterImage.h"
#include "model/RegularSurface.h"
#include "model/Well.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsPathItem>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QTest>
#include <QWheelEvent>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quarro {
namespace test {
namespace {

template <class Item>
QList<Item*> itemsOf(QGraphicsScene const& scene) {
    QList<Item*> found;
    for (QGraphicsItem* item : scene.items()) {
        if (auto* typed = dynamic_cast<Item*>(item)) {
            found << typed;
        }
    }
    return found;
}

model::Well wellAt(QString const& name, double x, double y) {
    model::Well well;
    well.setName(name);
    model::DepthReference reference;
    reference.x = x;
    reference.y = y;
    well.setDepthReference(reference);
    return well;
}

// A 2 x 1 x 1 grid of unit cells with vertical pillars, origin at (x0, y0).
model::CornerPointGrid smallGrid(double x0, double y0) {
    std::vector<model::Pillar> pillars;
    for (int j = 0; j <= 1; ++j) {
        for (int i = 0; i <= 2; ++i) {
            pillars.push_back(model::Pillar{{x0 + i, y0 + j, 0.0}, {x0 + i, y0 + j, 10.0}});
        }
    }
    std::vector<double> zcorn(8 * 2, 0.0);
    for (std::size_t n = 8; n < zcorn.size(); ++n) {
        zcorn[n] = 5.0;
    }
    model::CornerPointGrid grid;
    grid.setName(QStringLiteral("grid"));
    grid.setGeometry(2, 1, 1, pillars, zcorn);
    return grid;
}

TEST(AppMapSceneBuilderTest, EachKindBecomesItsItemsInMapCoordinates) {
    QGraphicsScene scene;
    app::MapSceneBuilder builder(scene);

    builder.add_object(wellAt(QStringLiteral("W-1"), 100, 200), 0);
    model::Well nowhere;
    nowhere.setName(QStringLiteral("no location"));
    builder.add_object(nowhere, 1);
    ASSERT_EQ(itemsOf<QGraphicsEllipseItem>(scene).size(), 1);
    QGraphicsEllipseItem* const marker = itemsOf<QGraphicsEllipseItem>(scene).first();
    EXPECT_EQ(marker->pos(), QPointF(100, 200));
    EXPECT_TRUE(marker->flags() & QGraphicsItem::ItemIgnoresTransformations);
    ASSERT_EQ(itemsOf<QGraphicsSimpleTextItem>(scene).size(), 1);
    EXPECT_EQ(itemsOf<QGraphicsSimpleTextItem>(scene).first()->text(), QStringLiteral("W-1"));

    model::PointSet points;
    points.addPoint(model::Point3<double>(0, 0, 1));
    points.addPoint(model::Point3<double>(std::numeric_limits<double>::quiet_NaN(), 1, 1));
    points.addPoint(model::Point3<double>(50, 60, 1));
    builder.add_object(points, 2);
    ASSERT_EQ(itemsOf<app::MarkerSetItem>(scene).size(), 1);
    EXPECT_EQ(itemsOf<app::MarkerSetItem>(scene).first()->points().size(), 2u);

    model::PolylineSet lines;
    lines.addPolyline(model::Polyline{{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, true, QString()});
    lines.addPolyline(model::Polyline{{{-5, -5, 0}, {-6, -6, 0}}, false, QString()});
    builder.add_object(lines, 3);
    ASSERT_EQ(itemsOf<QGraphicsPathItem>(scene).size(), 1);
    EXPECT_EQ(itemsOf<QGraphicsPathItem>(scene).first()->path().boundingRect(),
              QRectF(QPointF(-6, -6), QPointF(10, 10)));

    model::RasterImage raster;
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    raster.setImage(image);
    raster.setExtent(1000, 500, 25, 50); // covers x 1000..1100, y 400..500
    builder.add_object(raster, 4);
    ASSERT_EQ(itemsOf<QGraphicsPixmapItem>(scene).size(), 1);
    EXPECT_EQ(itemsOf<QGraphicsPixmapItem>(scene).first()->sceneBoundingRect(),
              QRectF(QPointF(1000, 400), QPointF(1100, 500)));

    // Wells, points, lines and the raster; the well without a location was left out.
    EXPECT_EQ(builder.drawn_objects(), 4);
    EXPECT_EQ(builder.data_rect(), QRectF(QPointF(-6, -6), QPointF(1100, 500)));
}

TEST(AppMapSceneBuilderTest, SurfacesAreShadedNorthUpWithNoDataLeftOut) {
    model::RegularSurface surface;
    surface.setName(QStringLiteral("dem"));
    double const nodata = model::RegularSurface::noData();
    // Row 0 is the southern row.
    surface.setHeights(3, 2, {10, 20, 30, nodata, 40, 50});
    surface.setPlacement(500, 1000, 10, 20);

    QImage const image = app::MapSceneBuilder::surface_image(surface);
    ASSERT_EQ(image.size(), QSize(3, 2));
    // Image row 0 is the northern row: the NODATA cell is its first pixel.
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(0, 1)), 255);
    // Low and high heights get different colours; the ends of the ramp differ.
    EXPECT_NE(image.pixel(0, 1), image.pixel(2, 0));

    QGraphicsScene scene;
    app::MapSceneBuilder builder(scene);
    builder.add_object(surface, 0);
    ASSERT_EQ(itemsOf<QGraphicsPixmapItem>(scene).size(), 1);
    EXPECT_EQ(itemsOf<QGraphicsPixmapItem>(scene).first()->sceneBoundingRect(),
              QRectF(QPointF(500, 1000), QPointF(530, 1040)));

    model::RegularSurface all_nodata;
    all_nodata.setHeights(2, 1, {nodata, nodata});
    QImage const blank = app::MapSceneBuilder::surface_image(all_nodata);
    EXPECT_EQ(qAlpha(blank.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(blank.pixel(1, 0)), 0);
}

TEST(AppMapSceneBuilderTest, GridsShowTheirTopCellsOrTheirOutline) {
    model::CornerPointGrid grid = smallGrid(100, 200);
    QPainterPath const cells = app::MapSceneBuilder::grid_outline(grid);
    EXPECT_EQ(cells.boundingRect(), QRectF(QPointF(100, 200), QPointF(102, 201)));
    // Two cells: each a closed outline of four corners (move, three lines, close).
    EXPECT_EQ(cells.elementCount(), 2 * 5);

    // Over the column limit only the outer edges are drawn: 6 edges, a move and a line each.
    QPainterPath const outline = app::MapSceneBuilder::grid_outline(grid, 1);
    EXPECT_EQ(outline.boundingRect(), cells.boundingRect());
    EXPECT_EQ(outline.elementCount(), 6 * 2);

    // An inactive column draws nothing; map axes move the grid to its map place.
    grid.setActiveFlags({false, true});
    EXPECT_EQ(app::MapSceneBuilder::grid_outline(grid).boundingRect(),
              QRectF(QPointF(101, 200), QPointF(102, 201)));
    model::CornerPointGrid mapped = smallGrid(0, 0);
    mapped.setMapAxes({5000, 7001, 5000, 7000, 5001, 7000});
    EXPECT_EQ(app::MapSceneBuilder::grid_outline(mapped).boundingRect(),
              QRectF(QPointF(5000, 7000), QPointF(5002, 7001)));
}

TEST(AppMapViewTest, NorthIsUpAndZoomToFitFramesTheData) {
    housekeeping::DocumentId const id = housekeeping::DocumentManager::instance().create_document();
    auto& document = dynamic_cast<housekeeping::Document&>(
        *housekeeping::DocumentManager::instance().document_from_id(id));
    document.add_object(boost::make_shared<model::Well>(wellAt(QStringLiteral("S"), 1000, 1000)));
    document.add_object(boost::make_shared<model::Well>(wellAt(QStringLiteral("N"), 1200, 1500)));

    app::MapView view;
    view.resize(400, 300);
    view.show();
    ModalDialogHelper::waitFor([&view] { return view.isVisible(); });
    view.show_document(&document);
    EXPECT_EQ(view.drawn_objects(), 2);
    view.zoom_to_fit();

    QPoint const south = view.mapFromScene(QPointF(1000, 1000));
    QPoint const north = view.mapFromScene(QPointF(1200, 1500));
    EXPECT_LT(north.y(), south.y());
    EXPECT_LT(south.x(), north.x());
    for (QPoint const& p : {south, north}) {
        EXPECT_TRUE(view.viewport()->rect().contains(p)) << p.x() << "," << p.y();
    }

    // The wheel zooms around the cursor: the map point under it stays put.
    double const before = view.pixels_per_unit();
    QPointF const under_cursor = view.mapToScene(south);
    QWheelEvent wheel(QPointF(south), view.viewport()->mapToGlobal(south), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view.viewport(), &wheel);
    EXPECT_NEAR(view.pixels_per_unit(), before * 1.25, before * 1e-9);
    QPointF const after = view.mapToScene(south);
    EXPECT_NEAR(after.x(), under_cursor.x(), 1.0 / view.pixels_per_unit() + 1e-6);
    EXPECT_NEAR(after.y(), under_cursor.y(), 1.0 / view.pixels_per_unit() + 1e-6);

    // Zooming stays within sane limits however far the user goes.
    for (int i = 0; i < 200; ++i) {
        view.zoom_by(10.0);
    }
    EXPECT_LE(view.pixels_per_unit(), 1e7);
    view.zoom_by(0.0);
    view.zoom_by(std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(std::isfinite(view.pixels_per_unit()));

    // Dragging pans: the map point under the mouse moves with it.
    view.zoom_to_fit();
    QPointF const centre_before = view.mapToScene(view.viewport()->rect().center());
    QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));
    QMouseEvent move(QEvent::MouseMove, QPointF(250, 150), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &move);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(250, 150));
    QPointF const centre_after = view.mapToScene(view.viewport()->rect().center());
    EXPECT_LT(centre_after.x(), centre_before.x());

    view.show_document(nullptr);
    EXPECT_EQ(view.drawn_objects(), 0);
    housekeeping::DocumentManager::instance().destroy_all();
}

} // namespace
} // namespace test
} // namespace quarro
