#include "JournalPanel.h"

#include "housekeeping/AbstractDocument.h"
#include "housekeeping/DocumentManager.h"

#include <QTextBrowser>
#include <QTextDocument>

namespace quarro {
namespace app {

JournalPanel::JournalPanel(QWidget* parent)
    : QDockWidget(tr("Journal"), parent)
    , m_text(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("JournalPanel"));
    m_text->setOpenLinks(false);
    setWidget(m_text);
    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    connect(&manager, &housekeeping::DocumentManager::currentDocumentChanged, this,
            &JournalPanel::follow_document);
    follow_document(manager.current_document_id());
}

JournalPanel::~JournalPanel() = default;

void JournalPanel::follow_document(housekeeping::DocumentId id) {
    disconnect(m_journal_connection);
    if (housekeeping::AbstractDocument* const document =
            housekeeping::DocumentManager::instance().document_from_id(id)) {
        m_journal_connection = connect(document, &housekeeping::AbstractDocument::journalChanged,
                                       this, &JournalPanel::refresh);
    }
    refresh();
}

void JournalPanel::refresh() {
    housekeeping::DocumentManager const& manager = housekeeping::DocumentManager::instance();
    housekeeping::AbstractDocument const* const document =
        manager.document_from_id(manager.current_document_id());
    QString const journal =
        document == nullptr ? QString() : QString::fromStdString(document->journal_text());
    if (journal.trimmed().isEmpty()) {
        m_text->setPlaceholderText(
            tr("The journal is empty. After an import, the wizard's Journal button copies its "
               "summary here; Save keeps it with the document."));
    }
    // The wizard's Journal button keeps its summary as it shows it: rich text.
    if (Qt::mightBeRichText(journal)) {
        m_text->setHtml(journal);
    } else {
        m_text->setPlainText(journal);
    }
}

} // namespace app
} // namespace quarro
