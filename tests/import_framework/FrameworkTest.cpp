// The small tools readers share: string edits, exception log texts, the console importer chooser
// and the units panel.
#include "BuilderException.h"
#include "ConsoleImportSelectionInterface.h"
#include "CoordinatesAndUnitsSheetImpl.h"
#include "ImportCanceledException.h"
#include "ImportException.h"
#include "InsertCommandConstructionException.h"
#include "StringUtilities.h"
#include "importwidgets/QImportUnitSelector.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

namespace {

using namespace quarro::import;
using quarro::housekeeping::DataSource;

TEST(StringUtilities, EditsInPlace) {
    using Edit = void (*)(std::string&);
    struct Case {
        Edit edit;
        std::string text, expected;
    } const cases[] = {
        {strip_all_quotes, "\"\"\"\"", ""},
        {strip_all_quotes, "\"DEPT\".\"M\"", "DEPT.M"},
        {strip_all_white_space, " a b ", " ab"},
        {strip_all_white_space, "a\tb", "a\tb"},
        {strip_all_white_space, "a  b c", "abc"},
        {strip_file_name, "/data/well.a.las", "well.a"},
        {strip_file_name, "/data/wells/", ""},
        {strip_file_name, "/home/.hidden", ""},
        {strip_file_name, "C:\\data\\well.las", "C:\\data\\well.las"},
        {trim_left, " \t\n\v\f\r", ""},
        {trim_left, "  a b ", "a b "},
        {trim_right, "ab \r\n", "ab"},
        {trim_left, "\xa0x\xa0", "\xa0x\xa0"}, // bytes above 127 are never white space
        {trim_right, "\xa0x\xa0", "\xa0x\xa0"},
    };
    for (Case const& c : cases) {
        std::string text = c.text;
        c.edit(text);
        EXPECT_EQ(c.expected, text) << c.text;
    }
}

TEST(ImportExceptions, EachAddsItsOwnLineAfterTheBaseText) {
    auto const logOf = [](quarro::Exception const& e) {
        std::ostringstream os;
        e.log_information(os);
        return os.str();
    };
    std::string const base = logOf(quarro::Exception(7, "cannot read", "src", 120));
    ASSERT_FALSE(base.empty());
    EXPECT_EQ(base + "Error, cannot open file : = \"C:/data/a.txt\"\n",
              logOf(ImportException(7, std::string("cannot read"), "src", 120, "C:/data/a.txt")));
    EXPECT_EQ(base + "Builder Error\n",
              logOf(BuilderException(7, std::string("cannot read"), "src", 120)));
    EXPECT_EQ(base, logOf(ImportCanceledException(7, std::string("cannot read"), "src", 120)));
    EXPECT_EQ(base,
              logOf(InsertCommandConstructionException(7, std::string("cannot read"), "src", 120)));
    QString const message = QStringLiteral("Bohrung \u00d6lfeld 3 \u2013 Tiefe");
    EXPECT_EQ(message.toUtf8().toStdString(), BuilderException(3, message, "src", 9).what());
}

// Wrong answers (out of range, text, negative) are asked again without the list; "0" and the end
// of the input cancel; a single key asks nothing and keeps the earlier choice.
TEST(ConsoleSelection, AnswersChooseCancelOrAreAskedAgain) {
    std::string const prompt =
        "File Type not recognised.\n Select a number from the list, or \"0\" to Cancel\n";
    std::string const sorry = "Sorry your response was not recognised...\n";
    std::vector<std::string> const three = {"WELLS", "DXF", "GRDECL"};
    std::string const listed = "Number : 1\tWELLS\nNumber : 2\tDXF\nNumber : 3\tGRDECL\n";
    struct Case {
        std::vector<std::string> keys;
        std::string typed;
        std::optional<std::string> shown;
        int importer;
        bool cancelled;
    } const cases[] = {
        {{"a", "b"}, "1\n", prompt + "Number : 1\ta\nNumber : 2\tb\n", 0, false},
        {three, "0\n", prompt + listed, -1, true},
        {three, "7\n3\n", prompt + listed + sorry + prompt, 2, false},
        {three, "dxf please\n-1\n2\n", prompt + listed + sorry + prompt + sorry + prompt, 1, false},
        {three, "", std::nullopt, -1, true},
        {three, "9\nabc", std::nullopt, -1, true},
        {{"WELLS"}, "2\n", "", -1, false},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.typed);
        std::istringstream in(c.typed);
        std::ostringstream out;
        ConsoleImportSelectionInterface chooser(in, out);
        bool cancelled = false;
        chooser.init(c.keys, cancelled);
        if (c.shown) {
            EXPECT_EQ(*c.shown, out.str());
        }
        EXPECT_EQ(c.importer, chooser.importer());
        EXPECT_EQ(c.cancelled, cancelled);
        chooser.init({"DXF"}, cancelled);
        EXPECT_EQ(c.importer, chooser.importer());
    }
}

TEST(CoordinatesAndUnitsSheet, UnitNamesAndTheSelectorsAnswers) {
    struct Row {
        char const* text;
        int xy, z;
    } const rows[] = {
        {"Inches", 0, 0},       {"Feet", 2, 2}, {"Miles", 3, 3},  {"Kms", 5, 5}, {"Seconds", 1, 6},
        {"Milliseconds", 1, 7}, {"feet", 1, 1}, {"Metres", 1, 1}, {"", 1, 1},    {"Feet ", 1, 1},
    };
    for (Row const& row : rows) {
        EXPECT_EQ(row.xy, CoordinatesAndUnitsSheetImpl::xy_units_of(row.text)) << row.text;
        EXPECT_EQ(row.z, CoordinatesAndUnitsSheetImpl::z_units_of(row.text)) << row.text;
    }
    CoordinatesAndUnitsSheetImpl sheet;
    QImportUnitSelector* selector = sheet.unitSelector();
    ASSERT_NE(nullptr, selector);
    ASSERT_TRUE(selector->setXYUnit("Kms"));
    ASSERT_TRUE(selector->setZUnit("Milliseconds"));
    selector->setOrientation(QImportUnitSelector::ZPositiveDown);
    EXPECT_EQ(DataSource::Kms, sheet.xy_units());
    EXPECT_EQ(DataSource::Milliseconds, sheet.z_units());
    EXPECT_EQ(64, sheet.sign());
    selector->setOrientation(QImportUnitSelector::ZPositiveUp);
    EXPECT_EQ(128, sheet.sign());
}

} // namespace
