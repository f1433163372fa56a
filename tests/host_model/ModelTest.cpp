#include "model/BoundingBox.h"
#include "model/CornerPointGrid.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"
#include "model/RasterImage.h"
#include "model/RegularSurface.h"
#include "model/ValueRange.h"
#include "model/Well.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <numeric>
#include <stdexcept>

using namespace quarro::model;
using P = Point3<double>;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::vector<Pillar> verticalPillars(int ni, int nj) {
    std::vector<Pillar> pillars;
    for (int j = 0; j <= nj; ++j) {
        for (int i = 0; i <= ni; ++i) {
            pillars.push_back(
                Pillar{P(i * 100.0, j * 100.0, 1000.0), P(i * 100.0, j * 100.0, 2000.0)});
        }
    }
    return pillars;
}

void expectPoint(P const& actual, P const& expected) {
    EXPECT_DOUBLE_EQ(actual.x, expected.x);
    EXPECT_DOUBLE_EQ(actual.y, expected.y);
    EXPECT_DOUBLE_EQ(actual.z, expected.z);
}

WellCurve curve(char const* mnemonic, std::vector<double> samples) {
    return WellCurve{QString::fromLatin1(mnemonic), QString(), QString(), std::move(samples)};
}

} // namespace

TEST(BoundingBoxTest, GrowsWithPointsAndBoxesButNotWithPointsWithoutPosition) {
    BoundingBox b;
    b.extend(P(kNaN, 0, 0));
    b.extend(P(0, 0, kInf));
    b.extend(BoundingBox());
    EXPECT_TRUE(b.isEmpty());
    EXPECT_FALSE(b.contains(P()));
    b.extend(P(1, 2, 3));
    b.extend(P(-1, 5, 0));
    b.extend(P(10, kNaN, 10));
    EXPECT_EQ(b, BoundingBox(P(1, 5, 0), P(-1, 2, 3))) << "corners in any order span the same box";
    EXPECT_TRUE(b.contains(P(0, 3, 1)));
    EXPECT_FALSE(b.contains(P(0, 6, 1)));
    b.extend(BoundingBox(P(2, -3, 0.5), P(4, -1, 0.5)));
    EXPECT_EQ(b, BoundingBox(P(-1, -3, 0), P(4, 5, 3)));
    EXPECT_EQ(ValueRange::of({kNaN, 3.5, -2.0, 7.0, -kInf}).min(), -2.0);
}

TEST(CornerPointGridTest, GeometryActiveCellsAndPropertiesNeedMatchingCounts) {
    CornerPointGrid grid;
    // 3 x 2 x 4: 24 cells, 4 x 3 pillars, 192 corner depths; an overflowing cell count is refused.
    EXPECT_THROW(grid.setGeometry(3, 2, 4, verticalPillars(3, 2), std::vector<double>(191)),
                 std::invalid_argument);
    EXPECT_THROW(grid.setGeometry(3, 2, 4, verticalPillars(2, 2), std::vector<double>(192)),
                 std::invalid_argument);
    EXPECT_THROW(grid.setGeometry(INT_MAX, INT_MAX, INT_MAX, {}, {}), std::invalid_argument);
    grid.setGeometry(3, 2, 4, verticalPillars(3, 2), std::vector<double>(192, 1500.0));
    EXPECT_EQ(grid.cellIndex(2, 1, 3), 2u + 3u * (1u + 2u * 3u));
    EXPECT_THROW(grid.cellCorners(0, 0, 4), std::out_of_range);
    EXPECT_EQ(grid.boundingBox(), BoundingBox(P(0, 0, 1000), P(300, 200, 2000)));

    grid.setGeometry(2, 2, 1, verticalPillars(2, 2), std::vector<double>(32, 1500.0));
    EXPECT_THROW(grid.setActiveFlags({true, false}), std::invalid_argument);
    grid.setActiveFlags({true, false, false, true});
    EXPECT_EQ(grid.activeCellCount(), 2u);
    EXPECT_FALSE(grid.isActive(1, 0, 0));
    EXPECT_THROW(grid.addProperty(QStringLiteral("PORO"), {0.1, 0.2, 0.3}), std::invalid_argument);
    grid.addProperty(QStringLiteral("PORO"), {0.1, 0.2, 0.3, 0.4});
    grid.addProperty(QStringLiteral("PERMX"), {100, 200, 300, 400});
    grid.addProperty(QStringLiteral("PORO"), {0.25, 0.2, 0.3, 0.4});
    EXPECT_EQ(grid.propertyNames(), (QStringList{"PORO", "PERMX"}));
    EXPECT_EQ(grid.property(QStringLiteral("PORO"))->front(), 0.25);

    // New geometry means new cells: old flags and properties no longer apply.
    grid.setGeometry(1, 1, 2, verticalPillars(1, 1), std::vector<double>(16, 1500.0));
    EXPECT_EQ(grid.activeCellCount(), 2u);
    EXPECT_TRUE(grid.propertyNames().isEmpty());
}

// One cell between four pillars: pillar 0 slants 1 in x per unit of depth, pillar 1 is vertical,
// pillar 2 slants 0.25 in y, pillar 3 has no direction and is taken as vertical through its top.
// ZCORN holds top corners j0 i0, j0 i1, j1 i0, j1 i1, then the bottom ones.
TEST(CornerPointGridTest, CellCornersFollowSlantedPillarsAndMapAxesPlaceThem) {
    CornerPointGrid grid;
    grid.setGeometry(1, 1, 1,
                     {{P(0, 0, 1000), P(100, 0, 1100)},
                      {P(100, 0, 1000), P(100, 0, 1100)},
                      {P(0, 100, 1000), P(0, 150, 1200)},
                      {P(100, 100, 1000), P(100, 100, 1000)}},
                     {1010, 1020, 1030, 1040, 1050, 1060, 1070, 1080});
    CornerPointGrid::CellCorners const c = grid.cellCorners(0, 0, 0);
    P const expected[8] = {P(10, 0, 1010), P(100, 0, 1020), P(0, 107.5, 1030), P(100, 100, 1040),
                           P(50, 0, 1050), P(100, 0, 1060), P(0, 117.5, 1070), P(100, 100, 1080)};
    for (int n = 0; n < 8; ++n) {
        SCOPED_TRACE(n);
        expectPoint(c[n], expected[n]);
    }
    EXPECT_EQ(grid.boundingBox(), BoundingBox(P(0, 0, 1000), P(100, 150, 1200)));

    // In a 2 x 1 x 1 grid, cell 1's top corners are values 2, 3 (low j) and 6, 7 (high j).
    std::vector<double> zcorn(16);
    std::iota(zcorn.begin(), zcorn.end(), 1000.0);
    grid.setGeometry(2, 1, 1, verticalPillars(2, 1), zcorn);
    CornerPointGrid::CellCorners const d = grid.cellCorners(1, 0, 0);
    EXPECT_EQ(d[2].z, 1006);
    expectPoint(d[0], P(100, 0, 1002));
    expectPoint(d[7], P(200, 100, 1015));

    // Map axes: origin (1000, 2000), x axis towards (1003, 2004), y axis towards (992, 2006).
    expectPoint(grid.toMapCoordinates(P(10, 5, 7)), P(10, 5, 7));
    grid.setMapAxes({992, 2006, 1000, 2000, 1003, 2004});
    expectPoint(grid.toMapCoordinates(P(10, 5, 7)), P(1002, 2011, 7));
    EXPECT_THROW(grid.setMapAxes({1000, 2000, 1000, 2000, 1003, 2004}), std::invalid_argument);
    EXPECT_THROW(grid.setMapAxes({992, 2006, 1000, 2000, 1003, kNaN}), std::invalid_argument);
    expectPoint(grid.toMapCoordinates(P(10, 5, 7)), P(1002, 2011, 7));
}

TEST(PointSetTest, AttributesHaveOneValuePerPoint) {
    PointSet points;
    points.setPoints({P(0, 0, 0), P(10, 5, -2)});
    points.setAttribute(QStringLiteral("DEPTH"), {100.0, 200.0});
    EXPECT_THROW(points.setAttribute(QStringLiteral("TWT"), {1.0}), std::invalid_argument);
    EXPECT_THROW(points.setAttribute(QString(), {1.0, 2.0}), std::invalid_argument);
    // A point added later has no value in every attribute, so the columns stay aligned.
    points.addPoint(P(-4, 1, 7));
    ASSERT_EQ(points.attribute(QStringLiteral("DEPTH"))->size(), 3u);
    EXPECT_TRUE(std::isnan(points.attribute(QStringLiteral("DEPTH"))->back()));
    EXPECT_EQ(points.boundingBox(), BoundingBox(P(-4, 0, -2), P(10, 5, 7)));
    points.setPoints({P(1, 1, 1)});
    EXPECT_TRUE(points.attributeNames().isEmpty()) << "new points make old attributes meaningless";
}

TEST(RegularSurfaceTest, PlacementGivesTheExtentAndImpossibleGridsAreRefused) {
    RegularSurface surface;
    surface.setPlacement(500.0, 1000.0, 25.0, 50.0);
    surface.setHeights(3, 2, {10.0, kNaN, -5.0, kNaN, 42.0, 7.0}); // row by row
    EXPECT_EQ(surface.noDataCount(), 2u);
    EXPECT_EQ(surface.height(1, 1), 42.0);
    EXPECT_EQ(surface.boundingBox(), BoundingBox(P(500, 1000, -5), P(575, 1100, 42)));
    EXPECT_THROW(surface.height(3, 0), std::out_of_range);
    EXPECT_THROW(surface.setHeights(2, 2, {1.0, 2.0, 3.0}), std::invalid_argument);
    EXPECT_THROW(surface.setPlacement(0.0, 0.0, 0.0, 1.0), std::invalid_argument);
    surface.setHeights(2, 2, {kNaN, kNaN, kNaN, kNaN});
    EXPECT_TRUE(surface.boundingBox().isEmpty());
}

TEST(WellTest, CurvesStayAlignedWithTheIndexAndTheBoxHangsBelowTheDatum) {
    Well well;
    // No index yet.
    EXPECT_THROW(well.addCurve(curve("GR", {})), std::invalid_argument);
    well.setCurves(curve("DEPT", {kNaN, 100.0, 300.0}), {curve("GR", {1, kNaN, 3})});
    EXPECT_EQ(well.depthRange().max(), 300.0);
    for (char const* taken : {"GR", "DEPT", ""}) {
        EXPECT_THROW(well.addCurve(curve(taken, {7, 8, 9})), std::invalid_argument) << taken;
    }
    EXPECT_THROW(well.addCurve(curve("NPHI", {0.1, 0.2})), std::invalid_argument);
    EXPECT_THROW(well.setCurves(curve("MD", {1.0}), {curve("A", {1.0}), curve("A", {2.0})}),
                 std::invalid_argument);
    well.addCurve(curve("NPHI", {0.1, 0.2, 0.3}));
    EXPECT_EQ(well.curveCount(), 2);
    EXPECT_EQ(well.curve(QStringLiteral("nphi")), nullptr);
    well.setHeaderItem(WellHeaderItem{"STRT", "M", "100.0", "START DEPTH"});
    well.setHeaderItem(WellHeaderItem{"STRT", "M", "90.0", "START DEPTH"});
    EXPECT_EQ(well.headerItems().size(), 1);
    EXPECT_EQ(well.headerItem(QStringLiteral("STRT"))->value, QStringLiteral("90.0"));

    EXPECT_TRUE(well.boundingBox().isEmpty()); // no location: nowhere on the map
    DepthReference const reference{1000.0, 2000.0, 25.0, QStringLiteral("KB")};
    well.setDepthReference(reference);
    EXPECT_EQ(well.boundingBox(), BoundingBox(P(1000, 2000, -275), P(1000, 2000, -75)));
    Well noSamples;
    noSamples.setDepthReference(reference);
    EXPECT_EQ(noSamples.boundingBox(), BoundingBox(P(1000, 2000, 25), P(1000, 2000, 25)));
}

// A document holds its objects through the base: a clone keeps the concrete type, the data and the
// base's fields.
TEST(GeoObjectTest, CloneKeepsTheKindTheDataAndTheBaseFieldsOfEveryKind) {
    auto well = std::make_shared<Well>();
    well->setCurves(curve("DEPT", {1.0, 2.0}), {curve("GR", {40.0, 50.0})});
    auto points = std::make_shared<PointSet>();
    points->setPoints({P(1, 2, 3)});
    auto lines = std::make_shared<PolylineSet>();
    lines->addPolyline(Polyline{{P(0, 0, 0), P(1, 1, 0)}, false, QStringLiteral("F1")});
    auto surface = std::make_shared<RegularSurface>();
    surface->setHeights(2, 1, {5.0, 6.0});
    auto grid = std::make_shared<CornerPointGrid>();
    grid->setGeometry(1, 1, 1, verticalPillars(1, 1), std::vector<double>(8, 5.0));
    for (std::shared_ptr<GeoObject> const& object : std::vector<std::shared_ptr<GeoObject>>{
             well, points, lines, surface, std::make_shared<RasterImage>(), grid}) {
        SCOPED_TRACE(object->kindName().toStdString());
        object->setName(QStringLiteral("original"));
        object->setProperty(QStringLiteral("k"), QStringLiteral("w"));
        std::unique_ptr<GeoObject> const copy = object->clone();
        EXPECT_EQ(copy->kind(), object->kind());
        EXPECT_EQ(copy->boundingBox(), object->boundingBox());
        EXPECT_EQ(copy->name(), QStringLiteral("original"));
        EXPECT_EQ(copy->property(QStringLiteral("k")), QStringLiteral("w"));
    }
    // A well without a location has no box: its curves show that the data came along.
    EXPECT_EQ(dynamic_cast<Well&>(*well->clone()).curveCount(), 1);
}
