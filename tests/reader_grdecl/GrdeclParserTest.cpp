#include "GrdeclParser.h"
#include "GrdeclReader.h"
#include "GrdeclScanner.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

using namespace quarro;
using readers::GrdeclArray;
using readers::GrdeclDeck;
using readers::GrdeclParser;
using readers::GrdeclReader;
using readers::GrdeclScanner;

namespace {

GrdeclParser::Result parse(std::string const& text) {
    return GrdeclParser().parse(text);
}

GrdeclArray const* cellArray(GrdeclDeck const& deck, std::string const& keyword) {
    for (GrdeclArray const& array : deck.cellArrays) {
        if (array.keyword == keyword) {
            return &array;
        }
    }
    return nullptr;
}

std::string joined(QStringList const& lines) {
    return lines.join(QStringLiteral("\n")).toStdString();
}

std::string banner(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += "-- Exported by a modelling package, line " + std::to_string(i) + " ------\n";
    }
    return text;
}

} // namespace

TEST(GrdeclScanner, ReadsNumbersAndTokens) {
    std::string const text = "1 2.5 -3e2 +4 .5 0. 3*7 2* 1.5D+01 -- a comment 99\n"
                             "8 9/ 10 after the slash\n"
                             "11";
    GrdeclScanner scanner(text);
    std::vector<double> values;
    GrdeclScanner::Values sink{&values, 100, -1};
    EXPECT_EQ(GrdeclScanner::ValuesEnd::Slash, scanner.readValues(sink));
    EXPECT_EQ((std::vector<double>{1, 2.5, -300, 4, 0.5, 0, 7, 7, 7, -1, -1, 15, 8, 9}), values);
    EXPECT_EQ(14u, sink.count);
    EXPECT_EQ(2u, sink.defaults);
    EXPECT_EQ(1, sink.firstDefaultLine);
    // The rest of the slash's line is a comment.
    EXPECT_EQ("11", std::string(scanner.next().text));

    // Values beyond `keep` are counted, not kept; a huge repeat costs nothing.
    GrdeclScanner big("5 1000000000000*2 /");
    std::vector<double> kept;
    GrdeclScanner::Values limited{&kept, 3};
    EXPECT_EQ(GrdeclScanner::ValuesEnd::Slash, big.readValues(limited));
    EXPECT_EQ((std::vector<double>{5, 2, 2}), kept);
    EXPECT_EQ(1000000000001u, limited.count);

    // Values stop at text; tokens know where they stand.
    GrdeclScanner tokens("1 2\r\nabc 3 /\r\n  'quoted -- text' word\x1A");
    std::vector<double> two;
    GrdeclScanner::Values head{&two, 10};
    EXPECT_EQ(GrdeclScanner::ValuesEnd::Token, tokens.readValues(head));
    EXPECT_EQ((std::vector<double>{1, 2}), two);
    GrdeclScanner::Token const stop = tokens.next();
    EXPECT_EQ("abc", std::string(stop.text));
    EXPECT_EQ(2, stop.line);
    EXPECT_TRUE(stop.firstOnLine);
    EXPECT_TRUE(stop.inFirstColumn);
    EXPECT_FALSE(tokens.next().firstOnLine); // 3
    EXPECT_EQ(GrdeclScanner::TokenKind::Slash, tokens.next().kind);
    GrdeclScanner::Token const quoted = tokens.next();
    EXPECT_EQ(GrdeclScanner::TokenKind::Quoted, quoted.kind);
    EXPECT_EQ("quoted -- text", std::string(quoted.text));
    EXPECT_FALSE(quoted.inFirstColumn);
    EXPECT_EQ("word", std::string(tokens.next().text));
    EXPECT_EQ(GrdeclScanner::TokenKind::End, tokens.next().kind);

    // Not numbers: text glued to a number, infinities, a repeat without a count.
    for (char const* bad : {"1.5x", "inf", "nan", "*3", "0*3", "1e999", "2*abc", "1..2"}) {
        GrdeclScanner scan(bad);
        std::vector<double> none;
        GrdeclScanner::Values out{&none, 10};
        EXPECT_EQ(GrdeclScanner::ValuesEnd::Token, scan.readValues(out)) << bad;
        EXPECT_EQ(bad, std::string(scan.peek().text));
    }
}

TEST(GrdeclParser, ReadsTheGridKeywordsThroughCommentsAndOddLayout) {
    GrdeclParser::Result const result =
        parse("-- header comment\n"
              "NOECHO\n"
              "ECHO -- keyword with a comment on its line\n"
              "TITLE\n"
              "  Test model  \n"
              "MAPUNITS\n 'METRES  ' /\n"
              "GRIDUNIT\n 'FEET' 'MAP' /\n"
              "MAPAXES\n 0 100 0 0 100 0 /\n"
              "SPECGRID\n 2 1 1 /  -- short record\n"
              "COORD\n 6*0 6*1 6*2 6*3 6*4 6*5\n/\n"
              "ZCORN 8*10 -- data on the keyword's line\n"
              " 8*20 /\n"
              "ACTNUM\n 1 0 /\n"
              "PORO\n 0.25 0.5 /\n"
              "FAULTS\n F1 2 2 1 1 1 1 X /\n 'F 2' 1 1 1 1 1 1 Y /\n F1 2 2 1 1 1 1 Y /\n/\n"
              "PINCH\n/\n"
              "RPTGRID\n 'ALLNNC' /\n");
    ASSERT_EQ(GrdeclParser::Status::Ok, result.status) << result.error.toStdString();
    GrdeclDeck const& deck = result.deck;
    ASSERT_TRUE(deck.dimensions);
    auto const& d = *deck.dimensions;
    EXPECT_EQ(std::make_tuple(2, 1, 1, 1, false, 12),
              std::make_tuple(d.ni, d.nj, d.nk, d.reservoirs, d.radial, d.where.line));
    EXPECT_EQ(std::make_tuple(std::string("Test model"), std::string("METRES"), std::string("FEET"),
                              true),
              std::make_tuple(deck.title, deck.mapUnits, deck.gridUnits, deck.gridOnMap));
    ASSERT_TRUE(deck.mapAxes);
    EXPECT_EQ((std::array<double, 6>{0, 100, 0, 0, 100, 0}), *deck.mapAxes);
    ASSERT_TRUE(deck.coord);
    EXPECT_EQ(36u, deck.coord->count);
    ASSERT_TRUE(deck.zcorn);
    EXPECT_EQ((std::vector<double>(8, 10.0)),
              std::vector<double>(deck.zcorn->values.begin(), deck.zcorn->values.begin() + 8));
    EXPECT_EQ(16u, deck.zcorn->values.size());
    ASSERT_EQ(2u, deck.cellArrays.size());
    EXPECT_EQ((std::vector<double>{1, 0}), cellArray(deck, "ACTNUM")->values);
    EXPECT_EQ((std::vector<double>{0.25, 0.5}), cellArray(deck, "PORO")->values);
    EXPECT_EQ((std::vector<std::string>{"F1", "F 2"}), deck.faults);
    EXPECT_EQ((std::vector<std::string>{"PINCH", "RPTGRID"}), deck.skippedKeywords);
    EXPECT_TRUE(deck.comments.isEmpty()) << joined(deck.comments);
}

TEST(GrdeclParser, RecoversFromWhatRealFilesGetWrong) {
    GrdeclParser::Result const result = parse("SPECGRID\n 2 1 1 1 F /\n"
                                              "0.5 0.5 stray values\n"
                                              "PORO\n"
                                              "PERMX\n 2*100\n"   // no '/' before NTG
                                              "NTG\n 0.5 abc /\n" // text in a property
                                              "LONGPROPERTYNAME\n 1 2 /\n"
                                              "EQUALS\n PORO 0.2 /\n PERMX 50 /\n/\n"
                                              "SKIP\n garbage ' that is skipped\nENDSKIP\n"
                                              "CARFIN\n 'LGR1' 1 1 1 1 1 1 2 2 2 5 /\n"
                                              "PORO\n 8*0.1 /\n"
                                              "ENDFIN\n"
                                              "SWAT 1 1 /\n"
                                              "END\n"
                                              "PORO 1 2 / not read after END\n");
    ASSERT_EQ(GrdeclParser::Status::Ok, result.status) << result.error.toStdString();
    GrdeclDeck const& deck = result.deck;
    std::string const comments = joined(deck.comments);
    for (char const* comment :
         {"line 3: \"0.5\" and what follows", "line 4: PORO has no values",
          "line 8: \"abc\" in NTG (begun on line 7) is not a number; NTG skipped",
          "line 9: keyword LONGPROPERTYNAME is longer than 8 characters",
          "line 11: EQUALS changes cell values", "refinement \"LGR1\" is not read"}) {
        EXPECT_NE(std::string::npos, comments.find(comment)) << comments;
    }

    GrdeclArray const* permx = cellArray(deck, "PERMX");
    ASSERT_NE(nullptr, permx);
    EXPECT_EQ(std::make_tuple(GrdeclArray::Closure::Keyword, std::string("NTG"), 7),
              std::make_tuple(permx->closure, permx->endedBy, permx->endedAt.line));
    EXPECT_EQ(nullptr, cellArray(deck, "NTG"));
    ASSERT_NE(nullptr, cellArray(deck, "LONGPROPERTYNAME"));
    // The PORO inside CARFIN ... ENDFIN and the one after END are not the grid's.
    EXPECT_EQ(nullptr, cellArray(deck, "PORO"));
    ASSERT_NE(nullptr, cellArray(deck, "SWAT"));
    ASSERT_EQ(1u, deck.refinements.size());
    EXPECT_EQ(std::make_tuple(std::string("LGR1"), 2, 5),
              std::make_tuple(deck.refinements[0].name, deck.refinements[0].nk,
                              deck.refinements[0].maxWells));
}

TEST(GrdeclParser, FailsNamingTheLineWhenTheGridCannotBeTrusted) {
    for (auto const& [text, error] : std::vector<std::pair<char const*, char const*>>{
             {"SPECGRID\n 2 1 1 /\nZCORN\n 1 2\n 3 4x 5 /\n",
              "line 5: \"4x\" in ZCORN (begun on line 3) is not a number"},
             {"SPECGRID\n 2 -1 1 /\n",
              "line 1: SPECGRID needs three positive cell counts; count 2"},
             {"SPECGRID\n 2 1 /\n", "count 3 is nothing"},
             {"DIMENS\n 2 1 1 /\nSPECGRID\n 3 1 1 /\n",
              "3 x 1 x 1 cells, but DIMENS on line 1 gave 2"},
             {"SPECGRID\n 100000 100000 100000 /\n", "is larger than the"},
             {"SPECGRID\n 2147483647 2147483647 2147483647 /\n", "is larger than the"},
             {"INCLUDE\n 'other.inc' /\n",
              "INCLUDE of \"other.inc\": included files cannot be read"},
             {"INCLUDE\n /\n", "line 1: INCLUDE names no file"},
             {"SPECGRID\n 1 1 1 /\nPERMX -- the end\n", "line 3: the file ends right after PERMX"},
         }) {
        GrdeclParser::Result const result = parse(text);
        EXPECT_EQ(GrdeclParser::Status::Failed, result.status) << text;
        EXPECT_NE(std::string::npos, result.error.toStdString().find(error))
            << result.error.toStdString();
    }
}

TEST(GrdeclParser, ReadsIncludedFilesAndRefusesIncludeLoops) {
    std::map<QString, std::string> files{
        {"/grids/main.grdecl", "SPECGRID\n 1 1 1 /\nINCLUDE\n 'sub/coord.inc' /\nPORO 0.3 /\n"},
        {"/grids/sub/coord.inc", "COORD\n 0 0 0 0 0 1 1 0 0 1 0 1 0 1 0 0 1 1 1 1 0 1 1 1\n/\n"
                                 "INCLUDE\n 'zcorn.inc' /\n"},
        {"/grids/sub/zcorn.inc", "ZCORN\n 4*0 4*1\n/\nPERMX\n 1 2 x /\n"},
        {"/grids/loop.grdecl", "INCLUDE\n 'loop.grdecl' /\n"},
    };
    std::vector<QString> opened;
    GrdeclParser parser;
    parser.setIncludeOpener([&](QString const& path, std::string_view& text, QString& error) {
        opened.push_back(path);
        auto const found = files.find(path);
        if (found == files.end()) {
            error = QStringLiteral("no such file");
            return false;
        }
        text = found->second;
        return true;
    });
    GrdeclParser::Result const result =
        parser.parse(files["/grids/main.grdecl"], QStringLiteral("/grids/main.grdecl"));
    ASSERT_EQ(GrdeclParser::Status::Ok, result.status) << result.error.toStdString();
    EXPECT_EQ((std::vector<QString>{"/grids/sub/coord.inc", "/grids/sub/zcorn.inc"}), opened);
    EXPECT_EQ(2, result.deck.includedFiles);
    ASSERT_TRUE(result.deck.zcorn);
    EXPECT_EQ(8u, result.deck.zcorn->count);
    EXPECT_EQ(QStringLiteral("/grids/sub/zcorn.inc"), result.deck.zcorn->sourcePath);
    ASSERT_NE(nullptr, cellArray(result.deck, "PORO"));
    // Places in included files name the file as the INCLUDE wrote it.
    EXPECT_EQ("line 5 of zcorn.inc: \"x\" in PERMX (begun on line 4 of zcorn.inc) is not a "
              "number; PERMX skipped",
              joined(result.deck.comments));

    GrdeclParser::Result const missing =
        parser.parse("INCLUDE\n 'gone.inc' /\n", QStringLiteral("/grids/main.grdecl"));
    EXPECT_EQ(GrdeclParser::Status::Failed, missing.status);
    EXPECT_EQ("line 1: INCLUDE of \"gone.inc\": the file cannot be read (no such file)",
              missing.error.toStdString());

    // The loop is caught by depth here: the paths do not exist, so they have no canonical form.
    GrdeclParser::Result const loop =
        parser.parse(files["/grids/loop.grdecl"], QStringLiteral("/grids/loop.grdecl"));
    EXPECT_EQ(GrdeclParser::Status::Failed, loop.status);
    EXPECT_NE(std::string::npos, loop.error.toStdString().find("more than 16 deep"))
        << loop.error.toStdString();
}

// Grid decks as exports really begin: with switches, units, map axes or long comment banners
// before SPECGRID. The reader must take them and the parser must read the grid behind them; other
// text is refused with the reason.
TEST(GrdeclRealDecks, AreTakenAndReadOtherTextIsRefused) {
    std::string const grid = "SPECGRID\n 1 1 1 1 F /\n"
                             "COORD\n 0 0 0 0 0 1  1 0 0 1 0 1  0 1 0 0 1 1  1 1 0 1 1 1 /\n"
                             "ZCORN\n 4*0 4*1 /\n";
    // The refusal is empty when the head is taken.
    for (auto const& [head, refusal] : std::vector<std::pair<std::string, char const*>>{
             {"PINCHOUT\n/\n", ""},
             {"MAPAXES\n 0 100 0 0 100 0 /\n", ""},
             {"echo\n", ""},
             {"NODPPM\nFOOTAGE\nOLDGRID --switch\n", ""},
             {banner(40) + "PINCHOUT\n/\n", ""},
             {banner(3) + "GRIDHEAD\n 1 1 1 /\n", ""},
             {std::string(2000, '-') + "\n", ""},
             {"\xEF\xBB\xBF\r\n-- c\r\nPORO\r\n 0.1 /\r\n", ""},
             {"~VERSION INFORMATION\n", "begins with \"~VERSION INFORMATION\", not with a keyword"},
             {"ncols 43\nnrows 89\n", "\"ncols 43\""},
             {"HELLO\nthis is a letter, not a deck\n", "not an Eclipse grid file"},
             {"0 SECTION\n", "not an Eclipse grid file"},
             {std::string("SPECGRID\0\x01", 10), "binary data"},
             {"", "it holds no keyword"},
         }) {
        SCOPED_TRACE(head.substr(0, 40));
        QString reason;
        bool const taken = GrdeclReader::looksLikeGrdecl(head.substr(0, 1024), reason);
        EXPECT_TRUE(reason.contains(QString::fromUtf8(refusal))) << reason.toStdString();
        if (*refusal != '\0') {
            EXPECT_FALSE(taken);
            continue;
        }
        EXPECT_TRUE(taken) << reason.toStdString();
        GrdeclParser::Result const result = parse(head + grid);
        ASSERT_EQ(GrdeclParser::Status::Ok, result.status) << result.error.toStdString();
        ASSERT_TRUE(result.deck.dimensions.has_value());
        EXPECT_EQ(1u, result.deck.dimensions->cellCount());
        ASSERT_TRUE(result.deck.zcorn.has_value());
        EXPECT_EQ(8u, result.deck.zcorn->count);
    }
}
