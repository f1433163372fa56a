#ifndef QUARRO_TESTS_IMPORT_FLOWS_FLOWKIT_H
#define QUARRO_TESTS_IMPORT_FLOWS_FLOWKIT_H

#include "HostMainWindow.h"
#include "ImportManager.h"
#include "ModalDialogHelper.h"
#include "QImportWizard.h"
#include "ScriptedReader.h"
#include "TestApplication.h"
#include "WizardTestKit.h"
#include "base/brkDestructor.h"
#include "base/brkProductInfo.h"
#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/RecentDocumentsQueue.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>

// Readable failure messages for lists of texts (single texts: WizardTestKit.h).
inline void PrintTo(QStringList const& texts, std::ostream* os) {
    *os << "{\"" << texts.join(QStringLiteral("\", \"")).toStdString() << "\"}";
}

namespace quarro::test {

using housekeeping::DocumentId;

// The flows' importers are ScriptedReader<Spec>: their keys and the filters the dialogs offer.
struct NativeSpec {
    static constexpr char const *key = "QRO", *filter = "QRO Format (*.qro *.quarro *.qroz)";
};
struct TextSpec {
    static constexpr char const *key = "TXT", *filter = "Text points (*.txt)";
};

// The main window, made on the first call as the host makes it: the manager exists once the
// readers have registered, the window announces its File menu and asks for the document actions,
// and post_init() wires drag and drop. Reset it to delete the window before the manager.
inline std::unique_ptr<HostMainWindow>& host_window() {
    static std::unique_ptr<HostMainWindow> window;
    return window;
}
inline HostMainWindow& start_host() {
    std::unique_ptr<HostMainWindow>& window = host_window();
    if (!window) {
        import::ImportManager& manager = import::ImportManager::instance();
        window = std::make_unique<HostMainWindow>();
        window->announce_menu(window->file_menu);
        window->request_document_actions();
        manager.post_init();
    }
    return *window;
}

// Shut-down as the host does it once its event loop has ended: the manager (through the
// destruction registry) before the window.
class HostShutdown : public ::testing::Environment {
public:
    void TearDown() override {
        housekeeping::DocumentManager::instance().destroy_all();
        if (host_window()) {
            brkBase::brkDestructor::destroy_all();
            host_window().reset();
        }
    }
};
inline ::testing::Environment* const host_shutdown =
    ::testing::AddGlobalTestEnvironment(new HostShutdown);

// What a test saw of one run of an import wizard.
struct WizardSeen {
    std::string key;
    QStringList urls;
    bool on_section = false;
    bool inserting = false;
    bool catch_all = false; // the library's catch-all wizard, not an importer's own
};

// What a test saw of a file dialog.
struct FileDialogSeen {
    QString caption, directory, selected_filter;
    QStringList filters;
};

// Every flow test starts with no documents, no recent documents, no reads recorded and the
// manager's flags clear, and ends by checking that every dialog it expected came and no other.
class FlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        start_host();
        documents().destroy_all();
        readerJournal().clear();
        housekeeping::ErrorProtocol::instance().clear();
        housekeeping::RecentDocumentsQueue::instance().clear();
        QSettings().remove(QStringLiteral("qimportwizard"));
        manager().insert_on_section(false);
        manager().inserting_state(false);
    }
    void TearDown() override {
        EXPECT_EQ(dialogs.unexpected(), QStringList()) << "dialogs nobody expected";
        EXPECT_TRUE(dialogs.allAnswered()) << "a dialog the test expected never opened";
        documents().destroy_all();
    }

    static import::ImportManager& manager() { return import::ImportManager::instance(); }
    static housekeeping::DocumentManager& documents() {
        return housekeeping::DocumentManager::instance();
    }
    static DocumentId current() { return documents().current_document_id(); }
    static housekeeping::Document* document(DocumentId const& id) {
        return dynamic_cast<housekeeping::Document*>(documents().document_from_id(id));
    }
    static QStringList object_names(DocumentId const& id) {
        QStringList names;
        if (housekeeping::Document const* doc = document(id)) {
            for (housekeeping::Document::ObjectPtr const& object : doc->objects()) {
                names << object->name();
            }
        }
        return names;
    }

    // The File menu's entry with `text` as the menu shows it; null when there is none.
    static QAction* file_action(QString const& text) {
        return menu_entry(*start_host().file_menu, text);
    }
    static void click(QString const& text) {
        QAction* const action = file_action(text);
        ASSERT_NE(action, nullptr) << text.toStdString();
        action->trigger();
    }
    static QMenu* recent_menu() {
        QAction* const entry = file_action(QStringLiteral("Recent Files"));
        return entry != nullptr ? entry->menu() : nullptr;
    }
    // Opens and closes the Recent Files submenu as a user looking at it would.
    static void show_recent_menu() {
        ASSERT_NE(recent_menu(), nullptr);
        recent_menu()->popup(QPoint(0, 0));
        recent_menu()->hide();
    }
    static void add_recent(QString const& path, std::string const& key, bool complete) {
        auto const information = housekeeping::AbstractDataInformationFactory::create(key);
        information->set_complete(complete);
        housekeeping::RecentDocumentsQueue::instance().add(
            boost::make_shared<housekeeping::DataSource>(utilities::filesystem_to_url(path),
                                                         information));
    }

    // Drops local files on the main window as a file manager would.
    static void drop_files(QStringList const& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (QString const& path : paths) {
            urls << QUrl::fromLocalFile(path);
        }
        data.setUrls(urls);
        // Qt hands a drop to the widget that accepted the drag's entry.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&start_host(), &enter);
        EXPECT_TRUE(enter.isAccepted()) << "the main window refused the dragged files";
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&start_host(), &drop);
    }

    // A path in this run's scratch folder, and a file written there.
    static QString flow_path(QString const& name) {
        return QDir(scratchDirectory()).filePath(QStringLiteral("flows/") + name);
    }
    static QString flow_file(QString const& name, QByteArray const& content) {
        QString const path = flow_path(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(content);
        return path;
    }
    // A value of the settings group "file_paths", read afresh.
    static QString stored(char const* key) {
        return QSettings().value(QStringLiteral("file_paths/") + key).toString();
    }
    // A warning of the import manager as the dialog helper records it.
    static QString warning(QString const& text) {
        return QString::fromStdString(brkBase::brkProductInfo::instance().product_name()) + '|' +
               text;
    }
    static QString unable(QString const& details) {
        return warning("Unable to import file(s) using the selected importer.\n\n" + details);
    }

    // Queues the answer to the next modal dialog, which must be a `Dialog`.
    template <class Dialog, class Answer>
    void expect(Answer answer) {
        dialogs.expect([answer](QWidget* widget) {
            if (auto* const dialog = qobject_cast<Dialog*>(widget)) {
                return answer(dialog);
            }
            ADD_FAILURE() << "an unexpected " << widget->metaObject()->className();
            widget->close();
        });
    }
    // The next import wizard is noted in `wizards`, left to load and closed from its summary.
    void expect_wizard() {
        expect<import::QImportWizard>([this](import::QImportWizard* dialog) {
            QPointer<import::QImportWizard> const wizard(dialog);
            std::string const type = typeid(*dialog).name();
            wizards.push_back({wizard->import_key(), wizard->urls(), wizard->insertingOnSection(),
                               wizard->inserting(),
                               type.find("QCatchAllImportWizard") != std::string::npos});
            EXPECT_TRUE(ModalDialogHelper::waitFor(
                [wizard] {
                    return wizard.isNull() || !wizard->isVisible() ||
                           wizard->is_close_button_mode();
                },
                20000))
                << "the wizard never reached its summary";
            if (!wizard.isNull() && wizard->isVisible()) {
                wizard->cancelButton()->click();
            }
        });
    }
    // The next file dialog is noted in `file_dialogs` and cancelled.
    void expect_file_dialog_cancelled() {
        expect<QFileDialog>([this](QFileDialog* dialog) {
            file_dialogs.push_back({dialog->windowTitle(), dialog->directory().absolutePath(),
                                    dialog->selectedNameFilter(), dialog->nameFilters()});
            dialog->reject();
        });
    }
    // File > Open of `files` under `filter`, answered by the wizard; returns the current document.
    DocumentId open_files(QStringList const& files, char const* filter) {
        dialogs.chooseFiles(files, QString::fromLatin1(filter));
        expect_wizard();
        click(QStringLiteral("Open"));
        return current();
    }

    ModalDialogHelper dialogs{3000};
    std::vector<WizardSeen> wizards;
    std::vector<FileDialogSeen> file_dialogs;
};

} // namespace quarro::test

#endif // QUARRO_TESTS_IMPORT_FLOWS_FLOWKIT_H
