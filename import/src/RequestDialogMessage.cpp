#include "RequestDialogMessage.h"

#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/MessageHandler.h"
#include "housekeeping/MessageSubscription.h"

namespace quarro {
namespace import {

namespace {
char const* const source_path = "import/src/RequestDialogMessage";
char const* const dispatch_signature =
    "void quarro::import::RequestDialogMessage::class_instance_dispatch("
    "quarro::import::RequestDialogMessage*)";
} // namespace

RequestDialogMessage::RequestDialogMessage() = default;

RequestDialogMessage::RequestDialogMessage(RequestDialogMessage const& other)
    : housekeeping::Message(other)
    , m_key(other.m_key)
    , m_reader(other.m_reader)
    , m_information(other.m_information) {}

RequestDialogMessage::~RequestDialogMessage() = default;

RequestDialogMessage* RequestDialogMessage::instance() {
    return new RequestDialogMessage;
}

void RequestDialogMessage::init(AbstractFileReader* reader, std::string key,
                                housekeeping::AbstractDataInformation* information) {
    m_reader = reader;
    m_key = std::move(key);
    m_information = information;
}

// The class instance lives for the whole process; it is never filled or delivered itself.
RequestDialogMessage* RequestDialogMessage::class_instance() {
    static RequestDialogMessage* instance = new RequestDialogMessage;
    return instance;
}

void RequestDialogMessage::dispatch() {
    class_instance()->class_instance_dispatch(this);
}

void RequestDialogMessage::post() {
    housekeeping::MessageHandler::instance().post(this);
}

void RequestDialogMessage::class_instance_dispatch(RequestDialogMessage* p_message) {
    if (p_message == nullptr) {
        housekeeping::ErrorProtocol::instance().log_assert("p_message", dispatch_signature,
                                                           source_path, 20);
        return;
    }
    emit message_dispatched(*p_message);
}

housekeeping::MessageSubscription RequestDialogMessage::subscription() {
    return housekeeping::MessageSubscription(class_instance(), "import::RequestDialogMessage");
}

bool RequestDialogMessage::subscribe(QObject const* receiver, char const* member,
                                     Qt::ConnectionType type) {
    return subscription().subscribe(receiver, member, type);
}

bool RequestDialogMessage::subscribe(QObject const* receiver, Qt::ConnectionType type) {
    return subscription().subscribe(receiver, type);
}

bool RequestDialogMessage::unsubscribe(QObject const* receiver) {
    return subscription().unsubscribe(receiver);
}

} // namespace import
} // namespace quarro
