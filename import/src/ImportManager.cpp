#include "ImportManager.h"

#include "base/TbrkDestructor.h"
#include "base/brkDestructionPhase.h"
#include "base/brkProductInfo.h"
#include "housekeeping/AbstractDocument.h"
#include "housekeeping/ApplicationManager.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/QuickHelpKeySequenceEntry.h"
#include "housekeeping/QuickHelpSection.h"
#include "housekeeping/RecentDocumentsQueue.h"
#include "housekeeping/gui/AbstractMainWindow.h"
#include "utilities/InvalidPath.h"
#include "utilities/SystemPaths.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <exception>

namespace quarro {
namespace import {

namespace {

char const* const source_path = "import/src/ImportManager";

// The log knows these checks by their line numbers, which therefore stay fixed whatever the layout
// of this file.
constexpr unsigned parent_check_line = 243;
constexpr unsigned parent_before_building_line = 246;
constexpr unsigned documents_folder_line = 942;

// The shut-down phase in which the host's destruction registry deletes the manager.
constexpr int destruction_phase = 5;

// The host's numbering of its File menu.
constexpr int open_position = 1;
constexpr int insert_position = 2;
constexpr int separator_after_insert_position = 3;
constexpr int revert_position = 11;
constexpr int recent_files_position = 20;
constexpr int separator_after_recent_position = 21;

char const* const open_icon = ":/vista/Resources/folder_page_white.png";

QAction* make_action(QIcon const& icon, QString const& text, QString const& status_tip,
                     QKeySequence const& shortcut, QObject* parent) {
    auto* action = new QAction(icon, text, parent);
    action->setStatusTip(status_tip);
    action->setShortcut(shortcut);
    return action;
}

} // namespace

ImportManager& ImportManager::instance() {
    return *get_instance();
}

ImportManager const& ImportManager::const_instance() {
    return *get_instance();
}

std::unique_ptr<ImportManager>& ImportManager::get_instance() {
    // Deletes at library unload whatever the destruction registry has not deleted before.
    static std::unique_ptr<ImportManager> holder(new ImportManager());
    static bool registered = false;
    if (!registered) {
        // The registry keeps the registration for the rest of the process; it is never deleted.
        new brkBase::TbrkDestructor<ImportManager>(brkBase::brkDestructionPhase(destruction_phase),
                                                   holder.get());
        registered = true;
    }
    return holder;
}

void ImportManager::destroy_instance() {
    // The holder is emptied first, so that it cannot delete the manager a second time at unload.
    ImportManager* const manager = get_instance().release();
    delete manager;
}

ImportManager::ImportManager()
    : QObject(nullptr) {
    housekeeping::RecentDocumentsQueue::instance().load();
    register_file_filters();
    register_file_extensions();
    set_first_file_open_path();
    housekeeping::gui::MainWindowMessage::subscribe(
        this, SLOT(handle_message(housekeeping::gui::MainWindowMessage&)), Qt::AutoConnection);
    housekeeping::DocumentMessage::subscribe(
        this, SLOT(handle_message(housekeeping::DocumentMessage&)), Qt::AutoConnection);
    housekeeping::FilesInsertMessage::subscribe(
        this, SLOT(handle_message(housekeeping::FilesInsertMessage&)), Qt::AutoConnection);
}

// The Open, Insert and Revert actions belong to the main window and the Recent Files submenu to
// whoever shows it; the subscriptions end with the QObject.
ImportManager::~ImportManager() {
    // The Recent Files submenu has no parent, since every File menu the host builds shows this one
    // submenu: it is the manager's to delete, while an application is still there to delete it in.
    if (QCoreApplication::instance() != nullptr) {
        delete m_recent_menu;
    }
}

void ImportManager::post_init() {
    if (!housekeeping::ApplicationManager::instance().main_window_exists()) {
        return;
    }
    housekeeping::gui::AbstractMainWindow* const window =
        housekeeping::gui::AbstractMainWindow::instance();
    if (window == nullptr) {
        return;
    }
    // Unique: a second post_init() must not open every dropped file twice.
    connect(window, &housekeeping::gui::AbstractMainWindow::dropped, this,
            &ImportManager::slot_dynamic_open, Qt::UniqueConnection);
}

QString const& ImportManager::filePath() const {
    return m_file_path;
}

void ImportManager::set_first_file_open_path() {
    QSettings settings;
    settings.beginGroup(QStringLiteral("file_paths"));
    if (settings.contains(QStringLiteral("last_open"))) {
        m_file_path = settings.value(QStringLiteral("last_open")).toString();
    } else {
        try {
            m_file_path = utilities::url_to_filesystem(
                utilities::SystemPaths::instance().user_documents_path());
        } catch (utilities::InvalidPath& e) {
            e.caught_here(source_path, documents_folder_line);
            m_file_path = QDir::root().absolutePath();
        }
    }
    settings.endGroup();
}

bool ImportManager::current_document_locked() const {
    housekeeping::DocumentManager const& documents = housekeeping::DocumentManager::instance();
    if (documents.current_document_id() == housekeeping::DocumentId::null()) {
        return false;
    }
    housekeeping::AbstractDocument const* const document = documents.current_document();
    return document != nullptr && document->is_locked();
}

QStringList ImportManager::ask_for_files(QString const& p_caption, QString const& p_filters,
                                         QString& p_selected_filter) const {
    return QFileDialog::getOpenFileNames(QApplication::activeWindow(), p_caption, m_file_path,
                                         p_filters, &p_selected_filter);
}

void ImportManager::remember_chosen_files(QString const& p_first_file, QString const& p_filter) {
    m_file_path = p_first_file;
    m_last_filter = p_filter.toStdString();
    QSettings settings;
    settings.beginGroup(QStringLiteral("file_paths"));
    settings.setValue(QStringLiteral("last_open"), m_file_path);
    settings.setValue(QStringLiteral("last_filter"), p_filter);
    settings.endGroup();
}

void ImportManager::warn_unable_to_import(QString const& p_reason, QString const& p_reason_format) {
    QString text = QStringLiteral("Unable to import file(s) using the selected importer.");
    if (!p_reason.isEmpty()) {
        text += p_reason_format.arg(p_reason);
    }
    QMessageBox::warning(housekeeping::gui::AbstractMainWindow::instance(),
                         QString::fromStdString(brkBase::brkProductInfo::instance().product_name()),
                         text, QMessageBox::Ok, QMessageBox::NoButton);
}

bool ImportManager::verify_files(QStringList const& p_files, std::string const& p_key,
                                 QString& p_message) const {
    try {
        return verify_import_key(p_files, p_key, p_message);
    } catch (std::exception const& e) {
        // The factory's lookup error: no reader serves the key (a suffix or a filter that names an
        // importer this installation lacks).
        housekeeping::ErrorProtocol::instance().log_message(e.what());
        if (!p_message.isEmpty()) {
            p_message += QLatin1Char('\n');
        }
        p_message += QString::fromUtf8(e.what());
        return false;
    }
}

void ImportManager::build_actions(QWidget* p_parent) {
    if (p_parent == nullptr) {
        housekeeping::ErrorProtocol::instance().log_assert("parent", Q_FUNC_INFO, source_path,
                                                           parent_check_line);
    }
    if (m_open_action != nullptr) {
        return;
    }
    if (p_parent == nullptr) {
        housekeeping::ErrorProtocol::instance().log_assert("parent", Q_FUNC_INFO, source_path,
                                                           parent_before_building_line);
    }
    // Without a main window (logged above) the manager keeps the actions itself, so they are not
    // lost when no window ever deletes them.
    QObject* const owner = p_parent != nullptr ? static_cast<QObject*>(p_parent) : this;
    // Built again only for a new main window, after the host deleted the old one with its actions:
    // the quick-help entries of those actions go with them.
    delete m_open_help_entry;
    m_open_help_entry = nullptr;
    delete m_insert_help_entry;
    m_insert_help_entry = nullptr;

    m_open_action = make_action(QIcon(QString::fromLatin1(open_icon)), tr("Open"),
                                tr("Open existing file in new document"),
                                QKeySequence(QKeySequence::Open), owner);
    connect(m_open_action, &QAction::triggered, this, &ImportManager::slot_open);
    m_open_help_entry = createQuickHelpKeySequenceEntry(m_open_action);

    m_insert_action =
        make_action(QIcon(), tr("&Insert..."), tr("Insert existing file into current document"),
                    QKeySequence(tr("Ctrl+I", "File|Insert"), QKeySequence::NativeText), owner);
    connect(m_insert_action, &QAction::triggered, this, &ImportManager::slot_insert);
    m_insert_help_entry = createQuickHelpKeySequenceEntry(m_insert_action);

    m_revert_action = make_action(QIcon(), tr("Revert"), tr("Reload current document from file"),
                                  QKeySequence(), owner);
    connect(m_revert_action, &QAction::triggered, this, &ImportManager::slot_revert);

    // The recent-file actions belong to the manager and outlive a main window that the host
    // replaces; the Recent Files submenu already holds them.
    if (m_recent_actions.front() != nullptr) {
        return;
    }
    for (QAction*& action : m_recent_actions) {
        action = new QAction(this);
        action->setVisible(false);
        connect(action, &QAction::triggered, this, &ImportManager::slot_open_recent_file);
    }
}

housekeeping::AbstractQuickHelpEntry*
ImportManager::createQuickHelpKeySequenceEntry(QAction* p_action) {
    if (p_action == nullptr || p_action->shortcut().isEmpty()) {
        return nullptr;
    }
    // "&Insert..." is described as "Insert".
    QString text = p_action->text();
    text.remove(QStringLiteral("..."));
    text.remove(QLatin1Char('&'));
    auto* entry = new housekeeping::QuickHelpKeySequenceEntry(
        this, housekeeping::DocumentId::null(), p_action->shortcut(), text,
        housekeeping::QuickHelpFile);
    entry->setAttached(true);
    entry->setVisible(true);
    return entry;
}

void ImportManager::handle_message(housekeeping::gui::MainWindowMessage& p_message) {
    build_actions(p_message.main_window());

    switch (p_message.type()) {
    case housekeeping::gui::MainWindowMessage::FillMenu: {
        QMenu const* const menu = p_message.menu();
        if (menu == nullptr || menu->title() != QLatin1String("&File")) {
            return;
        }
        p_message.insertAction(open_position, m_open_action);
        p_message.insertAction(insert_position, m_insert_action);
        p_message.insertSeparator(separator_after_insert_position);
        p_message.insertAction(revert_position, m_revert_action);
        // One submenu serves every File menu the host builds: the recent-file actions and the
        // aboutToShow connection exist once.
        if (m_recent_menu == nullptr) {
            m_recent_menu = new QMenu(QStringLiteral("Recent Files"));
            connect(m_recent_menu, &QMenu::aboutToShow, this,
                    &ImportManager::slot_update_recent_file_names);
            for (QAction* action : m_recent_actions) {
                m_recent_menu->addAction(action);
            }
        }
        p_message.insertAction(recent_files_position, m_recent_menu->menuAction());
        p_message.insertSeparator(separator_after_recent_position);
        return;
    }
    case housekeeping::gui::MainWindowMessage::DocumentActions:
        if (p_message.main_window() != nullptr) {
            p_message.main_window()->set_document_actions(m_open_action, m_insert_action,
                                                          m_revert_action);
        }
        return;
    default:
        return;
    }
}

} // namespace import
} // namespace quarro
