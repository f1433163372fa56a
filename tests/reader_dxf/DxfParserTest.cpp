// The DXF parser on the real sample files and on what real files get wrong.
#include "DxfParser.h"
#include "BulgeArc.h"
#include "DxfTestSupport.h"
#include "model/BoundingBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using namespace quarro;
using readers::DxfDrawing;
using readers::DxfParser;
using Point = model::Point3<double>;

DxfDrawing parsed(std::string const& text, DxfParser::Outcome expected = DxfParser::Outcome::Read) {
    DxfParser parser;
    EXPECT_EQ(expected, parser.parse(text)) << parser.failure().toStdString();
    return parser.takeDrawing();
}

QString failureOf(std::string const& text) {
    DxfParser parser;
    EXPECT_EQ(DxfParser::Outcome::Failed, parser.parse(text));
    return parser.failure();
}

void expectNear(Point const& expected, Point const& actual, double tolerance = 1e-9) {
    EXPECT_NEAR(expected.x, actual.x, tolerance);
    EXPECT_NEAR(expected.y, actual.y, tolerance);
    EXPECT_NEAR(expected.z, actual.z, tolerance);
}

bool anyCommentContains(DxfDrawing const& drawing, char const* text) {
    for (QString const& comment : drawing.comments) {
        if (comment.contains(QLatin1String(text))) {
            return true;
        }
    }
    return false;
}

std::string toCrlf(std::string const& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

TEST(DxfParser, ReadsTheR12SampleInWorldCoordinates) {
    std::string const text =
        test::readBytes(test::dataFile(QStringLiteral("dxf/POLI-ALL210_12.DXF")));
    DxfDrawing const drawing = parsed(text);
    EXPECT_EQ(QStringLiteral("AC1009"), drawing.version);
    ASSERT_EQ(31u, drawing.polylines.size()); // 30 POLYLINE, one 3DFACE
    EXPECT_TRUE(drawing.points.empty());
    EXPECT_TRUE(drawing.comments.isEmpty()) << drawing.comments.join('\n').toStdString();

    int closed = 0;
    for (std::size_t i = 0; i < 30; ++i) {
        EXPECT_EQ(QStringLiteral("T-2DPLINE-ALL"), drawing.polylines[i].layer);
        closed += drawing.polylines[i].closed ? 1 : 0;
    }
    EXPECT_EQ(14, closed);

    // The polylines lie in a tilted plane (extrusion 210/220/230): world
    // coordinates as ezdxf computes them for the first polyline's ends.
    auto const& first = drawing.polylines.front().points;
    ASSERT_EQ(5u, first.size());
    expectNear({6.65263233283105, 5.9996838273051605, 1.5697432672653933}, first.front());
    expectNear({10.409991967126336, 1.5440692408943502, 3.013435471107878}, first.back());
    // The second polyline's first vertex has a bulge: its arc adds points.
    EXPECT_GT(drawing.polylines[1].points.size(), 4u);
    expectNear({9.186107555850839, 4.3685521786425765, 2.0728578180027286},
               drawing.polylines[1].points.front());

    // The drawing's own extents ($EXTMIN, $EXTMAX) hold every point, arcs
    // included; untransformed coordinates would not fit.
    model::BoundingBox const extents({-6.0, -11.0, 0.0}, {18.0, 13.0, 6.0093164793974321});
    for (auto const& polyline : drawing.polylines) {
        for (Point const& p : polyline.points) {
            EXPECT_TRUE(extents.contains(p) ||
                        std::hypot(p.x - std::clamp(p.x, -6.0, 18.0),
                                   p.y - std::clamp(p.y, -11.0, 13.0)) < 1e-6)
                << p.x << " " << p.y << " " << p.z;
        }
    }

    auto const& face = drawing.polylines.back();
    EXPECT_EQ(QStringLiteral("0"), face.layer);
    EXPECT_TRUE(face.closed);
    ASSERT_EQ(4u, face.points.size());
    expectNear({-6.0, 13.0, 0.0}, face.points[0]);
    expectNear({-6.0, -11.0, 0.0}, face.points[3]);

    // CRLF line ends change nothing.
    DxfDrawing const crlf = parsed(toCrlf(text));
    ASSERT_EQ(drawing.polylines.size(), crlf.polylines.size());
    EXPECT_EQ(drawing.polylines[1].points, crlf.polylines[1].points);
}

TEST(DxfParser, ReadsThe2013SampleOfLightweightPolylines) {
    DxfDrawing const drawing =
        parsed(test::readBytes(test::dataFile(QStringLiteral("dxf/usa.dxf"))));
    EXPECT_EQ(QStringLiteral("AC1027"), drawing.version);
    ASSERT_EQ(59u, drawing.polylines.size());
    std::size_t points = 0;
    for (auto const& polyline : drawing.polylines) {
        EXPECT_EQ(QStringLiteral("BORDERS"), polyline.layer);
        EXPECT_TRUE(polyline.closed);
        points += polyline.points.size();
    }
    EXPECT_EQ(5650u, points);
    EXPECT_EQ(120u, drawing.polylines[0].points.size());
    expectNear({-20.819838876931, 0.567027231003, 0.0}, drawing.polylines[0].points[0]);
    EXPECT_TRUE(drawing.comments.isEmpty()) << drawing.comments.join('\n').toStdString();
}

TEST(DxfParser, ReadsEachKindOfEntity) {
    std::string const entities =
        test::dxfPairs("0|LINE|8|Faults|10|1|20|2|30|3|11|4|21|5|31|6") +
        test::dxfPairs("0|POINT|8|Wells|10|7|20|8|30|9") +
        test::dxfPairs("0|POINT|8|Tops|10|1|20|1|30|1") +
        // A triangle repeats its third corner.
        test::dxfPairs("0|3DFACE|10|0|20|0|30|0|11|1|21|0|31|0|12|1|22|1|32|0|13|"
                       "1|23|1|33|0") +
        // A 3D polyline keeps its vertices' z.
        test::dxfPairs("0|POLYLINE|8|Horizon|66|1|70|8|0|VERTEX|10|0|20|0|30|-10|"
                       "70|32|0|VERTEX|10|5|20|0|30|-12|70|32|0|SEQEND") +
        // A 2 x 3 polygon mesh: its wire frame of 2 rows and 3 columns.
        test::dxfPairs("0|POLYLINE|70|16|71|2|72|3|0|VERTEX|10|0|20|0|0|VERTEX|"
                       "10|1|20|0|0|VERTEX|10|2|20|0|0|VERTEX|10|0|20|1|0|VERTEX|"
                       "10|1|20|1|0|VERTEX|10|2|20|1|0|SEQEND") +
        // A polyface mesh of one triangle.
        test::dxfPairs("0|POLYLINE|70|64|0|VERTEX|10|0|20|0|70|192|0|VERTEX|10|4|"
                       "20|0|70|192|0|VERTEX|10|4|20|3|70|192|0|VERTEX|70|128|71|"
                       "1|72|-2|73|3|0|SEQEND") +
        test::dxfPairs("0|HATCH|8|Labels|10|1|20|1|1|hello") + test::dxfPairs("0|HATCH|1|again") +
        test::dxfPairs("0|LINE|67|1|10|0|20|0|11|1|21|1");
    DxfDrawing const drawing = parsed(test::dxfWithEntities(entities));

    ASSERT_EQ(1u + 1u + 1u + 5u + 1u, drawing.polylines.size());
    EXPECT_EQ(QStringLiteral("Faults"), drawing.polylines[0].layer);
    EXPECT_EQ((std::vector<Point>{{1, 2, 3}, {4, 5, 6}}), drawing.polylines[0].points);
    EXPECT_FALSE(drawing.polylines[0].closed);

    EXPECT_EQ(3u, drawing.polylines[1].points.size());
    EXPECT_TRUE(drawing.polylines[1].closed);
    EXPECT_EQ(QStringLiteral("0"), drawing.polylines[1].layer);

    EXPECT_EQ((std::vector<Point>{{0, 0, -10}, {5, 0, -12}}), drawing.polylines[2].points);
    EXPECT_EQ(QStringLiteral("Horizon"), drawing.polylines[2].layer);

    EXPECT_EQ((std::vector<Point>{{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}), drawing.polylines[3].points);
    EXPECT_EQ((std::vector<Point>{{0, 1, 0}, {1, 1, 0}, {2, 1, 0}}), drawing.polylines[4].points);
    EXPECT_EQ((std::vector<Point>{{0, 0, 0}, {0, 1, 0}}), drawing.polylines[5].points);

    EXPECT_EQ((std::vector<Point>{{0, 0, 0}, {4, 0, 0}, {4, 3, 0}}), drawing.polylines[8].points);
    EXPECT_TRUE(drawing.polylines[8].closed);

    EXPECT_EQ((std::vector<Point>{{7, 8, 9}, {1, 1, 1}}), drawing.points);
    EXPECT_EQ((QStringList{QStringLiteral("Wells"), QStringLiteral("Tops")}), drawing.pointLayers);
    ASSERT_EQ(1u, drawing.skipped.size());
    EXPECT_EQ(2, drawing.skipped.at("HATCH"));
    EXPECT_EQ(1, drawing.paperSpaceEntities);
    EXPECT_TRUE(drawing.comments.isEmpty()) << drawing.comments.join('\n').toStdString();
}

TEST(DxfParser, TakesPlanarPolylinesFromTheirCoordinateSystemAndDrawsArcs) {
    // Extrusion (0, 0, -1) mirrors x and z: the "arbitrary axis" rule's best
    // known case.
    std::string const mirrored =
        test::dxfPairs("0|LWPOLYLINE|90|2|70|0|38|3|10|1|20|2|10|4|20|2|210|0|220|0|230|-1");
    // A bulge of 1 is a half circle, counter-clockwise from (0, 0) to (2, 0):
    // through (1, -1).
    std::string const arc = test::dxfPairs("0|LWPOLYLINE|90|2|10|0|20|0|42|1|10|2|20|0");
    DxfDrawing const drawing = parsed(test::dxfWithEntities(mirrored + arc));
    ASSERT_EQ(2u, drawing.polylines.size());
    EXPECT_EQ((std::vector<Point>{{-1, 2, -3}, {-4, 2, -3}}), drawing.polylines[0].points);

    auto const& points = drawing.polylines[1].points;
    int const pieces = static_cast<int>(std::ceil(std::acos(-1.0) / readers::bulgeArcStep));
    ASSERT_EQ(static_cast<std::size_t>(pieces + 1), points.size());
    expectNear({0, 0, 0}, points.front());
    expectNear({2, 0, 0}, points.back());
    for (Point const& p : points) {
        EXPECT_NEAR(1.0, std::hypot(p.x - 1.0, p.y), 1e-12);
        EXPECT_LE(p.y, 1e-12);
    }
    expectNear({1, -1, 0}, points[static_cast<std::size_t>(pieces / 2)]);
}

TEST(DxfParser, DecodesLayerNamesOfEveryEra) {
    // R12 writes Windows-1252; 2007 and newer write UTF-8; both may escape as
    // \U+XXXX.
    std::string const header =
        test::dxfPairs("0|SECTION|2|HEADER|9|$DWGCODEPAGE|3|ANSI_1252|0|ENDSEC");
    std::string const entities = test::dxfPairs("0|POINT|8|Gel\xE4nde|10|0|20|0") +
                                 test::dxfPairs("0|POINT|8|Gel\xC3\xA4nde 2|10|0|20|0") +
                                 test::dxfPairs("0|POINT|8|Gel\\U+00E4nde 3|10|0|20|0");
    DxfDrawing const drawing = parsed(header + test::dxfWithEntities(entities));
    EXPECT_EQ(
        (QStringList{QString::fromUtf8("Gel\xC3\xA4nde"), QString::fromUtf8("Gel\xC3\xA4nde 2"),
                     QString::fromUtf8("Gel\xC3\xA4nde 3")}),
        drawing.pointLayers);
}

TEST(DxfParser, RecoversFromFaultsThatLeaveTheRestIntact) {
    std::string const good = test::dxfPairs("0|LINE|10|0|20|0|11|1|21|1");
    // Line 20 holds text where a number belongs: that LINE goes, the others stay.
    std::string const bad = test::dxfPairs("0|LINE|10|0|20|abc|11|1|21|1");
    // The vertex count says 5 where there are 2.
    std::string const miscounted = test::dxfPairs("0|LWPOLYLINE|90|5|10|0|20|0|10|1|20|0");
    DxfDrawing const drawing =
        parsed(test::dxfWithEntities(good + bad + miscounted + good) + "\x1a");
    ASSERT_EQ(3u, drawing.polylines.size());
    EXPECT_EQ(2u, drawing.polylines[1].points.size());
    ASSERT_EQ(2, drawing.comments.size()) << drawing.comments.join('\n').toStdString();
    EXPECT_EQ(QStringLiteral("line 20: 'abc' is not a number; the LINE of line 15 is not read"),
              drawing.comments[0]);
    EXPECT_TRUE(drawing.comments[1].contains(QLatin1String("declares 5 vertices but has 2")));

    // A file cut short in a POLYLINE keeps what came before, and says so.
    std::string const text =
        test::readBytes(test::dataFile(QStringLiteral("dxf/POLI-ALL210_12.DXF")));
    std::size_t const cut = text.find("VERTEX", text.size() * 3 / 4);
    DxfDrawing const shortened = parsed(text.substr(0, cut));
    EXPECT_GT(shortened.polylines.size(), 5u);
    EXPECT_LT(shortened.polylines.size(), 31u);
    EXPECT_TRUE(anyCommentContains(shortened, "ends without SEQEND"));
    EXPECT_TRUE(anyCommentContains(shortened, "ends without EOF"));

    // A missing SEQEND before the next entity closes the polyline there.
    std::string const unterminated =
        test::dxfPairs("0|POLYLINE|0|VERTEX|10|0|20|0|0|VERTEX|10|1|20|0") + good;
    DxfDrawing const open = parsed(test::dxfWithEntities(unterminated));
    EXPECT_EQ(2u, open.polylines.size());
    EXPECT_EQ(QStringLiteral("line 5: the POLYLINE ends without SEQEND"), open.comments.value(0));

    // Many faults: the first are listed, the rest counted.
    std::string many;
    for (int i = 0; i < 30; ++i) {
        many += bad;
    }
    DxfDrawing const noisy = parsed(test::dxfWithEntities(many + good));
    EXPECT_EQ(DxfParser::maxComments + 1, noisy.comments.size());
    EXPECT_EQ(QStringLiteral("10 more faults are not listed"), noisy.comments.back());
}

TEST(DxfParser, FailsWithTheLineWhenTheFileIsNoAsciiDxf) {
    EXPECT_TRUE(failureOf("AutoCAD Binary DXF\r\n\x1a").contains(QLatin1String("binary DXF")));
    EXPECT_EQ(QStringLiteral("line 1: not an ASCII DXF file: 'ncols 4' is not a group code"),
              failureOf("ncols 4\nnrows 3\n"));
    EXPECT_TRUE(failureOf("").contains(QLatin1String("no SECTION")));
    EXPECT_TRUE(failureOf("0\nLINE\n").startsWith(QLatin1String("line 1: not an ASCII DXF")));

    std::string broken = test::dxfWithEntities(test::dxfPairs("0|LINE|10|0|20|0|11|1|21|1"));
    broken.insert(broken.find("11\n"), "x1\n");
    EXPECT_EQ(QStringLiteral("line 11: 'x1' is not a group code; the file is damaged from this "
                             "line on"),
              failureOf(broken));
}

TEST(DxfParser, PollsPerBlockAndStopsWhenCancelled) {
    std::string entities;
    while (entities.size() < 20 * DxfParser::pollBytes) {
        entities += test::dxfPairs("0|POINT|10|1.5|20|2.5|30|0");
    }
    std::string const text = test::dxfWithEntities(entities);
    std::vector<double> shares;
    DxfParser counting([&shares](double share) {
        shares.push_back(share);
        return true;
    });
    EXPECT_EQ(DxfParser::Outcome::Read, counting.parse(text));
    EXPECT_GE(shares.size(), 19u);
    EXPECT_LE(shares.size(), 21u);
    EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
    EXPECT_LE(shares.back(), 1.0);

    int polls = 0;
    DxfParser cancelling([&polls](double) { return ++polls < 3; });
    EXPECT_EQ(DxfParser::Outcome::Cancelled, cancelling.parse(text));
    EXPECT_EQ(3, polls);
}

} // namespace
