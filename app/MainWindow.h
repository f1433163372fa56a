#ifndef QUARRO_APP_MAINWINDOW_H
#define QUARRO_APP_MAINWINDOW_H

#include "housekeeping/DocumentId.h"
#include "housekeeping/DocumentMessage.h"
#include "housekeeping/gui/AbstractMainWindow.h"

#include <QMetaObject>
#include <QPointF>
#include <QString>

class QAction;
class QCloseEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QToolBar;

namespace quarro {
namespace housekeeping {
class AbstractDocument;
class Document;
} // namespace housekeeping

namespace app {

class DataViews;
class DocumentPanel;
class MapView;
class RecentDocumentsRecorder;

// The application's main window: the map of the current document in the middle, the document
// panel beside it, the views of the data (log tracks, properties, journal: DataViews), the File,
// Edit and View menus, and the window title naming the current document with its modified mark.
//
// The menus are built by build_menus(), which the start-up calls once the import manager exists:
// each menu is announced with a MainWindowMessage (type 1) so that other libraries place their
// actions at the host's positions (the import manager fills File with Open, Insert, Revert and
// Recent Files), and the document actions are then requested (type 6).
//
// Saving goes through the native document writer, which writes a temporary file and renames it,
// so a failed save leaves the old file as it was. Closing a document, and quitting, ask before
// unsaved changes are lost.
class MainWindow : public housekeeping::gui::AbstractMainWindow {
    Q_OBJECT
public:
    // Positions of the host's own File menu entries; the import manager's go in between.
    enum FilePosition {
        NewPosition = 0,
        SavePosition = 5,
        SaveAsPosition = 6,
        ClosePosition = 10,
        QuitPosition = 30
    };

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Builds the File, Edit and View menus, announcing each, then asks for the document actions.
    void build_menus();

    void set_document_actions(QAction* open, QAction* insert, QAction* revert) override;

    // Saves the current document to its own native file, or asks for a file when it has none.
    // False when nothing was saved (no document, the user cancelled, the write failed).
    bool save_current();
    // Asks for a file and saves the current document there.
    bool save_current_as();
    // Writes the document to path; on failure shows why and leaves the document as it was. On
    // success the document comes from that file from now on: it is no longer modified, its title
    // names the file, Revert reloads it and it becomes the most recent document.
    bool save_document(housekeeping::DocumentId const& id, QString const& path);

    // Closes the document, first asking whether to save unsaved changes (Save, Discard, Cancel).
    // False when it stays open.
    bool close_document(housekeeping::DocumentId const& id);
    bool close_current();
    // Asks once about the modified documents (about one as close_document does, about several
    // with Save All, Discard All and Cancel); false when the user cancels or a save fails (Save
    // All stops there). Documents stay open either way.
    bool confirm_close_all();

    // Renders the whole window into an image file; false when it cannot be written.
    bool save_screenshot(QString const& path);

    MapView* map_view() const { return m_map; }
    DocumentPanel* document_panel() const { return m_panel; }
    // The log view, properties, journal and the selection they show.
    DataViews* data_views() const { return m_views; }
    QMenu* file_menu() const { return m_file_menu; }
    QMenu* edit_menu() const { return m_edit_menu; }
    QMenu* view_menu() const { return m_view_menu; }
    QAction* save_action() const { return m_save_action; }
    QAction* save_as_action() const { return m_save_as_action; }
    QAction* close_action() const { return m_close_action; }

protected:
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void handle_message(housekeeping::DocumentMessage& p_message);
    void follow_current_document(quarro::housekeeping::DocumentId id);
    void update_title();
    void refresh_map();
    void show_cursor_position(QPointF const& position);

private:
    Q_DISABLE_COPY(MainWindow)

    enum class SaveAnswer { Saved, Discarded, Cancelled };

    housekeeping::Document* document(housekeeping::DocumentId const& id) const;
    // The document's own native file; empty when it came from another format or from nowhere.
    QString native_path(housekeeping::AbstractDocument const& document) const;
    // The Save As dialog; an empty path when cancelled.
    QString ask_save_path(housekeeping::AbstractDocument const& document);
    bool save_document_interactively(housekeeping::DocumentId const& id, bool choose_path);
    // Asks whether to save a modified document before it goes, and saves when told to.
    SaveAnswer ask_to_save(housekeeping::DocumentId const& id);
    QAction* add_file_action(QString const& text, int position);
    void update_actions();

    MapView* m_map;
    DocumentPanel* m_panel;
    DataViews* m_views;
    QLabel* m_position_label;
    // How many objects the current document holds and how many of them the map shows.
    QLabel* m_objects_label;
    RecentDocumentsRecorder* m_recent;
    QToolBar* m_tool_bar = nullptr;
    QMenu* m_file_menu = nullptr;
    QMenu* m_edit_menu = nullptr;
    QMenu* m_view_menu = nullptr;
    QAction* m_new_action = nullptr;
    QAction* m_save_action = nullptr;
    QAction* m_save_as_action = nullptr;
    QAction* m_close_action = nullptr;
    QAction* m_quit_action = nullptr;
    QAction* m_zoom_fit_action = nullptr;
    // Connections to the current document's signals, replaced when another becomes current.
    QMetaObject::Connection m_changed_connection;
    QMetaObject::Connection m_modified_connection;
    QMetaObject::Connection m_source_connection;
    bool m_fit_pending = false;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_MAINWINDOW_H
