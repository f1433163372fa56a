#include "housekeeping/DocumentManager.h"

#include "housekeeping/AbstractDocument.h"
#include "housekeeping/Document.h"
#include "housekeeping/ErrorHandler.h"
#include "housekeeping/Message.h"

#include <QMetaType>

namespace quarro {
namespace housekeeping {

DocumentManager& DocumentManager::instance() {
    static DocumentManager manager;
    return manager;
}

DocumentManager::DocumentManager() {
    // Queued connections to the signals need the type under each spelling that code may use.
    qRegisterMetaType<DocumentId>();
    qRegisterMetaType<DocumentId>("DocumentId");
    qRegisterMetaType<DocumentId>("housekeeping::DocumentId");
}

// Documents left at the end of the process go without signals: their listeners may be gone.
DocumentManager::~DocumentManager() {
    blockSignals(true);
}

AbstractDocument* DocumentManager::current_document() const {
    return document_from_id(m_current);
}

void DocumentManager::current_document(DocumentId const& id) {
    if (!document_exists(id)) {
        return;
    }
    change_current(id, false);
}

std::vector<DocumentId> DocumentManager::current_documents() const {
    std::vector<DocumentId> ids;
    ids.reserve(m_documents.size());
    for (auto const& entry : m_documents) {
        ids.push_back(entry.first);
    }
    return ids;
}

AbstractDocument* DocumentManager::document_from_id(DocumentId const& id) const {
    auto const found = m_documents.find(id);
    return found == m_documents.end() ? nullptr : found->second.get();
}

bool DocumentManager::document_exists(DocumentId const& id) const {
    return m_documents.count(id) > 0;
}

DocumentId DocumentManager::first_id() const {
    return m_documents.empty() ? DocumentId::null() : m_documents.begin()->first;
}

DocumentId DocumentManager::create_document() {
    DocumentId const id(++m_last_id);
    m_documents.emplace(id, std::make_unique<Document>(id));
    emit documentCreated(id);
    send(id, DocumentMessage::Created);
    change_current(id, false);
    return id;
}

bool DocumentManager::document_busy(DocumentId const& id) const {
    return m_busy.count(id) > 0;
}

void DocumentManager::document_busy(DocumentId const& id, bool busy) {
    if (!document_exists(id)) {
        return;
    }
    if (busy) {
        m_busy.insert(id);
    } else {
        m_busy.erase(id);
    }
}

void DocumentManager::set_document_as_closing(DocumentId const& id) {
    if (document_exists(id)) {
        m_closing.insert(id);
    }
}

bool DocumentManager::is_closing(DocumentId const& id) const {
    return m_closing.count(id) > 0;
}

bool DocumentManager::destroy_document(DocumentId const& p_id, bool p_discard_changes, bool p_quiet,
                                       bool p_ask_user, DocumentId const& p_next_current) {
    // Copies: the arguments may refer into the books that this operation changes.
    DocumentId const id = p_id;
    DocumentId const requested_next = p_next_current;
    AbstractDocument* const document = document_from_id(id);
    if (document == nullptr || m_destroying.count(id) > 0) {
        return false;
    }
    if (p_ask_user && !p_discard_changes && keeps_changes(*document)) {
        return false;
    }
    // The question runs an event loop: the document may have gone meanwhile.
    if (!document_exists(id) || m_destroying.count(id) > 0) {
        return false;
    }
    m_destroying.insert(id);
    if (!p_quiet) {
        send(id, DocumentMessage::AboutToBeDestroyed);
    }

    // Out of the books first, so that everybody who hears of the change no longer finds it; the
    // object itself goes last.
    auto const entry = m_documents.find(id);
    std::unique_ptr<AbstractDocument> const doomed = std::move(entry->second);
    m_documents.erase(entry);
    m_busy.erase(id);
    m_closing.erase(id);

    DocumentId next = m_current;
    if (requested_next != id && document_exists(requested_next)) {
        next = requested_next;
    } else if (m_current == id) {
        next = m_documents.empty() ? DocumentId::null() : m_documents.rbegin()->first;
    }
    if (next != m_current) {
        change_current(next, p_quiet);
    }
    emit documentDestroyed(id);
    m_destroying.erase(id);
    if (!p_quiet && m_documents.empty()) {
        send(id, DocumentMessage::LastDocumentClosed);
    }
    return true;
}

void DocumentManager::destroy_all() {
    while (!m_documents.empty()) {
        destroy_document(m_documents.rbegin()->first, true, true, false, DocumentId::null());
    }
}

void DocumentManager::change_current(DocumentId const& id, bool quiet) {
    if (id == m_current) {
        return;
    }
    m_current = id;
    emit currentDocumentChanged(id);
    if (!quiet) {
        send(id, DocumentMessage::CurrentChanged);
    }
}

void DocumentManager::send(DocumentId const& id, DocumentMessage::DocChangeType type) const {
    DocumentMessage* const message = DocumentMessage::instance();
    message->id(id);
    message->doc_change_type(type);
    Message::dispatch(message);
}

bool DocumentManager::keeps_changes(AbstractDocument const& document) const {
    if (!document.is_modified()) {
        return false;
    }
    QMessageBox::StandardButton const answer = ErrorHandler::instance().message(
        tr("Close Document"),
        tr("The document \"%1\" has unsaved changes.\n\nDiscard changes?")
            .arg(document.display_name()),
        QMessageBox::Yes | QMessageBox::No);
    return answer != QMessageBox::Yes;
}

} // namespace housekeeping
} // namespace quarro
