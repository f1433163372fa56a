// ASCII grids as other software writes them: NODATA spelled as nan or inf, decimal commas.
#include "AsciiGridParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace {

using quarro::readers::AsciiGridParser;

struct Variant {
    char const* name;
    std::string text;
    double cellsize;
    double originX;
    // Heights of the file's first row (the surface's top row), NaN for NODATA.
    std::vector<double> top;
    bool decimalComma;
};

void PrintTo(Variant const& variant, std::ostream* out) {
    *out << variant.name;
}

class AsciiGridVariants : public testing::TestWithParam<Variant> {};

TEST_P(AsciiGridVariants, Read) {
    Variant const& v = GetParam();
    AsciiGridParser parser;
    ASSERT_EQ(AsciiGridParser::Outcome::Read, parser.parse(v.text))
        << parser.failure().toStdString();
    quarro::model::RegularSurface const& s = parser.surface();
    ASSERT_EQ(3, s.ncols());
    ASSERT_EQ(2, s.nrows());
    EXPECT_EQ(v.cellsize, s.dx());
    EXPECT_EQ(v.originX, s.originX());
    for (int col = 0; col < 3; ++col) {
        double const h = s.height(col, 1);
        if (std::isnan(v.top[col])) {
            EXPECT_TRUE(std::isnan(h)) << col << ": " << h;
        } else {
            EXPECT_EQ(v.top[col], h) << col;
        }
    }
    EXPECT_EQ(v.decimalComma, parser.decimalComma());
    EXPECT_EQ(v.decimalComma, parser.comments().join(' ').contains("decimal comma"))
        << parser.comments().join(' ').toStdString();
}

std::string const head = "ncols 3\nnrows 2\nxllcorner 100\nyllcorner 200\ncellsize 10\n";
double const nan = std::nan("");

INSTANTIATE_TEST_SUITE_P(
    Files, AsciiGridVariants,
    testing::Values(
        Variant{"nan", head + "NODATA_value nan\n1 nan 3\n4 5 6\n", 10, 100, {1, nan, 3}, false},
        Variant{"NaN", head + "NODATA_value NaN\nNaN 2 3\n4 5 6\n", 10, 100, {nan, 2, 3}, false},
        Variant{"minus_nan",
                head + "nodata_value -nan\n1 2 -nan\n4 5 6\n",
                10,
                100,
                {1, 2, nan},
                false},
        Variant{"inf", head + "NODATA_value inf\n1 inf 3\n4 5 6\n", 10, 100, {1, nan, 3}, false},
        Variant{"comma",
                "ncols 3\r\nnrows 2\r\nxllcorner 100,5\r\nyllcorner 200,25\r\ncellsize 0,5\r\n"
                "NODATA_value -9999\r\n1,25 -9999 3,5\r\n4,0 5,0 6,0\r\n",
                0.5,
                100.5,
                {1.25, nan, 3.5},
                true},
        Variant{"comma_integer_header", head + "1,5 2 3\n4 5 6,75\n", 10, 100, {1.5, 2, 3}, true},
        Variant{"points_stay", head + "1.5 2 3\n4 5 6\n", 10, 100, {1.5, 2, 3}, false}),
    [](testing::TestParamInfo<Variant> const& info) { return std::string(info.param.name); });

} // namespace
