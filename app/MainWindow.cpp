#include "MainWindow.h"

#include "DataViews.h"
#include "DocumentPanel.h"
#include "DocumentWriter.h"
#include "ImportManager.h"
#include "JournalPanel.h"
#include "MapView.h"
#include "NativeDocuments.h"
#include "PropertiesPanel.h"
#include "RecentDocumentsRecorder.h"
#include "UnsavedDocumentsQuestion.h"
#include "base/brkProductInfo.h"
#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/CommandManager.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/ErrorHandler.h"
#include "housekeeping/gui/MainWindowMessage.h"
#include "utilities/UrlUtilities.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUndoGroup>
#include <QUrl>

#include <vector>

namespace quarro {
namespace app {

namespace {

using housekeeping::gui::MainWindowMessage;

QString product_name() {
    return QString::fromStdString(brkBase::brkProductInfo::instance().product_name());
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : AbstractMainWindow(parent)
    , m_map(new MapView(this))
    , m_panel(new DocumentPanel(this))
    , m_views(nullptr)
    , m_position_label(new QLabel(this))
    , m_objects_label(new QLabel(this))
    , m_recent(new RecentDocumentsRecorder(this)) {
    setObjectName(QStringLiteral("MainWindow"));
    setCentralWidget(m_map);
    addDockWidget(Qt::LeftDockWidgetArea, m_panel);
    m_views = new DataViews(*this, *m_panel, *m_map);
    statusBar()->addPermanentWidget(m_objects_label);
    statusBar()->addPermanentWidget(m_position_label);
    resize(1280, 800);
    resizeDocks({m_panel, m_views->log_dock()}, {360, 420}, Qt::Horizontal);

    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    connect(&manager, &housekeeping::DocumentManager::currentDocumentChanged, this,
            &MainWindow::follow_current_document);
    connect(m_map, &MapView::cursor_moved, this, &MainWindow::show_cursor_position);
    housekeeping::DocumentMessage::subscribe(this);
    follow_current_document(manager.current_document_id());
}

MainWindow::~MainWindow() {
    housekeeping::DocumentMessage::unsubscribe(this);
}

QAction* MainWindow::add_file_action(QString const& text, int position) {
    QAction* action = m_file_menu->addAction(text);
    MainWindowMessage::set_menu_position(action, position);
    return action;
}

void MainWindow::build_menus() {
    if (m_file_menu != nullptr) {
        return;
    }
    // Untranslated: the import manager fills the menu whose title is exactly "&File".
    m_file_menu = menuBar()->addMenu(QStringLiteral("&File"));
    m_new_action = add_file_action(tr("&New"), NewPosition);
    m_new_action->setShortcut(QKeySequence::New);
    m_new_action->setStatusTip(tr("Create an empty document"));
    m_save_action = add_file_action(tr("&Save"), SavePosition);
    m_save_action->setShortcut(QKeySequence::Save);
    m_save_action->setStatusTip(tr("Save the current document"));
    m_save_action->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_save_as_action = add_file_action(tr("Save &As..."), SaveAsPosition);
    m_save_as_action->setShortcut(QKeySequence::SaveAs);
    m_save_as_action->setStatusTip(tr("Save the current document under a new name"));
    m_close_action = add_file_action(tr("&Close"), ClosePosition);
    m_close_action->setShortcut(QKeySequence::Close);
    m_close_action->setStatusTip(tr("Close the current document"));
    m_quit_action = add_file_action(tr("&Quit"), QuitPosition);
    m_quit_action->setShortcut(QKeySequence::Quit);
    m_quit_action->setMenuRole(QAction::QuitRole);
    connect(m_new_action, &QAction::triggered, this,
            [] { housekeeping::DocumentManager::instance().create_document(); });
    connect(m_save_action, &QAction::triggered, this, &MainWindow::save_current);
    connect(m_save_as_action, &QAction::triggered, this, &MainWindow::save_current_as);
    connect(m_close_action, &QAction::triggered, this, &MainWindow::close_current);
    connect(m_quit_action, &QAction::triggered, this, &QWidget::close);
    announce_menu(m_file_menu);
    // The import manager makes its Recent Files submenu without a parent and never deletes it:
    // the window that shows it keeps it.
    for (QAction* const action : m_file_menu->actions()) {
        if (QMenu* const submenu = action->menu();
            submenu != nullptr && submenu->parent() == nullptr) {
            submenu->setParent(this, submenu->windowFlags());
        }
    }

    // Undo and Redo act on the current document's stack, which the command manager's group
    // follows; their texts name the command they would undo or redo.
    QUndoGroup* const undo_group = housekeeping::CommandManager::instance().undo_group();
    m_edit_menu = menuBar()->addMenu(tr("&Edit"));
    QAction* const undo = undo_group->createUndoAction(this, tr("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* const redo = undo_group->createRedoAction(this, tr("&Redo"));
    redo->setShortcut(QKeySequence::Redo);
    m_edit_menu->addAction(undo);
    m_edit_menu->addAction(redo);
    announce_menu(m_edit_menu);

    m_view_menu = menuBar()->addMenu(tr("&View"));
    m_zoom_fit_action = m_view_menu->addAction(tr("Zoom to &Fit"));
    m_zoom_fit_action->setShortcut(QKeySequence(tr("Ctrl+0")));
    m_zoom_fit_action->setStatusTip(tr("Show everything in the current document"));
    connect(m_zoom_fit_action, &QAction::triggered, m_map, &MapView::zoom_to_fit);
    m_view_menu->addAction(m_views->zoom_to_selection_action());
    QAction* const zoom_in = m_view_menu->addAction(tr("Zoom &In"));
    zoom_in->setShortcut(QKeySequence::ZoomIn);
    connect(zoom_in, &QAction::triggered, m_map, [this] { m_map->zoom_by(1.5); });
    QAction* const zoom_out = m_view_menu->addAction(tr("Zoom &Out"));
    zoom_out->setShortcut(QKeySequence::ZoomOut);
    connect(zoom_out, &QAction::triggered, m_map, [this] { m_map->zoom_by(1.0 / 1.5); });
    m_view_menu->addSeparator();
    m_view_menu->addAction(m_panel->toggleViewAction());
    m_view_menu->addAction(m_views->log_dock()->toggleViewAction());
    m_view_menu->addAction(m_views->properties_panel()->toggleViewAction());
    m_view_menu->addAction(m_views->journal_panel()->toggleViewAction());
    m_view_menu->addAction(m_views->map_tool_bar()->toggleViewAction());
    announce_menu(m_view_menu);

    m_tool_bar = addToolBar(tr("File"));
    m_tool_bar->setObjectName(QStringLiteral("FileToolBar"));
    m_tool_bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_tool_bar->addAction(m_save_action);
    m_tool_bar->addAction(m_zoom_fit_action);
    m_tool_bar->addAction(m_views->zoom_to_selection_action());
    // After the File tool bar.
    addToolBar(m_views->map_tool_bar());

    request_document_actions();
    update_actions();
}

void MainWindow::set_document_actions(QAction* open, QAction* insert, QAction* revert) {
    AbstractMainWindow::set_document_actions(open, insert, revert);
    if (m_tool_bar != nullptr && open != nullptr) {
        m_tool_bar->insertAction(m_save_action, open);
    }
}

housekeeping::Document* MainWindow::document(housekeeping::DocumentId const& id) const {
    return dynamic_cast<housekeeping::Document*>(
        housekeeping::DocumentManager::instance().document_from_id(id));
}

void MainWindow::follow_current_document(housekeeping::DocumentId id) {
    disconnect(m_changed_connection);
    disconnect(m_modified_connection);
    disconnect(m_source_connection);
    if (housekeeping::Document* const current = document(id)) {
        m_changed_connection = connect(current, &housekeeping::AbstractDocument::changed, this,
                                       &MainWindow::refresh_map);
        m_modified_connection = connect(current, &housekeeping::AbstractDocument::modifiedChanged,
                                        this, &MainWindow::update_title);
        m_source_connection = connect(current, &housekeeping::AbstractDocument::datasourceChanged,
                                      this, &MainWindow::update_title);
    }
    refresh_map();
    m_map->zoom_to_fit();
    update_title();
    update_actions();
}

void MainWindow::refresh_map() {
    housekeeping::DocumentManager const& manager = housekeeping::DocumentManager::instance();
    housekeeping::Document const* const current = document(manager.current_document_id());
    m_map->show_document(current);
    // Objects without a place (a well file without coordinates) are in the document, not on
    // the map: the count says so.
    QString objects = current == nullptr ? QString()
                                         : tr("%1 objects, %2 on the map")
                                               .arg(current->object_count())
                                               .arg(m_map->drawn_objects());
    if (QString const unplaced = m_map->unplaced_summary(); !unplaced.isEmpty()) {
        objects += QStringLiteral(" (%1)").arg(unplaced);
    }
    m_objects_label->setText(objects);
    if (m_fit_pending) {
        m_fit_pending = false;
        m_map->zoom_to_fit();
    }
}

void MainWindow::handle_message(housekeeping::DocumentMessage& p_message) {
    // Type 2: a load or insert has put objects into the document. The loader sends it before it
    // ends the load, so the map is redrawn and framed from the event loop, once the objects are
    // all there.
    if (p_message.doc_change_type() != housekeeping::DocumentMessage::ContentChanged ||
        p_message.id() != housekeeping::DocumentManager::instance().current_document_id()) {
        return;
    }
    m_fit_pending = true;
    QTimer::singleShot(0, this, &MainWindow::refresh_map);
}

void MainWindow::update_title() {
    housekeeping::AbstractDocument const* const current =
        housekeeping::DocumentManager::instance().current_document();
    if (current == nullptr) {
        setWindowTitle(product_name());
        setWindowModified(false);
        return;
    }
    // "[*]" is where Qt shows the modified mark.
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(current->display_name(), product_name()));
    setWindowModified(current->is_modified());
}

void MainWindow::update_actions() {
    bool const has_document =
        !housekeeping::DocumentManager::instance().current_document_id().isNull();
    for (QAction* action : {m_save_action, m_save_as_action, m_close_action}) {
        if (action != nullptr) {
            action->setEnabled(has_document);
        }
    }
}

void MainWindow::show_cursor_position(QPointF const& position) {
    m_position_label->setText(
        tr("x %1  y %2").arg(position.x(), 0, 'f', 2).arg(position.y(), 0, 'f', 2));
}

QString MainWindow::native_path(housekeeping::AbstractDocument const& document) const {
    boost::shared_ptr<housekeeping::DataSource> const source = document.datasource();
    if (!source || source->url().empty()) {
        return QString();
    }
    if (!native_documents::is_native_key(source->key())) {
        return QString();
    }
    QString const path = utilities::url_to_filesystem(source->url());
    return native_documents::has_native_suffix(path) ? path : QString();
}

QString MainWindow::ask_save_path(housekeeping::AbstractDocument const& document) {
    QString start = native_path(document);
    if (start.isEmpty()) {
        QString folder = QFileInfo(import::ImportManager::const_instance().filePath()).path();
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            folder = QDir::homePath();
        }
        start = QDir(folder).filePath(QFileInfo(document.display_name()).completeBaseName() +
                                      QStringLiteral(".qro"));
    }
    QString path = QFileDialog::getSaveFileName(this, tr("Save As"), start,
                                                tr("QRO Format (*.qro *.qroz);;Compressed QRO "
                                                   "Format (*.qroz)"));
    if (path.isEmpty()) {
        return path;
    }
    if (!native_documents::has_native_suffix(path)) {
        path += QStringLiteral(".qro");
    }
    return path;
}

bool MainWindow::save_current() {
    return save_document_interactively(
        housekeeping::DocumentManager::instance().current_document_id(), false);
}

bool MainWindow::save_current_as() {
    return save_document_interactively(
        housekeeping::DocumentManager::instance().current_document_id(), true);
}

bool MainWindow::save_document_interactively(housekeeping::DocumentId const& id, bool choose_path) {
    housekeeping::Document const* const target = document(id);
    if (target == nullptr) {
        return false;
    }
    QString path = choose_path ? QString() : native_path(*target);
    if (path.isEmpty()) {
        path = ask_save_path(*target);
    }
    return !path.isEmpty() && save_document(id, path);
}

bool MainWindow::save_document(housekeeping::DocumentId const& id, QString const& path) {
    housekeeping::Document* const target = document(id);
    if (target == nullptr) {
        return false;
    }
    native::DocumentWriter writer;
    if (!writer.write(*target, path)) {
        housekeeping::ErrorHandler::instance().message(
            tr("Save"),
            tr("The document \"%1\" could not be saved to\n%2\n\n%3\n\nNothing was changed on "
               "disk.")
                .arg(target->display_name(), QDir::toNativeSeparators(path), writer.errorString()),
            QMessageBox::Ok);
        return false;
    }
    // From now on the document comes from the saved file: the title names it, Revert reloads it
    // and Recent Files offers it.
    boost::shared_ptr<housekeeping::AbstractDataInformation> const information =
        housekeeping::AbstractDataInformationFactory::create(native_documents::key());
    target->datasource(boost::shared_ptr<housekeeping::DataSource>(new housekeeping::DataSource(
        utilities::filesystem_to_url(QFileInfo(path).absoluteFilePath()), information)));
    target->set_modified(false);
    m_recent->record(*target);
    if (id == housekeeping::DocumentManager::instance().current_document_id()) {
        import::ImportManager::instance().enable_document_actions(true);
    }
    statusBar()->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(path)), 5000);
    update_title();
    return true;
}

MainWindow::SaveAnswer MainWindow::ask_to_save(housekeeping::DocumentId const& id) {
    housekeeping::AbstractDocument const* const target =
        housekeeping::DocumentManager::instance().document_from_id(id);
    if (target == nullptr || !target->is_modified()) {
        return SaveAnswer::Discarded;
    }
    QMessageBox::StandardButton const answer = housekeeping::ErrorHandler::instance().message(
        tr("Close Document"),
        tr("The document \"%1\" has unsaved changes.\n\nDo you want to save them?")
            .arg(target->display_name()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Discard) {
        return SaveAnswer::Discarded;
    }
    if (answer == QMessageBox::Save && save_document_interactively(id, false)) {
        return SaveAnswer::Saved;
    }
    return SaveAnswer::Cancelled;
}

bool MainWindow::close_document(housekeeping::DocumentId const& id) {
    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    if (!manager.document_exists(id) || ask_to_save(id) == SaveAnswer::Cancelled) {
        return false;
    }
    // The question was asked here already: the manager must not ask again.
    return manager.destroy_document(id, true, false, false, housekeeping::DocumentId::null());
}

bool MainWindow::close_current() {
    return close_document(housekeeping::DocumentManager::instance().current_document_id());
}

bool MainWindow::confirm_close_all() {
    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    std::vector<housekeeping::DocumentId> changed;
    QStringList names;
    for (housekeeping::DocumentId const& id : manager.current_documents()) {
        housekeeping::AbstractDocument const* const candidate = manager.document_from_id(id);
        if (candidate != nullptr && candidate->is_modified()) {
            changed.push_back(id);
            names << candidate->display_name();
        }
    }
    if (changed.empty()) {
        return true;
    }
    if (changed.size() == 1) {
        // The user sees the document that the question is about.
        manager.current_document(changed.front());
        return ask_to_save(changed.front()) != SaveAnswer::Cancelled;
    }
    QMessageBox::StandardButton const answer = UnsavedDocumentsQuestion::ask(this, names);
    if (answer == QMessageBox::Discard) {
        return true;
    }
    if (answer != QMessageBox::SaveAll) {
        return false;
    }
    for (housekeeping::DocumentId const& id : changed) {
        // Saved as File > Save would; the first that fails has said why, and the rest wait.
        manager.current_document(id);
        if (!save_document_interactively(id, false)) {
            return false;
        }
    }
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!confirm_close_all()) {
        event->ignore();
        return;
    }
    AbstractMainWindow::closeEvent(event);
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList files;
    if (event->mimeData() != nullptr) {
        for (QUrl const& url : event->mimeData()->urls()) {
            if (url.isLocalFile()) {
                files << url.toLocalFile();
            }
        }
    }
    if (files.isEmpty()) {
        return;
    }
    // Accept now and open later: the import runs a modal wizard, and the application that the
    // files were dragged from waits until this event returns.
    event->acceptProposedAction();
    utilities::UrlList const urls = utilities::filesystem_to_url(files);
    QTimer::singleShot(0, this, [this, urls] { emit dropped(urls); });
}

bool MainWindow::save_screenshot(QString const& path) {
    return grab().toImage().save(path);
}

} // namespace app
} // namespace quarro
