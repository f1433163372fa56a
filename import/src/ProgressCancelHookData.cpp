#include "ProgressCancelHookData.h"

namespace quarro {
namespace import {

ProgressCancelHookData::ProgressCancelHookData() = default;

ProgressCancelHookData::ProgressCancelHookData(ProgressCancelHookData const& other) {
    copy(other);
}

ProgressCancelHookData& ProgressCancelHookData::operator=(ProgressCancelHookData const& other) {
    if (this != &other) {
        copy(other);
    }
    return *this;
}

void ProgressCancelHookData::copy(ProgressCancelHookData const& other) {
    m_size = other.m_size;
    m_progress_limit = other.m_progress_limit;
    m_progress_total = other.m_progress_total;
    m_progress_no = other.m_progress_no;
    m_progress_type = other.m_progress_type;
}

} // namespace import
} // namespace quarro
