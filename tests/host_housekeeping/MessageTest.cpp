#include "housekeeping/Message.h"
#include "HostMainWindow.h"
#include "MessageRecorder.h"
#include "ModalDialogHelper.h"
#include "housekeeping/ApplicationManager.h"
#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/MessageHandler.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace quarro;
using namespace quarro::housekeeping;
using quarro::housekeeping::gui::AbstractMainWindow;
using quarro::housekeeping::gui::MainWindowMessage;
using quarro::test::MessageRecorder;
using quarro::test::ModalDialogHelper;

namespace {

DocumentMessage* document_message(int id, DocumentMessage::DocChangeType type) {
    DocumentMessage* message = DocumentMessage::instance();
    message->id(DocumentId(id));
    message->doc_change_type(type);
    return message;
}

TEST(Message, DispatchDeliversAtOnceAndPostDeliversLaterInOrderOnTheGuiThread) {
    MessageRecorder recorder;
    ASSERT_TRUE(recorder.subscribe_all());
    Message::dispatch(document_message(7, DocumentMessage::ContentChanged));
    FilesInsertMessage* files = FilesInsertMessage::instance();
    files->files({"file:///a.qro", "file:///b c.qro"});
    Message::dispatch(files);
    EXPECT_EQ((std::vector<std::pair<DocumentId, int>>{{DocumentId(7), 2}}),
              recorder.document_messages);
    EXPECT_EQ((std::vector<utilities::UrlList>{{"file:///a.qro", "file:///b c.qro"}}),
              recorder.files_messages);
    MessageHandler& handler = MessageHandler::instance();
    recorder.document_messages.clear();
    document_message(1, DocumentMessage::CurrentChanged)->post();
    std::unique_ptr<QThread> worker(QThread::create(
        [&handler] { handler.post(document_message(2, DocumentMessage::ContentChanged)); }));
    worker->start();
    ASSERT_TRUE(worker->wait(5000));
    document_message(3, DocumentMessage::Created)->post();
    EXPECT_TRUE(recorder.document_messages.empty());
    QThread* delivered_on = nullptr;
    recorder.on_document_message = [&](DocumentMessage&) {
        delivered_on = QThread::currentThread();
    };
    ASSERT_TRUE(ModalDialogHelper::waitFor([&] { return handler.pending() == 0; }));
    EXPECT_EQ((std::vector<int>{1, 2, 6}), recorder.document_types());
    EXPECT_EQ(QCoreApplication::instance()->thread(), delivered_on);

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
    EXPECT_EQ((std::vector<int>{1, 1, 3}), recorder.document_types());
    EXPECT_EQ(DocumentId(12), recorder.document_messages.back().first);
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
         {SLOT(no_such_slot(housekeeping::DocumentMessage&)),
          SLOT(handle_message(housekeeping::FilesInsertMessage&)),
          "handle_message(housekeeping::DocumentMessage&)", static_cast<char const*>(nullptr),
          SLOT(handle_message(quarro::housekeeping::DocumentMessage&))}) {
        EXPECT_FALSE(DocumentMessage::subscribe(&second, slot, Qt::AutoConnection))
            << (slot ? slot : "null");
    }
    EXPECT_FALSE(DocumentMessage::subscribe(nullptr, Qt::AutoConnection));
    EXPECT_EQ(6, ErrorProtocol::instance().lines().size());

    // After unsubscribing, the first receiver hears nothing more; the second still does, and only
    // of its own class.
    EXPECT_TRUE(DocumentMessage::unsubscribe(&first));
    EXPECT_FALSE(DocumentMessage::unsubscribe(&first));
    Message::dispatch(document_message(2, DocumentMessage::Created));
    Message::dispatch(FilesInsertMessage::instance());
    EXPECT_EQ(1u, first.document_messages.size());
    EXPECT_EQ((std::vector<int>{1, 6}), second.other_slot_types);
    EXPECT_TRUE(second.files_messages.empty());
}

// Menus are filled by subscribers through the message; the drop and the document actions are
// checked with the application's window.
TEST(AbstractMainWindow, PlacesActionsByPosition) {
    EXPECT_FALSE(ApplicationManager::instance().main_window_exists());
    {
        test::HostMainWindow window;
        EXPECT_EQ(&window, AbstractMainWindow::instance());
        EXPECT_TRUE(ApplicationManager::instance().main_window_exists());
        // An action without a position is passed over when placing others.
        window.file_menu->addAction(QStringLiteral("Unplaced"));

        std::unique_ptr<MainWindowMessage> message(MainWindowMessage::instance());
        message->m_menu = window.file_menu;
        message->m_type = MainWindowMessage::FillMenu;
        auto* late = new QAction(QStringLiteral("Late"), window.file_menu);
        message->insertAction(11, late);
        message->insertAction(1, new QAction(QStringLiteral("Open"), window.file_menu));
        message->insertSeparator(3);
        // Equal positions keep their order; placing an action again moves it.
        message->insertAction(11, new QAction(QStringLiteral("Revert"), window.file_menu));
        message->insertAction(11, late);
        message->insertSeparator(21);
        EXPECT_EQ((QStringList{"&New", "Open", "--", "&Save", "&Close", "Revert", "Late", "--",
                               "&Quit", "Unplaced"}),
                  test::menu_texts(*window.file_menu));
        EXPECT_EQ(11, MainWindowMessage::menu_position(late));
        message->m_menu = nullptr; // no menu, no change
        message->insertSeparator(2);
        EXPECT_EQ(10, window.file_menu->actions().size());
    }
    EXPECT_EQ(nullptr, AbstractMainWindow::instance());
    EXPECT_FALSE(ApplicationManager::instance().main_window_exists());
}

} // namespace
