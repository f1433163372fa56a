#ifndef QUARRO_READERS_DXF_DXFPARSER_H
#define QUARRO_READERS_DXF_DXFPARSER_H

#include "BlockTransform.h"
#include "DxfDrawing.h"
#include "DxfGroupScanner.h"
#include "ObjectCoordinateSystem.h"
#include "TextDecoder.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quarro {
namespace readers {

// Reads the model space of a DXF file (ASCII or binary, R12 and newer): LINE, POLYLINE with its
// VERTEX and SEQEND entities (2D and 3D polylines, polygon meshes, polyface meshes), LWPOLYLINE,
// POINT, 3DFACE, CIRCLE, ARC, ELLIPSE and SPLINE as polylines, TEXT and MTEXT as points labelled
// with their text, and INSERT as the contents of its block (from the BLOCKS section; placed,
// scaled and rotated, nested up to maxInsertDepth). Planar entities are taken from their object
// coordinate system to world coordinates; arcs, bulges, ellipses and splines become straight
// pieces (see CurveApproximation.h). Other entities and paper space are counted, not read.
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
    // How deep INSERTs nest (a block that inserts itself stops here).
    static constexpr int maxInsertDepth = 16;
    // The most points, and inserts, that inserted blocks may add: nested inserts multiply. The
    // limits grow with the file (insertedPointsPerByte and insertsPerByte) between these bounds,
    // so that a small file cannot keep the reader busy for seconds.
    static constexpr std::size_t maxInsertedPoints = 10'000'000;
    static constexpr std::size_t minInsertedPoints = 100'000;
    static constexpr std::size_t insertedPointsPerByte = 1'000;
    static constexpr std::size_t maxInserts = 1'000'000;
    static constexpr std::size_t minInserts = 10'000;
    static constexpr std::size_t insertsPerByte = 100;
    // Points per knot span of a spline.
    static constexpr int splinePointsPerSpan = 8;

    explicit DxfParser(ProgressPoll poll = ProgressPoll());

    // Lowers the upper bounds of what inserted blocks may add (for callers that parse many small
    // inputs and want each to stay quick); the bounds that grow with the file still apply.
    void capInserts(std::size_t points, std::size_t inserts);

    // Parses one file's text. The text must outlive the call only.
    Outcome parse(std::string_view text);

    DxfDrawing const& drawing() const { return m_drawing; }
    DxfDrawing takeDrawing() { return std::move(m_drawing); }
    // Why the parse failed, naming the line where it could.
    QString const& failure() const { return m_failure; }

private:
    Q_DISABLE_COPY(DxfParser)

    enum class Section { None, Header, Blocks, Entities, Other };
    enum class Kind {
        Line,
        Point,
        Face,
        Polyline,
        Vertex,
        SeqEnd,
        LwPolyline,
        Circle,
        Arc,
        Ellipse,
        Spline,
        Text,
        MText,
        Insert,
        Block,
        EndBlock,
        Skipped
    };

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
        // 40: radius (CIRCLE, ARC), axis ratio (ELLIPSE).
        double size = 0.0;
        bool hasSize = false;
        // 50 and 51 (ARC, degrees) or 41 and 42 (ELLIPSE, radians); 50 is an INSERT's rotation.
        double start = 0.0;
        double end = 0.0;
        bool hasEnd = false;
        model::Point3<double> scale{1.0, 1.0, 1.0};
        // 2: the block's name (BLOCK, INSERT).
        std::string_view name;
        // 1 and 3: the text of TEXT and MTEXT.
        std::string text;
        std::vector<model::Point3<double>> controls;
        std::vector<model::Point3<double>> fits;
        std::vector<double> knots;
        std::vector<double> weights;
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

    // A block reference, resolved once the whole file is read.
    struct InsertRef {
        std::string name;
        std::size_t line = 0;
        QString layer;
        model::Point3<double> position;
        model::Point3<double> scale{1.0, 1.0, 1.0};
        double rotation = 0.0;
        model::Point3<double> extrusion{0.0, 0.0, 1.0};
    };

    struct Block {
        model::Point3<double> base;
        DxfDrawing contents;
        std::vector<InsertRef> inserts;
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
    bool curveGroup(DxfGroup const& group);
    void addCircleOrArc();
    void addEllipse();
    void addSpline();
    void addText();
    void addInsert();
    void beginBlock();
    void expandInserts();
    void expand(InsertRef const& ref, BlockTransform const& outer, int depth);
    void addLabelledPoint(model::Point3<double> const& point, QString const& label,
                          QString const& layer);
    void addMesh();
    void addPolyface();
    void addPolylineOf(std::vector<model::Point3<double>> points, bool closed,
                       QString const& layer);

    QString layerName(std::string_view raw);
    void comment(std::size_t line, QString const& text);
    void finishComments();
    void countCurve() { ++m_curves; }

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
    // Where entities go: the drawing, or the block being defined.
    DxfDrawing* m_target = nullptr;
    bool m_inBlocks = false;
    std::unordered_map<std::string, Block> m_blocks;
    Block* m_block = nullptr;
    std::vector<InsertRef> m_inserts;
    std::size_t m_insertedPoints = 0;
    std::size_t m_pointBudget = 0;
    std::size_t m_insertBudget = 0;
    std::size_t m_pointCap = maxInsertedPoints;
    std::size_t m_insertCap = maxInserts;
    bool m_insertBudgetSpent = false;
    bool m_tooDeep = false;
    int m_curves = 0;
    std::size_t m_insertsRead = 0;
    // A binary file's groups as ASCII DXF text.
    std::string m_binaryText;
    // Scratch space reused between polylines.
    std::vector<LwVertex> m_planar;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_DXF_DXFPARSER_H
