#include "housekeeping/MessageHandler.h"

#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/Message.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QMutexLocker>
#include <QThread>

namespace quarro {
namespace housekeeping {

MessageHandler& MessageHandler::instance() {
    static MessageHandler handler;
    return handler;
}

MessageHandler::MessageHandler() {
    // Deliveries belong on the GUI thread, even when a worker happens to post first.
    QCoreApplication const* const application = QCoreApplication::instance();
    if (application != nullptr && thread() != application->thread()) {
        moveToThread(application->thread());
    }
}

MessageHandler::~MessageHandler() = default;

void MessageHandler::post(Message* m) {
    if (m == nullptr) {
        ErrorProtocol::instance().log_assert("m", Q_FUNC_INFO, "host/housekeeping/MessageHandler",
                                             __LINE__);
        return;
    }
    // The message is deleted on the handler's thread; moving it there is only allowed from the
    // thread it lives in, which is the posting one.
    if (m->thread() != thread()) {
        m->moveToThread(thread());
    }
    bool schedule = false;
    {
        QMutexLocker lock(&m_mutex);
        m_queue.emplace_back(m);
        schedule = !m_delivery_scheduled;
        m_delivery_scheduled = true;
    }
    if (schedule) {
        QMetaObject::invokeMethod(this, "deliver_queued", Qt::QueuedConnection);
    }
}

void MessageHandler::flush() {
    deliver_queued();
}

std::size_t MessageHandler::pending() const {
    QMutexLocker lock(&m_mutex);
    return m_queue.size();
}

void MessageHandler::deliver_queued() {
    // One message at a time, without holding the lock, so that receivers may post more.
    while (std::unique_ptr<Message> next = take_next()) {
        next->dispatch();
    }
}

std::unique_ptr<Message> MessageHandler::take_next() {
    QMutexLocker lock(&m_mutex);
    if (m_queue.empty()) {
        m_delivery_scheduled = false;
        return nullptr;
    }
    std::unique_ptr<Message> next = std::move(m_queue.front());
    m_queue.pop_front();
    return next;
}

} // namespace housekeeping
} // namespace quarro
