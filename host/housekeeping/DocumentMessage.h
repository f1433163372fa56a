#ifndef QUARRO_HOUSEKEEPING_DOCUMENTMESSAGE_H
#define QUARRO_HOUSEKEEPING_DOCUMENTMESSAGE_H

#include "QuarroHostExport.h"
#include "housekeeping/DocumentId.h"
#include "housekeeping/Message.h"
#include "housekeeping/MessageSubscription.h"

#include <QObject>

namespace quarro {
namespace housekeeping {

// Tells subscribers that something happened to a document. The document manager sends types 1, 4,
// 5 and 6 (see DocumentManager); the import wizard sends 2 after a load.
class QUARRO_HOST_EXPORT DocumentMessage : public Message {
    Q_OBJECT
public:
    // The numbers travel between libraries: never renumber.
    enum DocChangeType {
        NoChange = 0,
        CurrentChanged = 1,
        ContentChanged = 2,
        ModifiedChanged = 3,
        AboutToBeDestroyed = 4,
        LastDocumentClosed = 5,
        Created = 6
    };

    DocumentMessage();
    DocumentMessage(DocumentMessage const& other);
    ~DocumentMessage() override;

    // A new message on the heap, each call; hand it to Message::dispatch or post().
    static DocumentMessage* instance();

    using Message::dispatch;
    void dispatch() override;

    DocumentId const& id() const { return m_id; }
    void id(DocumentId const& id) { m_id = id; }
    DocChangeType doc_change_type() const { return m_type; }
    void doc_change_type(DocChangeType type) { m_type = type; }

    // See MessageSubscription; the default slot is handle_message(housekeeping::DocumentMessage&).
    static bool subscribe(QObject const* receiver, char const* member,
                          Qt::ConnectionType type = Qt::AutoConnection);
    static bool subscribe(QObject const* receiver, Qt::ConnectionType type = Qt::AutoConnection);
    static bool unsubscribe(QObject const* receiver);

signals:
    void message_dispatched(housekeeping::DocumentMessage& p_message);

private:
    static DocumentMessage* class_instance();
    static MessageSubscription subscription();

    DocumentId m_id;
    DocChangeType m_type = NoChange;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_DOCUMENTMESSAGE_H
