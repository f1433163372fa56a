#include "model/Well.h"

#include "ModelTestPrinters.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

using namespace quarro::model;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

WellCurve curve(char const* mnemonic, std::vector<double> samples) {
    return WellCurve{QString::fromLatin1(mnemonic), QString(), QString(), std::move(samples)};
}

} // namespace

TEST(WellTest, NoValueIsNaNAndDepthRangeSkipsIt) {
    EXPECT_TRUE(Well::isNoValue(Well::noValue()));
    EXPECT_TRUE(Well::isNoValue(kNaN));
    EXPECT_FALSE(Well::isNoValue(-999.25));
    EXPECT_FALSE(Well::isNoValue(0.0));

    Well well;
    EXPECT_TRUE(well.depthRange().isEmpty());
    EXPECT_EQ(well.sampleCount(), 0u);

    // A NULL at a depth, and NULLs in the log, as a reader hands them over.
    well.setCurves(curve("DEPT", {kNaN, 1500.0, 1500.5, 2100.0, kNaN}),
                   {curve("GR", {45.0, kNaN, 60.0, kNaN, 70.0})});
    EXPECT_EQ(well.depthRange().min(), 1500.0);
    EXPECT_EQ(well.depthRange().max(), 2100.0);
    EXPECT_EQ(well.sampleCount(), 5u);
    EXPECT_EQ(well.sizeHint(), 5u);
    EXPECT_EQ(well.curveCount(), 1);
    EXPECT_TRUE(Well::isNoValue(well.curve(QStringLiteral("GR"))->samples[1]));
}

TEST(WellTest, CurvesStayAlignedWithTheIndex) {
    Well well;
    EXPECT_THROW(well.addCurve(curve("GR", {})), std::invalid_argument); // no index yet
    EXPECT_THROW(well.setCurves(curve("", {1.0}), {}), std::invalid_argument);

    well.setCurves(curve("DEPT", {1.0, 2.0, 3.0}),
                   {curve("GR", {1, 2, 3}), curve("GR:2", {4, 5, 6})});
    ASSERT_EQ(well.curveCount(), 2);

    // Every refusal names the curve and leaves the well as it was.
    try {
        well.addCurve(curve("NPHI", {0.1, 0.2}));
        FAIL() << "a short curve was accepted";
    } catch (std::invalid_argument const& error) {
        EXPECT_NE(std::string(error.what()).find("NPHI"), std::string::npos) << error.what();
    }
    EXPECT_THROW(well.addCurve(curve("GR", {7, 8, 9})), std::invalid_argument);
    EXPECT_THROW(well.addCurve(curve("DEPT", {7, 8, 9})), std::invalid_argument);
    EXPECT_THROW(well.addCurve(curve("", {7, 8, 9})), std::invalid_argument);
    EXPECT_THROW(well.setCurves(curve("MD", {1.0}), {curve("A", {1.0}), curve("B", {1.0, 2.0})}),
                 std::invalid_argument);
    EXPECT_THROW(well.setCurves(curve("MD", {1.0}), {curve("A", {1.0}), curve("A", {2.0})}),
                 std::invalid_argument);
    EXPECT_EQ(well.curveCount(), 2);
    EXPECT_EQ(well.indexCurve().mnemonic, QStringLiteral("DEPT"));

    well.addCurve(curve("NPHI", {0.1, 0.2, 0.3}));
    EXPECT_EQ(well.curveCount(), 3);
    EXPECT_EQ(well.curve(QStringLiteral("DEPT")), &well.indexCurve());
    ASSERT_NE(well.curve(QStringLiteral("NPHI")), nullptr);
    EXPECT_EQ(well.curve(QStringLiteral("NPHI"))->samples.back(), 0.3);
    EXPECT_EQ(well.curve(QStringLiteral("nphi")), nullptr);
    EXPECT_EQ(well.curve(QString()), nullptr);
}

TEST(WellTest, HeaderItemsAreReplacedByMnemonic) {
    Well well;
    well.setHeaderItem(WellHeaderItem{"STRT", "M", "1500.0", "START DEPTH"});
    well.setHeaderItem(WellHeaderItem{"NULL", "", "-999.25", "NULL VALUE"});
    well.setHeaderItem(WellHeaderItem{"STRT", "M", "1400.0", "START DEPTH"});

    ASSERT_EQ(well.headerItems().size(), 2);
    EXPECT_EQ(well.headerItems().at(0).mnemonic, QStringLiteral("STRT"));
    ASSERT_NE(well.headerItem(QStringLiteral("STRT")), nullptr);
    EXPECT_EQ(well.headerItem(QStringLiteral("STRT"))->value, QStringLiteral("1400.0"));
    EXPECT_EQ(well.headerItem(QStringLiteral("WELL")), nullptr);
}

TEST(WellTest, BoundingBoxHangsBelowTheDatum) {
    Well well;
    well.setCurves(curve("DEPT", {100.0, kNaN, 300.0}), {});
    EXPECT_TRUE(well.boundingBox().isEmpty()); // no location: nowhere on the map

    DepthReference reference;
    reference.x = 1000.0;
    reference.y = 2000.0;
    well.setDepthReference(reference);
    EXPECT_EQ(well.boundingBox(),
              BoundingBox(Point3<double>(1000, 2000, -300), Point3<double>(1000, 2000, -100)));

    reference.elevation = 25.0;
    well.setDepthReference(reference);
    EXPECT_EQ(well.boundingBox(),
              BoundingBox(Point3<double>(1000, 2000, -275), Point3<double>(1000, 2000, -75)));

    Well noSamples;
    noSamples.setDepthReference(reference);
    EXPECT_EQ(noSamples.boundingBox(),
              BoundingBox(Point3<double>(1000, 2000, 25), Point3<double>(1000, 2000, 25)));
}
