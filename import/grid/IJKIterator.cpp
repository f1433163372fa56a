#include "grid/IJKIterator.h"

namespace quarro {
namespace import {

IJKIterator& IJKIterator::operator=(IJKIterator const& p_other) {
    if (m_ni != p_other.m_ni || m_nj != p_other.m_nj || m_nk != p_other.m_nk) {
        return *this;
    }
    m_i = p_other.m_i;
    m_j = p_other.m_j;
    m_k = p_other.m_k;
    m_linear = p_other.m_linear;
    return *this;
}

void IJKIterator::decrement() {
    if (m_linear == 0) {
        return;
    }
    if (m_linear == past_end_index) {
        m_i = m_ni - 1;
        m_j = m_nj - 1;
        m_k = m_nk - 1;
    } else if (m_k > 0) {
        --m_k;
    } else {
        m_k = m_nk - 1;
        if (m_j > 0) {
            --m_j;
        } else {
            m_j = m_nj - 1;
            --m_i;
        }
    }
    updateLinear();
}

// Equivalent to p_n single increments, stopping at past-the-end, but computed directly from the
// step number (i * nj + j) * nk + k of the current cell in visiting order.
void IJKIterator::advance(std::int32_t p_n) {
    if (p_n <= 0 || m_linear == past_end_index) {
        return;
    }
    std::uint64_t const target = (m_i * m_nj + m_j) * m_nk + m_k + static_cast<std::uint64_t>(p_n);
    if (target >= m_ni * m_nj * m_nk) {
        m_i = m_ni;
        m_j = 0;
        m_k = 0;
        m_linear = past_end_index;
        return;
    }
    m_k = target % m_nk;
    std::uint64_t const column = target / m_nk;
    m_j = column % m_nj;
    m_i = column / m_nj;
    updateLinear();
}

std::int64_t IJKIterator::distance_to(IJKIterator const& p_other) const {
    return static_cast<std::int64_t>(p_other.position()) - static_cast<std::int64_t>(position());
}

std::uint64_t IJKIterator::position() const {
    return m_linear == past_end_index ? m_ni * m_nj * m_nk : m_linear;
}

} // namespace import
} // namespace quarro
