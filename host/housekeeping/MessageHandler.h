#ifndef QUARRO_HOUSEKEEPING_MESSAGEHANDLER_H
#define QUARRO_HOUSEKEEPING_MESSAGEHANDLER_H

#include "QuarroHostExport.h"

#include <QMutex>
#include <QObject>

#include <cstddef>
#include <deque>
#include <memory>

namespace quarro {
namespace housekeeping {

class Message;

// The queue of posted messages. post() may be called from any thread; the messages are delivered
// and deleted on the handler's thread (the GUI thread) from its event loop, one at a time in the
// order they were posted. A message posted while others are being delivered joins the end of the
// queue. Messages still queued when the process ends are deleted undelivered.
class QUARRO_HOST_EXPORT MessageHandler : public QObject {
    Q_OBJECT
public:
    static MessageHandler& instance();

    // Takes ownership of m and queues it. A null message is logged and ignored.
    void post(Message* m);

    // Delivers everything queued now, including messages that receivers post meanwhile. Call it on
    // the handler's thread.
    void flush();

    // Messages waiting for delivery.
    std::size_t pending() const;

private:
    MessageHandler();
    ~MessageHandler() override;
    Q_DISABLE_COPY(MessageHandler)

    Q_INVOKABLE void deliver_queued();
    std::unique_ptr<Message> take_next();

    mutable QMutex m_mutex;
    std::deque<std::unique_ptr<Message>> m_queue;
    bool m_delivery_scheduled = false;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_MESSAGEHANDLER_H
