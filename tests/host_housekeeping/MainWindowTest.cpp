#include "HostMainWindow.h"
#include "ModalDialogHelper.h"
#include "housekeeping/ApplicationManager.h"
#include "housekeeping/ErrorHandler.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace quarro;
using namespace quarro::housekeeping;
using quarro::housekeeping::gui::AbstractMainWindow;
using quarro::housekeeping::gui::MainWindowMessage;
using quarro::test::menu_texts;
using quarro::test::ModalDialogHelper;

namespace {

// Places its actions in the File menu the way the import library does.
class FileMenuFiller : public QObject {
    Q_OBJECT
public:
    QAction* open = new QAction(QStringLiteral("Open"), this);
    QAction* insert = new QAction(QStringLiteral("Insert"), this);
    QAction* revert = new QAction(QStringLiteral("Revert"), this);
    QAction* recent = new QAction(QStringLiteral("Recent Files"), this);

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

// Sends a drag and a drop of `data` to the window, as the drag manager does; returns whether the
// drag was accepted.
bool drop(QWidget& window, QMimeData const& data) {
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &dropped);
    return enter.isAccepted();
}

TEST(AbstractMainWindow, PlacesActionsByPositionRecordsAnswersAndAnnouncesDrops) {
    EXPECT_FALSE(ApplicationManager::instance().main_window_exists());
    {
        test::HostMainWindow window;
        EXPECT_EQ(&window, AbstractMainWindow::instance());
        EXPECT_TRUE(ApplicationManager::instance().main_window_exists());
        // An action without a position is passed over when placing others.
        window.file_menu->addAction(QStringLiteral("Unplaced"));
        FileMenuFiller filler;
        ASSERT_TRUE(MainWindowMessage::subscribe(&filler));
        window.announce_menu(window.file_menu);
        window.announce_menu(window.view_menu);
        EXPECT_EQ((QStringList{"&New", "Open", "Insert", "--", "&Save", "&Close", "Revert",
                               "Recent Files", "--", "&Quit", "Unplaced"}),
                  menu_texts(*window.file_menu));
        EXPECT_EQ(QStringList{"&Zoom"}, menu_texts(*window.view_menu));
        bool ok = false;
        EXPECT_EQ(11, MainWindowMessage::menu_position(filler.revert, &ok));
        EXPECT_TRUE(ok);
        EXPECT_EQ(-1, MainWindowMessage::menu_position(window.file_menu->actions().last(), &ok));
        EXPECT_FALSE(ok);

        // Equal positions keep their order; placing an action again moves it; no menu, no change.
        std::unique_ptr<MainWindowMessage> message(MainWindowMessage::instance());
        message->m_menu = window.view_menu;
        message->m_type = MainWindowMessage::FillMenu;
        auto* late = new QAction(QStringLiteral("Late"), window.view_menu);
        message->insertAction(0, late);
        message->insertAction(0, new QAction(QStringLiteral("Early"), window.view_menu));
        message->insertAction(0, late);
        EXPECT_EQ((QStringList{"&Zoom", "Early", "Late"}), menu_texts(*window.view_menu));
        message->m_menu = nullptr;
        message->insertSeparator(2);
        EXPECT_EQ(3, window.view_menu->actions().size());

        window.request_document_actions();
        EXPECT_EQ(filler.open, window.open_action());
        EXPECT_EQ(filler.revert, window.revert_action());
        window.notify(7);
        EXPECT_EQ(QList<int>{7}, window.notifications());

        // Local files dropped on the window arrive as URLs; other URLs are left out.
        std::vector<utilities::UrlList> dropped;
        QObject::connect(&window, &AbstractMainWindow::dropped,
                         [&](utilities::UrlList const& urls) { dropped.push_back(urls); });
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(QStringLiteral("/data/a b.qro")),
                       QUrl(QStringLiteral("http://example.com/c.qro")),
                       QUrl::fromLocalFile(QStringLiteral("/data/d.las"))});
        EXPECT_TRUE(drop(window, files));
        QMimeData text;
        text.setText(QStringLiteral("text"));
        EXPECT_FALSE(drop(window, text));
        EXPECT_EQ((std::vector<utilities::UrlList>{{"file:///data/a b.qro", "file:///data/d.las"}}),
                  dropped);
    }
    EXPECT_EQ(nullptr, AbstractMainWindow::instance());
    EXPECT_FALSE(ApplicationManager::instance().main_window_exists());
}

// The answers and texts are checked by the import flows; here: the question sits on the window.
TEST(ErrorHandler, AsksOverTheMainWindow) {
    AbstractMainWindow window;
    window.show();
    ModalDialogHelper helper;
    QWidget* parent_seen = nullptr;
    helper.expect([&](QWidget* dialog) {
        parent_seen = dialog->parentWidget();
        qobject_cast<QDialog*>(dialog)->reject();
    });
    ErrorHandler::instance().message(QStringLiteral("Error"), QStringLiteral("Unable"),
                                     QMessageBox::Ok);
    EXPECT_EQ(&window, parent_seen);
    EXPECT_TRUE(helper.allAnswered());
}

} // namespace

#include "MainWindowTest.moc"
