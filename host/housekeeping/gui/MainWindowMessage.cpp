#include "housekeeping/gui/MainWindowMessage.h"

#include "housekeeping/ErrorProtocol.h"

#include <QAction>
#include <QMenu>
#include <QVariant>

namespace quarro {
namespace housekeeping {
namespace gui {

namespace {
char const* const position_property = "quarro_menu_position";
}

MainWindowMessage::MainWindowMessage() = default;

MainWindowMessage::MainWindowMessage(MainWindowMessage const& other)
    : Message(other)
    , m_menu(other.m_menu)
    , m_type(other.m_type)
    , m_main_window(other.m_main_window) {}

MainWindowMessage::~MainWindowMessage() = default;

MainWindowMessage* MainWindowMessage::instance() {
    return new MainWindowMessage;
}

void MainWindowMessage::dispatch() {
    emit class_instance()->message_dispatched(*this);
}

void MainWindowMessage::insertAction(int position, QAction* action) {
    if (m_menu == nullptr || action == nullptr) {
        ErrorProtocol::instance().log_assert("m_menu && action", Q_FUNC_INFO,
                                             "host/housekeeping/gui/MainWindowMessage", __LINE__);
        return;
    }
    set_menu_position(action, position);
    QAction* before = nullptr;
    for (QAction* present : m_menu->actions()) {
        bool positioned = false;
        int const present_position = menu_position(present, &positioned);
        if (present != action && positioned && present_position > position) {
            before = present;
            break;
        }
    }
    // QWidget::insertAction moves an action that is already in the menu.
    m_menu->insertAction(before, action);
}

void MainWindowMessage::insertSeparator(int position) {
    if (m_menu == nullptr) {
        ErrorProtocol::instance().log_assert("m_menu", Q_FUNC_INFO,
                                             "host/housekeeping/gui/MainWindowMessage", __LINE__);
        return;
    }
    auto* separator = new QAction(m_menu);
    separator->setSeparator(true);
    insertAction(position, separator);
}

int MainWindowMessage::menu_position(QAction const* action, bool* ok) {
    QVariant const value = action != nullptr ? action->property(position_property) : QVariant();
    bool valid = false;
    int const position = value.isValid() ? value.toInt(&valid) : -1;
    if (ok != nullptr) {
        *ok = valid;
    }
    return valid ? position : -1;
}

void MainWindowMessage::set_menu_position(QAction* action, int position) {
    if (action != nullptr) {
        action->setProperty(position_property, position);
    }
}

bool MainWindowMessage::subscribe(QObject const* receiver, char const* member,
                                  Qt::ConnectionType type) {
    return subscription().subscribe(receiver, member, type);
}

bool MainWindowMessage::subscribe(QObject const* receiver, Qt::ConnectionType type) {
    return subscription().subscribe(receiver, type);
}

bool MainWindowMessage::unsubscribe(QObject const* receiver) {
    return subscription().unsubscribe(receiver);
}

MainWindowMessage* MainWindowMessage::class_instance() {
    // Never deleted: subscribers may unsubscribe during the process's shut-down.
    static MainWindowMessage* const instance = new MainWindowMessage;
    return instance;
}

MessageSubscription MainWindowMessage::subscription() {
    return MessageSubscription(class_instance(), "housekeeping::gui::MainWindowMessage");
}

} // namespace gui
} // namespace housekeeping
} // namespace quarro
