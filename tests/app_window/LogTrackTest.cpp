// Tracing log curves per pixel row: what reaches the painter for dense, sparse, null-broken,
// reversed and logarithmic curves, and the scales fitted to them.
#include "LogTrackRenderer.h"
#include "model/Well.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quarro {
namespace test {
namespace {

double const nan = std::numeric_limits<double>::quiet_NaN();

struct TraceCase {
    char const* name;
    std::vector<double> depths;
    std::vector<double> values;
    bool logarithmic;
    double top;
    double bottom;
    // What the trace must give on a 100 x 10 pixel track.
    std::size_t runs;
    std::size_t max_points;
    double first_x;
    double last_x;
};

std::vector<double> ramp(int n, double from, double step) {
    std::vector<double> values(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        values[static_cast<std::size_t>(i)] = from + step * i;
    }
    return values;
}

std::vector<double> with(std::vector<double> values, std::size_t at, double value) {
    values[at] = value;
    return values;
}

class LogTrackTraceTest : public ::testing::TestWithParam<TraceCase> {};

TEST_P(LogTrackTraceTest, TracesOnePointPairPerRowAndBreaksAtNulls) {
    TraceCase const& c = GetParam();
    model::Well well;
    well.setCurves(model::WellCurve{"DEPT", "M", "", c.depths},
                   {model::WellCurve{"C", "", "", c.values}});
    app::LogTrackRenderer const renderer(well);
    std::vector<QPolygonF> runs;
    QRectF const rect(0, 0, 100, 10);
    renderer.trace(0, c.logarithmic, c.top, c.bottom, rect, runs);
    ASSERT_EQ(runs.size(), c.runs);
    if (runs.empty()) {
        return;
    }
    std::size_t points = 0;
    for (QPolygonF const& run : runs) {
        points += static_cast<std::size_t>(run.size());
        for (QPointF const& p : run) {
            // Off-track points are pulled in, never left at coordinates a painter cannot take.
            EXPECT_GE(p.x(), -100.0);
            EXPECT_LE(p.x(), 200.0);
            EXPECT_GE(p.y(), -10.0);
            EXPECT_LE(p.y(), 20.0);
        }
    }
    EXPECT_LE(points, c.max_points);
    EXPECT_NEAR(runs.front().front().x(), c.first_x, 1e-6);
    EXPECT_NEAR(runs.back().back().x(), c.last_x, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogTrackTraceTest,
    ::testing::Values(
        // 10,000 samples on 10 rows: at most a low and a high point per row (plus the row
        // beyond each edge), from the left edge of the scale to its right edge.
        TraceCase{"Dense", ramp(10000, 0, 0.001), ramp(10000, 0, 1), false, 0, 9.999, 1, 24, 0,
                  100},
        // Dense with a null: the blocks of samples around it are taken one by one.
        TraceCase{"DenseGap", ramp(10000, 0, 0.001), with(ramp(10000, 0, 1), 5003, nan), false, 0,
                  9.999, 2, 26, 0, 100},
        // A null in the middle splits the line; so does a depth without value.
        TraceCase{"NullGap", ramp(11, 0, 1), with(ramp(11, 0, 10), 5, nan), false, 0, 10, 2, 22, 0,
                  100},
        TraceCase{"MissingDepth", with(ramp(11, 0, 1), 3, nan), ramp(11, 0, 10), false, 0, 10, 2,
                  22, 0, 100},
        // Depths that run upward are traced all the same.
        TraceCase{"Decreasing", ramp(11, 10, -1), ramp(11, 0, 10), false, 0, 10, 1, 22, 0, 100},
        // On a log scale zero and negative values are gaps; 1..1000 fills whole decades.
        TraceCase{"Logarithmic", ramp(5, 0, 1), {0, 1, 10, -5, 1000}, true, 0, 4, 2, 10, 0, 100},
        // Zoomed in: only the samples at and next to the window.
        TraceCase{"Window", ramp(101, 0, 1), ramp(101, 0, 1), false, 40, 50, 1, 24, 39, 51},
        TraceCase{"AllNull", ramp(5, 0, 1), std::vector<double>(5, nan), false, 0, 4, 0, 0, 0, 0},
        TraceCase{"OneSample", {7}, {3}, false, 6, 8, 1, 1, 50, 50}),
    [](auto const& info) { return std::string(info.param.name); });

// A long noisy curve with scattered nulls traced with block extremes (depths in order) and
// sample by sample (the same depths, but the last one missing, so their order is unknown):
// both give the same lines.
TEST(LogTrackTraceTest, BlocksTraceWhatTheSamplesTrace) {
    std::size_t const n = 100000;
    std::vector<double> values(n);
    for (std::size_t i = 0; i < n; ++i) {
        values[i] = (i * 7919) % 1000 == 3 ? nan : std::sin(i * 0.37) * std::exp((i % 977) / 500.0);
    }
    values.back() = nan;
    std::vector<double> depths = ramp(static_cast<int>(n), 100, 0.1);
    model::Well blocked;
    blocked.setCurves(model::WellCurve{"DEPT", "M", "", depths},
                      {model::WellCurve{"C", "", "", values}});
    depths.back() = nan;
    model::Well sampled;
    sampled.setCurves(model::WellCurve{"DEPT", "M", "", depths},
                      {model::WellCurve{"C", "", "", values}});
    app::LogTrackRenderer const with_blocks(blocked);
    app::LogTrackRenderer const by_sample(sampled);
    ASSERT_EQ(by_sample.depth_order(), app::LogTrackRenderer::DepthOrder::Unordered);
    for (bool const logarithmic : {false, true}) {
        std::vector<QPolygonF> a;
        std::vector<QPolygonF> b;
        with_blocks.trace(0, logarithmic, 100, 10100, QRectF(0, 0, 80, 300), a);
        by_sample.trace(0, logarithmic, 100, 10100, QRectF(0, 0, 80, 300), b);
        EXPECT_GT(a.size(), 10u);
        EXPECT_EQ(a, b) << (logarithmic ? "logarithmic" : "linear");
    }
}

TEST(LogTrackScaleTest, FitsTheValuesAndKnowsResistivity) {
    model::WellCurve resistivity{"ILD", "OHMM", "", {0.5, 399.5, nan, -1}};
    app::CurveScale const log = app::CurveScale::fit(resistivity, true);
    EXPECT_TRUE(log.valid);
    EXPECT_DOUBLE_EQ(log.left, 0.1);
    EXPECT_DOUBLE_EQ(log.right, 1000.0);
    EXPECT_NEAR(log.fraction(10.0), 0.5, 1e-12);
    app::CurveScale const linear = app::CurveScale::fit(resistivity, false);
    EXPECT_DOUBLE_EQ(linear.left, -1.0);
    EXPECT_DOUBLE_EQ(linear.right, 399.5);
    EXPECT_FALSE(app::CurveScale::fit(model::WellCurve{"GR", "", "", {nan, nan}}, false).valid);
    EXPECT_FALSE(app::CurveScale::fit(model::WellCurve{"GR", "", "", {-1, 0}}, true).valid);

    EXPECT_TRUE(app::LogTrackRenderer::is_resistivity(resistivity));
    EXPECT_TRUE(app::LogTrackRenderer::is_resistivity(model::WellCurve{"DEEP", "ohm.m", "", {}}));
    EXPECT_FALSE(app::LogTrackRenderer::is_resistivity(model::WellCurve{"GR", "GAPI", "", {}}));
    EXPECT_FALSE(app::LogTrackRenderer::is_resistivity(model::WellCurve{"RHOB", "G/CC", "", {}}));
}

} // namespace
} // namespace test
} // namespace quarro
