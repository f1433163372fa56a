#include "housekeeping/MessageSubscription.h"

#include "housekeeping/ErrorProtocol.h"

#include <QMetaMethod>
#include <QMetaObject>

#include <string>

namespace quarro {
namespace housekeeping {

namespace {

// The codes that SLOT() and SIGNAL() put in front of a signature.
constexpr char slot_code = '1';
constexpr char signal_code = '2';

void refuse(QByteArray const& why) {
    ErrorProtocol::instance().log_message("Message subscription refused: " + why.toStdString());
}

} // namespace

MessageSubscription::MessageSubscription(QObject const* class_instance, char const* message_type)
    : m_class_instance(class_instance)
    , m_signal(QByteArray(1, signal_code) + "message_dispatched(" + message_type + "&)")
    , m_handler(QByteArray(1, slot_code) + "handle_message(" + message_type + "&)") {}

bool MessageSubscription::subscribe(QObject const* receiver, char const* member,
                                    Qt::ConnectionType type) const {
    if (m_class_instance == nullptr || receiver == nullptr || member == nullptr) {
        refuse("no receiver or no member for " + m_signal.mid(1));
        return false;
    }
    QByteArray const code_and_signature(member);
    if (code_and_signature.size() < 2 ||
        (code_and_signature.at(0) != slot_code && code_and_signature.at(0) != signal_code)) {
        refuse("'" + code_and_signature + "' is not a slot or signal signature");
        return false;
    }
    // Checked here rather than left to QObject::connect so that a wrong signature is a clear
    // line in the log instead of a warning on the console.
    QByteArray const signature =
        QMetaObject::normalizedSignature(code_and_signature.constData() + 1);
    QMetaObject const* const receiver_meta = receiver->metaObject();
    int const method = receiver_meta->indexOfMethod(signature.constData());
    if (method < 0) {
        refuse(QByteArray(receiver_meta->className()) + " has no method " + signature);
        return false;
    }
    QByteArray const signal_signature = m_signal.mid(1);
    if (!QMetaObject::checkConnectArgs(signal_signature.constData(), signature.constData())) {
        refuse(QByteArray(receiver_meta->className()) + "::" + signature + " does not fit " +
               signal_signature);
        return false;
    }
    QMetaObject::Connection const connection =
        QObject::connect(m_class_instance, m_signal.constData(), receiver, member,
                         static_cast<Qt::ConnectionType>(type | Qt::UniqueConnection));
    if (!connection) {
        refuse(QByteArray(receiver_meta->className()) + "::" + signature +
               " is already subscribed or cannot be connected this way");
        return false;
    }
    return true;
}

bool MessageSubscription::subscribe(QObject const* receiver, Qt::ConnectionType type) const {
    return subscribe(receiver, m_handler.constData(), type);
}

bool MessageSubscription::unsubscribe(QObject const* receiver) const {
    if (m_class_instance == nullptr || receiver == nullptr) {
        return false;
    }
    return QObject::disconnect(m_class_instance, m_signal.constData(), receiver, nullptr);
}

} // namespace housekeeping
} // namespace quarro
