// Grid decks as exports really begin: with switches, units, map axes or long comment banners
// before SPECGRID. The reader must take them and the parser must read the grid behind them.
#include "GrdeclParser.h"
#include "GrdeclReader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using quarro::readers::GrdeclParser;
using quarro::readers::GrdeclReader;

std::string const grid = "SPECGRID\n 1 1 1 1 F /\n"
                         "COORD\n 0 0 0 0 0 1  1 0 0 1 0 1  0 1 0 0 1 1  1 1 0 1 1 1 /\n"
                         "ZCORN\n 4*0 4*1 /\n";

std::string banner(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += "-- Exported by a modelling package, line " + std::to_string(i) + " ------\n";
    }
    return text;
}

struct Deck {
    char const* name;
    std::string head;
};

void PrintTo(Deck const& deck, std::ostream* out) {
    *out << deck.name;
}

class GrdeclRealDecks : public testing::TestWithParam<Deck> {};

TEST_P(GrdeclRealDecks, AreTakenAndRead) {
    std::string const text = GetParam().head + grid;
    QString reason;
    EXPECT_TRUE(GrdeclReader::looksLikeGrdecl(text.substr(0, 1024), reason))
        << reason.toStdString();
    GrdeclParser::Result const result = GrdeclParser().parse(text);
    ASSERT_EQ(GrdeclParser::Status::Ok, result.status) << result.error.toStdString();
    ASSERT_TRUE(result.deck.dimensions.has_value());
    EXPECT_EQ(1u, result.deck.dimensions->cellCount());
    ASSERT_TRUE(result.deck.zcorn.has_value());
    EXPECT_EQ(8u, result.deck.zcorn->count);
}

INSTANTIATE_TEST_SUITE_P(
    Heads, GrdeclRealDecks,
    testing::Values(Deck{"pinchout", "PINCHOUT\n/\n"},
                    Deck{"pinchout_values", "PINCHOUT\n 0.001 GAP /\nNOECHO\n"},
                    Deck{"noecho", "NOECHO\n\n"}, Deck{"mapunits", "MAPUNITS\n 'METRES' /\n"},
                    Deck{"gridunit", "GRIDUNIT\n METRES MAP /\n"},
                    Deck{"mapaxes", "MAPAXES\n 0 100 0 0 100 0 /\n"}, Deck{"echo_lower", "echo\n"},
                    Deck{"unknown_switches", "NODPPM\nFOOTAGE\nOLDGRID --switch\n"},
                    Deck{"long_banner", banner(40) + "PINCHOUT\n/\n"},
                    Deck{"banner_then_unknown", banner(3) + "GRIDHEAD\n 1 1 1 /\n"}),
    [](testing::TestParamInfo<Deck> const& info) { return std::string(info.param.name); });

TEST(GrdeclRealDecks, OtherTextIsStillRefused) {
    for (char const* head : {"ncols 43\nnrows 89\n", "~VERSION INFORMATION\n", "Hello there\n",
                             "HELLO\nthis is a letter, not a deck\n", "0 SECTION\n"}) {
        QString reason;
        EXPECT_FALSE(GrdeclReader::looksLikeGrdecl(head, reason)) << head;
        EXPECT_TRUE(reason.startsWith("not an Eclipse grid file")) << reason.toStdString();
    }
}

} // namespace
