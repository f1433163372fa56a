#include "housekeeping/Message.h"

#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/MessageHandler.h"

#include <memory>

namespace quarro {
namespace housekeeping {

Message::Message()
    : QObject(nullptr) {}

Message::Message(Message const& /*other*/)
    : QObject(nullptr) {}

Message::~Message() = default;

void Message::post() {
    MessageHandler::instance().post(this);
}

void Message::dispatch(Message* m) {
    if (m == nullptr) {
        ErrorProtocol::instance().log_assert("m", Q_FUNC_INFO, "host/housekeeping/Message",
                                             __LINE__);
        return;
    }
    std::unique_ptr<Message> const owned(m);
    owned->dispatch();
}

} // namespace housekeeping
} // namespace quarro
