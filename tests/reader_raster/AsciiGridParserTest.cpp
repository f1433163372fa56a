// The ESRI ASCII grid parser on the real sample grids and on grids as other software writes them
// or gets them wrong.
#include "AsciiGridParser.h"
#include "ReaderTestFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

namespace {

using namespace quarro;
using readers::AsciiGridParser;

// The surface in one line: size, lower left, cell size, then the heights from the file's first
// line (the surface's top row) down, nan for NODATA.
std::string describe(model::RegularSurface const& s, bool heights = true) {
    std::ostringstream out;
    out.precision(12);
    out << s.ncols() << 'x' << s.nrows() << " at " << s.originX() << ' ' << s.originY() << " by "
        << s.dx() << ' ' << s.dy() << ':';
    for (int row = heights ? s.nrows() - 1 : -1; row >= 0; --row) {
        out << (row + 1 < s.nrows() ? " /" : "");
        for (int col = 0; col < s.ncols(); ++col) {
            double const h = s.height(col, row);
            std::isnan(h) ? out << " nan" : out << ' ' << h;
        }
    }
    return out.str();
}

struct GridCase {
    char const* name;
    std::string text;
    char const* surface; // as describe() gives it
    int comments;
    char const* comment; // the first comment begins so
};

TEST(AsciiGridParser, ReadsGridsAndRepairsWhatItCan) {
    std::string const head = "ncols 3\nnrows 2\nxllcorner 100\nyllcorner 200\ncellsize 10\n";
    std::string const header3x2 = head + "NODATA_value -9999\n";
    std::vector<GridCase> const cases = {
        {"header in any case and order, placed by centres",
         "NROWS 2\nNCOLS 2\nCELLSIZE 2\nXLLCENTER 11\nYLLCENTER 21\n1 2\n3 nan\n",
         "2x2 at 10 20 by 2 2: 1 2 / 3 nan", 0, ""},
        {"dx and dy, rows wrapped, a float writer's NODATA",
         "ncols 3\nnrows 2\nxllcorner 0\nyllcorner 0\ndx 2\ndy 5\n"
         "NODATA_value -3.4028234663852886e+38\n1 2\n3\n4 -3.4028235e+38 6\n",
         "3x2 at 0 0 by 2 5: 1 2 3 / 4 nan 6", 0, ""},
        {"row too short", header3x2 + "1 2 3\n4 5\n", "3x2 at 100 200 by 10 10: 1 2 3 / 4 5 nan", 1,
         "line 8: a row of 2 values instead of 3; the missing cells are NODATA"},
        {"text for a number", header3x2 + "1 2 3\n4 **** 6\n",
         "3x2 at 100 200 by 10 10: 1 2 3 / 4 nan 6", 1,
         "line 8: '****' is not a number; the cell is NODATA"},
        {"row too long", header3x2 + "1 2 3 9 9\n4 5 6\n", "3x2 at 100 200 by 10 10: 1 2 3 / 4 5 6",
         1, "line 7: a row of 5 values instead of 3; the last 2 are ignored"},
        // A line of text between the rows is skipped, not read as cells; a row of NODATA spelt as
        // text is a row.
        {"line of text", header3x2 + "1 2 3\nthe next row follows\n4 5 6\n",
         "3x2 at 100 200 by 10 10: 1 2 3 / 4 5 6", 1, "line 8: text instead of numbers"},
        {"NODATA spelt as text", header3x2 + "1 2 3\n**** 1.#IND ****\n9 9 9\n",
         "3x2 at 100 200 by 10 10: 1 2 3 / nan nan nan", 4, "line 8: '****' is not a number"},
        {"cut short with most of the grid there",
         "ncols 2\nnrows 4\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2\n3 4\n5 6\n",
         "2x4 at 0 0 by 1 1: 1 2 / 3 4 / 5 6 / nan nan", 1,
         "line 8: the file ends after 3 of 4 rows (cut short?); the missing rows are NODATA"},
        {"NODATA nan", head + "NODATA_value nan\n1 nan 3\n4 5 6\n",
         "3x2 at 100 200 by 10 10: 1 nan 3 / 4 5 6", 0, ""},
        {"NODATA inf", head + "NODATA_value inf\n1 inf 3\n4 5 6\n",
         "3x2 at 100 200 by 10 10: 1 nan 3 / 4 5 6", 0, ""},
        {"decimal commas",
         "ncols 3\r\nnrows 2\r\nxllcorner 100,5\r\nyllcorner 200,25\r\ncellsize 0,5\r\n"
         "NODATA_value -9999\r\n1,25 -9999 3,5\r\n4,0 5,0 6,0\r\n",
         "3x2 at 100.5 200.25 by 0.5 0.5: 1.25 nan 3.5 / 4 5 6", 1,
         "the numbers are written with a decimal comma"},
        {"decimal commas under a header of integers", head + "1,5 2 3\n4 5 6,75\n",
         "3x2 at 100 200 by 10 10: 1.5 2 3 / 4 5 6.75", 1,
         "the numbers are written with a decimal comma"}};
    for (GridCase const& c : cases) {
        SCOPED_TRACE(c.name);
        AsciiGridParser parser;
        ASSERT_EQ(AsciiGridParser::Outcome::Read, parser.parse(c.text))
            << parser.failure().toStdString();
        EXPECT_EQ(c.surface, describe(parser.surface()));
        EXPECT_EQ(c.comments, parser.comments().size())
            << parser.comments().join('\n').toStdString();
        EXPECT_TRUE(test::begins(parser.comments().value(0), c.comment))
            << parser.comments().join('\n').toStdString();
    }
}

TEST(AsciiGridParser, ReadsTheSampleGrids) {
    std::string const bijou =
        test::readBytes(test::dataFile(QStringLiteral("asc/west_bijou_gully.asc")));
    // CRLF line ends and a closing 0x1A byte change nothing; the grid's size, place, range and
    // NODATA count are checked through the reader's summary.
    for (std::string const& text : {bijou, test::withCrlf(bijou) + "\x1a"}) {
        AsciiGridParser parser;
        ASSERT_EQ(AsciiGridParser::Outcome::Read, parser.parse(text));
        // The file's line 41 of data (row 40 from the north) is the surface's row 88 - 40.
        EXPECT_EQ(1704.8273383246528283, parser.surface().height(20, 48));
        EXPECT_TRUE(parser.comments().isEmpty());
    }
    AsciiGridParser parser;
    ASSERT_EQ(AsciiGridParser::Outcome::Read,
              parser.parse(test::readBytes(test::dataFile(QStringLiteral("asc/hugo_site.asc")))));
    model::RegularSurface const& hugo = parser.surface();
    EXPECT_EQ("76x55 at 0 0 by 10 10:", describe(hugo, false));
    EXPECT_EQ(2028u, hugo.noDataCount()); // NODATA_value -9999
    EXPECT_EQ(1660.0, hugo.minMax().min());
    EXPECT_EQ(1711.0, hugo.minMax().max());
    EXPECT_EQ(1701.0, hugo.height(20, 14));
}

TEST(AsciiGridParser, FailsWithTheLineWhenNothingSensibleIsLeft) {
    std::string const fourRows = "ncols 2\nnrows 4\nxllcorner 0\nyllcorner 0\ncellsize 1\n";
    std::vector<std::pair<std::string, char const*>> const cases = {
        {fourRows + "1.000 2.000\n",
         "line 6: the file ends after 1 of the 4 rows the header announces"},
        {"ncols 2\nnrows 1\nxllcorner 0\nyllcorner 0\n1 2\n",
         "line 5: the header before this line lacks cellsize"},
        {"ncols 2\nnrows two\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2\n",
         "line 2: nrows 'two' is not a number"},
        {"ncols 1\nnrows 1\nxllcorner 0\nxllcenter 0\nyllcorner 0\ncellsize 1\n1\n",
         "line 7: the header gives both a corner and a centre (xllcorner and xllcenter); only one "
         "can hold"},
        {"ncols 1\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize -1\n1\n",
         "line 6: the cell size -1 must be positive"},
        {"ncols 1\nnrows 1\nxllcorner 0\nyllcorner 0\ncellsize 1\n",
         "line 6: the file holds no heights after its header"},
        // A header that promises more than the file can hold is refused before anything is
        // allocated.
        {"ncols 2000000000\nnrows 2000000000\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2 3\n",
         "line 6: the header announces 2,000,000,000 x 2,000,000,000 cells, more than the rest of "
         "the file can hold"},
        {"a\nb\nc\nd\ne\nf\ng\n",
         "line 6: 'f' is neither a header entry nor a number; this is not an ESRI ASCII grid"}};
    for (auto const& [text, failure] : cases) {
        AsciiGridParser parser;
        EXPECT_EQ(AsciiGridParser::Outcome::Failed, parser.parse(text));
        EXPECT_TRUE(test::begins(parser.failure(), failure)) << parser.failure().toStdString();
    }
}

} // namespace
