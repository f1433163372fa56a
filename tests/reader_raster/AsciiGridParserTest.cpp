// The ESRI ASCII grid parser on the real sample grids and on what real grids
// get wrong.
#include "AsciiGridParser.h"
#include "ReaderTestFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace quarro;
using readers::AsciiGridParser;

struct Parsed {
    model::RegularSurface surface;
    QStringList comments;
};

Parsed parsed(std::string const& text) {
    AsciiGridParser parser;
    EXPECT_EQ(AsciiGridParser::Outcome::Read, parser.parse(text)) << parser.failure().toStdString();
    return {parser.takeSurface(), parser.comments()};
}

QString failureOf(std::string const& text) {
    AsciiGridParser parser;
    EXPECT_EQ(AsciiGridParser::Outcome::Failed, parser.parse(text));
    return parser.failure();
}

std::string const header3x2 = "ncols 3\nnrows 2\nxllcorner 100\nyllcorner 200\ncellsize 10\n"
                              "NODATA_value -9999\n";

// The surface's rows run northward: row 0 is the file's last line.
std::vector<double> rowOf(model::RegularSurface const& s, int row) {
    std::vector<double> values;
    for (int col = 0; col < s.ncols(); ++col) {
        values.push_back(s.height(col, row));
    }
    return values;
}

TEST(AsciiGridParser, ReadsTheSampleGrids) {
    std::string const bijou =
        test::readBytes(test::dataFile(QStringLiteral("asc/west_bijou_gully.asc")));
    Parsed const west = parsed(bijou);
    EXPECT_EQ(43, west.surface.ncols());
    EXPECT_EQ(89, west.surface.nrows());
    EXPECT_EQ(559705.0, west.surface.originX());
    EXPECT_EQ(4380220.0, west.surface.originY());
    EXPECT_EQ(3.0, west.surface.dx());
    EXPECT_EQ(3.0, west.surface.dy());
    EXPECT_EQ(2739u, west.surface.noDataCount()); // NODATA_value 0
    EXPECT_EQ(1680.7793918185764, west.surface.minMax().min());
    EXPECT_EQ(1725.4326307508682, west.surface.minMax().max());
    // The file's line 41 of data (row 40 from the north) is the surface's row 88
    // - 40.
    EXPECT_EQ(1704.8273383246528283, west.surface.height(20, 48));
    EXPECT_TRUE(west.comments.isEmpty());

    Parsed const hugo =
        parsed(test::readBytes(test::dataFile(QStringLiteral("asc/hugo_site.asc"))));
    EXPECT_EQ(76, hugo.surface.ncols());
    EXPECT_EQ(55, hugo.surface.nrows());
    EXPECT_EQ(0.0, hugo.surface.originX());
    EXPECT_EQ(0.0, hugo.surface.originY());
    EXPECT_EQ(10.0, hugo.surface.dx());
    EXPECT_EQ(2028u, hugo.surface.noDataCount()); // NODATA_value -9999
    EXPECT_EQ(1660.0, hugo.surface.minMax().min());
    EXPECT_EQ(1711.0, hugo.surface.minMax().max());
    EXPECT_EQ(1701.0, hugo.surface.height(20, 14));

    // CRLF line ends and a closing 0x1A byte change nothing.
    std::string crlf;
    for (char c : bijou) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    Parsed const again = parsed(crlf + "\x1a");
    EXPECT_EQ(west.surface.heights().size(), again.surface.heights().size());
    EXPECT_EQ(west.surface.noDataCount(), again.surface.noDataCount());
    EXPECT_EQ(west.surface.height(20, 48), again.surface.height(20, 48));
    EXPECT_TRUE(again.comments.isEmpty());
}

TEST(AsciiGridParser, TakesTheHeaderInAnyCaseAndOrderAndPlacesByCentres) {
    AsciiGridParser parser;
    ASSERT_EQ(AsciiGridParser::Outcome::Read,
              parser.parse("NROWS 2\nNCOLS 2\nCELLSIZE 2\nXLLCENTER 11\nYLLCENTER 21\n"
                           "1 2\n3 nan\n"));
    model::RegularSurface const& s = parser.surface();
    EXPECT_TRUE(parser.placedByCentre());
    EXPECT_EQ(10.0, s.originX());
    EXPECT_EQ(20.0, s.originY());
    EXPECT_EQ((std::vector<double>{1, 2}), rowOf(s, 1));
    EXPECT_EQ(3.0, s.height(0, 0));
    EXPECT_TRUE(std::isnan(s.height(1, 0)));

    // dx and dy instead of cellsize; rows wrapped over several lines; a float
    // writer's NODATA.
    Parsed const wrapped = parsed("ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ndx 2\ndy 5\n"
                                  "NODATA_value -3.4028234663852886e+38\n"
                                  "1 2\n3\n4 -3.4028235e+38 6\n");
    EXPECT_EQ(2.0, wrapped.surface.dx());
    EXPECT_EQ(5.0, wrapped.surface.dy());
    EXPECT_EQ((std::vector<double>{1, 2, 3}), rowOf(wrapped.surface, 1));
    EXPECT_EQ(1u, wrapped.surface.noDataCount());
    EXPECT_TRUE(wrapped.comments.isEmpty());
}

TEST(AsciiGridParser, RepairsRowsAndValuesAndNamesTheLine) {
    // Line 8 is a row too short, line 9 holds text where a number belongs.
    Parsed const rows = parsed(header3x2 + "1 2 3\n4 5\n");
    EXPECT_EQ((std::vector<double>{1, 2, 3}), rowOf(rows.surface, 1));
    EXPECT_EQ(4.0, rows.surface.height(0, 0));
    EXPECT_TRUE(std::isnan(rows.surface.height(2, 0)));
    EXPECT_EQ(QStringList{QStringLiteral("line 8: a row of 2 values instead of 3; the missing "
                                         "cells are NODATA")},
              rows.comments);

    Parsed const text = parsed(header3x2 + "1 2 3\n4 **** 6\n");
    EXPECT_TRUE(std::isnan(text.surface.height(1, 0)));
    EXPECT_EQ(6.0, text.surface.height(2, 0));
    EXPECT_EQ(QStringList{QStringLiteral("line 8: '****' is not a number; the cell is NODATA")},
              text.comments);

    Parsed const longRow = parsed(header3x2 + "1 2 3 9 9\n4 5 6\n");
    EXPECT_EQ((std::vector<double>{4, 5, 6}), rowOf(longRow.surface, 0));
    EXPECT_EQ(QStringList{QStringLiteral("line 7: a row of 5 values instead of 3; the last 2 are "
                                         "ignored")},
              longRow.comments);

    // A line of text between the rows is skipped, not read as cells; a row of
    // NODATA spelt as text is a row.
    Parsed const remark = parsed(header3x2 + "1 2 3\nthe next row follows\n4 5 6\n");
    EXPECT_EQ((std::vector<double>{4, 5, 6}), rowOf(remark.surface, 0));
    ASSERT_EQ(1, remark.comments.size());
    EXPECT_TRUE(remark.comments[0].startsWith(QLatin1String("line 8: text instead of numbers")));
    Parsed const spelt = parsed(header3x2 + "1 2 3\n**** 1.#IND ****\n9 9 9\n");
    EXPECT_EQ(3u, spelt.surface.noDataCount());
    EXPECT_EQ(4, spelt.comments.size()); // three cells and the extra line

    // Cut short with most of the grid there: the missing rows are NODATA.
    std::string const fourRows = "ncols 2\nnrows 4\nxllcorner 0\nyllcorner 0\ncellsize 1\n";
    Parsed const cut = parsed(fourRows + "1 2\n3 4\n5 6\n");
    EXPECT_EQ(2u, cut.surface.noDataCount());
    EXPECT_EQ((std::vector<double>{1, 2}), rowOf(cut.surface, 3));
    EXPECT_EQ(QStringList{QStringLiteral("line 8: the file ends after 3 of 4 rows (cut short?); "
                                         "the missing rows are NODATA")},
              cut.comments);
}

TEST(AsciiGridParser, FailsWithTheLineWhenNothingSensibleIsLeft) {
    std::string const fourRows = "ncols 2\nnrows 4\nxllcorner 0\nyllcorner 0\ncellsize 1\n";
    EXPECT_EQ(QStringLiteral("line 6: the file ends after 1 of the 4 rows the header announces"),
              failureOf(fourRows + "1.000 2.000\n"));
    EXPECT_EQ(QStringLiteral("line 5: the header before this line lacks cellsize"),
              failureOf("ncols 2\nnrows 1\nxllcorner 0\nyllcorner 0\n1 2\n"));
    EXPECT_EQ(QStringLiteral("line 2: nrows 'two' is not a number"),
              failureOf("ncols 2\nnrows two\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2\n"));
    EXPECT_EQ(QStringLiteral("line 7: the header gives both a corner and a centre (xllcorner and "
                             "xllcenter); only one can hold"),
              failureOf("ncols 1\nnrows 1\nxllcorner 0\nxllcenter 0\nyllcorner "
                        "0\ncellsize 1\n1\n"));
    EXPECT_EQ(QStringLiteral("line 6: the cell size -1 must be positive"),
              failureOf("ncols 1\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize -1\n1\n"));
    EXPECT_EQ(QStringLiteral("line 6: the file holds no heights after its header"),
              failureOf("ncols 1\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\n"));
    // A header that promises more than the file can hold is refused before
    // anything is allocated.
    EXPECT_EQ(QStringLiteral("line 6: the header announces 2,000,000,000 x 2,000,000,000 cells, "
                             "more than the rest of the file can hold"),
              failureOf("ncols 2000000000\nnrows 2000000000\nxllcorner 0\nyllcorner 0\n"
                        "cellsize 1\n1 2 3\n"));
    EXPECT_TRUE(
        failureOf("a\nb\nc\nd\ne\nf\ng\n").contains(QLatin1String("not an ESRI ASCII grid")));
}

TEST(AsciiGridParser, PollsPerBlockAndStopsWhenCancelled) {
    std::string text = "ncols 1000\nnrows 100\nxllcorner 0\nyllcorner 0\ncellsize 1\n";
    for (int row = 0; row < 100; ++row) {
        for (int col = 0; col < 1000; ++col) {
            text += "123.25 ";
        }
        text += '\n';
    }
    int polls = 0;
    AsciiGridParser counting([&polls](double) { return ++polls > 0; });
    EXPECT_EQ(AsciiGridParser::Outcome::Read, counting.parse(text));
    std::size_t const expected = text.size() / AsciiGridParser::pollBytes;
    EXPECT_GE(static_cast<std::size_t>(polls), expected - 1);
    EXPECT_LE(static_cast<std::size_t>(polls), expected + 1);

    AsciiGridParser cancelling([](double share) { return share < 0.5; });
    EXPECT_EQ(AsciiGridParser::Outcome::Cancelled, cancelling.parse(text));
}

} // namespace
