#include "grid/GridZData.h"

#include <utility>

namespace quarro {
namespace import {

GridZData::GridZData()
    : m_stack(true)
    , m_split(false)
    , m_x_scale(0.0f)
    , m_y_scale(0.0f)
    , m_i(0)
    , m_j(0) {}

GridZData::GridZData(std::uint64_t p_i, std::uint64_t p_j)
    : m_stack(false)
    , m_split(true)
    , m_x_scale(0.0f)
    , m_y_scale(0.0f)
    , m_i(p_i)
    , m_j(p_j) {}

GridZData::GridZData(model::Point3<float> const& p_base, model::Point3<float> const& p_top,
                     std::uint64_t p_i, std::uint64_t p_j)
    : m_base(p_base)
    , m_top(p_top)
    , m_stack(true)
    , m_split(false)
    , m_x_scale(0.0f)
    , m_y_scale(0.0f)
    , m_i(p_i)
    , m_j(p_j) {}

GridZData::GridZData(model::Point3<float> const& p_base, bool p_stack, float const& p_x_scale,
                     float const& p_y_scale, std::uint64_t p_i, std::uint64_t p_j)
    : m_base(p_base)
    , m_stack(p_stack)
    , m_split(false)
    , m_x_scale(p_x_scale)
    , m_y_scale(p_y_scale)
    , m_i(p_i)
    , m_j(p_j) {}

// Copies duplicate the levels with all their lists: a copy shares nothing with its source.
GridZData::GridZData(GridZData const& p_other) = default;
GridZData::GridZData(GridZData&& p_other) noexcept = default;
GridZData& GridZData::operator=(GridZData const& p_other) = default;
GridZData& GridZData::operator=(GridZData&& p_other) noexcept = default;
GridZData::~GridZData() = default;

void GridZData::addSplit(model::Point3<float> const& p_position, NodeInfo const& p_node) {
    m_split = true;
    std::uint64_t const k = p_node.nodeIndex().k_index();
    for (SplitLevel& level : m_levels) {
        if (level.k != k) {
            continue;
        }
        level.positions.push_back(p_position);
        level.cells.push_back(p_node.cell());
        level.corners.push_back(p_node.corner());
        return;
    }
    SplitLevel level{k,
                     p_node.primaryCell(),
                     p_node.primaryCorner(),
                     {p_position},
                     {p_node.cell()},
                     {p_node.corner()}};
    m_levels.push_back(std::move(level));
}

void GridZData::addSplit(NodeInfo const& p_node) {
    addSplit(p_node.node(), p_node);
}

std::uint64_t GridZData::getSplitKAt(std::size_t p_level) const {
    return m_levels[p_level].k;
}

std::size_t GridZData::getNumSplitsAt(std::size_t p_level) const {
    return m_levels[p_level].positions.size();
}

void GridZData::getSplitInfoAt(std::size_t p_level, std::size_t p_node,
                               model::Point3<float>& p_position, GridIJK& p_cell,
                               CellCorner& p_corner) const {
    SplitLevel const& level = m_levels[p_level];
    p_position = level.positions[p_node];
    p_cell = level.cells[p_node];
    p_corner = level.corners[p_node];
}

GridIJK const& GridZData::getPrimaryCellAt(std::size_t p_level) const {
    return m_levels[p_level].primary_cell;
}

GridIJK& GridZData::getPrimaryCellAt(std::size_t p_level) {
    return m_levels[p_level].primary_cell;
}

CellCorner const& GridZData::getPrimaryCornerAt(std::size_t p_level) const {
    return m_levels[p_level].primary_corner;
}

CellCorner& GridZData::getPrimaryCornerAt(std::size_t p_level) {
    return m_levels[p_level].primary_corner;
}

} // namespace import
} // namespace quarro
