// The console dialogue of the importer chooser, byte for byte through redirected streams.
#include "AbstractImportSelectionInterfaceFactory.h"
#include "ConsoleImportSelectionInterface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>

namespace {

using namespace quarro::import;

std::string const prompt =
    "File Type not recognised.\n Select a number from the list, or \"0\" to Cancel\n";
std::string const sorry = "Sorry your response was not recognised...\n";
std::vector<std::string> const three = {"WELLS", "DXF", "GRDECL"};
std::string const three_listed =
    "Number : 1\tWELLS\nNumber : 2\tDXF\nNumber : 3\tGRDECL\n";

struct Dialogue {
    explicit Dialogue(std::string const& typed) : in(typed), chooser(in, out) {}
    std::istringstream in;
    std::ostringstream out;
    ConsoleImportSelectionInterface chooser;
    bool cancelled = false;
};

TEST(ConsoleSelection, RegisteredWhenTheLibraryLoadsButNotTheDefault) {
    auto const keys = AbstractImportSelectionInterfaceFactory::products();
    EXPECT_NE(keys.end(), std::find(keys.begin(), keys.end(), "ConsoleImportSelectionInterface"));
    auto chooser = AbstractImportSelectionInterfaceFactory::create("ConsoleImportSelectionInterface");
    ASSERT_TRUE(chooser);
    EXPECT_EQ(-1, chooser->importer());
}

TEST(ConsoleSelection, ValidAnswersChooseOrCancel) {
    Dialogue two_keys("1\n");
    two_keys.chooser.init({"a", "b"}, two_keys.cancelled);
    EXPECT_EQ(prompt + "Number : 1\ta\nNumber : 2\tb\n", two_keys.out.str());
    EXPECT_EQ(0, two_keys.chooser.importer());

    Dialogue second("2\n");
    second.cancelled = false;
    second.chooser.init(three, second.cancelled);
    EXPECT_EQ(1, second.chooser.importer());
    EXPECT_FALSE(second.cancelled);

    Dialogue zero("0\n");
    zero.chooser.init(three, zero.cancelled);
    EXPECT_EQ(-1, zero.chooser.importer());
    EXPECT_TRUE(zero.cancelled);
}

TEST(ConsoleSelection, WrongAnswersAreAskedAgainWithoutTheList) {
    Dialogue out_of_range("7\n3\n");
    out_of_range.chooser.init(three, out_of_range.cancelled);
    EXPECT_EQ(prompt + three_listed + sorry + prompt, out_of_range.out.str());
    EXPECT_EQ(2, out_of_range.chooser.importer());

    // Text and negative numbers are refused the same way, and the stream stays usable.
    Dialogue text("dxf please\n-1\n2\n");
    text.chooser.init(three, text.cancelled);
    EXPECT_EQ(prompt + three_listed + sorry + prompt + sorry + prompt, text.out.str());
    EXPECT_EQ(1, text.chooser.importer());
    EXPECT_FALSE(text.cancelled);
}

TEST(ConsoleSelection, EndOfInputCancels) {
    Dialogue nothing("");
    nothing.chooser.init(three, nothing.cancelled);
    EXPECT_TRUE(nothing.cancelled);
    EXPECT_EQ(-1, nothing.chooser.importer());

    Dialogue gives_up("9\nabc");
    gives_up.chooser.init(three, gives_up.cancelled);
    EXPECT_TRUE(gives_up.cancelled);
    EXPECT_EQ(-1, gives_up.chooser.importer());
}

TEST(ConsoleSelection, OneKeyAsksNothingAndKeepsTheEarlierChoice) {
    Dialogue fresh("2\n");
    fresh.chooser.init({"WELLS"}, fresh.cancelled);
    EXPECT_EQ("", fresh.out.str());
    EXPECT_EQ(-1, fresh.chooser.importer());
    EXPECT_FALSE(fresh.cancelled);

    Dialogue twice("3\n");
    twice.chooser.init(three, twice.cancelled);
    EXPECT_EQ(2, twice.chooser.importer());
    bool second_flag = false;
    twice.chooser.init({"DXF"}, second_flag);
    EXPECT_EQ(2, twice.chooser.importer());
    EXPECT_FALSE(second_flag);
}

} // namespace
