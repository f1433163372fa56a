#include "housekeeping/gui/AbstractMainWindow.h"

#include "housekeeping/ApplicationManager.h"
#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/gui/MainWindowMessage.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace quarro {
namespace housekeeping {
namespace gui {

namespace {

QPointer<AbstractMainWindow>& current_window() {
    static QPointer<AbstractMainWindow> window;
    return window;
}

QStringList local_files(QMimeData const* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (QUrl const& url : data->urls()) {
        if (url.isLocalFile()) {
            files << url.toLocalFile();
        }
    }
    return files;
}

} // namespace

AbstractMainWindow::AbstractMainWindow(QWidget* parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags) {
    if (!current_window().isNull()) {
        ErrorProtocol::instance().log_assert("AbstractMainWindow::instance() == nullptr",
                                             Q_FUNC_INFO,
                                             "host/housekeeping/gui/AbstractMainWindow", __LINE__);
    }
    current_window() = this;
    setAcceptDrops(true);
    ApplicationManager::instance().main_window_exists(true);
}

AbstractMainWindow::~AbstractMainWindow() {
    if (current_window() == this) {
        current_window() = nullptr;
        ApplicationManager::instance().main_window_exists(false);
    }
}

AbstractMainWindow* AbstractMainWindow::instance() {
    return current_window().data();
}

void AbstractMainWindow::set_document_actions(QAction* open, QAction* insert, QAction* revert) {
    m_open_action = open;
    m_insert_action = insert;
    m_revert_action = revert;
}

void AbstractMainWindow::notify(int code) {
    m_notifications.append(code);
}

void AbstractMainWindow::announce_menu(QMenu* menu) {
    send_message(MainWindowMessage::FillMenu, menu);
}

void AbstractMainWindow::request_document_actions() {
    send_message(MainWindowMessage::DocumentActions, nullptr);
}

void AbstractMainWindow::send_message(int type, QMenu* menu) {
    MainWindowMessage* message = MainWindowMessage::instance();
    message->m_type = type;
    message->m_menu = menu;
    message->m_main_window = this;
    Message::dispatch(message);
}

void AbstractMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!local_files(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void AbstractMainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (!local_files(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void AbstractMainWindow::dropEvent(QDropEvent* event) {
    QStringList const files = local_files(event->mimeData());
    if (files.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    emit dropped(utilities::filesystem_to_url(files));
}

} // namespace gui
} // namespace housekeeping
} // namespace quarro
