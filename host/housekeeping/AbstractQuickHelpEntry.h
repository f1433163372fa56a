#ifndef QUARRO_HOUSEKEEPING_ABSTRACTQUICKHELPENTRY_H
#define QUARRO_HOUSEKEEPING_ABSTRACTQUICKHELPENTRY_H

#include "QuarroHostExport.h"
#include "housekeeping/DocumentId.h"
#include "housekeeping/QuickHelpSection.h"

#include <QList>
#include <QObject>
#include <QString>

namespace quarro {
namespace housekeeping {

// One line of the quick-help panel (a shortcut and what it does, ...). Every live entry is listed
// in entries(), so the panel can collect them; an entry shows when it is attached and visible.
// An entry for the null document applies to every document. GUI thread only.
class QUARRO_HOST_EXPORT AbstractQuickHelpEntry : public QObject {
    Q_OBJECT
public:
    ~AbstractQuickHelpEntry() override;

    // Every entry that exists, oldest first.
    static QList<AbstractQuickHelpEntry*> entries();

    void setAttached(bool attached);
    bool isAttached() const { return m_attached; }
    void setVisible(bool visible);
    bool isVisible() const { return m_visible; }

    DocumentId const& document() const { return m_document; }
    QuickHelpSection section() const { return m_section; }

    // The text the panel shows.
    virtual QString text() const = 0;

signals:
    void entryChanged();

protected:
    AbstractQuickHelpEntry(QObject* parent, DocumentId const& document, QuickHelpSection section);

private:
    Q_DISABLE_COPY(AbstractQuickHelpEntry)

    DocumentId m_document;
    QuickHelpSection m_section;
    bool m_attached = false;
    bool m_visible = false;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_ABSTRACTQUICKHELPENTRY_H
