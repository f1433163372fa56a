#ifndef QUARRO_HOUSEKEEPING_DOCUMENTMANAGER_H
#define QUARRO_HOUSEKEEPING_DOCUMENTMANAGER_H

#include "QuarroHostExport.h"
#include "housekeeping/DocumentId.h"
#include "housekeeping/DocumentMessage.h"

#include <QObject>

#include <cstddef>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace quarro {
namespace housekeeping {

class AbstractDocument;

// Owns the open documents and knows the current one. GUI thread only.
//
// Every operation given an id that names no document answers safely (false, null or nothing) and
// changes nothing.
//
// Messages. Besides its Qt signals (always sent, for the application's own views) the manager
// sends DocumentMessages to the subscribers of that class:
//   6 Created             by create_document(), once the document exists;
//   1 CurrentChanged      whenever another document (or none) becomes current, including the
//                         current change that create_document() and destroy_document() make;
//   4 AboutToBeDestroyed  by destroy_document(), before the document goes (it still exists and
//                         counts in num_documents() while subscribers hear of it);
//   5 LastDocumentClosed  by destroy_document() when no document is left.
// A quiet destroy_document() sends none of these, not even the 1 of the current change it makes.
// destroy_all() is always quiet.
class QUARRO_HOST_EXPORT DocumentManager : public QObject {
    Q_OBJECT
public:
    static DocumentManager& instance();

    AbstractDocument* current_document() const;
    // The null id when there is no current document.
    DocumentId current_document_id() const { return m_current; }
    // Makes id the current document.
    void current_document(DocumentId const& id);

    // The ids of all documents, in the order they were created.
    std::vector<DocumentId> current_documents() const;
    AbstractDocument* document_from_id(DocumentId const& id) const;
    bool document_exists(DocumentId const& id) const;
    // The oldest document's id; the null id when there is none.
    DocumentId first_id() const;
    std::size_t num_documents() const { return m_documents.size(); }

    // Creates an empty Document and makes it current; returns its id.
    DocumentId create_document();

    // The busy mark: a load or another long operation works on the document.
    bool document_busy(DocumentId const& id) const;
    void document_busy(DocumentId const& id, bool busy);

    // The closing mark: the document is on its way out; it goes with the document.
    void set_document_as_closing(DocumentId const& id);
    bool is_closing(DocumentId const& id) const;

    // Destroys document id and returns true; returns false (and changes nothing) for an unknown
    // id, while that document is being destroyed already, or when the user keeps it.
    //   p_discard_changes  the caller throws unsaved changes away knowingly: nobody is asked.
    //   p_quiet            no DocumentMessages are sent (see above); the Qt signals still are.
    //   p_ask_user         when the document is modified (and p_discard_changes is false), ask the
    //                      user through ErrorHandler whether to discard the changes; No keeps it.
    //                      Without p_ask_user a modified document is destroyed without asking.
    //   p_next_current     the document to make current afterwards when it exists; otherwise, if
    //                      the destroyed document was current, the last remaining document (none
    //                      when no document is left). Destroying another document leaves the
    //                      current one current.
    bool destroy_document(DocumentId const& id, bool p_discard_changes, bool p_quiet,
                          bool p_ask_user, DocumentId const& p_next_current);

    // Destroys every document quietly, without asking (shut-down, tests).
    void destroy_all();

signals:
    void documentCreated(quarro::housekeeping::DocumentId id);
    void documentDestroyed(quarro::housekeeping::DocumentId id);
    void currentDocumentChanged(quarro::housekeeping::DocumentId id);

private:
    DocumentManager();
    ~DocumentManager() override;
    Q_DISABLE_COPY(DocumentManager)

    void change_current(DocumentId const& id, bool quiet);
    void send(DocumentId const& id, DocumentMessage::DocChangeType type) const;
    bool keeps_changes(AbstractDocument const& document) const;

    // Ordered by id, which is the order of creation.
    std::map<DocumentId, std::unique_ptr<AbstractDocument>> m_documents;
    DocumentId m_current;
    int m_last_id = 0;
    std::set<DocumentId> m_busy;
    std::set<DocumentId> m_closing;
    std::set<DocumentId> m_destroying;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_DOCUMENTMANAGER_H
