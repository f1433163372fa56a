#include "DxfParser.h"

#include "BinaryDxf.h"
#include "BulgeArc.h"
#include "CurveApproximation.h"
#include "QuotedText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace quarro {
namespace readers {

namespace {

using Point = model::Point3<double>;

bool parseDouble(std::string_view text, double& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    char const* const end = text.data() + text.size();
    double parsed = 0.0;
    auto const result = std::from_chars(text.data(), end, parsed);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

bool parseInteger(std::string_view text, long long& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    char const* const end = text.data() + text.size();
    auto const result = std::from_chars(text.data(), end, value);
    if (result.ec == std::errc() && result.ptr == end) {
        return true;
    }
    // Some writers put integers as reals ("1.0").
    double real = 0.0;
    if (!parseDouble(text, real) || real != std::floor(real) || std::fabs(real) > 1e15) {
        return false;
    }
    value = static_cast<long long>(real);
    return true;
}

QString lineText(std::size_t line) {
    return QString::number(static_cast<qulonglong>(line));
}

constexpr double pi = 3.14159265358979323846;
constexpr std::string_view utf8Bom = "\xEF\xBB\xBF";

// POLYLINE flags (group 70).
constexpr int polylineClosed = 1;
constexpr int polyline3D = 8;
constexpr int polygonMesh = 16;
constexpr int meshClosedN = 32;
constexpr int polyfaceMesh = 64;
// VERTEX flags (group 70).
constexpr int vertexSplineFrame = 16;
constexpr int vertexPolyfaceVertex = 64;
constexpr int vertexPolyfaceFace = 128;
// LWPOLYLINE flag (group 70).
constexpr int lwPolylineClosed = 1;
// SPLINE flag (group 70).
constexpr int splineClosed = 1;

// The text of an MTEXT without its formatting codes: "\P" (new paragraph) becomes a blank,
// font, height and colour switches ("\fArial|b1;", "\H2.5x;") and braces go, a stacked
// fraction ("\S1^2;") becomes "1/2", escaped characters stay.
std::string plainMText(std::string_view raw) {
    std::string text;
    std::size_t i = 0;
    std::size_t const n = raw.size();
    while (i < n) {
        char const c = raw[i];
        if (c == '{' || c == '}') {
            ++i;
            continue;
        }
        if (c != '\\' || i + 1 >= n) {
            text += c;
            ++i;
            continue;
        }
        char const code = raw[i + 1];
        std::size_t const semicolon = raw.find(';', i + 2);
        std::size_t const after = semicolon == std::string_view::npos ? n : semicolon + 1;
        switch (code) {
        case 'P':
        case 'X':
        case '~':
            text += ' ';
            i += 2;
            break;
        case '\\':
        case '{':
        case '}':
            text += code;
            i += 2;
            break;
        case 'L':
        case 'l':
        case 'O':
        case 'o':
        case 'K':
        case 'k':
            i += 2;
            break;
        case 'S':
            for (char f : raw.substr(i + 2, after - (i + 2))) {
                if (f != ';') {
                    text += f == '^' || f == '#' ? '/' : f;
                }
            }
            i = after;
            break;
        default:
            i = after;
            break;
        }
    }
    std::size_t const first = text.find_first_not_of(' ');
    std::size_t const last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// A sweep from `start` to `end` in radians, counter-clockwise, in (0, 2 pi]; equal ends make a
// full turn.
double counterClockwiseSweep(double start, double end) {
    double sweep = std::fmod(end - start, 2.0 * pi);
    if (sweep <= 1e-12) {
        sweep += 2.0 * pi;
    }
    return sweep;
}

} // namespace

DxfParser::DxfParser(ProgressPoll poll)
    : m_poll(std::move(poll)) {}

void DxfParser::capInserts(std::size_t points, std::size_t inserts) {
    m_pointCap = points;
    m_insertCap = inserts;
}

void DxfParser::reset() {
    m_drawing = DxfDrawing();
    m_failure.clear();
    m_decoder = TextDecoder();
    m_decoder.setUnicodeEscapes(true);
    m_layers.clear();
    m_entity = Entity();
    m_inEntity = false;
    m_pending = PendingPolyline();
    m_headerVariable = std::string_view();
    m_faults = 0;
    m_target = &m_drawing;
    m_inBlocks = false;
    m_blocks.clear();
    m_block = nullptr;
    m_inserts.clear();
    m_insertedPoints = 0;
    m_insertBudgetSpent = false;
    m_tooDeep = false;
    m_curves = 0;
    m_insertsRead = 0;
    m_binaryText = std::string();
}

DxfParser::Outcome DxfParser::parse(std::string_view text) {
    reset();
    std::size_t binaryCut = 0;
    bool const binary = isBinaryDxf(text);
    if (binary) {
        // The groups are written out as ASCII DXF; line numbers then count those lines (a
        // group's code stands on line 2n - 1).
        binaryCut = binaryDxfToText(text, m_binaryText);
        if (binaryCut == text.size()) {
            binaryCut = 0;
        } else {
            binaryCut = std::max<std::size_t>(binaryCut, 1);
        }
        text = m_binaryText;
    }
    m_pointBudget = std::min(
        std::clamp(text.size() * insertedPointsPerByte, minInsertedPoints, maxInsertedPoints),
        m_pointCap);
    m_insertBudget =
        std::min(std::clamp(text.size() * insertsPerByte, minInserts, maxInserts), m_insertCap);
    if (text.substr(0, utf8Bom.size()) == utf8Bom) {
        text.remove_prefix(utf8Bom.size());
    }

    DxfGroupScanner scanner(text);
    Section section = Section::None;
    bool expectSectionName = false;
    bool sawSection = false;
    bool sawEof = false;
    std::size_t nextPoll = pollBytes;
    DxfGroup group;
    for (;;) {
        if (scanner.position() >= nextPoll) {
            nextPoll = scanner.position() + pollBytes;
            double const share = static_cast<double>(scanner.position()) / text.size();
            if (m_poll && !m_poll(share)) {
                return Outcome::Cancelled;
            }
        }
        DxfGroupScanner::Status const status = scanner.next(group);
        if (status == DxfGroupScanner::Status::End) {
            break;
        }
        if (status == DxfGroupScanner::Status::MissingValue) {
            comment(scanner.line(), QStringLiteral("the file ends after a group code"));
            break;
        }
        if (status == DxfGroupScanner::Status::BadCode) {
            if (!sawSection) {
                m_failure = QStringLiteral("line %1: not an ASCII DXF file: %2 is not a group code")
                                .arg(lineText(scanner.line()), quoted(scanner.badLine()));
            } else {
                m_failure = QStringLiteral("line %1: %2 is not a group code; the file is damaged "
                                           "from this line on")
                                .arg(lineText(scanner.line()), quoted(scanner.badLine()));
            }
            return Outcome::Failed;
        }
        if (!sawSection) {
            if (group.code == 999) {
                continue;
            }
            if (group.code != 0 || group.value != "SECTION") {
                m_failure = QStringLiteral("line %1: not an ASCII DXF file: it must begin with a "
                                           "SECTION (group 0), not group %2 %3")
                                .arg(lineText(group.line))
                                .arg(group.code)
                                .arg(quoted(group.value));
                return Outcome::Failed;
            }
        }
        if (group.code == 0) {
            finishEntity();
            if (group.value == "SECTION") {
                if (section == Section::Entities) {
                    finishPolyline("ends without SEQEND");
                    comment(group.line, QStringLiteral("a SECTION begins before the ENTITIES "
                                                       "section ended (ENDSEC is missing)"));
                }
                section = Section::None;
                expectSectionName = true;
                sawSection = true;
            } else if (group.value == "ENDSEC") {
                if (section == Section::Entities || section == Section::Blocks) {
                    finishPolyline("ends without SEQEND");
                }
                m_block = nullptr;
                m_target = &m_drawing;
                section = Section::None;
                expectSectionName = false;
            } else if (group.value == "EOF") {
                sawEof = true;
                break;
            } else if (section == Section::Entities || section == Section::Blocks) {
                m_inBlocks = section == Section::Blocks;
                beginEntity(group);
            }
            continue;
        }
        if (expectSectionName) {
            expectSectionName = false;
            if (group.code == 2 && group.value == "HEADER") {
                section = Section::Header;
            } else if (group.code == 2 && group.value == "ENTITIES") {
                section = Section::Entities;
            } else if (group.code == 2 && group.value == "BLOCKS") {
                section = Section::Blocks;
            } else {
                section = Section::Other;
            }
            continue;
        }
        if (section == Section::Header) {
            headerGroup(group);
        } else if ((section == Section::Entities || section == Section::Blocks) && m_inEntity) {
            entityGroup(group);
        }
    }
    finishEntity();
    finishPolyline("ends without SEQEND");
    m_block = nullptr;
    m_target = &m_drawing;
    if (binaryCut > 0) {
        comment(0, QStringLiteral("the binary file ends inside a group at byte %1; the groups "
                                  "before it are read")
                       .arg(static_cast<qulonglong>(binaryCut)));
    }
    if (!sawSection) {
        m_failure = binary ? QStringLiteral("the binary DXF file holds no SECTION")
                           : QStringLiteral("not an ASCII DXF file: it holds no SECTION");
        return Outcome::Failed;
    }
    expandInserts();
    if (!sawEof) {
        comment(scanner.line(), QStringLiteral("the file ends without EOF (cut short?); what "
                                               "stands before this line was read"));
    }
    finishComments();
    return Outcome::Read;
}

void DxfParser::headerGroup(DxfGroup const& group) {
    if (group.code == 9) {
        m_headerVariable = group.value;
    } else if (group.code == 1 && m_headerVariable == "$ACADVER") {
        m_drawing.version =
            QString::fromLatin1(group.value.data(), static_cast<int>(group.value.size()));
    } else if (group.code == 3 && m_headerVariable == "$DWGCODEPAGE") {
        m_decoder.setCodePage(group.value);
    }
}

void DxfParser::beginEntity(DxfGroup const& group) {
    Entity& e = m_entity;
    std::string_view const type = group.value;
    if (type == "LINE") {
        e.kind = Kind::Line;
    } else if (type == "POINT") {
        e.kind = Kind::Point;
    } else if (type == "3DFACE") {
        e.kind = Kind::Face;
    } else if (type == "POLYLINE") {
        e.kind = Kind::Polyline;
    } else if (type == "VERTEX") {
        e.kind = Kind::Vertex;
    } else if (type == "SEQEND") {
        e.kind = Kind::SeqEnd;
    } else if (type == "LWPOLYLINE") {
        e.kind = Kind::LwPolyline;
    } else if (type == "CIRCLE") {
        e.kind = Kind::Circle;
    } else if (type == "ARC") {
        e.kind = Kind::Arc;
    } else if (type == "ELLIPSE") {
        e.kind = Kind::Ellipse;
    } else if (type == "SPLINE") {
        e.kind = Kind::Spline;
    } else if (type == "TEXT") {
        e.kind = Kind::Text;
    } else if (type == "MTEXT") {
        e.kind = Kind::MText;
    } else if (type == "INSERT") {
        e.kind = Kind::Insert;
    } else if (type == "BLOCK" && m_inBlocks) {
        e.kind = Kind::Block;
    } else if (type == "ENDBLK" && m_inBlocks) {
        e.kind = Kind::EndBlock;
    } else {
        e.kind = Kind::Skipped;
    }
    if (m_pending.open && e.kind != Kind::Vertex && e.kind != Kind::SeqEnd) {
        finishPolyline("ends without SEQEND");
    }
    e.type = type;
    e.line = group.line;
    e.layer = std::string_view("0");
    e.flags = 0;
    e.paperSpace = false;
    e.corners = {};
    e.hasCorner = {};
    e.elevation = 0.0;
    e.extrusion = Point(0.0, 0.0, 1.0);
    e.bulge = 0.0;
    e.indices = {};
    e.declaredVertices = -1;
    e.lwVertices.clear();
    e.size = 0.0;
    e.hasSize = false;
    e.start = 0.0;
    e.end = 0.0;
    e.hasEnd = false;
    e.scale = Point(1.0, 1.0, 1.0);
    e.name = std::string_view();
    e.text.clear();
    e.controls.clear();
    e.fits.clear();
    e.knots.clear();
    e.weights.clear();
    e.badLine = 0;
    e.badValue = std::string_view();
    m_inEntity = true;
}

void DxfParser::readNumber(DxfGroup const& group, double& target) {
    if (!parseDouble(group.value, target) && m_entity.badLine == 0) {
        m_entity.badLine = group.line + 1;
        m_entity.badValue = group.value;
    }
}

void DxfParser::readInteger(DxfGroup const& group, int& target) {
    long long value = 0;
    if (parseInteger(group.value, value) && value >= std::numeric_limits<int>::min() &&
        value <= std::numeric_limits<int>::max()) {
        target = static_cast<int>(value);
    } else if (m_entity.badLine == 0) {
        m_entity.badLine = group.line + 1;
        m_entity.badValue = group.value;
    }
}

void DxfParser::entityGroup(DxfGroup const& group) {
    Entity& e = m_entity;
    int const code = group.code;
    if (code == 67) {
        int space = 0;
        readInteger(group, space);
        e.paperSpace = space != 0;
        return;
    }
    if (e.kind == Kind::Skipped || curveGroup(group)) {
        return;
    }
    bool const lightweight = e.kind == Kind::LwPolyline;
    switch (code) {
    case 8:
        e.layer = group.value;
        break;
    case 10:
        if (lightweight) {
            e.lwVertices.emplace_back();
            readNumber(group, e.lwVertices.back().x);
            break;
        }
        [[fallthrough]];
    case 11:
    case 12:
    case 13:
        readNumber(group, e.corners[code - 10].x);
        e.hasCorner[code - 10] = true;
        break;
    case 20:
        if (lightweight) {
            if (e.lwVertices.empty()) {
                comment(group.line + 1, QStringLiteral("a y coordinate without an x coordinate "
                                                       "is ignored"));
            } else {
                readNumber(group, e.lwVertices.back().y);
            }
            break;
        }
        [[fallthrough]];
    case 21:
    case 22:
    case 23:
        readNumber(group, e.corners[code - 20].y);
        break;
    case 30:
    case 31:
    case 32:
    case 33:
        readNumber(group, e.corners[code - 30].z);
        break;
    case 38:
        readNumber(group, e.elevation);
        break;
    case 42:
        readNumber(group,
                   lightweight && !e.lwVertices.empty() ? e.lwVertices.back().bulge : e.bulge);
        break;
    case 70:
        readInteger(group, e.flags);
        break;
    case 71:
    case 72:
    case 73:
    case 74:
        readInteger(group, e.indices[code - 71]);
        break;
    case 90: {
        long long count = 0;
        if (parseInteger(group.value, count)) {
            e.declaredVertices = count;
        }
        break;
    }
    case 210:
        readNumber(group, e.extrusion.x);
        break;
    case 220:
        readNumber(group, e.extrusion.y);
        break;
    case 230:
        readNumber(group, e.extrusion.z);
        break;
    default:
        break;
    }
}

bool DxfParser::curveGroup(DxfGroup const& group) {
    Entity& e = m_entity;
    int const code = group.code;
    switch (e.kind) {
    case Kind::Circle:
    case Kind::Arc:
    case Kind::Ellipse:
        if (code == 40) {
            readNumber(group, e.size);
            e.hasSize = true;
            return true;
        }
        if ((e.kind == Kind::Arc && code == 50) || (e.kind == Kind::Ellipse && code == 41)) {
            readNumber(group, e.start);
            return true;
        }
        if ((e.kind == Kind::Arc && code == 51) || (e.kind == Kind::Ellipse && code == 42)) {
            readNumber(group, e.end);
            e.hasEnd = true;
            return true;
        }
        return false;
    case Kind::Spline:
        if (code == 10 || code == 11) {
            std::vector<Point>& points = code == 10 ? e.controls : e.fits;
            points.emplace_back();
            readNumber(group, points.back().x);
            return true;
        }
        if (code == 20 || code == 21 || code == 30 || code == 31) {
            std::vector<Point>& points = code % 10 == 0 ? e.controls : e.fits;
            if (!points.empty()) {
                readNumber(group, code < 30 ? points.back().y : points.back().z);
            }
            return true;
        }
        if (code == 40 || code == 41) {
            std::vector<double>& values = code == 40 ? e.knots : e.weights;
            values.emplace_back();
            readNumber(group, values.back());
            return true;
        }
        return false;
    case Kind::Text:
    case Kind::MText:
        if (code == 1 || code == 3) {
            // MTEXT splits long texts into chunks of 250 characters (3), the last one in 1.
            e.text.append(group.value.data(), group.value.size());
            return true;
        }
        return code == 11 || code == 21 || code == 31; // alignment point or direction
    case Kind::Insert:
        if (code >= 41 && code <= 43) {
            readNumber(group, code == 41 ? e.scale.x : code == 42 ? e.scale.y : e.scale.z);
            return true;
        }
        if (code == 50) {
            readNumber(group, e.start);
            return true;
        }
        [[fallthrough]];
    case Kind::Block:
        if (code == 2) {
            e.name = group.value;
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool DxfParser::entityIsBad(char const* what) {
    if (m_entity.badLine == 0) {
        return false;
    }
    comment(m_entity.badLine,
            QStringLiteral("%1 is not a number; the %2 of line %3 is not read")
                .arg(quoted(m_entity.badValue), QLatin1String(what), lineText(m_entity.line)));
    return true;
}

void DxfParser::finishEntity() {
    if (!m_inEntity) {
        return;
    }
    m_inEntity = false;
    Entity const& e = m_entity;
    bool const ownedByPolyline = e.kind == Kind::Vertex || e.kind == Kind::SeqEnd;
    // Inside a block definition group 67 only says where the block is meant to be used.
    if (e.paperSpace && !ownedByPolyline && e.kind != Kind::Polyline && m_block == nullptr &&
        e.kind != Kind::Block && e.kind != Kind::EndBlock) {
        ++m_drawing.paperSpaceEntities;
        return;
    }
    switch (e.kind) {
    case Kind::Line:
        addLine();
        break;
    case Kind::Point:
        addPoint();
        break;
    case Kind::Face:
        addFace();
        break;
    case Kind::Polyline:
        m_pending.open = true;
        m_pending.line = e.line;
        m_pending.layer = layerName(e.layer);
        m_pending.flags = e.flags;
        m_pending.paperSpace = e.paperSpace;
        m_pending.dropped = entityIsBad("POLYLINE");
        m_pending.elevation = e.corners[0].z;
        m_pending.extrusion = e.extrusion;
        m_pending.meshM = e.indices[0];
        m_pending.meshN = e.indices[1];
        m_pending.vertices.clear();
        break;
    case Kind::Vertex:
        addVertex();
        break;
    case Kind::SeqEnd:
        // A SEQEND also closes the attributes of a block reference; only a polyline needs it here.
        finishPolyline(nullptr);
        break;
    case Kind::LwPolyline:
        addLwPolyline();
        break;
    case Kind::Circle:
    case Kind::Arc:
        addCircleOrArc();
        break;
    case Kind::Ellipse:
        addEllipse();
        break;
    case Kind::Spline:
        addSpline();
        break;
    case Kind::Text:
    case Kind::MText:
        addText();
        break;
    case Kind::Insert:
        addInsert();
        break;
    case Kind::Block:
        beginBlock();
        break;
    case Kind::EndBlock:
        finishPolyline("ends without SEQEND");
        m_block = nullptr;
        m_target = &m_drawing;
        break;
    case Kind::Skipped: {
        if (m_block != nullptr) {
            break; // counted where the block is inserted, if ever
        }
        auto const found = m_drawing.skipped.find(e.type);
        if (found != m_drawing.skipped.end()) {
            ++found->second;
        } else {
            m_drawing.skipped.emplace(std::string(e.type), 1);
        }
        break;
    }
    }
}

void DxfParser::addPolylineOf(std::vector<Point> points, bool closed, QString const& layer) {
    model::Polyline polyline;
    polyline.points = std::move(points);
    polyline.closed = closed;
    polyline.layer = layer;
    m_target->polylines.push_back(std::move(polyline));
}

void DxfParser::addLine() {
    Entity const& e = m_entity;
    if (entityIsBad("LINE")) {
        return;
    }
    if (!e.hasCorner[0] || !e.hasCorner[1]) {
        comment(e.line, QStringLiteral("the LINE lacks its start or end point; it is not read"));
        return;
    }
    addPolylineOf({e.corners[0], e.corners[1]}, false, layerName(e.layer));
}

void DxfParser::addPoint() {
    Entity const& e = m_entity;
    if (entityIsBad("POINT")) {
        return;
    }
    if (!e.hasCorner[0]) {
        comment(e.line, QStringLiteral("the POINT has no position; it is not read"));
        return;
    }
    addLabelledPoint(e.corners[0], QString(), layerName(e.layer));
}

void DxfParser::addLabelledPoint(Point const& point, QString const& label, QString const& layer) {
    m_target->points.push_back(point);
    m_target->pointLabels.push_back(label);
    if (!m_target->pointLayers.contains(layer)) {
        m_target->pointLayers.append(layer);
    }
}

void DxfParser::addCircleOrArc() {
    Entity const& e = m_entity;
    bool const arc = e.kind == Kind::Arc;
    char const* const what = arc ? "ARC" : "CIRCLE";
    if (entityIsBad(what)) {
        return;
    }
    if (!e.hasCorner[0] || !(e.size > 0.0)) {
        comment(e.line, QStringLiteral("the %1 lacks its centre or a positive radius; it is not "
                                       "read")
                            .arg(QLatin1String(what)));
        return;
    }
    double const start = arc ? e.start * pi / 180.0 : 0.0;
    double const sweep =
        arc ? counterClockwiseSweep(start, (e.hasEnd ? e.end : 360.0) * pi / 180.0) : 2.0 * pi;
    std::vector<Point> points = arcPoints(e.corners[0], e.size, start, sweep);
    bool const closed = !arc;
    if (closed) {
        points.pop_back(); // the closing point repeats the first
    }
    ObjectCoordinateSystem const ocs(e.extrusion);
    if (!ocs.isWorld()) {
        for (Point& point : points) {
            point = ocs.toWorld(point);
        }
    }
    countCurve();
    addPolylineOf(std::move(points), closed, layerName(e.layer));
}

void DxfParser::addEllipse() {
    Entity const& e = m_entity;
    if (entityIsBad("ELLIPSE")) {
        return;
    }
    Point const major = e.corners[1];
    double const majorLength = std::sqrt(major.x * major.x + major.y * major.y + major.z * major.z);
    if (!e.hasCorner[0] || !e.hasCorner[1] || !(majorLength > 0.0) || !(e.size > 0.0) ||
        !std::isfinite(majorLength)) {
        comment(e.line, QStringLiteral("the ELLIPSE lacks its centre, its major axis or a "
                                       "positive axis ratio; it is not read"));
        return;
    }
    // The minor axis lies in the ellipse's plane (normal: the extrusion), a quarter turn
    // counter-clockwise from the major axis.
    Point n = e.extrusion;
    double const nLength = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    n = nLength > 0.0 && std::isfinite(nLength) ? Point(n.x / nLength, n.y / nLength, n.z / nLength)
                                                : Point(0.0, 0.0, 1.0);
    double const ratio = e.size;
    Point const minor(ratio * (n.y * major.z - n.z * major.y),
                      ratio * (n.z * major.x - n.x * major.z),
                      ratio * (n.x * major.y - n.y * major.x));
    double const start = e.start;
    double const sweep = e.hasEnd ? counterClockwiseSweep(start, e.end) : 2.0 * pi;
    std::vector<Point> points = ellipsePoints(e.corners[0], major, minor, start, sweep);
    bool const closed = std::fabs(sweep - 2.0 * pi) < 1e-9;
    if (closed) {
        points.pop_back();
    }
    countCurve();
    addPolylineOf(std::move(points), closed, layerName(e.layer));
}

void DxfParser::addSpline() {
    Entity const& e = m_entity;
    if (entityIsBad("SPLINE")) {
        return;
    }
    bool const closed = (e.flags & splineClosed) != 0;
    int const degree = e.indices[0];
    std::vector<Point> points;
    if (degree >= 1 && degree <= 25 && e.controls.size() > static_cast<std::size_t>(degree)) {
        points = bSplinePoints(degree, e.controls, e.knots, e.weights, splinePointsPerSpan);
        if (points.empty()) {
            comment(e.line, QStringLiteral("the SPLINE's knots do not fit its %1 control points; "
                                           "evenly spaced knots are used")
                                .arg(static_cast<qulonglong>(e.controls.size())));
            std::vector<double> const weights =
                e.weights.size() == e.controls.size() ? e.weights : std::vector<double>();
            points =
                bSplinePoints(degree, e.controls, clampedUniformKnots(degree, e.controls.size()),
                              weights, splinePointsPerSpan);
        }
    }
    if (points.empty() && e.fits.size() >= 2) {
        points = e.fits; // the curve passes through its fit points
    }
    if (points.size() < 2) {
        comment(e.line, QStringLiteral("the SPLINE has neither control points for its degree %1 "
                                       "nor two fit points; it is not read")
                            .arg(degree));
        return;
    }
    countCurve();
    addPolylineOf(std::move(points), closed, layerName(e.layer));
}

void DxfParser::addText() {
    Entity const& e = m_entity;
    char const* const what = e.kind == Kind::Text ? "TEXT" : "MTEXT";
    if (entityIsBad(what)) {
        return;
    }
    if (!e.hasCorner[0]) {
        comment(e.line,
                QStringLiteral("the %1 has no position; it is not read").arg(QLatin1String(what)));
        return;
    }
    Point position = e.corners[0];
    // TEXT stands in its object coordinate system, MTEXT in world coordinates.
    if (e.kind == Kind::Text) {
        position = ObjectCoordinateSystem(e.extrusion).toWorld(position);
    }
    std::string const plain = e.kind == Kind::MText ? plainMText(e.text) : e.text;
    addLabelledPoint(position, m_decoder.decode(plain), layerName(e.layer));
}

void DxfParser::addInsert() {
    Entity const& e = m_entity;
    if (entityIsBad("INSERT")) {
        return;
    }
    if (e.name.empty()) {
        comment(e.line, QStringLiteral("the INSERT names no block; it is not read"));
        return;
    }
    InsertRef ref;
    ref.name.assign(e.name.data(), e.name.size());
    ref.line = e.line;
    ref.layer = layerName(e.layer);
    ref.position = e.corners[0];
    ref.scale = e.scale;
    ref.rotation = e.start;
    ref.extrusion = e.extrusion;
    (m_block != nullptr ? m_block->inserts : m_inserts).push_back(std::move(ref));
}

void DxfParser::beginBlock() {
    Entity const& e = m_entity;
    finishPolyline("ends without SEQEND");
    Block& block = m_blocks[std::string(e.name)];
    // A name defined twice: the later definition counts.
    block = Block();
    block.base = e.corners[0];
    m_block = &block;
    m_target = &block.contents;
}

void DxfParser::expandInserts() {
    m_target = &m_drawing;
    std::vector<InsertRef> const inserts = std::move(m_inserts);
    m_inserts.clear();
    for (InsertRef const& ref : inserts) {
        expand(ref, BlockTransform(), 0);
    }
    if (m_tooDeep) {
        comment(0, QStringLiteral("blocks nested deeper than %1 levels (a block that inserts "
                                  "itself?) are not read")
                       .arg(maxInsertDepth));
    }
    if (m_insertBudgetSpent) {
        comment(0, QStringLiteral("the inserted blocks would add more than %1 points or %2 "
                                  "inserts; the rest are not read")
                       .arg(static_cast<qulonglong>(m_pointBudget))
                       .arg(static_cast<qulonglong>(m_insertBudget)));
    }
}

void DxfParser::expand(InsertRef const& ref, BlockTransform const& outer, int depth) {
    if (m_insertBudgetSpent) {
        return;
    }
    if (depth >= maxInsertDepth) {
        m_tooDeep = true;
        return;
    }
    auto const found = m_blocks.find(ref.name);
    if (found == m_blocks.end()) {
        comment(ref.line, QStringLiteral("the INSERT names the block %1, which the file does not "
                                         "define; it is not read")
                              .arg(quoted(ref.name)));
        return;
    }
    Block const& block = found->second;
    std::size_t size = block.contents.points.size();
    for (model::Polyline const& polyline : block.contents.polylines) {
        size += polyline.points.size();
    }
    // Empty blocks that insert each other would never pass the point limit: inserts count too.
    if (m_insertedPoints + size > m_pointBudget || m_insertsRead >= m_insertBudget) {
        m_insertBudgetSpent = true;
        return;
    }
    m_insertedPoints += size;
    ++m_insertsRead;
    BlockTransform const transform = outer.after(BlockTransform::forInsert(
        block.base, ref.position, ref.scale, ref.rotation, ref.extrusion));
    // What a block draws on layer 0 takes the layer of the INSERT.
    auto layerOf = [&ref](QString const& layer) {
        return layer == QLatin1String("0") ? ref.layer : layer;
    };
    for (model::Polyline const& polyline : block.contents.polylines) {
        std::vector<Point> points;
        points.reserve(polyline.points.size());
        for (Point const& point : polyline.points) {
            points.push_back(transform.apply(point));
        }
        addPolylineOf(std::move(points), polyline.closed, layerOf(polyline.layer));
    }
    for (std::size_t i = 0; i < block.contents.points.size(); ++i) {
        m_drawing.points.push_back(transform.apply(block.contents.points[i]));
        m_drawing.pointLabels.push_back(block.contents.pointLabels[i]);
    }
    for (QString const& layer : block.contents.pointLayers) {
        if (!m_drawing.pointLayers.contains(layerOf(layer))) {
            m_drawing.pointLayers.append(layerOf(layer));
        }
    }
    for (InsertRef const& nested : block.inserts) {
        InsertRef inner = nested;
        inner.layer = layerOf(nested.layer);
        expand(inner, transform, depth + 1);
    }
}

void DxfParser::addFace() {
    Entity const& e = m_entity;
    if (entityIsBad("3DFACE")) {
        return;
    }
    if (!e.hasCorner[0] || !e.hasCorner[1] || !e.hasCorner[2]) {
        comment(e.line, QStringLiteral("the 3DFACE has fewer than three corners; it is not read"));
        return;
    }
    std::vector<Point> corners{e.corners[0], e.corners[1], e.corners[2]};
    // A triangle repeats its third corner as the fourth.
    if (e.hasCorner[3] && e.corners[3] != e.corners[2]) {
        corners.push_back(e.corners[3]);
    }
    addPolylineOf(std::move(corners), true, layerName(e.layer));
}

void DxfParser::addVertex() {
    Entity const& e = m_entity;
    if (!m_pending.open) {
        comment(e.line, QStringLiteral("a VERTEX outside a POLYLINE is ignored"));
        return;
    }
    if (m_pending.dropped || entityIsBad("VERTEX")) {
        return;
    }
    Vertex vertex;
    vertex.position = e.corners[0];
    vertex.bulge = e.bulge;
    vertex.flags = e.flags;
    vertex.indices = e.indices;
    m_pending.vertices.push_back(vertex);
}

void DxfParser::addLwPolyline() {
    Entity const& e = m_entity;
    if (entityIsBad("LWPOLYLINE")) {
        return;
    }
    auto const count = static_cast<long long>(e.lwVertices.size());
    if (e.declaredVertices >= 0 && e.declaredVertices != count) {
        comment(e.line, QStringLiteral("the LWPOLYLINE declares %1 vertices but has %2; the %2 "
                                       "are read")
                            .arg(e.declaredVertices)
                            .arg(count));
    }
    if (count == 0) {
        comment(e.line, QStringLiteral("the LWPOLYLINE has no vertices; it is not read"));
        return;
    }
    addPlanarPolyline(e.lwVertices, e.elevation, ObjectCoordinateSystem(e.extrusion),
                      (e.flags & lwPolylineClosed) != 0, layerName(e.layer));
}

void DxfParser::addPlanarPolyline(std::vector<LwVertex> const& vertices, double elevation,
                                  ObjectCoordinateSystem const& ocs, bool closed,
                                  QString const& layer) {
    std::size_t const n = vertices.size();
    std::vector<Point> points;
    points.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        Point const from(vertices[i].x, vertices[i].y, elevation);
        points.push_back(from);
        bool const hasSegment = i + 1 < n || (closed && n > 1);
        if (hasSegment && vertices[i].bulge != 0.0) {
            LwVertex const& next = vertices[(i + 1) % n];
            appendBulgeArc(points, from, Point(next.x, next.y, elevation), vertices[i].bulge);
        }
    }
    if (!ocs.isWorld()) {
        for (Point& point : points) {
            point = ocs.toWorld(point);
        }
    }
    addPolylineOf(std::move(points), closed, layer);
}

void DxfParser::finishPolyline(char const* why) {
    if (!m_pending.open) {
        return;
    }
    m_pending.open = false;
    if (why != nullptr) {
        comment(m_pending.line, QStringLiteral("the POLYLINE %1").arg(QLatin1String(why)));
    }
    if (m_pending.paperSpace) {
        ++m_drawing.paperSpaceEntities;
        return;
    }
    if (m_pending.dropped) {
        return;
    }
    if (m_pending.vertices.empty()) {
        comment(m_pending.line, QStringLiteral("the POLYLINE has no vertices; it is not read"));
        return;
    }
    int const flags = m_pending.flags;
    if ((flags & polyfaceMesh) != 0) {
        addPolyface();
        return;
    }
    if ((flags & polygonMesh) != 0) {
        addMesh();
        return;
    }
    bool const closed = (flags & polylineClosed) != 0;
    if ((flags & polyline3D) != 0) {
        std::vector<Point> points;
        points.reserve(m_pending.vertices.size());
        for (Vertex const& vertex : m_pending.vertices) {
            if ((vertex.flags & vertexSplineFrame) == 0) {
                points.push_back(vertex.position);
            }
        }
        if (!points.empty()) {
            addPolylineOf(std::move(points), closed, m_pending.layer);
        }
        return;
    }
    // A 2D polyline: x and y in its object coordinate system, z from the POLYLINE's elevation.
    m_planar.clear();
    for (Vertex const& vertex : m_pending.vertices) {
        if ((vertex.flags & vertexSplineFrame) == 0) {
            m_planar.push_back({vertex.position.x, vertex.position.y, vertex.bulge});
        }
    }
    if (!m_planar.empty()) {
        addPlanarPolyline(m_planar, m_pending.elevation,
                          ObjectCoordinateSystem(m_pending.extrusion), closed, m_pending.layer);
    }
}

void DxfParser::addMesh() {
    std::vector<Vertex> const& vertices = m_pending.vertices;
    long long const m = m_pending.meshM;
    long long const n = m_pending.meshN;
    if (m <= 0 || n <= 0 || m * n != static_cast<long long>(vertices.size())) {
        comment(m_pending.line, QStringLiteral("the polygon mesh of %1 x %2 vertices has %3; its "
                                               "vertices are read as one polyline")
                                    .arg(m)
                                    .arg(n)
                                    .arg(static_cast<qulonglong>(vertices.size())));
        std::vector<Point> points;
        for (Vertex const& vertex : vertices) {
            points.push_back(vertex.position);
        }
        addPolylineOf(std::move(points), false, m_pending.layer);
        return;
    }
    // The mesh's wire frame: its rows (N direction) and its columns (M direction).
    for (long long row = 0; row < m; ++row) {
        std::vector<Point> points;
        for (long long col = 0; col < n; ++col) {
            points.push_back(vertices[static_cast<std::size_t>(row * n + col)].position);
        }
        addPolylineOf(std::move(points), (m_pending.flags & meshClosedN) != 0, m_pending.layer);
    }
    for (long long col = 0; col < n; ++col) {
        std::vector<Point> points;
        for (long long row = 0; row < m; ++row) {
            points.push_back(vertices[static_cast<std::size_t>(row * n + col)].position);
        }
        addPolylineOf(std::move(points), (m_pending.flags & polylineClosed) != 0, m_pending.layer);
    }
}

void DxfParser::addPolyface() {
    std::vector<Point> corners;
    std::vector<Vertex const*> faces;
    for (Vertex const& vertex : m_pending.vertices) {
        if ((vertex.flags & vertexPolyfaceVertex) != 0) {
            corners.push_back(vertex.position);
        } else if ((vertex.flags & vertexPolyfaceFace) != 0) {
            faces.push_back(&vertex);
        }
    }
    int badFaces = 0;
    for (Vertex const* face : faces) {
        std::vector<Point> points;
        bool valid = true;
        for (int index : face->indices) {
            // Negative indices mark invisible edges; 0 ends a triangle.
            long long const corner = std::llabs(static_cast<long long>(index));
            if (corner == 0) {
                continue;
            }
            if (corner > static_cast<long long>(corners.size())) {
                valid = false;
                break;
            }
            points.push_back(corners[static_cast<std::size_t>(corner - 1)]);
        }
        if (!valid || points.empty()) {
            ++badFaces;
            continue;
        }
        addPolylineOf(std::move(points), true, m_pending.layer);
    }
    if (badFaces > 0) {
        comment(m_pending.line,
                QStringLiteral("%1 faces of the polyface mesh name vertices it does "
                               "not have; they are not read")
                    .arg(badFaces));
    }
    if (faces.empty()) {
        comment(m_pending.line, QStringLiteral("the polyface mesh has no faces; it is not read"));
    }
}

QString DxfParser::layerName(std::string_view raw) {
    auto const found = m_layers.find(raw);
    if (found != m_layers.end()) {
        return found->second;
    }
    QString const name = m_decoder.decode(raw);
    m_layers.emplace(raw, name);
    return name;
}

void DxfParser::comment(std::size_t line, QString const& text) {
    ++m_faults;
    if (m_faults > maxComments) {
        return;
    }
    m_drawing.comments.append(line > 0 ? QStringLiteral("line %1: %2").arg(lineText(line), text)
                                       : text);
}

void DxfParser::finishComments() {
    QStringList notes;
    if (m_curves > 0) {
        notes << QStringLiteral("%1 circles, arcs, ellipses and splines are drawn as straight "
                                "pieces of at most 5 degrees of arc (chord tolerance 0.1 % of "
                                "the radius)")
                     .arg(m_curves);
    }
    if (m_insertsRead > 0) {
        notes << QStringLiteral("%1 block inserts are drawn with their blocks' contents")
                     .arg(static_cast<qulonglong>(m_insertsRead));
    }
    m_drawing.comments = notes + m_drawing.comments;
    if (m_faults > maxComments) {
        m_drawing.comments.append(
            QStringLiteral("%1 more faults are not listed").arg(m_faults - maxComments));
    }
}

} // namespace readers
} // namespace quarro
