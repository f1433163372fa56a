#ifndef QUARRO_APP_JOURNALPANEL_H
#define QUARRO_APP_JOURNALPANEL_H

#include "housekeeping/DocumentId.h"

#include <QDockWidget>
#include <QMetaObject>

class QTextBrowser;

namespace quarro {
namespace app {

// The dock that shows the current document's journal: the import summaries the user kept with
// the wizard's Journal button, as the document holds them (and as Save writes them).
class JournalPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit JournalPanel(QWidget* parent = nullptr);
    ~JournalPanel() override;

    QTextBrowser* text_view() const { return m_text; }

private slots:
    void follow_document(quarro::housekeeping::DocumentId id);
    void refresh();

private:
    Q_DISABLE_COPY(JournalPanel)

    QTextBrowser* m_text;
    QMetaObject::Connection m_journal_connection;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_JOURNALPANEL_H
