#include "grid/GridIJK.h"

namespace quarro {
namespace import {

bool GridIJK::operator==(GridIJK const& p_other) const {
    return m_i == p_other.m_i && m_j == p_other.m_j && m_k == p_other.m_k;
}

bool GridIJK::operator!=(GridIJK const& p_other) const {
    return !(*this == p_other);
}

bool GridIJK::operator<(GridIJK const& p_other) const {
    if (m_k != p_other.m_k) {
        return m_k < p_other.m_k;
    }
    if (m_j != p_other.m_j) {
        return m_j < p_other.m_j;
    }
    return m_i < p_other.m_i;
}

bool GridIJK::operator>(GridIJK const& p_other) const {
    return p_other < *this;
}

} // namespace import
} // namespace quarro
