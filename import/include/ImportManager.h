#ifndef QUARRO_IMPORT_IMPORTMANAGER_H
#define QUARRO_IMPORT_IMPORTMANAGER_H

#include "AbstractFileReader.h"
#include "QuarroImportExport.h"
#include "housekeeping/DocumentId.h"
#include "housekeeping/DocumentMessage.h"
#include "housekeeping/FilesInsertMessage.h"
#include "housekeeping/gui/MainWindowMessage.h"
#include "utilities/UrlUtilities.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <boost/shared_ptr.hpp>

#include <array>
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace brkBase {
class AbstractProgress;
template <typename T>
class TbrkDestructor;
} // namespace brkBase

namespace quarro {
namespace housekeeping {
class AbstractQuickHelpEntry;
class DataSource;
} // namespace housekeeping

namespace import {

class ImportManagerTestPeer;

// The import library's face to the host application: the one object that owns the File menu's
// Open, Insert and Revert actions and the Recent Files submenu, answers the host's main-window,
// document and files-insert messages, takes files dropped on the main window, decides which
// importer handles a file, and runs the import wizard for every file list or data source it opens.
// It keeps the folder and the filter of the last file dialog in the settings (group "file_paths")
// from one run to the next.
//
// A singleton on the GUI thread. The host creates it with instance() once the reader libraries have
// registered their factories (construction asks every reader for its filter and extensions), lets
// its MainWindowMessages build and place the actions, and calls post_init() when its main window
// exists. It is deleted in phase 5 of the host's destruction registry, or at library unload.
class QUARRO_IMPORT_EXPORT ImportManager : public QObject {
    Q_OBJECT
public:
    // The number of entries the Recent Files submenu can show.
    static constexpr std::size_t recent_file_count = 20;

    // Created on first use; must not be called once the destruction registry has deleted it.
    static ImportManager& instance();
    static ImportManager const& const_instance();

    // Connects files dropped on the main window to the open flow, once the main window exists.
    void post_init();

    // Reads a data source into a document with its reader, without a wizard or a command. With
    // p_inserting the reader's summary is copied into *p_summary, which must then be valid.
    // Factory and reader exceptions reach the caller.
    AbstractFileReader::ImportState open(boost::shared_ptr<housekeeping::DataSource> p_ds,
                                         housekeeping::DocumentId const& p_document,
                                         bool p_importing, brkBase::AbstractProgress* p_progress,
                                         bool p_inserting, QString* p_summary);
    // Runs the wizard of p_key over p_files, into p_target when that is not the null id. False when
    // the current document is locked.
    bool open_urls_using_key(QStringList const& p_files, std::string const& p_key,
                             housekeeping::DocumentId const& p_target);

    // Where the next file dialog starts.
    QString const& filePath() const;

    // Enables or disables Open, Insert, Revert and Recent Files together.
    void enable_document_actions(bool p_enable);

    // Inserts a data source into a document through an undoable InsertCommand, run and recorded by
    // the host's command manager. The command's summary goes to *p_summary when that is not null.
    // Never throws: a failure gives IMPORT_FAILED.
    AbstractFileReader::ImportState insert(boost::shared_ptr<housekeeping::DataSource> p_ds,
                                           housekeeping::DocumentId const& p_document,
                                           bool p_importing, brkBase::AbstractProgress* p_progress,
                                           QString* p_summary);
    // Asks for raster images and inserts them onto a section of the current document.
    void insert_image_on_section();
    // The next wizard inserts onto a section; the loader clears it when a load ends.
    void insert_on_section(bool p_on);
    bool insert_on_section() const;
    // Set by the loader while it loads files, for readers and the host to ask.
    void inserting_state(bool p_on);
    bool inserting_state() const;

    // Opens entry p_index of the host's recent-documents list.
    void open_recent_file(int p_index);

    // The importer for a file that nobody chose one for (a drop, a file named on a command line,
    // a recent entry without its importer): "QRO" when the native reader accepts the file;
    // otherwise, in importer_order(), the first importer whose reader lists the file's extension
    // and accepts it; failing that, the first whose reader accepts it ("accepts" as
    // verify_import_key decides). Empty when none does: p_reasons then says why, either what is
    // wrong with the file itself (missing, a folder, unreadable, empty) or each reader's reason
    // ("KEY: reason"), one line each.
    std::string importer_for_file(QString const& p_path, QString& p_reasons) const;
    // Every importer key, in the order in which the manager offers and tries them.
    std::vector<std::string> const& importer_order() const { return m_importer_order; }

protected:
    ImportManager();
    ~ImportManager() override;

private:
    Q_DISABLE_COPY(ImportManager)

    // The registration calls destroy_instance(); the holder deletes what destroy_instance() did
    // not.
    friend class brkBase::TbrkDestructor<ImportManager>;
    friend struct std::default_delete<ImportManager>;
    friend class ImportManagerTestPeer;

    static std::unique_ptr<ImportManager>& get_instance();
    static void destroy_instance();

    void build_actions(QWidget* p_parent);
    housekeeping::AbstractQuickHelpEntry* createQuickHelpKeySequenceEntry(QAction* p_action);
    void set_first_file_open_path();
    // Whether the user's current document must be left alone: true when there is one and it is
    // locked. Flows that start on the current document stop, without a message, when it is.
    bool current_document_locked() const;

    // The steps that every file-dialog flow shares: ask for files (p_selected_filter starts the
    // dialog and receives the user's choice), keep where the user went for the next dialog and the
    // next run, and warn that the chosen importer refused the files. p_reason_format places the
    // reader's reason ("%1") after the warning; the flows differ in its spacing.
    QStringList ask_for_files(QString const& p_caption, QString const& p_filters,
                              QString& p_selected_filter) const;
    void remember_chosen_files(QString const& p_first_file, QString const& p_filter);
    static void warn_unable_to_import(QString const& p_reason, QString const& p_reason_format);
    // verify_import_key for the user flows: a key that no reader serves refuses the files with the
    // factory's explanation instead of throwing out of an event handler.
    bool verify_files(QStringList const& p_files, std::string const& p_key,
                      QString& p_message) const;

    // Open flows.
    bool open_urls(QStringList const& p_files, std::string const& p_key);
    // Each file with the importer that fits it: files sharing an importer run in one wizard, the
    // wizards in the order of their first file; the files no importer takes are named, with the
    // reasons, in one warning.
    bool open_urls_fitting(QStringList const& p_files);
    bool open_url(std::string const& p_path, std::string const& p_key);
    void open_data_source(boost::shared_ptr<housekeeping::DataSource> p_ds);
    bool is_open(std::string const& p_path);

    // Importer selection and file filters, built once at construction.
    void register_file_filters();
    void register_file_extensions();
    void sort_importer_order(std::vector<std::string>& p_keys);
    std::string importer_key(std::string const& p_filter) const;
    bool verify_import_key(QStringList const& p_files, std::string const& p_key,
                           QString& p_message) const;
    bool verify_import_key(QString const& p_file, std::string const& p_key,
                           QString& p_message) const;
    // What keeps any reader from a path: missing, a folder or other non-regular file, no read
    // permission, empty. Empty when nothing does.
    static QString file_problem(QString const& p_path);

    // Insert flows.
    bool insert_urls(QStringList const& p_files, std::string const& p_key, QString& p_message);
    bool insert_urls_using_key(QStringList const& p_files, std::string const& p_key);

    // Revert.
    void revert_document();
    void revert_document(housekeeping::DocumentId const& p_id,
                         boost::shared_ptr<housekeeping::DataSource> p_ds);
    // The importer that reads a document's file again, once it is known that the file is still
    // there and that importer still accepts it; otherwise warns why and returns an empty key, and
    // the document must stay as it is.
    std::string reopen_key(housekeeping::DataSource const& p_ds) const;

private slots:
    void slot_open();
    void slot_insert();
    void slot_revert();
    void slot_open_recent_file();
    void slot_update_recent_file_names();
    void slot_dynamic_open(const utilities::UrlList& p_url_list);
    void handle_message(housekeeping::gui::MainWindowMessage& p_message);
    void handle_message(housekeeping::DocumentMessage& p_message);
    void handle_message(housekeeping::FilesInsertMessage& p_message);

private:
    // Made when the host fills its File menu; has no parent and is not deleted here. Guarded, as
    // the host may delete it.
    QPointer<QMenu> m_recent_menu;
    // Children of the main window; not null once the actions are built. Guarded: the host may
    // delete its main window before the manager, and document messages may still arrive.
    QPointer<QAction> m_open_action;
    QPointer<QAction> m_insert_action;
    QPointer<QAction> m_revert_action;
    // Children of the manager, in menu order.
    std::array<QAction*, recent_file_count> m_recent_actions{};
    housekeeping::AbstractQuickHelpEntry* m_open_help_entry = nullptr;
    housekeeping::AbstractQuickHelpEntry* m_insert_help_entry = nullptr;
    // File extension to importer key, one entry per reader that declares the extension.
    std::multimap<std::string, std::string> m_extension_keys;
    // Importer key to the extensions its reader lists, in lower case.
    std::map<std::string, std::vector<std::string>> m_key_extensions;
    std::vector<std::string> m_importer_order;
    // File-dialog filter text to the importer key that offers it.
    std::map<std::string, std::string> m_filter_keys;
    QString m_file_path;
    // The filter list of the Open and Insert dialogs, entries joined by ";;".
    std::string m_filters;
    std::string m_last_filter;
    bool m_inserting_state = false;
    bool m_insert_on_section = false;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_IMPORTMANAGER_H
