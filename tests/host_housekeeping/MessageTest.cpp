#include "housekeeping/Message.h"
#include "MessageRecorder.h"
#include "ModalDialogHelper.h"
#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/MessageHandler.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

#include <algorithm>
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
    return std::all_of(messages.begin(), messages.end(),
                       [](QPointer<Message> const& m) { return m.isNull(); });
}

TEST(Message, DispatchDeliversAtOnceAndPostDeliversLaterInOrder) {
    MessageRecorder recorder;
    ASSERT_TRUE(recorder.subscribe_all());
    Message::dispatch(document_message(7, DocumentMessage::ContentChanged));
    FilesInsertMessage* files = FilesInsertMessage::instance();
    files->files({"file:///a.qro", "file:///b c.qro"});
    Message::dispatch(files);
    gui::MainWindowMessage* window = gui::MainWindowMessage::instance();
    window->m_type = gui::MainWindowMessage::DocumentActions;
    Message::dispatch(window);
    ASSERT_EQ(1u, recorder.document_messages.size());
    EXPECT_EQ(std::make_pair(DocumentId(7), 2), recorder.document_messages[0]);
    EXPECT_EQ((std::vector<utilities::UrlList>{{"file:///a.qro", "file:///b c.qro"}}),
              recorder.files_messages);
    EXPECT_EQ((std::vector<int>{6}), recorder.window_messages);
    EXPECT_TRUE(all_deleted(recorder.seen));

    // A null message is logged, not delivered.
    ErrorProtocol::instance().clear();
    Message::dispatch(nullptr);
    MessageHandler& handler = MessageHandler::instance();
    handler.post(nullptr);
    EXPECT_EQ(2, ErrorProtocol::instance().lines().size());
    EXPECT_EQ(0u, handler.pending());

    recorder.document_messages.clear();
    document_message(1, DocumentMessage::CurrentChanged)->post();
    handler.post(document_message(2, DocumentMessage::ContentChanged));
    document_message(3, DocumentMessage::Created)->post();
    EXPECT_EQ(3u, handler.pending());
    EXPECT_TRUE(recorder.document_messages.empty());
    ASSERT_TRUE(ModalDialogHelper::waitFor([&] { return handler.pending() == 0; }));
    EXPECT_EQ((std::vector<int>{1, 2, 6}), recorder.document_types());

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
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(DocumentId(10 + i), recorder.document_messages[i].first);
    }
    EXPECT_TRUE(all_deleted(recorder.seen));
}

TEST(Message, PostingFromAWorkerThreadDeliversOnTheGuiThread) {
    MessageRecorder recorder;
    ASSERT_TRUE(recorder.subscribe_all());
    QThread* delivered_on = nullptr;
    recorder.on_document_message = [&](DocumentMessage&) {
        delivered_on = QThread::currentThread();
    };
    std::unique_ptr<QThread> worker(
        QThread::create([] { document_message(5, DocumentMessage::ContentChanged)->post(); }));
    worker->start();
    ASSERT_TRUE(worker->wait(5000));
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

    // Wrong signatures, or no receiver at all, are refused with a reason in the log. The slot must
    // spell the type from namespace quarro, as the signal does.
    ErrorProtocol::instance().clear();
    for (char const* slot :
         {SLOT(unrelated_slot(int)), SLOT(no_such_slot(housekeeping::DocumentMessage&)),
          "handle_message(housekeeping::DocumentMessage&)", static_cast<char const*>(nullptr),
          SLOT(handle_message(quarro::housekeeping::DocumentMessage&)),
          SLOT(handle_message(housekeeping::FilesInsertMessage&))}) {
        EXPECT_FALSE(DocumentMessage::subscribe(&second, slot, Qt::AutoConnection))
            << (slot ? slot : "null");
    }
    EXPECT_FALSE(DocumentMessage::subscribe(nullptr, Qt::AutoConnection));
    EXPECT_EQ(7, ErrorProtocol::instance().lines().size());

    // After unsubscribing, the first receiver hears nothing more; the second still does.
    EXPECT_TRUE(DocumentMessage::unsubscribe(&first));
    EXPECT_FALSE(DocumentMessage::unsubscribe(&first));
    Message::dispatch(document_message(2, DocumentMessage::Created));
    EXPECT_EQ(1u, first.document_messages.size());
    EXPECT_EQ((std::vector<int>{1, 6}), second.other_slot_types);
    // Subscriptions per class: a receiver of DocumentMessages does not get the other classes.
    Message::dispatch(FilesInsertMessage::instance());
    EXPECT_TRUE(second.files_messages.empty());
}

} // namespace
