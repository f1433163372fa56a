#ifndef QUARRO_IMPORT_IJKITERATOR_H
#define QUARRO_IMPORT_IJKITERATOR_H

#include "QuarroImportExport.h"
#include "grid/GridIJK.h"

#include <QtCore/qglobal.h>
#include <boost/iterator/iterator_facade.hpp>

#include <cstdint>

namespace quarro {
namespace import {

// Walks every cell of a grid of ni x nj x nk cells column by column: k changes fastest, then j,
// then i. What it yields is the cell's linear index i + ni * (j + nj * k), in which i varies
// fastest, so a reader can fill cell arrays stored in linear order while reading pillar data
// that comes column by column.
//
// The facade's arithmetic only ever steps forward: += with a positive count, and -= or minus with
// a negative count, advance; every other count leaves the iterator where it is. Only -- steps
// back. The difference of two iterators is the difference of their linear indices (the
// past-the-end iterator counts as ni * nj * nk), not the number of steps between them.
//
// Every cell count must be at least 1; nothing is checked. The hot operations (dereference,
// comparison, step forward) are inline so that a walk costs no more than a hand-written loop.
class QUARRO_IMPORT_EXPORT IJKIterator
    : public boost::iterators::iterator_facade<IJKIterator, std::uint64_t const,
                                               boost::iterators::random_access_traversal_tag,
                                               std::uint64_t const&, std::int64_t> {
public:
    // The first cell (0, 0, 0).
    static IJKIterator begin(std::uint64_t p_ni, std::uint64_t p_nj, std::uint64_t p_nk) {
        return IJKIterator(p_ni, p_nj, p_nk);
    }
    // Past-the-end, with the current cell (ni, nj, nk).
    static IJKIterator end(std::uint64_t p_ni, std::uint64_t p_nj, std::uint64_t p_nk) {
        IJKIterator result(p_ni, p_nj, p_nk);
        result.m_i = p_ni;
        result.m_j = p_nj;
        result.m_k = p_nk;
        result.m_linear = past_end_index;
        return result;
    }

    IJKIterator(IJKIterator const& p_other) = default;
    // Takes over the position of an iterator over a grid of the same cell counts; from any other
    // grid it leaves this iterator as it is. The cell counts are never assigned.
    IJKIterator& operator=(IJKIterator const& p_other);

    std::uint64_t i() const { return m_i; }
    std::uint64_t j() const { return m_j; }
    std::uint64_t k() const { return m_k; }
    GridIJK ijk() const { return GridIJK(m_i, m_j, m_k); }

private:
    friend class boost::iterators::iterator_core_access;

    // All bits set marks the past-the-end state.
    static constexpr std::uint64_t past_end_index = ~std::uint64_t(0);

    IJKIterator(std::uint64_t p_ni, std::uint64_t p_nj, std::uint64_t p_nk)
        : m_ni(p_ni)
        , m_nj(p_nj)
        , m_nk(p_nk)
        , m_i(0)
        , m_j(0)
        , m_k(0)
        , m_linear(0) {}

    // The reference is to this iterator's own field: it follows the iterator as it steps.
    std::uint64_t const& dereference() const { return m_linear; }
    bool equal(IJKIterator const& p_other) const { return m_linear == p_other.m_linear; }

    void increment() {
        if (m_linear == past_end_index) {
            return;
        }
        // Most steps go one layer up the column, which adds ni * nj to the index. The test on the
        // index is the same as ++k < nk (the cell's i + ni * j is below ni * nj) but lets the
        // compiler see that such a step never reaches the past-the-end value, so a walk runs as
        // fast as a hand-written triple loop.
        ++m_k;
        std::uint64_t const layer = m_ni * m_nj;
        if (Q_LIKELY(m_linear + layer < layer * m_nk)) {
            m_linear += layer;
            return;
        }
        m_k = 0;
        if (++m_j == m_nj) {
            m_j = 0;
            if (++m_i >= m_ni) {
                m_linear = past_end_index;
                return;
            }
        }
        updateLinear();
    }

    void decrement();
    void advance(std::int32_t p_n);
    std::int64_t distance_to(IJKIterator const& p_other) const;

    void updateLinear() { m_linear = (m_k * m_nj + m_j) * m_ni + m_i; }
    // The linear index, with the past-the-end state one past the last cell.
    std::uint64_t position() const;

    std::uint64_t const m_ni;
    std::uint64_t const m_nj;
    std::uint64_t const m_nk;
    std::uint64_t m_i;
    std::uint64_t m_j;
    std::uint64_t m_k;
    std::uint64_t m_linear;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_IJKITERATOR_H
