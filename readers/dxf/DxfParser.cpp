#include "DxfParser.h"

#include "BulgeArc.h"

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

// Quotes a value from the file for a comment, shortened so that a runaway line stays readable.
QString quoted(std::string_view value) {
    constexpr std::size_t limit = 40;
    QString text =
        QString::fromLatin1(value.data(), static_cast<int>(std::min(value.size(), limit)));
    if (value.size() > limit) {
        text += QStringLiteral("...");
    }
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString lineText(std::size_t line) {
    return QString::number(static_cast<qulonglong>(line));
}

constexpr std::string_view binarySentinel = "AutoCAD Binary DXF";
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

} // namespace

DxfParser::DxfParser(ProgressPoll poll)
    : m_poll(std::move(poll)) {}

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
}

DxfParser::Outcome DxfParser::parse(std::string_view text) {
    reset();
    if (text.substr(0, binarySentinel.size()) == binarySentinel) {
        m_failure = QStringLiteral("this is a binary DXF file; only ASCII DXF files can be read "
                                   "(save the drawing as ASCII DXF)");
        return Outcome::Failed;
    }
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
                if (section == Section::Entities) {
                    finishPolyline("ends without SEQEND");
                }
                section = Section::None;
                expectSectionName = false;
            } else if (group.value == "EOF") {
                sawEof = true;
                break;
            } else if (section == Section::Entities) {
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
            } else {
                section = Section::Other;
            }
            continue;
        }
        if (section == Section::Header) {
            headerGroup(group);
        } else if (section == Section::Entities && m_inEntity) {
            entityGroup(group);
        }
    }
    finishEntity();
    finishPolyline("ends without SEQEND");
    if (!sawSection) {
        m_failure = QStringLiteral("not an ASCII DXF file: it holds no SECTION");
        return Outcome::Failed;
    }
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
    if (e.kind == Kind::Skipped) {
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
    if (e.paperSpace && !ownedByPolyline && e.kind != Kind::Polyline) {
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
    case Kind::Skipped: {
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
    m_drawing.polylines.push_back(std::move(polyline));
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
    m_drawing.points.push_back(e.corners[0]);
    QString const layer = layerName(e.layer);
    if (!m_drawing.pointLayers.contains(layer)) {
        m_drawing.pointLayers.append(layer);
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
    if (m_faults > maxComments) {
        m_drawing.comments.append(
            QStringLiteral("%1 more faults are not listed").arg(m_faults - maxComments));
    }
}

} // namespace readers
} // namespace quarro
