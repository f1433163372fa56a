// The DXF entities that real drawings are made of besides lines and polylines:
// curves, splines, texts, block inserts, and binary DXF files.
#include "DxfParser.h"
#include "DxfReader.h"
#include "DxfTestSupport.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"
#include "utilities/UrlUtilities.h"

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace quarro;
using readers::DxfDrawing;
using readers::DxfParser;
using test::dxfPairs;
using Point = model::Point3<double>;

std::string entities(std::string const& body) {
    return test::dxfWithEntities(body);
}

std::string withBlocks(std::string const& blocks, std::string const& body) {
    return "0\nSECTION\n2\nBLOCKS\n" + blocks + "0\nENDSEC\n" + entities(body);
}

std::string block(char const* name, char const* x, char const* y, std::string const& body) {
    return dxfPairs(std::string("0|BLOCK|2|") + name + "|10|" + x + "|20|" + y + "|30|0") + body +
           dxfPairs("0|ENDBLK");
}

std::string const unitLine = dxfPairs("0|LINE|10|1|20|1|11|2|21|1");

struct Case {
    char const* name;
    std::string text;
    std::size_t polylines;
    // The first polyline: its point count, ends and whether it is closed.
    std::size_t vertices;
    Point first;
    Point last;
    bool closed;
    std::vector<QString> labels;
    // Text one of the comments holds.
    char const* comment;
};

void PrintTo(Case const& c, std::ostream* out) {
    *out << c.name;
}

class DxfEntities : public testing::TestWithParam<Case> {};

bool near(Point const& a, Point const& b) {
    return std::fabs(a.x - b.x) < 1e-9 && std::fabs(a.y - b.y) < 1e-9 &&
           std::fabs(a.z - b.z) < 1e-9;
}

TEST_P(DxfEntities, AreRead) {
    Case const& c = GetParam();
    DxfParser parser;
    ASSERT_EQ(DxfParser::Outcome::Read, parser.parse(c.text)) << parser.failure().toStdString();
    DxfDrawing const& d = parser.drawing();
    QString const comments = d.comments.join(QLatin1Char('\n'));
    EXPECT_TRUE(comments.contains(QLatin1String(c.comment))) << comments.toStdString();
    EXPECT_TRUE(d.skipped.empty());
    ASSERT_EQ(c.polylines, d.polylines.size());
    if (c.polylines > 0) {
        model::Polyline const& p = d.polylines.front();
        EXPECT_EQ(c.vertices, p.points.size());
        EXPECT_TRUE(near(c.first, p.points.front()))
            << p.points.front().x << " " << p.points.front().y << " " << p.points.front().z;
        EXPECT_TRUE(near(c.last, p.points.back()))
            << p.points.back().x << " " << p.points.back().y << " " << p.points.back().z;
        EXPECT_EQ(c.closed, p.closed);
    }
    EXPECT_EQ(c.labels, d.pointLabels);
    EXPECT_EQ(d.points.size(), d.pointLabels.size());
}

char const* const chords = "drawn as straight pieces of at most 5 degrees of arc (chord "
                           "tolerance 0.1 % of the radius)";
double const r5 = 5.0 * std::cos(5.0 * 3.14159265358979323846 / 180.0);
double const s5 = 5.0 * std::sin(5.0 * 3.14159265358979323846 / 180.0);

// Binary DXF: the sentinel, then groups with two-byte codes (or one-byte ones,
// as R12 writes).
struct Binary {
    bool shortCodes = false;
    std::string bytes{"AutoCAD Binary DXF\r\n\x1a\0", 22};
    Binary& code(int c) {
        if (shortCodes && c < 255) {
            bytes += static_cast<char>(c);
        } else {
            if (shortCodes) {
                bytes += '\xff';
            }
            bytes += static_cast<char>(c & 0xff);
            bytes += static_cast<char>(c >> 8);
        }
        return *this;
    }
    Binary& text(int c, char const* value) {
        code(c);
        bytes.append(value, std::strlen(value) + 1);
        return *this;
    }
    Binary& real(int c, double value) {
        code(c);
        char raw[8];
        std::memcpy(raw, &value, 8);
        bytes.append(raw, 8);
        return *this;
    }
    Binary& int16(int c, std::int16_t value) {
        code(c);
        bytes += static_cast<char>(value & 0xff);
        bytes += static_cast<char>((value >> 8) & 0xff);
        return *this;
    }
    std::string line(bool cut = false) {
        text(0, "SECTION").text(2, "ENTITIES").text(0, "LINE").text(8, "Faults").int16(62, 3);
        real(10, 1.5).real(20, 2.5).real(30, -3).real(11, 4).real(21, 5).real(31, 6);
        if (cut) {
            return bytes + std::string("\0\0SEQ", 5);
        }
        return text(0, "ENDSEC").text(0, "EOF").bytes;
    }
};

INSTANTIATE_TEST_SUITE_P(
    Drawings, DxfEntities,
    testing::Values(
        Case{"circle",
             entities(dxfPairs("0|CIRCLE|8|Shafts|10|10|20|20|30|7|40|5")),
             1,
             72,
             Point(15, 20, 7),
             Point(10 + r5, 20 - s5, 7),
             true,
             {},
             chords},
        Case{"arc_across_zero",
             entities(dxfPairs("0|ARC|10|0|20|0|40|5|50|355|51|5")),
             1,
             3,
             Point(r5, -s5, 0),
             Point(r5, s5, 0),
             false,
             {},
             chords},
        Case{"arc_upside_down_ocs",
             entities(dxfPairs("0|ARC|10|0|20|0|30|2|40|1|50|0|51|90|210|0|220|0|230|-1")),
             1,
             19,
             Point(-1, 0, -2),
             Point(0, 1, -2),
             false,
             {},
             chords},
        Case{"ellipse_half",
             entities(dxfPairs("0|ELLIPSE|10|1|20|1|11|2|21|0|40|0.5|41|0|42|3."
                               "141592653589793")),
             1,
             37,
             Point(3, 1, 0),
             Point(-1, 1, 0),
             false,
             {},
             chords},
        Case{"spline_knots",
             entities(dxfPairs("0|SPLINE|70|8|71|2|72|6|73|3|40|0|40|0|40|0|40|"
                               "1|40|1|40|1|10|0|20|0|10|1|20|2|10|2|20|0")),
             1,
             9,
             Point(0, 0, 0),
             Point(2, 0, 0),
             false,
             {},
             chords},
        Case{"spline_fit_points",
             entities(dxfPairs("0|SPLINE|71|3|74|3|11|0|21|0|31|1|11|5|21|5|31|"
                               "1|11|9|21|0|31|1")),
             1,
             3,
             Point(0, 0, 1),
             Point(9, 0, 1),
             false,
             {},
             chords},
        Case{"texts",
             entities(dxfPairs("0|TEXT|10|3|20|4|30|5|40|2.5|1|Well A-1|0|MTEXT|10|6|20|7|3") +
                      "{\\fArial|b1;Top}\\P\n" + dxfPairs("1|Sand \\S1^2;")),
             0,
             0,
             Point(),
             Point(),
             false,
             {"Well A-1", "Top Sand 1/2"},
             ""},
        Case{"insert_scaled_rotated",
             withBlocks(block("B", "1", "1", unitLine),
                        dxfPairs("0|INSERT|8|Tops|2|B|10|10|20|10|41|2|42|2|50|90")),
             1,
             2,
             Point(10, 10, 0),
             Point(10, 12, 0),
             false,
             {},
             "1 block inserts are drawn with their blocks' contents"},
        Case{"insert_nested",
             withBlocks(block("B", "1", "1", unitLine) +
                            block("C", "0", "0", dxfPairs("0|INSERT|2|B|10|0|20|0")),
                        dxfPairs("0|INSERT|2|C|10|100|20|0|30|1")),
             1,
             2,
             Point(100, 0, 1),
             Point(101, 0, 1),
             false,
             {},
             "2 block inserts are drawn with their blocks' contents"},
        Case{"insert_itself",
             withBlocks(block("R", "0", "0", unitLine + dxfPairs("0|INSERT|2|R|10|1|20|0")),
                        dxfPairs("0|INSERT|2|R|10|0|20|0")),
             16,
             2,
             Point(1, 1, 0),
             Point(2, 1, 0),
             false,
             {},
             "blocks nested deeper than 16 levels (a block that inserts "
             "itself?) are not read"},
        Case{"insert_unknown_block",
             entities(unitLine + dxfPairs("0|INSERT|2|NONE|10|0|20|0")),
             1,
             2,
             Point(1, 1, 0),
             Point(2, 1, 0),
             false,
             {},
             "the INSERT names the block 'NONE', which the file does not "
             "define"},
        Case{"bad_circle",
             entities(unitLine + dxfPairs("0|CIRCLE|10|0|40|-1")),
             1,
             2,
             Point(1, 1, 0),
             Point(2, 1, 0),
             false,
             {},
             "the CIRCLE lacks its centre or a positive radius; it is not read"},
        Case{"binary", Binary().line(), 1, 2, Point(1.5, 2.5, -3), Point(4, 5, 6), false, {}, ""},
        Case{"binary_r12",
             Binary{true}.line(),
             1,
             2,
             Point(1.5, 2.5, -3),
             Point(4, 5, 6),
             false,
             {},
             ""},
        Case{"binary_cut",
             Binary().line(true),
             1,
             2,
             Point(1.5, 2.5, -3),
             Point(4, 5, 6),
             false,
             {},
             "the binary file ends inside a group at byte"}),
    [](testing::TestParamInfo<Case> const& info) { return std::string(info.param.name); });

// Empty blocks that insert each other ten times over would take 10^16 steps;
// the budget ends it.
TEST(DxfEntities, InsertsThatMultiplyEnd) {
    std::string inserts;
    for (int i = 0; i < 10; ++i) {
        inserts += dxfPairs("0|INSERT|2|E|10|0|20|0");
    }
    DxfParser parser;
    ASSERT_EQ(DxfParser::Outcome::Read,
              parser.parse(withBlocks(block("E", "0", "0", inserts), unitLine + inserts)));
    EXPECT_TRUE(parser.drawing().comments.join(' ').contains(
        QLatin1String("inserts; the rest are not read")))
        << parser.drawing().comments.join('\n').toStdString();
}

// A drawing of circles and texts only becomes a polyline set and a labelled
// point set.
TEST(DxfEntities, CirclesAndTextsAloneAreImported) {
    using housekeeping::DocumentManager;
    QString const path = test::writeScratch(
        QStringLiteral("shafts.dxf"),
        entities(dxfPairs("0|CIRCLE|10|0|20|0|40|2|0|TEXT|10|0|20|0|1|Shaft 1")));
    auto const id = DocumentManager::instance().create_document();
    readers::DxfReader reader;
    auto const source = boost::make_shared<housekeeping::DataSource>(
        utilities::filesystem_to_url(QStringList{path}), nullptr);
    ASSERT_EQ(import::AbstractFileReader::IMPORT_OK,
              reader.import_data(source, id, true, nullptr, false))
        << reader.import_summary().toStdString();
    auto* document =
        dynamic_cast<housekeeping::Document*>(DocumentManager::instance().document_from_id(id));
    ASSERT_NE(nullptr, document);
    ASSERT_EQ(2u, document->object_count());
    auto const* points = dynamic_cast<model::PointSet const*>(document->objects()[1].get());
    ASSERT_NE(nullptr, points);
    EXPECT_EQ(std::vector<QString>{QStringLiteral("Shaft 1")}, points->labels());
    EXPECT_TRUE(reader.import_summary().contains(QLatin1String(chords)));
    DocumentManager::instance().destroy_all();
}

} // namespace
