#ifndef QUARRO_HOUSEKEEPING_MESSAGESUBSCRIPTION_H
#define QUARRO_HOUSEKEEPING_MESSAGESUBSCRIPTION_H

#include "QuarroHostExport.h"

#include <QByteArray>
#include <QObject>

namespace quarro {
namespace housekeeping {

// The subscription logic shared by every message class, here and in other libraries.
//
// A message class X keeps one hidden class instance whose signal
//   message_dispatched(<type>& p_message)
// carries every delivered message, where <type> is X's name spelled from namespace quarro
// ("housekeeping::DocumentMessage"). Subscribers connect to that signal by signature strings, so
// their slot must spell the parameter the same way:
//   handle_message(housekeeping::DocumentMessage&)
//
// Messages are deleted right after delivery: a receiver gets a reference that is valid only while
// its slot runs. Qt refuses queued connections for these reference parameters, so subscribe with a
// direct, automatic (same thread) or blocking queued connection.
class QUARRO_HOST_EXPORT MessageSubscription {
public:
    // class_instance: the object that emits the signal; message_type: the spelled type name.
    MessageSubscription(QObject const* class_instance, char const* message_type);

    // Connects the class instance's signal to member of receiver. member is a signature string as
    // SLOT() or SIGNAL() writes it ("1slot(args)" or "2signal(args)"). Returns false, logs why and
    // changes nothing when the receiver or member is missing, the receiver has no such method,
    // its parameters do not fit, or the receiver is already connected to that member.
    bool subscribe(QObject const* receiver, char const* member, Qt::ConnectionType type) const;

    // subscribe() with the slot "handle_message(<type>&)".
    bool subscribe(QObject const* receiver, Qt::ConnectionType type) const;

    // Disconnects every connection from the class instance's signal to receiver; returns whether
    // there was one.
    bool unsubscribe(QObject const* receiver) const;

    // "2message_dispatched(<type>&)".
    QByteArray const& signal() const { return m_signal; }
    // "1handle_message(<type>&)".
    QByteArray const& handler() const { return m_handler; }

private:
    QObject const* m_class_instance;
    QByteArray m_signal;
    QByteArray m_handler;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_MESSAGESUBSCRIPTION_H
