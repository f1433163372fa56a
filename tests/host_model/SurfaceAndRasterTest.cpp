#include "model/RasterImage.h"
#include "model/RegularSurface.h"

#include "ModelTestPrinters.h"

#include <QImage>
#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

using namespace quarro::model;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

TEST(RegularSurfaceTest, CountsNoDataAndFindsMinMax) {
    RegularSurface surface;
    surface.setPlacement(500.0, 1000.0, 25.0, 50.0);
    // 3 columns, 2 rows, stored row by row.
    surface.setHeights(3, 2, {10.0, kNaN, -5.0, kNaN, 42.0, 7.0});

    EXPECT_EQ(surface.noDataCount(), 2u);
    EXPECT_EQ(surface.minMax().min(), -5.0);
    EXPECT_EQ(surface.minMax().max(), 42.0);
    EXPECT_EQ(surface.height(2, 0), -5.0);
    EXPECT_EQ(surface.height(1, 1), 42.0);
    EXPECT_TRUE(RegularSurface::isNoData(surface.height(0, 1)));
    EXPECT_EQ(surface.sizeHint(), 6u);
    EXPECT_EQ(surface.boundingBox(),
              BoundingBox(Point3<double>(500, 1000, -5), Point3<double>(575, 1100, 42)));

    surface.setHeight(0, 1, 1.0);
    EXPECT_EQ(surface.noDataCount(), 1u);

    EXPECT_THROW(surface.height(3, 0), std::out_of_range);
    EXPECT_THROW(surface.height(0, -1), std::out_of_range);
    EXPECT_THROW(surface.setHeight(0, 2, 1.0), std::out_of_range);

    surface.setHeights(2, 2, {kNaN, kNaN, kNaN, kNaN});
    EXPECT_EQ(surface.noDataCount(), 4u);
    EXPECT_TRUE(surface.minMax().isEmpty());
    EXPECT_TRUE(surface.boundingBox().isEmpty());
}

TEST(RegularSurfaceTest, RefusesImpossibleGrids) {
    RegularSurface surface;
    surface.setHeights(2, 1, {1.0, 2.0});
    EXPECT_THROW(surface.setHeights(2, 2, {1.0, 2.0, 3.0}), std::invalid_argument);
    EXPECT_THROW(surface.setHeights(-1, 2, {}), std::invalid_argument);
    EXPECT_THROW(surface.setPlacement(0.0, 0.0, 0.0, 1.0), std::invalid_argument);
    EXPECT_THROW(surface.setPlacement(0.0, 0.0, 1.0, -1.0), std::invalid_argument);
    EXPECT_THROW(surface.setPlacement(kNaN, 0.0, 1.0, 1.0), std::invalid_argument);
    EXPECT_EQ(surface.ncols(), 2);
    EXPECT_EQ(surface.nrows(), 1);
    EXPECT_EQ(surface.dx(), 1.0);
    EXPECT_EQ(surface.heights(), (std::vector<double>{1.0, 2.0}));
}

TEST(RasterImageTest, ExtentGivesTheBoundingBox) {
    RasterImage raster;
    EXPECT_TRUE(raster.boundingBox().isEmpty());

    raster.setImage(QImage(200, 100, QImage::Format_ARGB32));
    raster.setSourceFile(QStringLiteral("/data/map.png"));
    // A world file with A = 2, E = -3, C = 1001, F = 4998.5 puts the top-left corner half a
    // pixel further out: (1000, 5000).
    raster.setExtent(1000.0, 5000.0, 2.0, 3.0);
    EXPECT_EQ(raster.boundingBox(),
              BoundingBox(Point3<double>(1000, 4700, 0), Point3<double>(1400, 5000, 0)));
    EXPECT_EQ(raster.sizeHint(), 20000u);

    raster.setExtent(BoundingBox(Point3<double>(0, 0, 0), Point3<double>(400, 50, 0)));
    EXPECT_EQ(raster.topLeftX(), 0.0);
    EXPECT_EQ(raster.topLeftY(), 50.0);
    EXPECT_EQ(raster.pixelSizeX(), 2.0);
    EXPECT_EQ(raster.pixelSizeY(), 0.5);
    EXPECT_EQ(raster.boundingBox(),
              BoundingBox(Point3<double>(0, 0, 0), Point3<double>(400, 50, 0)));

    EXPECT_THROW(raster.setExtent(0.0, 0.0, 0.0, 1.0), std::invalid_argument);
    EXPECT_THROW(raster.setExtent(BoundingBox(Point3<double>(0, 0, 0), Point3<double>(0, 5, 0))),
                 std::invalid_argument);
    EXPECT_THROW(RasterImage().setExtent(BoundingBox(Point3<double>(), Point3<double>(1, 1, 0))),
                 std::invalid_argument);
    EXPECT_EQ(raster.pixelSizeX(), 2.0);
    EXPECT_EQ(raster.sourceFile(), QStringLiteral("/data/map.png"));
}
