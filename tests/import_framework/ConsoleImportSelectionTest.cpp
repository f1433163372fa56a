// The console dialogue of the importer chooser, byte for byte through redirected streams.
#include "AbstractImportSelectionInterfaceFactory.h"
#include "ConsoleImportSelectionInterface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <sstream>

namespace {

using namespace quarro::import;

std::string const prompt =
    "File Type not recognised.\n Select a number from the list, or \"0\" to Cancel\n";
std::string const sorry = "Sorry your response was not recognised...\n";
std::vector<std::string> const three = {"WELLS", "DXF", "GRDECL"};
std::string const three_listed = "Number : 1\tWELLS\nNumber : 2\tDXF\nNumber : 3\tGRDECL\n";

struct Dialogue {
    explicit Dialogue(std::string const& typed)
        : in(typed)
        , chooser(in, out) {}
    std::istringstream in;
    std::ostringstream out;
    ConsoleImportSelectionInterface chooser;
    bool cancelled = false;
};

TEST(ConsoleSelection, RegisteredWhenTheLibraryLoadsButNotTheDefault) {
    auto const keys = AbstractImportSelectionInterfaceFactory::products();
    EXPECT_NE(keys.end(), std::find(keys.begin(), keys.end(), "ConsoleImportSelectionInterface"));
    auto chooser =
        AbstractImportSelectionInterfaceFactory::create("ConsoleImportSelectionInterface");
    ASSERT_TRUE(chooser);
    EXPECT_EQ(-1, chooser->importer());
}

// Wrong answers (out of range, text, negative) are asked again without the list; "0" and the end
// of the input cancel; a single key asks nothing.
TEST(ConsoleSelection, AnswersChooseCancelOrAreAskedAgain) {
    struct Case {
        std::vector<std::string> keys;
        std::string typed;
        std::optional<std::string> shown;
        int importer;
        bool cancelled;
    };
    Case const cases[] = {
        {{"a", "b"}, "1\n", prompt + "Number : 1\ta\nNumber : 2\tb\n", 0, false},
        {three, "2\n", prompt + three_listed, 1, false},
        {three, "0\n", prompt + three_listed, -1, true},
        {three, "7\n3\n", prompt + three_listed + sorry + prompt, 2, false},
        {three, "dxf please\n-1\n2\n", prompt + three_listed + sorry + prompt + sorry + prompt, 1,
         false},
        {three, "", std::nullopt, -1, true},
        {three, "9\nabc", std::nullopt, -1, true},
        {{"WELLS"}, "2\n", "", -1, false},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.typed);
        Dialogue dialogue(c.typed);
        dialogue.chooser.init(c.keys, dialogue.cancelled);
        if (c.shown) {
            EXPECT_EQ(*c.shown, dialogue.out.str());
        }
        EXPECT_EQ(c.importer, dialogue.chooser.importer());
        EXPECT_EQ(c.cancelled, dialogue.cancelled);
    }
}

TEST(ConsoleSelection, OneKeyKeepsTheEarlierChoice) {
    Dialogue twice("3\n");
    twice.chooser.init(three, twice.cancelled);
    EXPECT_EQ(2, twice.chooser.importer());
    bool second_flag = false;
    twice.chooser.init({"DXF"}, second_flag);
    EXPECT_EQ(2, twice.chooser.importer());
    EXPECT_FALSE(second_flag);
}

} // namespace
