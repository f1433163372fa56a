// The map and the log tracks: what each kind of object becomes on the map, zooming and panning,
// the log curves traced per pixel row and their scales; and which files are the application's own.
#include "LogTrackRenderer.h"
#include "MapSceneBuilder.h"
#include "MapView.h"
#include "MarkerSetItem.h"
#include "NativeDocuments.h"
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
#include <QPainter>
#include <gtest/gtest.h>

#include <limits>

namespace quarro {
namespace test {
namespace {

double const nan = std::numeric_limits<double>::quiet_NaN();

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

TEST(AppMapSceneBuilderTest, EachKindBecomesItsItemsInMapCoordinates) {
    QGraphicsScene scene;
    app::MapSceneBuilder builder(scene);
    builder.add_object(wellAt(QStringLiteral("W-1"), 100, 200), 0);
    builder.add_object(wellAt(QStringLiteral("no location"), nan, nan), 1);
    model::PointSet points;
    points.setPoints({{0, 0, 1}, {nan, nan, 1}, {50, 50, 1}});
    builder.add_object(points, 2);
    model::PolylineSet lines;
    lines.addPolyline(model::Polyline{{{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}, true, QString()});
    lines.addPolyline(model::Polyline{{{-5, -5, 0}, {-6, -6, 0}}, false, QString()});
    builder.add_object(lines, 3);
    model::RasterImage raster;
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    raster.setImage(image);
    raster.setExtent(1000, 500, 25, 50); // covers x 1000..1100, y 400..500
    builder.add_object(raster, 4);
    model::RegularSurface surface;
    double const nodata = model::RegularSurface::noData();
    surface.setHeights(3, 2, {10, 20, 30, nodata, 40, 50}); // row 0 is the southern row
    surface.setPlacement(500, 1000, 10, 20);
    builder.add_object(surface, 5);

    // The well without a location is left out, and so is the point without one.
    QList<QGraphicsEllipseItem*> const markers = itemsOf<QGraphicsEllipseItem>(scene);
    ASSERT_EQ(markers.size(), 1);
    EXPECT_EQ(markers.first()->pos(), QPointF(100, 200));
    EXPECT_EQ(itemsOf<QGraphicsSimpleTextItem>(scene).size(), 1);
    ASSERT_EQ(itemsOf<app::MarkerSetItem>(scene).size(), 1);
    EXPECT_EQ(itemsOf<app::MarkerSetItem>(scene).first()->points().size(), 2u);
    ASSERT_EQ(itemsOf<QGraphicsPathItem>(scene).size(), 1);
    EXPECT_EQ(itemsOf<QGraphicsPathItem>(scene).first()->path().boundingRect(),
              QRectF(-6, -6, 16, 16));
    QList<QRectF> images;
    for (QGraphicsPixmapItem const* item : itemsOf<QGraphicsPixmapItem>(scene)) {
        images << item->sceneBoundingRect();
    }
    EXPECT_EQ(images.size(), 2);
    EXPECT_TRUE(images.contains(QRectF(500, 1000, 30, 40)) &&
                images.contains(QRectF(1000, 400, 100, 100)));
    EXPECT_EQ(builder.drawn_objects(), 5);
    EXPECT_EQ(builder.data_rect(), QRectF(QPointF(-6, -6), QPointF(1100, 1040)));

    // Surfaces are shaded north up: image row 0 is the northern row, whose NODATA cell is clear.
    QImage const shaded = app::MapSceneBuilder::surface_image(surface);
    ASSERT_EQ(shaded.size(), QSize(3, 2));
    EXPECT_EQ(qAlpha(shaded.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(shaded.pixel(0, 1)), 255);
    EXPECT_NE(shaded.pixel(0, 1), shaded.pixel(2, 0));
}

std::vector<double> ramp(int n, double from, double step, int gap_at = -1) {
    std::vector<double> values(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        values[static_cast<std::size_t>(i)] = i == gap_at ? nan : from + step * i;
    }
    return values;
}

// Each curve traced on a 100 x 10 pixel track between depths top and bottom gives `runs` lines of
// at most `max_points` points, from first_x to last_x.
TEST(LogTrackTraceTest, TracesOnePointPairPerRowAndBreaksAtNulls) {
    struct Row {
        char const* name;
        std::vector<double> depths;
        std::vector<double> values;
        bool logarithmic;
        double top, bottom;
        std::size_t runs;
        int max_points;
        double first_x, last_x;
    };
    std::vector<Row> const rows = {
        // 10,000 samples on 10 rows: a low and a high point per row (and the rows beyond the
        // edges); with a null, the blocks around it are taken sample by sample.
        {"Dense", ramp(10000, 0, 0.001), ramp(10000, 0, 1), false, 0, 9.999, 1, 24, 0, 100},
        {"DenseGap", ramp(10000, 0, 0.001), ramp(10000, 0, 1, 5003), false, 0, 9.999, 2, 26, 0,
         100},
        // A null value or a depth without value splits the line; upward depths are traced.
        {"NullGap", ramp(11, 0, 1), ramp(11, 0, 10, 5), false, 0, 10, 2, 22, 0, 100},
        {"MissingDepth", ramp(11, 0, 1, 3), ramp(11, 0, 10), false, 0, 10, 2, 22, 0, 100},
        {"Decreasing", ramp(11, 10, -1), ramp(11, 0, 10), false, 0, 10, 1, 22, 0, 100},
        // On a log scale zero and negative values are gaps; 1..1000 fills whole decades.
        {"Logarithmic", ramp(5, 0, 1), {0, 1, 10, -5, 1000}, true, 0, 4, 2, 10, 0, 100},
        // Zoomed in: only the samples at and next to the window.
        {"Window", ramp(101, 0, 1), ramp(101, 0, 1), false, 40, 50, 1, 24, 39, 51},
        {"AllNull", ramp(5, 0, 1), ramp(5, nan, 0), false, 0, 4, 0, 0, 0, 0},
        {"OneSample", {7}, {3}, false, 6, 8, 1, 1, 50, 50}};
    for (Row const& row : rows) {
        SCOPED_TRACE(row.name);
        model::Well well;
        well.setCurves({"DEPT", "M", "", row.depths}, {{"C", "", "", row.values}});
        std::vector<QPolygonF> runs;
        app::LogTrackRenderer(well).trace(0, row.logarithmic, row.top, row.bottom,
                                          QRectF(0, 0, 100, 10), runs);
        ASSERT_EQ(runs.size(), row.runs);
        int points = 0;
        for (QPolygonF const& run : runs) {
            points += run.size();
            // Off-track points are pulled in, never left at coordinates a painter cannot take.
            for (QPointF const& p : run) {
                EXPECT_TRUE(QRectF(-100, -10, 300, 30).contains(p));
            }
        }
        EXPECT_LE(points, row.max_points);
        if (!runs.empty()) {
            EXPECT_NEAR(runs.front().front().x(), row.first_x, 1e-6);
            EXPECT_NEAR(runs.back().back().x(), row.last_x, 1e-6);
        }
    }
}

TEST(LogTrackScaleTest, FitsTheValuesAndKnowsResistivity) {
    model::WellCurve const resistivity{"ILD", "OHMM", "", {0.5, 399.5, nan, -1}};
    app::CurveScale const log = app::CurveScale::fit(resistivity, true);
    EXPECT_TRUE(log.valid && log.left == 0.1 && log.right == 1000.0);
    EXPECT_NEAR(log.fraction(10.0), 0.5, 1e-12);
    app::CurveScale const linear = app::CurveScale::fit(resistivity, false);
    EXPECT_TRUE(linear.left == -1.0 && linear.right == 399.5);
    EXPECT_FALSE(app::CurveScale::fit({"GR", "", "", {nan, nan}}, false).valid ||
                 app::CurveScale::fit({"GR", "", "", {-1, 0}}, true).valid);
    auto const resistive = [](QString const& mnemonic, QString const& unit) {
        return app::LogTrackRenderer::is_resistivity({mnemonic, unit, "", {}});
    };
    EXPECT_TRUE(resistive("ILD", "") && resistive("DEEP", "ohm.m"));
    EXPECT_FALSE(resistive("GR", "GAPI") || resistive("RHOB", "G/CC"));
}

// Documents read with either native key are reopened by path and saved back to their file.
TEST(AppNativeDocumentsTest, KnowsTheNativeKeysAndSuffixes) {
    using namespace app::native_documents;
    EXPECT_TRUE(is_native_key("QRO") && is_native_key("QUARRO"));
    EXPECT_FALSE(is_native_key("WELLS") || is_native_key("qro"));
    EXPECT_TRUE(has_native_suffix("a.qro") && has_native_suffix("b.QROZ") &&
                has_native_suffix("c.quarro"));
    EXPECT_FALSE(has_native_suffix("d.qro.las"));
}

// A drawing's labels stay with their points (a point without a position takes its label with it)
// and are drawn beside the markers, unless too many are in view to be read.
TEST(AppMapSceneBuilderTest, PointLabelsFollowTheirPointsAndAreDrawnWhileReadable) {
    // `copies` labelled points at (0, 0), one lost without a position, one unlabelled at (50, 50);
    // returns the dark pixels right of each marker, where a label begins.
    auto inkBeside = [](std::size_t copies, QString const& text) {
        model::PointSet points;
        std::vector<model::Point3<double>> placed(copies, model::Point3<double>(0, 0, 0));
        placed.insert(placed.end(), {{nan, nan, 0}, {50, 50, 0}});
        points.setPoints(placed);
        std::vector<QString> labels(copies, text);
        labels.insert(labels.end(), {QStringLiteral("lost"), QString()});
        points.setLabels(labels);
        QGraphicsScene scene;
        app::MapSceneBuilder(scene).add_object(points, 0);
        labels.erase(labels.end() - 2);
        EXPECT_EQ(itemsOf<app::MarkerSetItem>(scene).first()->labels(), labels);
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        scene.render(&painter, QRectF(0, 0, 200, 200), QRectF(-100, -100, 200, 200));
        painter.end();
        std::vector<int> ink(2);
        for (int p = 0; p < 2; ++p) {
            for (int x = 106 + 50 * p; x < 150 + 50 * p; ++x) {
                for (int y = 92 + 50 * p; y < 108 + 50 * p; ++y) {
                    ink[p] += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
                }
            }
        }
        return ink;
    };
    std::vector<int> const labelled = inkBeside(1, QStringLiteral("Well A-1"));
    EXPECT_TRUE(labelled[0] > 10 && labelled[1] == 0);
    EXPECT_EQ(inkBeside(1, QString())[0], 0);
    EXPECT_EQ(inkBeside(app::MarkerSetItem::max_labels_drawn + 1, QStringLiteral("W"))[0], 0);
}

} // namespace
} // namespace test
} // namespace quarro
