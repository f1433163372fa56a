#ifndef QUARRO_IMPORT_GRIDZDATA_H
#define QUARRO_IMPORT_GRIDZDATA_H

#include "QuarroImportExport.h"
#include "grid/CellCorner.h"
#include "grid/GridIJK.h"
#include "grid/NodeInfo.h"
#include "model/Point3.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarro {
namespace import {

// What a reader gathers for one pillar (i, j) of a corner-point grid: base and top points, x and
// y scale factors, a stack flag and the split nodes. The library stores these and gives them no
// meaning of its own.
//
// Split nodes are grouped into levels, one per node layer k, kept in the order in which they were
// opened: a level is never sorted, merged or removed. Each level remembers the primary cell and
// corner of the node that opened it. Indices passed to the level accessors are not checked.
class QUARRO_IMPORT_EXPORT GridZData {
public:
    // Base and top at the origin, a stack pillar without splits.
    GridZData();
    // A split pillar (i, j) without levels yet, not a stack.
    GridZData(std::uint64_t p_i, std::uint64_t p_j);
    GridZData(model::Point3<float> const& p_base, model::Point3<float> const& p_top,
              std::uint64_t p_i, std::uint64_t p_j);
    GridZData(model::Point3<float> const& p_base, bool p_stack, float const& p_x_scale,
              float const& p_y_scale, std::uint64_t p_i, std::uint64_t p_j);

    GridZData(GridZData const& p_other);
    GridZData(GridZData&& p_other) noexcept;
    GridZData& operator=(GridZData const& p_other);
    GridZData& operator=(GridZData&& p_other) noexcept;
    virtual ~GridZData();

    model::Point3<float> const& base() const { return m_base; }
    model::Point3<float>& base() { return m_base; }
    model::Point3<float> const& top() const { return m_top; }
    model::Point3<float>& top() { return m_top; }
    float const& xScaleFactor() const { return m_x_scale; }
    float& xScaleFactor() { return m_x_scale; }
    float const& yScaleFactor() const { return m_y_scale; }
    float& yScaleFactor() { return m_y_scale; }

    bool isStack() const { return m_stack; }
    void isStack(bool p_stack) { m_stack = p_stack; }
    bool isSplit() const { return m_split; }
    void isSplit(bool p_split) { m_split = p_split; }

    std::uint64_t i_index() const { return m_i; }
    std::uint64_t j_index() const { return m_j; }

    // Records p_node at p_position in the level of the node's k, opening a new level after all
    // others when there is none yet, and marks the pillar split. Only the k of the node index
    // picks the level; its i and j are not compared with the pillar's.
    void addSplit(model::Point3<float> const& p_position, NodeInfo const& p_node);
    // Records the node at its own position.
    void addSplit(NodeInfo const& p_node);

    std::size_t numSplits() const { return m_levels.size(); }
    std::uint64_t getSplitKAt(std::size_t p_level) const;
    std::size_t getNumSplitsAt(std::size_t p_level) const;
    void getSplitInfoAt(std::size_t p_level, std::size_t p_node, model::Point3<float>& p_position,
                        GridIJK& p_cell, CellCorner& p_corner) const;
    GridIJK const& getPrimaryCellAt(std::size_t p_level) const;
    GridIJK& getPrimaryCellAt(std::size_t p_level);
    CellCorner const& getPrimaryCornerAt(std::size_t p_level) const;
    CellCorner& getPrimaryCornerAt(std::size_t p_level);

private:
    // The split nodes of one node layer: entry n of the three parallel lists is node n.
    struct SplitLevel {
        std::uint64_t k;
        GridIJK primary_cell;
        CellCorner primary_corner;
        std::vector<model::Point3<float>> positions;
        std::vector<GridIJK> cells;
        std::vector<CellCorner> corners;
    };

    model::Point3<float> m_base;
    model::Point3<float> m_top;
    bool m_stack;
    bool m_split;
    float m_x_scale;
    float m_y_scale;
    std::uint64_t m_i;
    std::uint64_t m_j;
    std::vector<SplitLevel> m_levels;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_GRIDZDATA_H
