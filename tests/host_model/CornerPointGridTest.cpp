#include "model/CornerPointGrid.h"

#include "ModelTestPrinters.h"

#include <gtest/gtest.h>

#include <climits>
#include <numeric>
#include <stdexcept>

using namespace quarro::model;

namespace {

std::vector<Pillar> verticalPillars(int ni, int nj) {
    std::vector<Pillar> pillars;
    for (int j = 0; j <= nj; ++j) {
        for (int i = 0; i <= ni; ++i) {
            pillars.push_back(Pillar{Point3<double>(i * 100.0, j * 100.0, 1000.0),
                                     Point3<double>(i * 100.0, j * 100.0, 2000.0)});
        }
    }
    return pillars;
}

void expectPoint(Point3<double> const& actual, double x, double y, double z) {
    EXPECT_DOUBLE_EQ(actual.x, x);
    EXPECT_DOUBLE_EQ(actual.y, y);
    EXPECT_DOUBLE_EQ(actual.z, z);
}

} // namespace

TEST(CornerPointGridTest, GeometryNeedsMatchingCounts) {
    CornerPointGrid grid;
    EXPECT_EQ(grid.cellCount(), 0u);
    EXPECT_TRUE(grid.boundingBox().isEmpty());

    // 3 x 2 x 4: 24 cells, 4 x 3 pillars, 192 corner depths.
    EXPECT_THROW(grid.setGeometry(3, 2, 4, verticalPillars(3, 2), std::vector<double>(191)),
                 std::invalid_argument);
    EXPECT_THROW(grid.setGeometry(3, 2, 4, verticalPillars(2, 2), std::vector<double>(192)),
                 std::invalid_argument);
    EXPECT_THROW(grid.setGeometry(0, 2, 4, {}, {}), std::invalid_argument);
    EXPECT_THROW(grid.setGeometry(3, -2, 4, {}, {}), std::invalid_argument);
    // Dimensions whose cell count overflows are refused, not wrapped round to a small number.
    EXPECT_THROW(grid.setGeometry(INT_MAX, INT_MAX, INT_MAX, {}, {}), std::invalid_argument);
    EXPECT_EQ(grid.cellCount(), 0u);

    grid.setGeometry(3, 2, 4, verticalPillars(3, 2), std::vector<double>(192, 1500.0));
    EXPECT_EQ(grid.ni(), 3);
    EXPECT_EQ(grid.nj(), 2);
    EXPECT_EQ(grid.nk(), 4);
    EXPECT_EQ(grid.cellCount(), 24u);
    EXPECT_EQ(grid.sizeHint(), 24u);
    EXPECT_EQ(grid.activeCellCount(), 24u);
    EXPECT_EQ(grid.cellIndex(2, 1, 3), 2u + 3u * (1u + 2u * 3u));
    EXPECT_THROW(grid.cellIndex(3, 0, 0), std::out_of_range);
    EXPECT_THROW(grid.cellCorners(0, 0, 4), std::out_of_range);
    EXPECT_EQ(grid.boundingBox(),
              BoundingBox(Point3<double>(0, 0, 1000), Point3<double>(300, 200, 2000)));
}

TEST(CornerPointGridTest, ActiveCellsAndProperties) {
    CornerPointGrid grid;
    grid.setGeometry(2, 2, 1, verticalPillars(2, 2), std::vector<double>(32, 1500.0));

    EXPECT_THROW(grid.setActiveFlags({true, false}), std::invalid_argument);
    EXPECT_EQ(grid.activeCellCount(), 4u);
    grid.setActiveFlags({true, false, false, true});
    EXPECT_EQ(grid.activeCellCount(), 2u);
    EXPECT_FALSE(grid.isActive(1, 0, 0));
    EXPECT_TRUE(grid.isActive(1, 1, 0));

    EXPECT_THROW(grid.addProperty(QStringLiteral("PORO"), {0.1, 0.2, 0.3}), std::invalid_argument);
    EXPECT_THROW(grid.addProperty(QStringLiteral("PORO"), {0.1, 0.2, 0.3, 0.4, 0.5}),
                 std::invalid_argument);
    EXPECT_THROW(grid.addProperty(QString(), {0.1, 0.2, 0.3, 0.4}), std::invalid_argument);
    EXPECT_EQ(grid.property(QStringLiteral("PORO")), nullptr);

    grid.addProperty(QStringLiteral("PORO"), {0.1, 0.2, 0.3, 0.4});
    grid.addProperty(QStringLiteral("PERMX"), {100, 200, 300, 400});
    grid.addProperty(QStringLiteral("PORO"), {0.25, 0.2, 0.3, 0.4});
    EXPECT_EQ(grid.propertyNames(), (QStringList{"PORO", "PERMX"}));
    ASSERT_NE(grid.property(QStringLiteral("PORO")), nullptr);
    EXPECT_EQ(grid.property(QStringLiteral("PORO"))->front(), 0.25);
    EXPECT_TRUE(grid.removeProperty(QStringLiteral("PERMX")));
    EXPECT_EQ(grid.propertyNames(), QStringList{"PORO"});

    // New geometry means new cells: old flags and properties no longer apply.
    grid.setGeometry(1, 1, 2, verticalPillars(1, 1), std::vector<double>(16, 1500.0));
    EXPECT_EQ(grid.activeCellCount(), 2u);
    EXPECT_TRUE(grid.propertyNames().isEmpty());
    EXPECT_THROW(grid.addProperty(QStringLiteral("PORO"), {0.1, 0.2, 0.3, 0.4}),
                 std::invalid_argument);
}

// One cell between four pillars, each with its own slant:
//   pillar 0 (i0 j0): (0,0,1000) -> (100,0,1100): x grows 1 per unit of depth
//   pillar 1 (i1 j0): (100,0,1000) -> (100,0,1100): vertical
//   pillar 2 (i0 j1): (0,100,1000) -> (0,150,1200): y grows 0.25 per unit of depth
//   pillar 3 (i1 j1): both ends at depth 1000: no direction, taken as vertical through its top
// ZCORN (top: j0 i0, j0 i1, j1 i0, j1 i1, then bottom) = 1010 1020 1030 1040 1050 1060 1070 1080
//   corner 0: pillar 0 at 1010: t = 10/100 -> (10, 0, 1010)
//   corner 1: pillar 1 at 1020 -> (100, 0, 1020)
//   corner 2: pillar 2 at 1030: t = 30/200 = 0.15 -> y = 100 + 0.15 * 50 = 107.5 -> (0, 107.5)
//   corner 3: pillar 3 -> (100, 100, 1040)
//   corner 4: pillar 0 at 1050: t = 0.5 -> (50, 0, 1050)
//   corner 5: (100, 0, 1060)
//   corner 6: pillar 2 at 1070: t = 0.35 -> y = 117.5 -> (0, 117.5, 1070)
//   corner 7: (100, 100, 1080)
TEST(CornerPointGridTest, CellCornersFollowSlantedPillars) {
    std::vector<Pillar> pillars{
        {Point3<double>(0, 0, 1000), Point3<double>(100, 0, 1100)},
        {Point3<double>(100, 0, 1000), Point3<double>(100, 0, 1100)},
        {Point3<double>(0, 100, 1000), Point3<double>(0, 150, 1200)},
        {Point3<double>(100, 100, 1000), Point3<double>(100, 100, 1000)},
    };
    CornerPointGrid grid;
    grid.setGeometry(1, 1, 1, pillars, {1010, 1020, 1030, 1040, 1050, 1060, 1070, 1080});

    CornerPointGrid::CellCorners const c = grid.cellCorners(0, 0, 0);
    expectPoint(c[0], 10, 0, 1010);
    expectPoint(c[1], 100, 0, 1020);
    expectPoint(c[2], 0, 107.5, 1030);
    expectPoint(c[3], 100, 100, 1040);
    expectPoint(c[4], 50, 0, 1050);
    expectPoint(c[5], 100, 0, 1060);
    expectPoint(c[6], 0, 117.5, 1070);
    expectPoint(c[7], 100, 100, 1080);
    EXPECT_EQ(grid.boundingBox(),
              BoundingBox(Point3<double>(0, 0, 1000), Point3<double>(100, 150, 1200)));
}

// In a 2 x 1 x 1 grid, ZCORN holds, per layer, a row of four i-corners for j's low side and
// one for its high side: cell 1's top corners are values 2, 3 (low j) and 6, 7 (high j), its
// bottom corners 10, 11, 14, 15.
TEST(CornerPointGridTest, CornerDepthsAreReadInEclipseOrder) {
    std::vector<double> zcorn(16);
    std::iota(zcorn.begin(), zcorn.end(), 1000.0);
    CornerPointGrid grid;
    grid.setGeometry(2, 1, 1, verticalPillars(2, 1), zcorn);

    CornerPointGrid::CellCorners const c = grid.cellCorners(1, 0, 0);
    double const expected[8] = {1002, 1003, 1006, 1007, 1010, 1011, 1014, 1015};
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(c[n].z, expected[n]) << "corner " << n;
    }
    expectPoint(c[0], 100, 0, 1002);
    expectPoint(c[7], 200, 100, 1015);
}

// Origin (1000, 2000), x axis towards (1003, 2004) (unit (0.6, 0.8)), y axis towards
// (992, 2006) (unit (-0.8, 0.6)): grid point (10, 5) lies at
// (1000 + 6 - 4, 2000 + 8 + 3) = (1002, 2011).
TEST(CornerPointGridTest, MapAxesPlaceGridCoordinates) {
    CornerPointGrid grid;
    expectPoint(grid.toMapCoordinates(Point3<double>(10, 5, 7)), 10, 5, 7);

    grid.setMapAxes({992, 2006, 1000, 2000, 1003, 2004});
    ASSERT_TRUE(grid.mapAxes().has_value());
    expectPoint(grid.toMapCoordinates(Point3<double>(10, 5, 7)), 1002, 2011, 7);

    EXPECT_THROW(grid.setMapAxes({1000, 2000, 1000, 2000, 1003, 2004}), std::invalid_argument);
    EXPECT_THROW(grid.setMapAxes({992, 2006, 1000, 2000, 1003, qQNaN()}), std::invalid_argument);
    expectPoint(grid.toMapCoordinates(Point3<double>(10, 5, 7)), 1002, 2011, 7);

    grid.clearMapAxes();
    EXPECT_FALSE(grid.mapAxes().has_value());
}
