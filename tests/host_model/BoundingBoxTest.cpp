#include "model/BoundingBox.h"
#include "model/ValueRange.h"

#include "ModelTestPrinters.h"

#include <gtest/gtest.h>

#include <limits>

using quarro::model::BoundingBox;
using quarro::model::Point3;
using quarro::model::ValueRange;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
} // namespace

TEST(BoundingBoxTest, StartsEmptyAndGrowsWithPoints) {
    BoundingBox box;
    EXPECT_TRUE(box.isEmpty());
    EXPECT_FALSE(box.contains(Point3<double>()));

    box.extend(Point3<double>(1, 2, 3));
    EXPECT_FALSE(box.isEmpty());
    EXPECT_EQ(box.min(), Point3<double>(1, 2, 3));
    EXPECT_EQ(box.max(), Point3<double>(1, 2, 3));

    box.extend(Point3<double>(-1, 5, 0));
    EXPECT_EQ(box.min(), Point3<double>(-1, 2, 0));
    EXPECT_EQ(box.max(), Point3<double>(1, 5, 3));
    EXPECT_TRUE(box.contains(Point3<double>(0, 3, 1)));
    EXPECT_FALSE(box.contains(Point3<double>(0, 6, 1)));

    // Corners in any order span the same box.
    EXPECT_EQ(BoundingBox(Point3<double>(1, 5, 0), Point3<double>(-1, 2, 3)), box);
}

TEST(BoundingBoxTest, IgnoresPointsWithoutPosition) {
    BoundingBox box;
    box.extend(Point3<double>(kNaN, 0, 0));
    box.extend(Point3<double>(0, 0, kInf));
    EXPECT_TRUE(box.isEmpty());

    box.extend(Point3<double>(0, 0, 0));
    box.extend(Point3<double>(10, kNaN, 10));
    box.extend(Point3<double>(-kInf, 4, 4));
    EXPECT_EQ(box, BoundingBox(Point3<double>(0, 0, 0), Point3<double>(0, 0, 0)));
}

TEST(BoundingBoxTest, ExtendsByBoxes) {
    BoundingBox box(Point3<double>(0, 0, 0), Point3<double>(1, 1, 1));
    BoundingBox const before = box;
    box.extend(BoundingBox());
    EXPECT_EQ(box, before);

    box.extend(BoundingBox(Point3<double>(2, -3, 0.5), Point3<double>(4, -1, 0.5)));
    EXPECT_EQ(box.min(), Point3<double>(0, -3, 0));
    EXPECT_EQ(box.max(), Point3<double>(4, 1, 1));

    BoundingBox empty;
    empty.extend(before);
    EXPECT_EQ(empty, before);
    EXPECT_EQ(BoundingBox(), BoundingBox());
    EXPECT_NE(BoundingBox(), before);
}

TEST(ValueRangeTest, IgnoresNoValue) {
    EXPECT_TRUE(ValueRange::of({}).isEmpty());
    EXPECT_TRUE(ValueRange::of({kNaN, kNaN, kInf}).isEmpty());

    ValueRange const range = ValueRange::of({kNaN, 3.5, -2.0, kNaN, 7.0, -kInf});
    EXPECT_FALSE(range.isEmpty());
    EXPECT_EQ(range.min(), -2.0);
    EXPECT_EQ(range.max(), 7.0);
}
