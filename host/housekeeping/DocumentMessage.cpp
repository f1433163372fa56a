#include "housekeeping/DocumentMessage.h"

namespace quarro {
namespace housekeeping {

DocumentMessage::DocumentMessage() = default;

DocumentMessage::DocumentMessage(DocumentMessage const& other)
    : Message(other)
    , m_id(other.m_id)
    , m_type(other.m_type) {}

DocumentMessage::~DocumentMessage() = default;

DocumentMessage* DocumentMessage::instance() {
    return new DocumentMessage;
}

void DocumentMessage::dispatch() {
    emit class_instance()->message_dispatched(*this);
}

bool DocumentMessage::subscribe(QObject const* receiver, char const* member,
                                Qt::ConnectionType type) {
    return subscription().subscribe(receiver, member, type);
}

bool DocumentMessage::subscribe(QObject const* receiver, Qt::ConnectionType type) {
    return subscription().subscribe(receiver, type);
}

bool DocumentMessage::unsubscribe(QObject const* receiver) {
    return subscription().unsubscribe(receiver);
}

DocumentMessage* DocumentMessage::class_instance() {
    // Never deleted: subscribers may unsubscribe during the process's shut-down.
    static DocumentMessage* const instance = new DocumentMessage;
    return instance;
}

MessageSubscription DocumentMessage::subscription() {
    return MessageSubscription(class_instance(), "housekeeping::DocumentMessage");
}

} // namespace housekeeping
} // namespace quarro
