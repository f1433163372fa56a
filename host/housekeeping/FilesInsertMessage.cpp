#include "housekeeping/FilesInsertMessage.h"

namespace quarro {
namespace housekeeping {

FilesInsertMessage::FilesInsertMessage() = default;

FilesInsertMessage::FilesInsertMessage(FilesInsertMessage const& other)
    : Message(other)
    , m_files(other.m_files) {}

FilesInsertMessage::~FilesInsertMessage() = default;

FilesInsertMessage* FilesInsertMessage::instance() {
    return new FilesInsertMessage;
}

void FilesInsertMessage::dispatch() {
    emit class_instance()->message_dispatched(*this);
}

bool FilesInsertMessage::subscribe(QObject const* receiver, char const* member,
                                   Qt::ConnectionType type) {
    return subscription().subscribe(receiver, member, type);
}

bool FilesInsertMessage::subscribe(QObject const* receiver, Qt::ConnectionType type) {
    return subscription().subscribe(receiver, type);
}

bool FilesInsertMessage::unsubscribe(QObject const* receiver) {
    return subscription().unsubscribe(receiver);
}

FilesInsertMessage* FilesInsertMessage::class_instance() {
    // Never deleted: subscribers may unsubscribe during the process's shut-down.
    static FilesInsertMessage* const instance = new FilesInsertMessage;
    return instance;
}

MessageSubscription FilesInsertMessage::subscription() {
    return MessageSubscription(class_instance(), "housekeeping::FilesInsertMessage");
}

} // namespace housekeeping
} // namespace quarro
