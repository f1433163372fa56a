#include "grid/NodeInfo.h"

namespace quarro {
namespace import {

NodeInfo::NodeInfo()
    : m_corner(CellCorner::Corner000)
    , m_primary_corner(CellCorner::Corner000) {}

void NodeInfo::setCell(std::uint64_t p_i, std::uint64_t p_j, std::uint64_t p_k,
                       CellCorner p_corner) {
    setCell(GridIJK(p_i, p_j, p_k), p_corner);
}

void NodeInfo::setCell(GridIJK const& p_cell, CellCorner p_corner) {
    m_cell = p_cell;
    m_corner = p_corner;
    m_node_index = cornerNode(p_cell, p_corner);
}

void NodeInfo::setPrimaryCell(std::uint64_t p_i, std::uint64_t p_j, std::uint64_t p_k,
                              CellCorner p_corner) {
    setPrimaryCell(GridIJK(p_i, p_j, p_k), p_corner);
}

void NodeInfo::setPrimaryCell(GridIJK const& p_cell, CellCorner p_corner) {
    m_primary_cell = p_cell;
    m_primary_corner = p_corner;
}

bool NodeInfo::operator==(NodeInfo const& p_other) const {
    return m_corner == p_other.m_corner && m_node == p_other.m_node &&
           m_node_index == p_other.m_node_index && m_cell == p_other.m_cell &&
           m_primary_cell == p_other.m_primary_cell && m_primary_corner == p_other.m_primary_corner;
}

} // namespace import
} // namespace quarro
