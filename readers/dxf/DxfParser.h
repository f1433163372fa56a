#ifndef QUARRO_READERS_DXF_DXFPARSER_H
#define QUARRO_READERS_DXF_DXFPARSER_H

#include "DxfDrawing.h"
#include "DxfGroupScanner.h"
#include "ObjectCoordinateSystem.h"
#include "TextDecoder.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <cstddef>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quarro {
namespace readers {

// Reads the model space of an ASCII DXF text (R12 and newer): LINE, POLYLINE with its VERTEX
// and SEQEND entities (2D and 3D polylines, polygon meshes, polyface meshes), LWPOLYLINE, POINT
// and 3DFACE. Planar entities are taken from their object coordinate system to world
// coordinates, and arc segments (bulges) are approximated by straight pieces. Other entities,
// blocks and paper space are counted, not read.
//
// Faults that leave the rest of the file intact (an entity with text where a number belongs, a
// wrong vertex count, a missing SEQEND or EOF) drop or repair what they touch and leave a
// comment; a broken group code ends the parse with a failure naming the line.
class DxfParser {
public:
    enum class Outcome { Read, Failed, Cancelled };

    // Called once per pollBytes of input with the share read so far (0 to 1); returning false
    // cancels the parse.
    using ProgressPoll = std::function<bool(double fraction)>;
    static constexpr std::size_t pollBytes = 16 * 1024;
    // Comments kept per file; further faults are only counted.
    static constexpr int maxComments = 20;

    explicit DxfParser(ProgressPoll poll = ProgressPoll());

    // Parses one file's text. The text must outlive the call only.
    Outcome parse(std::string_view text);

    DxfDrawing const& drawing() const { return m_drawing; }
    DxfDrawing takeDrawing() { return std::move(m_drawing); }
    // Why the parse failed, naming the line where it could.
    QString const& failure() const { return m_failure; }

private:
    Q_DISABLE_COPY(DxfParser)

    enum class Section { None, Header, Entities, Other };
    enum class Kind { Line, Point, Face, Polyline, Vertex, SeqEnd, LwPolyline, Skipped };

    struct LwVertex {
        double x = 0.0;
        double y = 0.0;
        double bulge = 0.0;
    };

    // The groups of the entity being read.
    struct Entity {
        Kind kind = Kind::Skipped;
        std::string_view type;
        std::size_t line = 0;
        std::string_view layer;
        int flags = 0;
        bool paperSpace = false;
        std::array<model::Point3<double>, 4> corners;
        std::array<bool, 4> hasCorner{};
        double elevation = 0.0;
        model::Point3<double> extrusion{0.0, 0.0, 1.0};
        double bulge = 0.0;
        std::array<int, 4> indices{};
        long long declaredVertices = -1;
        std::vector<LwVertex> lwVertices;
        // The first value that is not a number, with its line; 0 when there is none.
        std::size_t badLine = 0;
        std::string_view badValue;
    };

    struct Vertex {
        model::Point3<double> position;
        double bulge = 0.0;
        int flags = 0;
        std::array<int, 4> indices{};
    };

    // A POLYLINE whose VERTEX entities are still coming.
    struct PendingPolyline {
        bool open = false;
        std::size_t line = 0;
        QString layer;
        int flags = 0;
        bool paperSpace = false;
        // The POLYLINE entity itself could not be read: its vertices are swallowed.
        bool dropped = false;
        double elevation = 0.0;
        model::Point3<double> extrusion{0.0, 0.0, 1.0};
        int meshM = 0;
        int meshN = 0;
        std::vector<Vertex> vertices;
    };

    void reset();
    void headerGroup(DxfGroup const& group);
    void beginEntity(DxfGroup const& group);
    void entityGroup(DxfGroup const& group);
    void finishEntity();
    void finishPolyline(char const* why);

    void readNumber(DxfGroup const& group, double& target);
    void readInteger(DxfGroup const& group, int& target);
    bool entityIsBad(char const* what);

    void addLine();
    void addPoint();
    void addFace();
    void addVertex();
    void addLwPolyline();
    void addPlanarPolyline(std::vector<LwVertex> const& vertices, double elevation,
                           ObjectCoordinateSystem const& ocs, bool closed, QString const& layer);
    void addMesh();
    void addPolyface();
    void addPolylineOf(std::vector<model::Point3<double>> points, bool closed,
                       QString const& layer);

    QString layerName(std::string_view raw);
    void comment(std::size_t line, QString const& text);
    void finishComments();

    ProgressPoll m_poll;
    DxfDrawing m_drawing;
    QString m_failure;
    TextDecoder m_decoder;
    std::unordered_map<std::string_view, QString> m_layers;
    Entity m_entity;
    bool m_inEntity = false;
    PendingPolyline m_pending;
    std::string_view m_headerVariable;
    int m_faults = 0;
    // Scratch space reused between polylines.
    std::vector<LwVertex> m_planar;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_DXF_DXFPARSER_H
