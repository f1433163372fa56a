#include "model/PointSet.h"
#include "model/PolylineSet.h"

#include "ModelTestPrinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

using namespace quarro::model;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

TEST(PointSetTest, AttributesHaveOneValuePerPoint) {
    PointSet points;
    points.setPoints({Point3<double>(0, 0, 0), Point3<double>(10, 5, -2)});
    points.setAttribute(QStringLiteral("TWT"), {1.0, 2.0});
    points.setAttribute(QStringLiteral("DEPTH"), {100.0, 200.0});

    EXPECT_THROW(points.setAttribute(QStringLiteral("TWT"), {1.0}), std::invalid_argument);
    EXPECT_THROW(points.setAttribute(QStringLiteral("X"), {1.0, 2.0, 3.0}), std::invalid_argument);
    EXPECT_THROW(points.setAttribute(QString(), {1.0, 2.0}), std::invalid_argument);
    EXPECT_EQ(*points.attribute(QStringLiteral("TWT")), (std::vector<double>{1.0, 2.0}));
    EXPECT_EQ(points.attributeNames(), (QStringList{"TWT", "DEPTH"}));

    // A point added later has no value in every attribute, so the columns stay aligned.
    points.addPoint(Point3<double>(-4, 1, 7));
    EXPECT_EQ(points.pointCount(), 3u);
    ASSERT_EQ(points.attribute(QStringLiteral("DEPTH"))->size(), 3u);
    EXPECT_TRUE(std::isnan(points.attribute(QStringLiteral("DEPTH"))->back()));
    points.setAttribute(QStringLiteral("TWT"), {3.0, 4.0, 5.0});
    EXPECT_EQ(points.attributeNames().size(), 2);

    EXPECT_EQ(points.boundingBox(),
              BoundingBox(Point3<double>(-4, 0, -2), Point3<double>(10, 5, 7)));

    // New points make the old attributes meaningless.
    points.setPoints({Point3<double>(1, 1, 1)});
    EXPECT_TRUE(points.attributeNames().isEmpty());
    EXPECT_EQ(points.attribute(QStringLiteral("TWT")), nullptr);
    EXPECT_FALSE(points.removeAttribute(QStringLiteral("TWT")));
}

TEST(PolylineSetTest, KeepsLinesLayersAndExtent) {
    PolylineSet lines;
    EXPECT_TRUE(lines.boundingBox().isEmpty());
    lines.addPolyline(Polyline{
        {Point3<double>(0, 0, 0), Point3<double>(5, 5, 0)}, false, QStringLiteral("FAULTS")});
    lines.addPolyline(
        Polyline{{Point3<double>(1, 1, kNaN), Point3<double>(2, -3, 1), Point3<double>(3, 0, 1)},
                 true,
                 QStringLiteral("OUTLINE")});
    lines.addPolyline(Polyline{{Point3<double>(4, 4, 0)}, false, QString()});
    lines.addPolyline(Polyline{{Point3<double>(4, 4, 0)}, false, QStringLiteral("FAULTS")});

    EXPECT_THROW(lines.addPolyline(Polyline{{}, false, QStringLiteral("EMPTY")}),
                 std::invalid_argument);
    EXPECT_THROW(lines.setPolylines({Polyline{{Point3<double>()}, false, {}}, Polyline{}}),
                 std::invalid_argument);

    EXPECT_EQ(lines.polylineCount(), 4u);
    EXPECT_EQ(lines.pointCount(), 7u);
    EXPECT_EQ(lines.sizeHint(), 7u);
    EXPECT_TRUE(lines.polylines()[1].closed);
    EXPECT_EQ(lines.layers(), (QStringList{"FAULTS", "OUTLINE"}));
    // The point with no z does not stretch the box.
    EXPECT_EQ(lines.boundingBox(), BoundingBox(Point3<double>(0, -3, 0), Point3<double>(5, 5, 1)));
}
