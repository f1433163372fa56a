#ifndef QUARRO_TESTS_HOSTMAINWINDOW_H
#define QUARRO_TESTS_HOSTMAINWINDOW_H

#include "housekeeping/gui/AbstractMainWindow.h"
#include "housekeeping/gui/MainWindowMessage.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QStringList>

#include <utility>

namespace quarro {
namespace test {

// A main window as the host builds it: a File menu holding the host's own entries at the host's
// positions (New 0, Save 5, Close 10, Quit 30) and a View menu, both waiting for the other
// libraries' actions.
class HostMainWindow : public housekeeping::gui::AbstractMainWindow {
public:
    HostMainWindow() {
        file_menu = menuBar()->addMenu(QStringLiteral("&File"));
        add_host_action(file_menu, 0, QStringLiteral("&New"));
        add_host_action(file_menu, 5, QStringLiteral("&Save"));
        add_host_action(file_menu, 10, QStringLiteral("&Close"));
        add_host_action(file_menu, 30, QStringLiteral("&Quit"));
        view_menu = menuBar()->addMenu(QStringLiteral("&View"));
        add_host_action(view_menu, 0, QStringLiteral("&Zoom"));
    }

    // How many connections the drop signal has.
    int drop_receivers() const { return receivers(SIGNAL(dropped(utilities::UrlList))); }

    QMenu* file_menu = nullptr;
    QMenu* view_menu = nullptr;

private:
    static void add_host_action(QMenu* menu, int position, QString const& text) {
        housekeeping::gui::MainWindowMessage::set_menu_position(menu->addAction(text), position);
    }
};

// The texts of a menu's entries as the user reads them, "--" for a separator.
inline QStringList menu_texts(QMenu const& menu) {
    QStringList texts;
    for (QAction const* action : menu.actions()) {
        texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
    }
    return texts;
}

// The entry of `menu` with `text`; null when there is none.
inline QAction* menu_entry(QMenu const& menu, QString const& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_HOSTMAINWINDOW_H
