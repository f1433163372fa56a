// The units panel: its form, and the translation of the selector's answers into data-source units.
#include "CoordinatesAndUnitsSheetImpl.h"
#include "importwidgets/QImportUnitSelector.h"

#include <QLayout>
#include <gtest/gtest.h>

namespace {

using quarro::housekeeping::DataSource;
using quarro::import::CoordinatesAndUnitsSheetImpl;

TEST(CoordinatesAndUnitsSheet, UnitTableOnBothAxes) {
    struct Row {
        char const* text;
        int xy;
        int z;
    };
    Row const rows[] = {
        {"Inches", 0, 0},       {"Feet", 2, 2}, {"Miles", 3, 3},  {"Kms", 5, 5}, {"Seconds", 1, 6},
        {"Milliseconds", 1, 7}, {"feet", 1, 1}, {"Metres", 1, 1}, {"", 1, 1},    {"Feet ", 1, 1},
    };
    for (Row const& row : rows) {
        EXPECT_EQ(row.xy, CoordinatesAndUnitsSheetImpl::xy_units_of(row.text)) << row.text;
        EXPECT_EQ(row.z, CoordinatesAndUnitsSheetImpl::z_units_of(row.text)) << row.text;
    }
}

TEST(CoordinatesAndUnitsSheet, AnswersFollowTheSelector) {
    CoordinatesAndUnitsSheetImpl sheet;
    QImportUnitSelector* selector = sheet.unitSelector();
    ASSERT_NE(nullptr, selector);

    ASSERT_TRUE(selector->setXYUnit("Feet"));
    ASSERT_TRUE(selector->setZUnit("Milliseconds"));
    selector->setOrientation(QImportUnitSelector::ZPositiveDown);
    EXPECT_EQ(DataSource::Feet, sheet.xy_units());
    EXPECT_EQ(DataSource::Milliseconds, sheet.z_units());
    EXPECT_EQ(DataSource::ZPositiveDown, sheet.sign());
    EXPECT_EQ(64, sheet.sign());

    ASSERT_TRUE(selector->setXYUnit("Kms"));
    ASSERT_TRUE(selector->setZUnit("Seconds"));
    selector->setOrientation(QImportUnitSelector::ZPositiveUp);
    EXPECT_EQ(DataSource::Kms, sheet.xy_units());
    EXPECT_EQ(DataSource::Seconds, sheet.z_units());
    EXPECT_EQ(128, sheet.sign());

    sheet.show();
    sheet.showXYSelector(false);
    EXPECT_EQ(DataSource::Seconds, sheet.z_units()) << "hiding the XY choice keeps the Z answer";
}

} // namespace
