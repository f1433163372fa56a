#include "JournalPanel.h"

#include "housekeeping/AbstractDocument.h"
#include "housekeeping/DocumentManager.h"

#include <QFontDatabase>
#include <QPlainTextEdit>

namespace quarro {
namespace app {

JournalPanel::JournalPanel(QWidget* parent)
    : QDockWidget(tr("Journal"), parent)
    , m_text(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("JournalPanel"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
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
    m_text->setPlainText(journal);
}

} // namespace app
} // namespace quarro
