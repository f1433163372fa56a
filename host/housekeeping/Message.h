#ifndef QUARRO_HOUSEKEEPING_MESSAGE_H
#define QUARRO_HOUSEKEEPING_MESSAGE_H

#include "QuarroHostExport.h"

#include <QObject>

namespace quarro {
namespace housekeeping {

// Base of the host's messages: small heap objects that one part of the application sends to
// whoever subscribed to their class, without knowing the receivers.
//
// Each message class keeps one hidden class instance that emits the class's signal
// message_dispatched(X&) for every message delivered; subscribing means connecting to that
// signal (see MessageSubscription). A message is sent either at once with the static
// Message::dispatch(m), or later from the event loop with post(); both take ownership and delete
// the message after delivery, so receivers get a reference that is valid only during their slot.
class QUARRO_HOST_EXPORT Message : public QObject {
    Q_OBJECT
public:
    ~Message() override;

    // Delivers this message now: the class instance emits its signal with this message.
    // The message is not deleted; use the static dispatch(Message*) to hand it over.
    virtual void dispatch() = 0;

    // Queues this message with the message handler, which delivers and deletes it later from the
    // event loop. The caller no longer owns it.
    virtual void post();

    // Delivers m at once and deletes it; takes ownership. A null message is logged and ignored.
    static void dispatch(Message* m);

protected:
    Message();
    // A copy is a new message with the same content; the QObject part is not copied.
    Message(Message const& other);
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_MESSAGE_H
