#include "LogTrackRenderer.h"

#include "model/ValueRange.h"
#include "model/Well.h"

#include <QPainter>
#include <QPen>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace quarro {
namespace app {

namespace {

LogTrackRenderer::DepthOrder order_of(std::vector<double> const& depths) {
    if (depths.size() < 2) {
        return LogTrackRenderer::DepthOrder::Increasing;
    }
    bool increasing = true;
    bool decreasing = true;
    for (std::size_t n = 0; n < depths.size(); ++n) {
        if (!std::isfinite(depths[n])) {
            return LogTrackRenderer::DepthOrder::Unordered;
        }
        if (n > 0) {
            increasing = increasing && depths[n] >= depths[n - 1];
            decreasing = decreasing && depths[n] <= depths[n - 1];
        }
    }
    if (increasing) {
        return LogTrackRenderer::DepthOrder::Increasing;
    }
    return decreasing ? LogTrackRenderer::DepthOrder::Decreasing
                      : LogTrackRenderer::DepthOrder::Unordered;
}

} // namespace

CurveScale CurveScale::fit(model::WellCurve const& curve, bool logarithmic) {
    CurveScale scale;
    scale.logarithmic = logarithmic;
    model::ValueRange range;
    for (double const value : curve.samples) {
        if (!logarithmic || value > 0.0) {
            range.extend(value);
        }
    }
    if (range.isEmpty()) {
        return scale;
    }
    scale.valid = true;
    if (logarithmic) {
        scale.left = std::pow(10.0, std::floor(std::log10(range.min())));
        scale.right = std::pow(10.0, std::ceil(std::log10(range.max())));
        if (!(scale.right > scale.left) || !std::isfinite(scale.right) || scale.left <= 0.0) {
            scale.left = range.min() / 10.0;
            scale.right = range.min() * 10.0;
        }
        return scale;
    }
    double const span = range.max() - range.min();
    // A flat curve, or one sample: room on both sides, so that it lies in the middle.
    double const room = span > 0.0 ? 0.0 : std::max(1.0, std::abs(range.min()) * 0.1);
    scale.left = range.min() - room;
    scale.right = range.max() + room;
    if (!(scale.right > scale.left)) {
        // Values near the largest doubles: the sum overflowed or rounded away.
        scale.left = range.min() * (range.min() < 0 ? 1.5 : 0.5);
        scale.right = range.max() * (range.max() < 0 ? 0.5 : 1.5);
        scale.valid = scale.right > scale.left;
    }
    return scale;
}

bool CurveScale::shows(double value) const {
    return std::isfinite(value) && (!logarithmic || value > 0.0);
}

double CurveScale::fraction(double value) const {
    if (logarithmic) {
        double const low = std::log10(left);
        return (std::log10(value) - low) / (std::log10(right) - low);
    }
    return value / (right - left) - left / (right - left);
}

LogTrackRenderer::LogTrackRenderer(model::Well const& well)
    : m_well(well)
    , m_order(order_of(well.indexCurve().samples))
    , m_scales(well.curves().size())
    , m_blocks(well.curves().size()) {}

std::vector<LogTrackRenderer::Block> const& LogTrackRenderer::blocks(int curve,
                                                                     bool logarithmic) const {
    std::vector<Block>& kept = m_blocks.at(static_cast<std::size_t>(curve))[logarithmic];
    std::vector<double> const& depths = m_well.indexCurve().samples;
    std::vector<double> const& values = m_well.curves()[static_cast<std::size_t>(curve)].samples;
    if (!kept.empty() || values.size() < block_size) {
        return kept;
    }
    CurveScale const& shown = scale(curve, logarithmic);
    kept.reserve(values.size() / block_size);
    for (std::size_t start = 0; start + block_size <= values.size(); start += block_size) {
        Block block{values[start], values[start], start, start, true};
        for (std::size_t n = start; n < start + block_size; ++n) {
            if (!std::isfinite(depths[n]) || !shown.shows(values[n])) {
                block.whole = false;
                break;
            }
            if (values[n] < block.low) {
                block.low = values[n];
                block.low_at = n;
            }
            if (values[n] > block.high) {
                block.high = values[n];
                block.high_at = n;
            }
        }
        kept.push_back(block);
    }
    return kept;
}

CurveScale const& LogTrackRenderer::scale(int curve, bool logarithmic) const {
    std::optional<CurveScale>& slot = m_scales.at(static_cast<std::size_t>(curve))[logarithmic];
    if (!slot) {
        slot = CurveScale::fit(m_well.curves()[static_cast<std::size_t>(curve)], logarithmic);
    }
    return *slot;
}

QColor LogTrackRenderer::curve_colour(int n) {
    static std::array<QColor, 6> const colours = {QColor(20, 110, 40),  QColor(200, 40, 30),
                                                  QColor(30, 70, 190),  QColor(170, 90, 0),
                                                  QColor(130, 40, 160), QColor(0, 130, 140)};
    return colours[static_cast<std::size_t>(std::max(n, 0)) % colours.size()];
}

bool LogTrackRenderer::is_resistivity(model::WellCurve const& curve) {
    static QRegularExpression const unit(QStringLiteral("^ohm[-. ]?m{1,2}$|^ohm$"),
                                         QRegularExpression::CaseInsensitiveOption);
    static QRegularExpression const mnemonic(
        QStringLiteral("^(RES|RT|RXO|ILD|ILM|IL|LLD|LLS|LL|SFL|SFLU|MSFL|RILD|RILM|RLL|AT90|AHT90|"
                       "RDEP|RMED|RSHA|RD|RS|RM)"),
        QRegularExpression::CaseInsensitiveOption);
    return unit.match(curve.unit.trimmed()).hasMatch() ||
           mnemonic.match(curve.mnemonic.trimmed()).hasMatch();
}

std::pair<std::size_t, std::size_t> LogTrackRenderer::sample_range(double top,
                                                                   double bottom) const {
    std::vector<double> const& depths = m_well.indexCurve().samples;
    std::size_t const count = depths.size();
    std::size_t first = 0;
    std::size_t last = count;
    if (m_order == DepthOrder::Increasing) {
        first = static_cast<std::size_t>(std::lower_bound(depths.begin(), depths.end(), top) -
                                         depths.begin());
        last = static_cast<std::size_t>(std::upper_bound(depths.begin(), depths.end(), bottom) -
                                        depths.begin());
    } else if (m_order == DepthOrder::Decreasing) {
        first = static_cast<std::size_t>(
            std::lower_bound(depths.begin(), depths.end(), bottom, std::greater<double>()) -
            depths.begin());
        last = static_cast<std::size_t>(
            std::upper_bound(depths.begin(), depths.end(), top, std::greater<double>()) -
            depths.begin());
    }
    first = first > 0 ? first - 1 : 0;
    last = std::min(count, last + 1);
    return {first, std::max(first, last)};
}

void LogTrackRenderer::trace(int curve, bool logarithmic, double top, double bottom,
                             QRectF const& rect, std::vector<QPolygonF>& runs) const {
    runs.clear();
    if (curve < 0 || curve >= m_well.curveCount()) {
        return;
    }
    std::vector<double> const& depths = m_well.indexCurve().samples;
    std::vector<double> const& values = m_well.curves()[static_cast<std::size_t>(curve)].samples;
    CurveScale const& scale = this->scale(curve, logarithmic);
    if (!scale.valid || !(bottom > top) || rect.isEmpty() || values.size() != depths.size()) {
        return;
    }
    double const rows_per_depth = rect.height() / (bottom - top);
    double const width = rect.width();
    // Far-off points are pulled in to a track's width beyond its edges: the clip hides them, and
    // the painter never sees coordinates it cannot handle.
    auto const x_of = [&](double value) {
        return rect.left() + width * std::clamp(scale.fraction(value), -1.0, 2.0);
    };
    auto const y_of = [&](double depth) {
        return rect.top() +
               std::clamp((depth - top) * rows_per_depth, -rect.height(), 2.0 * rect.height());
    };

    QPolygonF run;
    long long row = std::numeric_limits<long long>::min();
    bool pending = false;
    double low = 0.0;
    double high = 0.0;
    std::size_t low_at = 0;
    std::size_t high_at = 0;
    double row_y = 0.0;
    auto const flush = [&] {
        if (!pending) {
            return;
        }
        pending = false;
        if (low == high) {
            run << QPointF(x_of(low), row_y);
        } else if (low_at < high_at) {
            run << QPointF(x_of(low), row_y) << QPointF(x_of(high), row_y);
        } else {
            run << QPointF(x_of(high), row_y) << QPointF(x_of(low), row_y);
        }
    };
    auto const end_run = [&] {
        flush();
        if (!run.isEmpty()) {
            runs.push_back(run);
            run.clear();
        }
        row = std::numeric_limits<long long>::min();
    };

    auto const [first, last] = sample_range(top, bottom);
    // Blocks only pay where a row holds several of them, and only depths in order keep a block's
    // samples between its ends.
    std::vector<Block> const* const summary =
        m_order != DepthOrder::Unordered &&
                static_cast<double>(last - first) > 4.0 * block_size * rect.height()
            ? &blocks(curve, logarithmic)
            : nullptr;
    for (std::size_t n = first; n < last; ++n) {
        if (summary != nullptr && pending && n % block_size == 0 &&
            n / block_size < summary->size() && n + block_size <= last) {
            Block const& block = (*summary)[n / block_size];
            if (block.whole && static_cast<long long>(std::floor(y_of(depths[n]))) == row &&
                static_cast<long long>(std::floor(y_of(depths[n + block_size - 1]))) == row) {
                if (block.low < low) {
                    low = block.low;
                    low_at = block.low_at;
                }
                if (block.high > high) {
                    high = block.high;
                    high_at = block.high_at;
                }
                n += block_size - 1;
                continue;
            }
        }
        double const depth = depths[n];
        double const value = values[n];
        if (!std::isfinite(depth) || !scale.shows(value)) {
            end_run();
            continue;
        }
        double const y = y_of(depth);
        auto const sample_row = static_cast<long long>(std::floor(y));
        if (sample_row != row || !pending) {
            flush();
            row = sample_row;
            pending = true;
            low = high = value;
            low_at = high_at = n;
            row_y = y;
            continue;
        }
        if (value < low) {
            low = value;
            low_at = n;
        } else if (value > high) {
            high = value;
            high_at = n;
        }
    }
    end_run();
}

void LogTrackRenderer::paint(QPainter& painter, LogTrack const& track, double top, double bottom,
                             QRectF const& rect) const {
    painter.save();
    painter.setClipRect(rect);
    painter.setRenderHint(QPainter::Antialiasing, false);
    int n = 0;
    for (int const index : track.curves) {
        if (index < 0 || index >= m_well.curveCount()) {
            continue;
        }
        trace(index, track.logarithmic, top, bottom, rect, m_runs);
        QPen pen(curve_colour(n++), 1.0);
        painter.setPen(pen);
        for (QPolygonF const& run : m_runs) {
            if (run.size() == 1) {
                // A lone sample between nulls (or the only one) is a dot, not nothing.
                painter.setPen(QPen(pen.color(), 3.0, Qt::SolidLine, Qt::RoundCap));
                painter.drawPoint(run.front());
                painter.setPen(pen);
                continue;
            }
            painter.drawPolyline(run);
        }
    }
    painter.restore();
}

} // namespace app
} // namespace quarro
