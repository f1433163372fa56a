#ifndef QUARRO_TESTS_IMPORT_FLOWS_FLOWHOST_H
#define QUARRO_TESTS_IMPORT_FLOWS_FLOWHOST_H

#include "HostMainWindow.h"
#include "ModalDialogHelper.h"
#include "housekeeping/DocumentId.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

class QAction;
class QMenu;

// Readable failure messages for texts.
inline void PrintTo(QString const& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(QStringList const& texts, std::ostream* os) {
    *os << '{';
    for (QString const& text : texts) {
        *os << '"' << text.toStdString() << "\" ";
    }
    *os << '}';
}

namespace quarro {
namespace housekeeping {
class Document;
class DocumentManager;
} // namespace housekeeping
namespace import {
class ImportManager;
}

namespace test {

// Starts the application as the host does: the manager is created once the readers have
// registered, the main window announces its File menu, asks for the document actions, and
// post_init() wires drag and drop. The window is made on the first call and goes after the last
// test (the manager through the destruction registry first, as at shut-down). Returns the window.
HostMainWindow& start_host();

// The File menu's entry with `text` (as the menu shows it, with its ampersands); null when there
// is none.
QAction* file_action(QString const& text);
// The Recent Files submenu; null when the File menu has none.
QMenu* recent_menu();
// Opens and closes the Recent Files submenu as a user looking at it would.
void show_recent_menu();

// Drops local files on the main window as a file manager would.
void drop_files(QStringList const& paths);

// A file (or folder) in this run's scratch folder for the flow tests.
QString flow_path(QString const& name);
// Writes a file there and returns its path.
QString flow_file(QString const& name, QByteArray const& content);

// A value of the settings group "file_paths", read afresh.
QString stored_file_path(QString const& key);

// What a test saw of one run of an import wizard.
struct WizardSeen {
    std::string key;
    QStringList urls;
    bool on_section = false;
    bool inserting = false;
    // The wizard's dynamic type: an importer's registered wizard or the library's catch-all.
    std::string type;

    bool catch_all() const { return type.find("QCatchAllImportWizard") != std::string::npos; }
    bool registered() const { return type.find("RegisteredWizard") != std::string::npos; }
};

// What a test saw of a file dialog.
struct FileDialogSeen {
    QString caption;
    QString directory;
    QString selected_filter;
    QStringList filters;
};

// Every flow test starts with no documents, an empty recent-documents list, no reads recorded and
// the manager's flags clear, and ends by checking that every dialog it expected came and no other.
class FlowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static import::ImportManager& manager();
    static housekeeping::DocumentManager& documents();
    static housekeeping::Document* document(housekeeping::DocumentId const& id);
    // The objects of a document, by name.
    static QStringList object_names(housekeeping::DocumentId const& id);

    // Queues the answer to the next import wizard: it is noted in `wizards`, left to load and
    // closed from its summary.
    void expect_wizard();
    // Queues the answer to the next file dialog: it is noted in `file_dialogs` and cancelled.
    void expect_file_dialog_cancelled();

    // A warning of the import manager as the helper records it: the product name, then the text.
    static QString warning(QString const& text);

    ModalDialogHelper dialogs{3000};
    std::vector<WizardSeen> wizards;
    std::vector<FileDialogSeen> file_dialogs;
};

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_IMPORT_FLOWS_FLOWHOST_H
