#include "MessageRecorder.h"
#include "ModalDialogHelper.h"
#include "housekeeping/AbstractQuickHelpEntry.h"
#include "housekeeping/ApplicationManager.h"
#include "housekeeping/ErrorHandler.h"
#include "housekeeping/QuickHelpKeySequenceEntry.h"
#include "housekeeping/gui/AbstractMainWindow.h"
#include "housekeeping/gui/MainWindowMessage.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace quarro;
using namespace quarro::housekeeping;
using quarro::housekeeping::gui::AbstractMainWindow;
using quarro::housekeeping::gui::MainWindowMessage;
using quarro::test::ModalDialogHelper;

namespace {

QStringList menu_texts(QMenu const& menu) {
    QStringList texts;
    for (QAction const* action : menu.actions()) {
        texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
    }
    return texts;
}

// Places its actions in the File menu the way the import library does.
class FileMenuFiller : public QObject {
    Q_OBJECT
public:
    explicit FileMenuFiller(QObject* parent)
        : QObject(parent) {
        open = new QAction(QStringLiteral("Open"), this);
        insert = new QAction(QStringLiteral("Insert"), this);
        revert = new QAction(QStringLiteral("Revert"), this);
        recent = new QAction(QStringLiteral("Recent Files"), this);
    }
    QAction* open;
    QAction* insert;
    QAction* revert;
    QAction* recent;

public slots:
    void handle_message(housekeeping::gui::MainWindowMessage& p_message) {
        if (p_message.type() == MainWindowMessage::DocumentActions) {
            p_message.main_window()->set_document_actions(open, insert, revert);
            return;
        }
        if (p_message.menu() == nullptr || p_message.menu()->title() != QLatin1String("&File")) {
            return;
        }
        p_message.insertAction(1, open);
        p_message.insertAction(2, insert);
        p_message.insertSeparator(3);
        p_message.insertAction(11, revert);
        p_message.insertAction(20, recent);
        p_message.insertSeparator(21);
    }
};

TEST(MainWindowMessage, ActionsSlotIntoAPrefilledMenuByPosition) {
    QMenu file(QStringLiteral("&File"));
    for (auto const& entry :
         {std::make_pair(0, "New"), std::make_pair(5, "Save"), std::make_pair(30, "Quit")}) {
        MainWindowMessage::set_menu_position(file.addAction(QString::fromLatin1(entry.second)),
                                             entry.first);
    }
    // An action without a position is passed over when placing others.
    file.addAction(QStringLiteral("Unplaced"));

    std::unique_ptr<MainWindowMessage> message(MainWindowMessage::instance());
    message->m_menu = &file;
    message->m_type = MainWindowMessage::FillMenu;
    FileMenuFiller filler(nullptr);
    filler.handle_message(*message);

    EXPECT_EQ((QStringList{"New", "Open", "Insert", "--", "Save", "Revert", "Recent Files", "--",
                           "Quit", "Unplaced"}),
              menu_texts(file));
    bool ok = false;
    EXPECT_EQ(11, MainWindowMessage::menu_position(filler.revert, &ok));
    EXPECT_TRUE(ok);
    EXPECT_EQ(-1, MainWindowMessage::menu_position(file.actions().last(), &ok));
    EXPECT_FALSE(ok);

    // Equal positions keep their order; placing an action again moves it.
    auto* late = new QAction(QStringLiteral("Late"), &file);
    message->insertAction(5, late);
    message->insertAction(0, filler.revert);
    EXPECT_EQ((QStringList{"New", "Revert", "Open", "Insert", "--", "Save", "Late", "Recent Files",
                           "--", "Quit", "Unplaced"}),
              menu_texts(file));

    // Without a menu nothing happens.
    message->m_menu = nullptr;
    message->insertAction(1, late);
    message->insertSeparator(2);
    EXPECT_EQ(11, file.actions().size());
}

TEST(AbstractMainWindow, SendsMenuMessagesRecordsAnswersAndAnnouncesDrops) {
    EXPECT_EQ(nullptr, AbstractMainWindow::instance());
    EXPECT_FALSE(ApplicationManager::instance().main_window_exists());
    EXPECT_EQ(qApp, ApplicationManager::instance().qapplication());
    {
        AbstractMainWindow window;
        EXPECT_EQ(&window, AbstractMainWindow::instance());
        EXPECT_TRUE(ApplicationManager::instance().main_window_exists());

        FileMenuFiller filler(&window);
        ASSERT_TRUE(MainWindowMessage::subscribe(&filler));
        QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
        MainWindowMessage::set_menu_position(file->addAction(QStringLiteral("Quit")), 30);
        window.announce_menu(file);
        EXPECT_EQ((QStringList{"Open", "Insert", "--", "Revert", "Recent Files", "--", "Quit"}),
                  menu_texts(*file));

        window.request_document_actions();
        EXPECT_EQ(filler.open, window.open_action());
        EXPECT_EQ(filler.insert, window.insert_action());
        EXPECT_EQ(filler.revert, window.revert_action());
        window.notify(7);
        EXPECT_EQ(QList<int>{7}, window.notifications());

        // Local files dropped on the window arrive as URLs; other URLs are left out.
        std::vector<utilities::UrlList> dropped;
        QObject::connect(&window, &AbstractMainWindow::dropped,
                         [&](utilities::UrlList const& urls) { dropped.push_back(urls); });
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QStringLiteral("/data/a b.qro")),
                      QUrl(QStringLiteral("http://example.com/c.qro")),
                      QUrl::fromLocalFile(QStringLiteral("/data/d.las"))});
        // As the drag manager does it: a drop goes to the widget that accepted the drag.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
        ASSERT_EQ(1u, dropped.size());
        EXPECT_EQ((utilities::UrlList{"file:///data/a b.qro", "file:///data/d.las"}), dropped[0]);

        QMimeData no_files;
        no_files.setText(QStringLiteral("text"));
        QDragEnterEvent text_enter(QPoint(5, 5), Qt::CopyAction, &no_files, Qt::LeftButton,
                                   Qt::NoModifier);
        QApplication::sendEvent(&window, &text_enter);
        EXPECT_FALSE(text_enter.isAccepted());
        QDropEvent text_drop(QPointF(5, 5), Qt::CopyAction, &no_files, Qt::LeftButton,
                             Qt::NoModifier);
        QApplication::sendEvent(&window, &text_drop);
        EXPECT_EQ(1u, dropped.size());
    }
    EXPECT_EQ(nullptr, AbstractMainWindow::instance());
    EXPECT_FALSE(ApplicationManager::instance().main_window_exists());
}

TEST(ErrorHandler, AsksWithARealMessageBox) {
    AbstractMainWindow window;
    window.show();
    ModalDialogHelper helper;
    QWidget* parent_seen = nullptr;
    helper.expect([&](QWidget* dialog) {
        parent_seen = dialog->parentWidget();
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(nullptr, box);
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(QMessageBox::Yes,
              ErrorHandler::instance().message(QStringLiteral("Information"),
                                               QStringLiteral("File is already open\n\nRevert?"),
                                               QMessageBox::Yes | QMessageBox::No));
    EXPECT_EQ(&window, parent_seen);
    ASSERT_EQ(1, helper.messageBoxes().size());
    EXPECT_EQ(QStringLiteral("Information|File is already open\n\nRevert?"),
              helper.messageBoxes()[0]);

    helper.pressMessageBoxButton(QMessageBox::No);
    EXPECT_EQ(QMessageBox::No,
              ErrorHandler::instance().message(QStringLiteral("Q"), QStringLiteral("?"),
                                               QMessageBox::Yes | QMessageBox::No));
    helper.pressMessageBoxButton(QMessageBox::Ok);
    EXPECT_EQ(QMessageBox::Ok,
              ErrorHandler::instance().message(QStringLiteral("Error"), QStringLiteral("Unable"),
                                               QMessageBox::Ok));
    EXPECT_TRUE(helper.allAnswered());
    EXPECT_TRUE(helper.unexpected().isEmpty());
}

TEST(QuickHelp, EntriesAreListedWhileTheyLive) {
    int const before = AbstractQuickHelpEntry::entries().size();
    auto owner = std::make_unique<QObject>();
    auto* entry = new QuickHelpKeySequenceEntry(owner.get(), DocumentId::null(),
                                                QKeySequence(QStringLiteral("Ctrl+I")),
                                                QStringLiteral("Insert"), QuickHelpFile);
    EXPECT_EQ(7, static_cast<int>(entry->section()));
    EXPECT_FALSE(entry->isAttached());
    EXPECT_FALSE(entry->isVisible());
    QSignalSpy changed(entry, &AbstractQuickHelpEntry::entryChanged);
    entry->setAttached(true);
    entry->setVisible(true);
    entry->setVisible(true);
    EXPECT_TRUE(entry->isAttached() && entry->isVisible());
    EXPECT_EQ(2, changed.count());

    ASSERT_EQ(before + 1, AbstractQuickHelpEntry::entries().size());
    EXPECT_EQ(entry, AbstractQuickHelpEntry::entries().last());
    owner.reset(); // the parent takes its entries with it
    EXPECT_EQ(before, AbstractQuickHelpEntry::entries().size());
}

} // namespace

#include "MainWindowTest.moc"
