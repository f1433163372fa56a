#ifndef QUARRO_HOUSEKEEPING_GUI_ABSTRACTMAINWINDOW_H
#define QUARRO_HOUSEKEEPING_GUI_ABSTRACTMAINWINDOW_H

#include "QuarroHostExport.h"
#include "utilities/UrlUtilities.h"

#include <QAction>
#include <QList>
#include <QMainWindow>
#include <QPointer>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QMenu;

namespace quarro {
namespace housekeeping {
namespace gui {

// The base of the application's main window. It is the parent of the application's dialogs, the
// target of file drops (announced with dropped()) and the sender of the MainWindowMessages that
// let other libraries fill its menus. Constructing it sets the application manager's
// main-window flag; destroying it clears the flag.
//
// The default implementations of the virtual operations record what they are given, so that a
// host can read it back (and tests can check it); a real main window overrides them.
class QUARRO_HOST_EXPORT AbstractMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit AbstractMainWindow(QWidget* parent = nullptr,
                                Qt::WindowFlags flags = Qt::WindowFlags());
    ~AbstractMainWindow() override;

    // The main window constructed last that still lives; null when there is none.
    static AbstractMainWindow* instance();

    // Receives the document actions (Open, Insert, Revert) in answer to a message of type 6.
    virtual void set_document_actions(QAction* open, QAction* insert, QAction* revert);

    // Notifications from other libraries; 7: an import wizard closes.
    virtual void notify(int code);

    QAction* open_action() const { return m_open_action; }
    QAction* insert_action() const { return m_insert_action; }
    QAction* revert_action() const { return m_revert_action; }
    // Every code given to notify(), in order.
    QList<int> const& notifications() const { return m_notifications; }

    // Sends a MainWindowMessage of type 1 for menu, so that subscribers place their actions.
    void announce_menu(QMenu* menu);
    // Sends a MainWindowMessage of type 6: subscribers answer with set_document_actions().
    void request_document_actions();

signals:
    // Local files dropped on the window, as URLs.
    void dropped(const utilities::UrlList& p_urls);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    Q_DISABLE_COPY(AbstractMainWindow)

    void send_message(int type, QMenu* menu);

    QPointer<QAction> m_open_action;
    QPointer<QAction> m_insert_action;
    QPointer<QAction> m_revert_action;
    QList<int> m_notifications;
};

} // namespace gui
} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_GUI_ABSTRACTMAINWINDOW_H
