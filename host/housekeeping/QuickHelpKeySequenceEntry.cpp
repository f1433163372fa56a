#include "housekeeping/QuickHelpKeySequenceEntry.h"

namespace quarro {
namespace housekeeping {

QuickHelpKeySequenceEntry::QuickHelpKeySequenceEntry(QObject* parent, DocumentId const& document,
                                                     QKeySequence const& keys, QString const& text,
                                                     QuickHelpSection section)
    : AbstractQuickHelpEntry(parent, document, section)
    , m_keys(keys)
    , m_text(text) {}

QuickHelpKeySequenceEntry::~QuickHelpKeySequenceEntry() = default;

QString QuickHelpKeySequenceEntry::text() const {
    return m_text;
}

} // namespace housekeeping
} // namespace quarro
