#include "ReadMonitor.h"

#include "importwidgets/CancelHook.h"

#include <algorithm>

namespace quarro {
namespace native {

ReadMonitor::ReadMonitor(CancelHook const* hook)
    : m_hook(hook) {}

void ReadMonitor::beginStage(double start, double span, double total) {
    m_start = start;
    m_span = span;
    m_total = total > 0.0 ? total : 1.0;
    m_done = 0.0;
}

void ReadMonitor::advance(double units) {
    if (m_hook == nullptr) {
        return;
    }
    m_done = std::min(m_total, m_done + units);
    m_shown = std::clamp(m_start + m_span * m_done / m_total, m_shown, 100.0);
    // The progress goes first: a ProgressCancelHook passes it on only right before a poll.
    m_hook->progress(m_shown);
    if (m_hook->isCancelled()) {
        throw ReadCancelled();
    }
}

void ReadMonitor::finish() {
    if (m_hook != nullptr) {
        m_shown = 100.0;
        m_hook->progress(m_shown);
    }
}

} // namespace native
} // namespace quarro
