// The DXF parser on the real sample files, on each kind of entity and on what real files get
// wrong; the reader as the import library uses it.
#include "BulgeArc.h"
#include "DxfParser.h"
#include "DxfReader.h"
#include "ReaderTestFixture.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

using namespace quarro;
using readers::DxfDrawing;
using readers::DxfParser;
using Point = model::Point3<double>;

// Group code / value pairs as a DXF writer puts them: "0|LINE|8|Faults" stands for the four lines
// 0, LINE, 8 and Faults.
std::string dxfPairs(std::string pairs) {
    std::replace(pairs.begin(), pairs.end(), '|', '\n');
    return pairs + "\n";
}

std::string dxfWithEntities(std::string const& entities) {
    return "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

DxfDrawing parsed(std::string const& text) {
    DxfParser parser;
    EXPECT_EQ(DxfParser::Outcome::Read, parser.parse(text)) << parser.failure().toStdString();
    return parser.takeDrawing();
}

std::string xyz(Point const& p) {
    auto const r = [](double v) { return std::round(v * 1e5) / 1e5 + 0.0; };
    std::ostringstream out;
    out.precision(12);
    out << '(' << r(p.x) << ' ' << r(p.y) << ' ' << r(p.z) << ')';
    return out.str();
}

// A polyline as "layer count:" and its points (only its ends past four points).
std::string describe(model::Polyline const& p) {
    std::string out = p.layer.toStdString() + ' ' + std::to_string(p.points.size()) + ':';
    for (std::size_t i = 0; i < p.points.size(); ++i) {
        if (p.points.size() <= 4 || i == 0 || i + 1 == p.points.size()) {
            out += xyz(p.points[i]);
        }
    }
    return out + (p.closed ? " closed; " : "; ");
}

// The drawing in one line: its polylines, then the points with their labels, their layers, what
// was skipped.
std::string describe(DxfDrawing const& d) {
    std::string out;
    for (model::Polyline const& p : d.polylines) {
        out += describe(p);
    }
    for (std::size_t i = 0; i < d.points.size(); ++i) {
        out += "point " + xyz(d.points[i]) + ' ' + d.pointLabels.at(i).toStdString() + "; ";
    }
    out += d.pointLayers.isEmpty() ? "" : "on " + d.pointLayers.join(',').toStdString() + "; ";
    for (auto const& [type, count] : d.skipped) {
        out += "skipped " + std::to_string(count) + ' ' + type + "; ";
    }
    return out + (d.paperSpaceEntities > 0 ? "paper space" : "");
}

std::string withBlocks(std::string const& blocks, std::string const& body) {
    return "0\nSECTION\n2\nBLOCKS\n" + blocks + "0\nENDSEC\n" + dxfWithEntities(body);
}

std::string block(char const* name, char const* x, char const* y, std::string const& body) {
    return dxfPairs(std::string("0|BLOCK|2|") + name + "|10|" + x + "|20|" + y + "|30|0") + body +
           dxfPairs("0|ENDBLK");
}

// The pairs as binary DXF: the sentinel, then each group code in two bytes (one below 255, as R12
// writes), texts ending in NUL, codes 10 to 59 as doubles and 60 to 79 as 16-bit integers.
std::string binaryDxf(std::string const& pairs, bool shortCodes = false) {
    std::string out("AutoCAD Binary DXF\r\n\x1a\0", 22);
    QStringList const fields = QString::fromStdString(pairs).split('|');
    for (int i = 0; i + 1 < fields.size(); i += 2) {
        int const code = fields[i].toInt();
        if (shortCodes && code >= 255) {
            out += '\xff';
        }
        out += static_cast<char>(code & 0xff);
        if (!shortCodes || code >= 255) {
            out += static_cast<char>(code >> 8);
        }
        double const real = fields[i + 1].toDouble();
        std::int16_t const integer = static_cast<std::int16_t>(fields[i + 1].toInt());
        if (code >= 10 && code < 60) {
            out.append(reinterpret_cast<char const*>(&real), 8);
        } else if (code >= 60 && code < 80) {
            out.append(reinterpret_cast<char const*>(&integer), 2);
        } else {
            out += fields[i + 1].toStdString() + '\0';
        }
    }
    return out;
}

std::string const unit = "0|LINE|10|1|20|1|11|2|21|1";
std::string const chords = "drawn as straight pieces of at most 5 degrees of arc (chord tolerance "
                           "0.1 % of the radius)";

struct EntityCase {
    char const* name;
    std::string text;
    std::string drawing; // as describe() gives it
    std::string comment; // text one of the comments holds
};

TEST(DxfParser, ReadsEachKindOfEntity) {
    std::string selfInserted;
    for (int level = 1; level <= 16; ++level) {
        selfInserted +=
            "0 2:(" + std::to_string(level) + " 1 0)(" + std::to_string(level + 1) + " 1 0); ";
    }
    std::string const diagonal = "0|LINE|10|0|20|0|11|1|21|1";
    std::string const binaryLine =
        "0|SECTION|2|ENTITIES|0|LINE|8|Faults|62|3|10|1.5|20|2.5|30|-3|11|4|21|5|31|6";
    std::string inserts;
    for (int i = 0; i < 10; ++i) {
        inserts += dxfPairs("0|INSERT|2|E|10|0|20|0");
    }
    // The entities as group pairs (see dxfPairs), or a whole file.
    std::vector<EntityCase> const cases = {
        {"line, points, hatch and paper space",
         "0|LINE|8|Faults|10|1|20|2|30|3|11|4|21|5|31|6|0|POINT|8|Wells|10|7|20|8|30|9|0|POINT|8|"
         "Tops|10|1|20|1|30|1|0|HATCH|1|a|0|HATCH|1|b|0|LINE|67|1|10|0|20|0|11|1|21|1",
         "Faults 2:(1 2 3)(4 5 6); point (7 8 9) ; point (1 1 1) ; on Wells,Tops; skipped 2 "
         "HATCH; paper space",
         ""},
        {"triangular 3DFACE",
         "0|3DFACE|10|0|20|0|30|0|11|1|21|0|31|0|12|1|22|1|32|0|13|1|23|1|33|0",
         "0 3:(0 0 0)(1 0 0)(1 1 0) closed; ", ""},
        {"3D polyline",
         "0|POLYLINE|8|Horizon|66|1|70|8|0|VERTEX|10|0|20|0|30|-10|70|32|0|VERTEX|10|5|20|0|30|-12|"
         "70|32|0|SEQEND",
         "Horizon 2:(0 0 -10)(5 0 -12); ", ""},
        {"2 x 3 polygon mesh",
         "0|POLYLINE|70|16|71|2|72|3|0|VERTEX|10|0|20|0|0|VERTEX|10|1|20|0|0|VERTEX|10|2|20|0|0|"
         "VERTEX|10|0|20|1|0|VERTEX|10|1|20|1|0|VERTEX|10|2|20|1|0|SEQEND",
         "0 3:(0 0 0)(1 0 0)(2 0 0); 0 3:(0 1 0)(1 1 0)(2 1 0); 0 2:(0 0 0)(0 1 0); 0 2:(1 0 0)(1 "
         "1 0); 0 2:(2 0 0)(2 1 0); ",
         ""},
        {"polyface mesh",
         "0|POLYLINE|70|64|0|VERTEX|10|0|20|0|70|192|0|VERTEX|10|4|20|0|70|192|0|VERTEX|10|4|20|3|"
         "70|192|0|VERTEX|70|128|71|1|72|-2|73|3|0|SEQEND",
         "0 3:(0 0 0)(4 0 0)(4 3 0) closed; ", ""},
        // Extrusion (0, 0, -1) mirrors x and z.
        {"lightweight polyline upside down",
         "0|LWPOLYLINE|90|2|70|0|38|3|10|1|20|2|10|4|20|2|210|0|220|0|230|-1",
         "0 2:(-1 2 -3)(-4 2 -3); ", ""},
        {"circle", "0|CIRCLE|8|Shafts|10|10|20|20|30|7|40|5",
         "Shafts 72:(15 20 7)(14.98097 19.56422 7) closed; ", chords},
        {"arc across zero", "0|ARC|10|0|20|0|40|5|50|355|51|5",
         "0 3:(4.98097 -0.43578 0)(5 0 0)(4.98097 0.43578 0); ", chords},
        {"half ellipse", "0|ELLIPSE|10|1|20|1|11|2|21|0|40|0.5|41|0|42|3.14159265358979",
         "0 37:(3 1 0)(-1 1 0); ", chords},
        {"spline by knots",
         "0|SPLINE|70|8|71|2|72|6|73|3|40|0|40|0|40|0|40|1|40|1|40|1|10|0|20|0|10|1|20|2|10|2|20|0",
         "0 9:(0 0 0)(2 0 0); ", chords},
        {"spline by fit points", "0|SPLINE|71|3|74|3|11|0|21|0|31|1|11|5|21|5|31|1|11|9|21|0|31|1",
         "0 3:(0 0 1)(5 5 1)(9 0 1); ", chords},
        {"texts",
         dxfWithEntities(dxfPairs("0|TEXT|10|3|20|4|30|5|40|2.5|1|Well A-1|0|MTEXT|10|6|20|7|3") +
                         "{\\fArial|b1;Top}\\P\n" + dxfPairs("1|Sand \\S1^2;")),
         "point (3 4 5) Well A-1; point (6 7 0) Top Sand 1/2; on 0; ", ""},
        {"insert scaled and rotated",
         withBlocks(block("B", "1", "1", dxfPairs(unit)),
                    dxfPairs("0|INSERT|8|Tops|2|B|10|10|20|10|41|2|42|2|50|90")),
         "Tops 2:(10 10 0)(10 12 0); ", "1 block inserts are drawn with their blocks' contents"},
        {"insert nested",
         withBlocks(block("B", "1", "1", dxfPairs(unit)) +
                        block("C", "0", "0", dxfPairs("0|INSERT|2|B|10|0|20|0")),
                    dxfPairs("0|INSERT|2|C|10|100|20|0|30|1")),
         "0 2:(100 0 1)(101 0 1); ", "2 block inserts are drawn with their blocks' contents"},
        {"insert of itself",
         withBlocks(block("R", "0", "0", dxfPairs(unit + "|0|INSERT|2|R|10|1|20|0")),
                    dxfPairs("0|INSERT|2|R|10|0|20|0")),
         selfInserted,
         "blocks nested deeper than 16 levels (a block that inserts itself?) are not "},
        // Empty blocks that insert each other ten times over would take 10^16 steps; the budget
        // ends it.
        {"inserts that multiply",
         withBlocks(block("E", "0", "0", inserts), dxfPairs(unit) + inserts),
         "0 2:(1 1 0)(2 1 0); ", "inserts; the rest are not read"},
        {"insert of an unknown block", unit + "|0|INSERT|2|NONE|10|0|20|0", "0 2:(1 1 0)(2 1 0); ",
         "the INSERT names the block 'NONE', which the file does not "},
        {"circle without radius", unit + "|0|CIRCLE|10|0|40|-1", "0 2:(1 1 0)(2 1 0); ",
         "the CIRCLE lacks its centre or a positive radius; it is not "},
        // Line 20 holds text where a number belongs: that LINE goes, the others stay.
        {"faults that leave the rest intact",
         dxfWithEntities(dxfPairs(diagonal +
                                  "|0|LINE|10|0|20|abc|11|1|21|1|0|LWPOLYLINE|90|5|10|0|"
                                  "20|0|10|1|20|0|" +
                                  diagonal)) +
             "\x1a",
         "0 2:(0 0 0)(1 1 0); 0 2:(0 0 0)(1 0 0); 0 2:(0 0 0)(1 1 0); ",
         "line 20: 'abc' is not a number; the LINE of line 15 is not read\nline 25: the LWPOLYLINE "
         "declares 5 vertices but has 2; the 2 are read"},
        // A missing SEQEND before the next entity closes the polyline there.
        {"POLYLINE without SEQEND", "0|POLYLINE|0|VERTEX|10|0|20|0|0|VERTEX|10|1|20|0|" + diagonal,
         "0 2:(0 0 0)(1 0 0); 0 2:(0 0 0)(1 1 0); ", "line 5: the POLYLINE ends without SEQEND"},
        {"binary", binaryDxf(binaryLine + "|0|ENDSEC|0|EOF"), "Faults 2:(1.5 2.5 -3)(4 5 6); ", ""},
        {"binary R12", binaryDxf(binaryLine + "|0|ENDSEC|0|EOF", true),
         "Faults 2:(1.5 2.5 -3)(4 5 6); ", ""},
        {"binary cut short", binaryDxf(binaryLine) + std::string("\0\0SEQ", 5),
         "Faults 2:(1.5 2.5 -3)(4 5 6); ", "the binary file ends inside a group at byte"},
        // R12 writes Windows-1252, 2007 and newer UTF-8; both may escape as \U+XXXX.
        {"layer names of every era",
         dxfPairs("0|SECTION|2|HEADER|9|$DWGCODEPAGE|3|ANSI_1252|0|ENDSEC") +
             dxfWithEntities(dxfPairs("0|POINT|8|Gel\xE4nde|10|0|20|0|0|POINT|8|Gel\xC3\xA4nde 2|"
                                      "10|0|20|0|0|POINT|8|Gel\\U+00E4nde 3|10|0|20|0")),
         "point (0 0 0) ; point (0 0 0) ; point (0 0 0) ; on Gel\xC3\xA4nde,Gel\xC3\xA4nde "
         "2,Gel\xC3\xA4nde 3; ",
         ""},
    };
    for (EntityCase const& c : cases) {
        SCOPED_TRACE(c.name);
        DxfDrawing const d =
            parsed(c.text.rfind("0|", 0) == 0 ? dxfWithEntities(dxfPairs(c.text)) : c.text);
        EXPECT_EQ(c.drawing, describe(d));
        QString const comments = d.comments.join(QLatin1Char('\n'));
        EXPECT_EQ(c.comment.empty(), comments.isEmpty()) << comments.toStdString();
        EXPECT_TRUE(comments.contains(QString::fromStdString(c.comment))) << comments.toStdString();
    }
}

// A bulge of 1 is a half circle, counter-clockwise from (0, 0) to (2, 0): through (1, -1).
TEST(DxfParser, DrawsBulgesAsArcs) {
    auto const points =
        parsed(dxfWithEntities(dxfPairs("0|LWPOLYLINE|90|2|10|0|20|0|42|1|10|2|20|0")))
            .polylines.at(0)
            .points;
    int const pieces = static_cast<int>(std::ceil(std::acos(-1.0) / readers::bulgeArcStep));
    ASSERT_EQ(static_cast<std::size_t>(pieces + 1), points.size());
    EXPECT_EQ("(2 0 0)", xyz(points.back()));
    for (Point const& p : points) {
        EXPECT_NEAR(1.0, std::hypot(p.x - 1.0, p.y), 1e-12);
    }
    EXPECT_EQ("(1 -1 0)", xyz(points[static_cast<std::size_t>(pieces / 2)]));
}

TEST(DxfParser, CrlfChangesNothingAndFilesCutShortOrFullOfFaultsSaySo) {
    std::string const text =
        test::readBytes(test::dataFile(QStringLiteral("dxf/POLI-ALL210_12.DXF")));
    EXPECT_EQ(describe(parsed(text)), describe(parsed(test::withCrlf(text))));

    // A file cut short in a POLYLINE keeps what came before, and says so.
    DxfDrawing const shortened = parsed(text.substr(0, text.find("VERTEX", text.size() * 3 / 4)));
    EXPECT_GT(shortened.polylines.size(), 5u);
    EXPECT_LT(shortened.polylines.size(), 31u);
    QString const comments = shortened.comments.join('\n');
    EXPECT_TRUE(comments.contains("ends without SEQEND") && comments.contains("ends without EOF"))
        << comments.toStdString();

    // Many faults: the first are listed, the rest counted.
    std::string many;
    for (int i = 0; i < 30; ++i) {
        many += dxfPairs("0|LINE|10|0|20|abc|11|1|21|1");
    }
    DxfDrawing const noisy = parsed(dxfWithEntities(many + dxfPairs(unit)));
    EXPECT_EQ(DxfParser::maxComments + 1, noisy.comments.size());
    EXPECT_EQ(QStringLiteral("10 more faults are not listed"), noisy.comments.back());
}

TEST(DxfParser, FailsWithTheLineWhenTheFileIsNoAsciiDxf) {
    std::string broken = dxfWithEntities(dxfPairs(unit));
    broken.insert(broken.find("11\n"), "x1\n");
    std::vector<std::pair<std::string, char const*>> const cases = {
        {"AutoCAD Binary DXF\r\n\x1a", "binary DXF"},
        {"ncols 4\nnrows 3\n", "line 1: not an ASCII DXF file: 'ncols 4' is not a group code"},
        {"", "no SECTION"},
        {"0\nLINE\n", "line 1: not an ASCII DXF"},
        {broken, "line 11: 'x1' is not a group code; the file is damaged from this line on"}};
    for (auto const& [text, failure] : cases) {
        DxfParser parser;
        EXPECT_EQ(DxfParser::Outcome::Failed, parser.parse(text));
        EXPECT_TRUE(parser.failure().contains(QLatin1String(failure)))
            << parser.failure().toStdString();
    }
}

TEST(DxfParser, PollsPerBlockAndStopsWhenCancelled) {
    std::string entities;
    while (entities.size() < 20 * DxfParser::pollBytes) {
        entities += dxfPairs("0|POINT|10|1.5|20|2.5|30|0");
    }
    std::string const text = dxfWithEntities(entities);
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

using DxfReaderTest = test::ReaderTestFixture;
using import::AbstractFileReader;
using readers::DxfReader;

TEST_F(DxfReaderTest, VerifiesByContent) {
    std::vector<std::pair<QString, char const*>> const files = {
        {test::dataFile(QStringLiteral("dxf/POLI-ALL210_12.DXF")), ""},
        {test::dataFile(QStringLiteral("dxf/usa.dxf")), ""},
        {test::writeScratch("binary.dxf", std::string("AutoCAD Binary DXF\r\n\x1a\0\0\0", 24)), ""},
        {test::writeScratch("notes.dxf", "Survey notes\nnot a drawing\n"), "not an ASCII DXF file"},
        {QStringLiteral("/no/such/file.dxf"), "the file cannot be read"}};
    for (auto const& [path, refusal] : files) {
        QString message;
        std::bitset<4> const bits = DxfReader().verify(utilities::filesystem_to_url(path), message);
        EXPECT_EQ(*refusal == 0 ? std::bitset<4>("1001") : std::bitset<4>(), bits)
            << path.toStdString();
        EXPECT_EQ(*refusal == 0, message.isEmpty());
        EXPECT_TRUE(message.contains(QLatin1String(refusal))) << message.toStdString();
    }
}

TEST_F(DxfReaderTest, ReadsTheSamplesIntoTheDocument) {
    DxfReader reader;
    ASSERT_EQ(AbstractFileReader::IMPORT_OK,
              read(reader, {test::dataFile(QStringLiteral("dxf/usa.dxf")),
                            test::dataFile(QStringLiteral("dxf/POLI-ALL210_12.DXF"))}));
    ASSERT_EQ(2u, document().object_count());
    auto const& usa = object<model::PolylineSet>(0);
    ASSERT_EQ(59u, usa.polylineCount());
    EXPECT_EQ(5650u, usa.pointCount());
    EXPECT_EQ(120u, usa.polylines()[0].points.size());
    EXPECT_EQ("(-20.81984 0.56703 0)", xyz(usa.polylines()[0].points[0]));
    EXPECT_EQ(QStringLiteral("DXF AC1027"), usa.property(QStringLiteral("format")));

    // The polylines lie in a tilted plane (extrusion 210/220/230): world coordinates as ezdxf
    // computes them. The second polyline's first vertex has a bulge: its arc adds points. The
    // last is a 3DFACE.
    auto const& poli = object<model::PolylineSet>(1);
    ASSERT_EQ(31u, poli.polylineCount());
    EXPECT_EQ((QStringList{QStringLiteral("T-2DPLINE-ALL"), QStringLiteral("0")}), poli.layers());
    auto const& first = poli.polylines()[0].points;
    ASSERT_EQ(5u, first.size());
    EXPECT_EQ("(6.65263 5.99968 1.56974)", xyz(first.front()));
    EXPECT_EQ("(10.40999 1.54407 3.01344)", xyz(first.back()));
    EXPECT_GT(poli.polylines()[1].points.size(), 4u);
    EXPECT_EQ("(9.18611 4.36855 2.07286)", xyz(poli.polylines()[1].points.front()));
    EXPECT_EQ("0 4:(-6 13 0)(18 13 0)(18 -11 0)(-6 -11 0) closed; ",
              describe(poli.polylines().back()));
    EXPECT_EQ(15, std::count_if(poli.polylines().begin(), poli.polylines().end(),
                                [](model::Polyline const& p) { return p.closed; }));

    QString const summary = reader.import_summary();
    EXPECT_TRUE(summary.contains(QLatin1String("usa.dxf: 59 polylines on 1 layer<br />")));
    EXPECT_TRUE(summary.contains(QLatin1String("POLI-ALL210_12.DXF: 31 polylines on 2 layers")));
}

TEST_F(DxfReaderTest, GivesPointsAndTextsAnObjectOfTheirOwn) {
    QString const name = QString::fromUtf8("Bohrungen \xC3\x96lfeld <1>.dxf");
    QString const path = test::writeScratch(
        name, dxfWithEntities(dxfPairs("0|POINT|8|Wells|10|1|20|2|30|3|0|CIRCLE|10|0|20|0|40|2|0|"
                                       "TEXT|8|Wells|10|0|20|0|1|Shaft 1|0|HATCH|10|0|20|0|40|1")));
    DxfReader reader;
    ASSERT_EQ(AbstractFileReader::IMPORT_OK, read(reader, {path}));
    ASSERT_EQ(2u, document().object_count());
    auto const& points = object<model::PointSet>(1);
    EXPECT_EQ(name, points.name());
    EXPECT_EQ((std::vector<QString>{QString(), QStringLiteral("Shaft 1")}), points.labels());
    EXPECT_EQ(QStringLiteral("Wells"), points.property(QStringLiteral("layers")));
    // The summary is HTML: the name's brackets are escaped.
    QString const summary = reader.import_summary();
    EXPECT_TRUE(summary.contains(QString::fromUtf8(
        "Bohrungen \xC3\x96lfeld &lt;1&gt;.dxf: 1 polyline on 1 layer, 2 points")))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains(QLatin1String("not read: 1 HATCH")));
}

TEST_F(DxfReaderTest, FailsWithAReasonAndAddsNothing) {
    QString const broken =
        test::writeScratch("broken.dxf", "0\nSECTION\n2\nENTITIES\n0\nLINE\n?\n0\n");
    QString const empty =
        test::writeScratch("text-only.dxf", dxfWithEntities(dxfPairs("0|HATCH|1|legend")));
    DxfReader reader;
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED, read(reader, {broken, empty}));
    EXPECT_EQ(0u, document().object_count());
    EXPECT_EQ(2, reader.failures());
    QString const summary = reader.import_summary();
    EXPECT_TRUE(summary.contains(
        QLatin1String("broken.dxf: <b><font color='red'>Failed</font></b><br />line 7: '?' is "
                      "not a group code")))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains(QLatin1String("(it holds 1 HATCH)")));

    DxfReader orphan;
    m_id = housekeeping::DocumentId(9999);
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED, read(orphan, {broken}));
    EXPECT_TRUE(orphan.import_summary().contains(
        QLatin1String("the document to read into does not exist")));
}

TEST_F(DxfReaderTest, CancelLeavesTheDocumentEmpty) {
    // Large enough for the hook to ask the progress object (once per 51 queries, one query per
    // 16 KB).
    std::string entities;
    while (entities.size() < 60 * DxfParser::pollBytes) {
        entities += dxfPairs(unit);
    }
    QString const path = test::writeScratch("large.dxf", dxfWithEntities(entities));
    DxfReader reader;
    EXPECT_EQ(AbstractFileReader::IMPORT_CANCELLED, readCancelled(reader, {path}));
    EXPECT_EQ(0u, document().object_count());
}

} // namespace
