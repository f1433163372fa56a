#include "housekeeping/Message.h"
#include "MessageRecorder.h"
#include "ModalDialogHelper.h"
#include "housekeeping/DocumentMessage.h"
#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/FilesInsertMessage.h"
#include "housekeeping/MessageHandler.h"
#include "housekeeping/gui/MainWindowMessage.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

#include <vector>

using namespace quarro;
using namespace quarro::housekeeping;
using quarro::test::MessageRecorder;
using quarro::test::ModalDialogHelper;

namespace {

DocumentMessage* document_message(int id, DocumentMessage::DocChangeType type) {
    DocumentMessage* message = DocumentMessage::instance();
    message->id(DocumentId(id));
    message->doc_change_type(type);
    return message;
}

bool all_deleted(std::vector<QPointer<Message>> const& messages) {
    for (QPointer<Message> const& message : messages) {
        if (!message.isNull()) {
            return false;
        }
    }
    return true;
}

TEST(Message, DispatchDeliversAtOnceAndDeletes) {
    MessageRecorder recorder;
    ASSERT_TRUE(recorder.subscribe_all());

    DocumentMessage* first = DocumentMessage::instance();
    DocumentMessage* second = DocumentMessage::instance();
    EXPECT_NE(first, second); // a new message each call
    first->id(DocumentId(7));
    first->doc_change_type(DocumentMessage::ContentChanged);
    Message::dispatch(first);
    delete second;

    ASSERT_EQ(1u, recorder.document_messages.size());
    EXPECT_EQ(std::make_pair(DocumentId(7), 2), recorder.document_messages[0]);
    ASSERT_EQ(1u, recorder.seen.size());
    EXPECT_TRUE(all_deleted(recorder.seen));

    FilesInsertMessage* files = FilesInsertMessage::instance();
    files->files({"file:///a.qro", "file:///b c.qro"});
    Message::dispatch(files);
    ASSERT_EQ(1u, recorder.files_messages.size());
    EXPECT_EQ((utilities::UrlList{"file:///a.qro", "file:///b c.qro"}), recorder.files_messages[0]);

    gui::MainWindowMessage* window = gui::MainWindowMessage::instance();
    window->m_type = gui::MainWindowMessage::DocumentActions;
    Message::dispatch(window);
    EXPECT_EQ((std::vector<int>{6}), recorder.window_messages);
    EXPECT_TRUE(all_deleted(recorder.seen));

    // A copy is a message of its own with the same content.
    DocumentMessage original;
    original.id(DocumentId(3));
    original.doc_change_type(DocumentMessage::LastDocumentClosed);
    DocumentMessage const copy(original);
    EXPECT_EQ(DocumentId(3), copy.id());
    EXPECT_EQ(DocumentMessage::LastDocumentClosed, copy.doc_change_type());

    // A null message is logged, not delivered.
    ErrorProtocol::instance().clear();
    Message::dispatch(nullptr);
    MessageHandler::instance().post(nullptr);
    EXPECT_EQ(2, ErrorProtocol::instance().lines().size());
    EXPECT_EQ(0u, MessageHandler::instance().pending());
}

TEST(Message, PostedMessagesArriveLaterInOrderAndAreDeleted) {
    MessageRecorder recorder;
    ASSERT_TRUE(recorder.subscribe_all());
    MessageHandler& handler = MessageHandler::instance();

    document_message(1, DocumentMessage::CurrentChanged)->post();
    handler.post(document_message(2, DocumentMessage::ContentChanged));
    FilesInsertMessage* files = FilesInsertMessage::instance();
    files->files({"file:///x.qro"});
    files->post();
    document_message(3, DocumentMessage::Created)->post();
    EXPECT_EQ(4u, handler.pending());
    EXPECT_TRUE(recorder.document_messages.empty());

    ASSERT_TRUE(ModalDialogHelper::waitFor([&] { return handler.pending() == 0; }));
    EXPECT_EQ((std::vector<int>{1, 2, 6}), recorder.document_types());
    EXPECT_EQ(DocumentId(3), recorder.document_messages.back().first);
    EXPECT_EQ(1u, recorder.files_messages.size());
    EXPECT_EQ(4u, recorder.seen.size());
    EXPECT_TRUE(all_deleted(recorder.seen));

    // A message posted during a delivery joins the end of the queue; flush() delivers everything
    // now, without the event loop.
    recorder.document_messages.clear();
    recorder.on_document_message = [](DocumentMessage& message) {
        if (message.id() == DocumentId(10)) {
            document_message(12, DocumentMessage::ModifiedChanged)->post();
        }
    };
    document_message(10, DocumentMessage::CurrentChanged)->post();
    document_message(11, DocumentMessage::CurrentChanged)->post();
    handler.flush();
    EXPECT_EQ(0u, handler.pending());
    ASSERT_EQ(3u, recorder.document_messages.size());
    EXPECT_EQ(DocumentId(10), recorder.document_messages[0].first);
    EXPECT_EQ(DocumentId(11), recorder.document_messages[1].first);
    EXPECT_EQ(DocumentId(12), recorder.document_messages[2].first);
    EXPECT_TRUE(all_deleted(recorder.seen));
}

TEST(Message, PostingFromAWorkerThreadDeliversOnTheGuiThread) {
    MessageRecorder recorder;
    ASSERT_TRUE(recorder.subscribe_all());
    QThread* delivered_on = nullptr;
    recorder.on_document_message = [&](DocumentMessage&) {
        delivered_on = QThread::currentThread();
    };

    QThread* worker =
        QThread::create([] { document_message(5, DocumentMessage::ContentChanged)->post(); });
    worker->start();
    ASSERT_TRUE(worker->wait(5000));
    delete worker;
    ASSERT_TRUE(ModalDialogHelper::waitFor([&] { return !recorder.document_messages.empty(); }));
    EXPECT_EQ(QCoreApplication::instance()->thread(), delivered_on);
    EXPECT_TRUE(all_deleted(recorder.seen));
}

TEST(Message, SubscriptionsAreMadeBySignature) {
    MessageRecorder first;
    MessageRecorder second;
    ASSERT_TRUE(DocumentMessage::subscribe(&first, Qt::DirectConnection));
    ASSERT_TRUE(DocumentMessage::subscribe(
        &second, SLOT(other_slot(housekeeping::DocumentMessage&)), Qt::AutoConnection));
    // Subscribing twice to the same slot would deliver twice: refused.
    EXPECT_FALSE(DocumentMessage::subscribe(&first, Qt::DirectConnection));

    Message::dispatch(document_message(1, DocumentMessage::CurrentChanged));
    EXPECT_EQ(1u, first.document_messages.size());
    EXPECT_EQ((std::vector<int>{1}), second.other_slot_types);
    EXPECT_TRUE(second.document_messages.empty());

    // Wrong signatures, or no receiver at all, are refused with a reason in the log.
    ErrorProtocol::instance().clear();
    EXPECT_FALSE(DocumentMessage::subscribe(&second, SLOT(unrelated_slot(int))));
    EXPECT_FALSE(
        DocumentMessage::subscribe(&second, SLOT(no_such_slot(housekeeping::DocumentMessage&))));
    EXPECT_FALSE(
        DocumentMessage::subscribe(&second, "handle_message(housekeeping::DocumentMessage&)"));
    EXPECT_FALSE(DocumentMessage::subscribe(&second, nullptr, Qt::AutoConnection));
    EXPECT_FALSE(DocumentMessage::subscribe(nullptr, Qt::AutoConnection));
    // The slot must spell the type from namespace quarro, as the signal does.
    EXPECT_FALSE(DocumentMessage::subscribe(
        &second, SLOT(handle_message(quarro::housekeeping::DocumentMessage&))));
    // A FilesInsertMessage slot does not fit the DocumentMessage signal.
    EXPECT_FALSE(DocumentMessage::subscribe(
        &second, SLOT(handle_message(housekeeping::FilesInsertMessage&))));
    EXPECT_EQ(7, ErrorProtocol::instance().lines().size());

    // After unsubscribing, the first receiver hears nothing more; the second still does.
    EXPECT_TRUE(DocumentMessage::unsubscribe(&first));
    EXPECT_FALSE(DocumentMessage::unsubscribe(&first));
    Message::dispatch(document_message(2, DocumentMessage::Created));
    EXPECT_EQ(1u, first.document_messages.size());
    EXPECT_EQ((std::vector<int>{1, 6}), second.other_slot_types);

    // Subscriptions per class: a receiver of DocumentMessages does not get the other classes.
    auto* files = FilesInsertMessage::instance();
    Message::dispatch(files);
    EXPECT_TRUE(second.files_messages.empty());
}

} // namespace
