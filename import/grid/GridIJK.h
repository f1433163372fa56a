#ifndef QUARRO_IMPORT_GRIDIJK_H
#define QUARRO_IMPORT_GRIDIJK_H

#include "QuarroImportExport.h"

#include <cstdint>

namespace quarro {
namespace import {

// The (i, j, k) index triple of a cell (or, in NodeInfo, of a node) of a corner-point grid.
// Ordering puts k first, then j, then i, so that sorting cells of one grid by GridIJK sorts them
// by linear cell index i + ni * (j + nj * k).
class QUARRO_IMPORT_EXPORT GridIJK {
public:
    GridIJK()
        : m_i(0)
        , m_j(0)
        , m_k(0) {}
    GridIJK(std::uint64_t p_i, std::uint64_t p_j, std::uint64_t p_k)
        : m_i(p_i)
        , m_j(p_j)
        , m_k(p_k) {}

    void setIJK(std::uint64_t p_i, std::uint64_t p_j, std::uint64_t p_k) {
        m_i = p_i;
        m_j = p_j;
        m_k = p_k;
    }

    std::uint64_t const& i_index() const { return m_i; }
    std::uint64_t& i_index() { return m_i; }
    std::uint64_t const& j_index() const { return m_j; }
    std::uint64_t& j_index() { return m_j; }
    std::uint64_t const& k_index() const { return m_k; }
    std::uint64_t& k_index() { return m_k; }

    bool operator==(GridIJK const& p_other) const;
    bool operator!=(GridIJK const& p_other) const;
    bool operator<(GridIJK const& p_other) const;
    bool operator>(GridIJK const& p_other) const;

private:
    std::uint64_t m_i;
    std::uint64_t m_j;
    std::uint64_t m_k;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_GRIDIJK_H
