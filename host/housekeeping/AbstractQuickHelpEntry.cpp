#include "housekeeping/AbstractQuickHelpEntry.h"

namespace quarro {
namespace housekeeping {

namespace {
QList<AbstractQuickHelpEntry*>& registry() {
    static QList<AbstractQuickHelpEntry*> live;
    return live;
}
} // namespace

AbstractQuickHelpEntry::AbstractQuickHelpEntry(QObject* parent, DocumentId const& document,
                                               QuickHelpSection section)
    : QObject(parent)
    , m_document(document)
    , m_section(section) {
    registry().append(this);
}

AbstractQuickHelpEntry::~AbstractQuickHelpEntry() {
    registry().removeAll(this);
}

QList<AbstractQuickHelpEntry*> AbstractQuickHelpEntry::entries() {
    return registry();
}

void AbstractQuickHelpEntry::setAttached(bool attached) {
    if (attached == m_attached) {
        return;
    }
    m_attached = attached;
    emit entryChanged();
}

void AbstractQuickHelpEntry::setVisible(bool visible) {
    if (visible == m_visible) {
        return;
    }
    m_visible = visible;
    emit entryChanged();
}

} // namespace housekeeping
} // namespace quarro
