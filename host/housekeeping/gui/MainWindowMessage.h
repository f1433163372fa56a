#ifndef QUARRO_HOUSEKEEPING_GUI_MAINWINDOWMESSAGE_H
#define QUARRO_HOUSEKEEPING_GUI_MAINWINDOWMESSAGE_H

#include "QuarroHostExport.h"
#include "housekeeping/Message.h"
#include "housekeeping/MessageSubscription.h"

#include <QObject>

class QAction;
class QMenu;

namespace quarro {
namespace housekeeping {
namespace gui {

class AbstractMainWindow;

// Sent by the main window while it builds its menus (type 1: m_menu is being filled; subscribers
// place their actions with insertAction/insertSeparator) and when it wants the document actions
// (type 6: subscribers hand them over with AbstractMainWindow::set_document_actions).
//
// Menu positions are the host's numbering of a menu: every action placed through this message
// carries its position, and a new action goes before the first action with a greater position. The
// host pre-fills its menus the same way (set_menu_position), e.g. File: New 0, Save 5, Quit 30,
// so that other libraries can slot their actions in between. Actions without a position are
// passed over.
class QUARRO_HOST_EXPORT MainWindowMessage : public Message {
    Q_OBJECT
public:
    enum Type { FillMenu = 1, DocumentActions = 6 };

    MainWindowMessage();
    MainWindowMessage(MainWindowMessage const& other);
    ~MainWindowMessage() override;

    // A new message on the heap, each call; hand it to Message::dispatch or post().
    static MainWindowMessage* instance();

    using Message::dispatch;
    void dispatch() override;

    QMenu* menu() const { return m_menu; }
    int type() const { return m_type; }
    AbstractMainWindow* main_window() const { return m_main_window; }

    // Places action in m_menu at position (see above). Logs and does nothing without a menu or
    // action.
    void insertAction(int position, QAction* action);
    // Places a new separator, owned by the menu, at position.
    void insertSeparator(int position);

    // The position an action carries; false from ok (and -1) when it carries none.
    static int menu_position(QAction const* action, bool* ok = nullptr);
    static void set_menu_position(QAction* action, int position);

    // See MessageSubscription; the default slot is
    // handle_message(housekeeping::gui::MainWindowMessage&).
    static bool subscribe(QObject const* receiver, char const* member,
                          Qt::ConnectionType type = Qt::AutoConnection);
    static bool subscribe(QObject const* receiver, Qt::ConnectionType type = Qt::AutoConnection);
    static bool unsubscribe(QObject const* receiver);

    QMenu* m_menu = nullptr;
    int m_type = 0;
    AbstractMainWindow* m_main_window = nullptr;

signals:
    void message_dispatched(housekeeping::gui::MainWindowMessage& p_message);

private:
    static MainWindowMessage* class_instance();
    static MessageSubscription subscription();
};

} // namespace gui
} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_GUI_MAINWINDOWMESSAGE_H
