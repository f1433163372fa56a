#ifndef QUARRO_TESTS_HOST_HOUSEKEEPING_MESSAGERECORDER_H
#define QUARRO_TESTS_HOST_HOUSEKEEPING_MESSAGERECORDER_H

#include "housekeeping/DocumentMessage.h"
#include "housekeeping/FilesInsertMessage.h"

#include <QObject>

#include <functional>
#include <utility>
#include <vector>

namespace quarro {
namespace test {

// Subscribes to the host's message classes the way other libraries do (slots spelled from namespace
// quarro) and records what arrives.
class MessageRecorder : public QObject {
    Q_OBJECT
public:
    std::vector<std::pair<housekeeping::DocumentId, int>> document_messages;
    std::vector<utilities::UrlList> files_messages;
    std::vector<int> other_slot_types;
    // Runs inside the document slot, while the message is being delivered.
    std::function<void(housekeeping::DocumentMessage&)> on_document_message;

    bool subscribe_all() {
        return housekeeping::DocumentMessage::subscribe(this) &&
               housekeeping::FilesInsertMessage::subscribe(this);
    }
    ~MessageRecorder() override {
        housekeeping::DocumentMessage::unsubscribe(this);
        housekeeping::FilesInsertMessage::unsubscribe(this);
    }
    std::vector<int> document_types() const {
        std::vector<int> types;
        for (auto const& message : document_messages) {
            types.push_back(message.second);
        }
        return types;
    }

public slots:
    void handle_message(housekeeping::DocumentMessage& p_message) {
        document_messages.emplace_back(p_message.id(), p_message.doc_change_type());
        if (on_document_message) {
            on_document_message(p_message);
        }
    }
    void handle_message(housekeeping::FilesInsertMessage& p_message) {
        files_messages.push_back(p_message.files());
    }
    void other_slot(housekeeping::DocumentMessage& p_message) {
        other_slot_types.push_back(p_message.doc_change_type());
    }
};

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_HOST_HOUSEKEEPING_MESSAGERECORDER_H
