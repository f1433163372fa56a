#ifndef QUARRO_APP_LOGTRACKRENDERER_H
#define QUARRO_APP_LOGTRACKRENDERER_H

#include <QColor>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

class QPainter;

namespace quarro {
namespace model {
struct WellCurve;
class Well;
} // namespace model

namespace app {

// The value axis of one curve in a track: the values at the track's left and right edge.
struct CurveScale {
    double left = 0.0;
    double right = 1.0;
    bool logarithmic = false;
    // False when the curve has no value that the scale could show (all null, or no positive
    // value on a logarithmic scale).
    bool valid = false;

    // The scale that shows every value of the curve: the data range on a linear scale, whole
    // decades on a logarithmic one; a single value gets room around it.
    static CurveScale fit(model::WellCurve const& curve, bool logarithmic);
    // Whether value has a place on this scale (not null; positive on a logarithmic scale).
    bool shows(double value) const;
    // The fraction of the track's width at which value lies (0 left, 1 right).
    double fraction(double value) const;
};

// One depth track: the curves it shows, by their position in the well's curves().
struct LogTrack {
    std::vector<int> curves;
    bool logarithmic = false;
};

// Draws depth tracks of a well. A curve is traced per pixel row: the samples that fall into one
// row collapse into their smallest and largest value, so a 200,000-sample curve costs as many
// points as the track is high, and a zoomed-in curve draws its samples as they are. A null
// sample (or a depth without value) ends the line: nulls are gaps. Where a row holds many
// samples, whole blocks of samples without gaps are taken at once from their kept extremes, so
// a frame of a long well costs little more than its rows.
class LogTrackRenderer {
public:
    enum class DepthOrder { Increasing, Decreasing, Unordered };

    // The well whose index curve gives the depths; it must outlive the renderer.
    explicit LogTrackRenderer(model::Well const& well);

    model::Well const& well() const { return m_well; }
    DepthOrder depth_order() const { return m_order; }

    // The line of a curve (by its position in the well's curves()) on its fitted scale between
    // depth top and bottom (top < bottom), mapped into rect (depth down, scale across); each run
    // is one unbroken piece of line. Reuses `runs`.
    void trace(int curve, bool logarithmic, double top, double bottom, QRectF const& rect,
               std::vector<QPolygonF>& runs) const;

    // Paints the curves of track into rect between depth top and bottom: grid lines, then each
    // curve in its colour. Curves without values are left out.
    void paint(QPainter& painter, LogTrack const& track, double top, double bottom,
               QRectF const& rect) const;

    // The fitted scale of a curve (by its position in the well's curves()), computed once.
    CurveScale const& scale(int curve, bool logarithmic) const;

    // The colour of the n-th curve of a track.
    static QColor curve_colour(int n);
    // Resistivity curves are read on a logarithmic scale: by unit (ohm.m) or mnemonic.
    static bool is_resistivity(model::WellCurve const& curve);

private:
    // The extremes of a block of block_size samples of a curve, on a linear or logarithmic scale.
    struct Block {
        double low;
        double high;
        std::size_t low_at;
        std::size_t high_at;
        // Every sample of the block has a depth and a value the scale shows.
        bool whole;
    };
    static constexpr std::size_t block_size = 32;

    std::vector<Block> const& blocks(int curve, bool logarithmic) const;

    // The range of sample positions whose depths can fall between top and bottom, one more on
    // each side so that lines reach the track's edges.
    std::pair<std::size_t, std::size_t> sample_range(double top, double bottom) const;

    model::Well const& m_well;
    DepthOrder m_order;
    mutable std::vector<QPolygonF> m_runs;
    // Fitted scales by curve, linear and logarithmic.
    mutable std::vector<std::array<std::optional<CurveScale>, 2>> m_scales;
    // Block extremes by curve, linear and logarithmic; built when first needed.
    mutable std::vector<std::array<std::vector<Block>, 2>> m_blocks;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_LOGTRACKRENDERER_H
