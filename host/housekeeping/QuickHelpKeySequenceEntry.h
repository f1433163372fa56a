#ifndef QUARRO_HOUSEKEEPING_QUICKHELPKEYSEQUENCEENTRY_H
#define QUARRO_HOUSEKEEPING_QUICKHELPKEYSEQUENCEENTRY_H

#include "QuarroHostExport.h"
#include "housekeeping/AbstractQuickHelpEntry.h"

#include <QKeySequence>
#include <QString>

namespace quarro {
namespace housekeeping {

// A quick-help line for a keyboard shortcut: the keys and what they do.
class QUARRO_HOST_EXPORT QuickHelpKeySequenceEntry : public AbstractQuickHelpEntry {
    Q_OBJECT
public:
    QuickHelpKeySequenceEntry(QObject* parent, DocumentId const& document, QKeySequence const& keys,
                              QString const& text, QuickHelpSection section);
    ~QuickHelpKeySequenceEntry() override;

    QKeySequence const& keys() const { return m_keys; }
    QString text() const override;

private:
    QKeySequence m_keys;
    QString m_text;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_QUICKHELPKEYSEQUENCEENTRY_H
