#ifndef QUARRO_IMPORT_NODEINFO_H
#define QUARRO_IMPORT_NODEINFO_H

#include "QuarroImportExport.h"
#include "grid/CellCorner.h"
#include "grid/GridIJK.h"
#include "model/Point3.h"

#include <cstdint>

namespace quarro {
namespace import {

// One grid node as a reader meets it while walking cells: the cell, the corner of the cell at
// which the node sits, the node's own index derived from the two, its position, and the primary
// cell and corner, i.e. the cell through which the reader first met the node. The node index and
// the primary cell are set separately so that a reader can record where a node was first seen
// while it visits the node again from a neighbouring cell.
class QUARRO_IMPORT_EXPORT NodeInfo {
public:
    NodeInfo();

    // Sets the cell and corner and derives the node index from them.
    void setCell(std::uint64_t p_i, std::uint64_t p_j, std::uint64_t p_k, CellCorner p_corner);
    void setCell(GridIJK const& p_cell, CellCorner p_corner);
    // Sets the primary cell and corner only; the cell and node index stay as they are.
    void setPrimaryCell(std::uint64_t p_i, std::uint64_t p_j, std::uint64_t p_k,
                        CellCorner p_corner);
    void setPrimaryCell(GridIJK const& p_cell, CellCorner p_corner);

    CellCorner corner() const { return m_corner; }
    GridIJK const& nodeIndex() const { return m_node_index; }
    GridIJK const& cell() const { return m_cell; }
    GridIJK const& primaryCell() const { return m_primary_cell; }
    CellCorner primaryCorner() const { return m_primary_corner; }

    model::Point3<float> const& node() const { return m_node; }
    model::Point3<float>& node() { return m_node; }
    // The z of the position, not a value of its own.
    float const& zVal() const { return m_node.z; }
    float& zVal() { return m_node.z; }

    // Coordinates compare as numbers: a NaN coordinate makes a node unequal even to itself.
    bool operator==(NodeInfo const& p_other) const;

private:
    CellCorner m_corner;
    GridIJK m_node_index;
    GridIJK m_cell;
    GridIJK m_primary_cell;
    CellCorner m_primary_corner;
    model::Point3<float> m_node;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_NODEINFO_H
