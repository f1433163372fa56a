#include "housekeeping/DocumentHistory.h"

#include <QUndoStack>

namespace quarro {
namespace housekeeping {

DocumentHistory::DocumentHistory(QUndoStack const* stack)
    : m_stack(stack) {}

std::size_t DocumentHistory::size() const {
    return m_stack != nullptr ? static_cast<std::size_t>(m_stack->count()) : 0;
}

std::size_t DocumentHistory::done() const {
    return m_stack != nullptr ? static_cast<std::size_t>(m_stack->index()) : 0;
}

QString DocumentHistory::description(std::size_t index) const {
    if (index >= size()) {
        return QString();
    }
    return m_stack->text(static_cast<int>(index));
}

QStringList DocumentHistory::descriptions() const {
    QStringList texts;
    for (std::size_t i = 0; i < size(); ++i) {
        texts << description(i);
    }
    return texts;
}

} // namespace housekeeping
} // namespace quarro
