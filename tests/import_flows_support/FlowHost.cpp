#include "FlowHost.h"

#include "FlowReaders.h"
#include "ImportManager.h"
#include "QImportWizard.h"
#include "TestApplication.h"
#include "base/brkDestructor.h"
#include "base/brkProductInfo.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/RecentDocumentsQueue.h"
#include "housekeeping/gui/MainWindowMessage.h"
#include "model/GeoObject.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QUrl>

#include <memory>
#include <typeinfo>

namespace quarro {
namespace test {

namespace {

std::unique_ptr<HostMainWindow>& window_holder() {
    static std::unique_ptr<HostMainWindow> window;
    return window;
}

// Shuts the application down the way the host does once its event loop has ended.
class HostShutdown : public ::testing::Environment {
public:
    void TearDown() override {
        housekeeping::DocumentManager::instance().destroy_all();
        if (!window_holder()) {
            return;
        }
        brkBase::brkDestructor::destroy_all();
        window_holder().reset();
    }
};

::testing::Environment* const shutdown = ::testing::AddGlobalTestEnvironment(new HostShutdown);

} // namespace

HostMainWindow& start_host() {
    std::unique_ptr<HostMainWindow>& window = window_holder();
    if (window) {
        return *window;
    }
    import::ImportManager& manager = import::ImportManager::instance();
    window.reset(new HostMainWindow);
    window->announce_menu(window->file_menu);
    window->request_document_actions();
    manager.post_init();
    return *window;
}

QAction* file_action(QString const& text) {
    return menu_entry(*start_host().file_menu, text);
}

QMenu* recent_menu() {
    QAction* const entry = file_action(QStringLiteral("Recent Files"));
    return entry != nullptr ? entry->menu() : nullptr;
}

void show_recent_menu() {
    QMenu* const menu = recent_menu();
    if (menu == nullptr) {
        ADD_FAILURE() << "the File menu has no Recent Files submenu";
        return;
    }
    menu->popup(QPoint(0, 0));
    menu->hide();
}

void drop_files(QStringList const& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (QString const& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    data.setUrls(urls);
    // Qt hands a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&start_host(), &enter);
    EXPECT_TRUE(enter.isAccepted()) << "the main window refused the dragged files";
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&start_host(), &drop);
}

QString flow_path(QString const& name) {
    return QDir(scratchDirectory()).filePath(QStringLiteral("flows/") + name);
}

QString flow_file(QString const& name, QByteArray const& content) {
    QString const path = flow_path(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return path;
    }
    file.write(content);
    return path;
}

QString stored_file_path(QString const& key) {
    return QSettings().value(QStringLiteral("file_paths/") + key).toString();
}

void FlowTest::SetUp() {
    start_host();
    documents().destroy_all();
    readerJournal().calls.clear();
    housekeeping::ErrorProtocol::instance().clear();
    housekeeping::RecentDocumentsQueue::instance().clear();
    QSettings().remove(QStringLiteral("qimportwizard"));
    manager().insert_on_section(false);
    manager().inserting_state(false);
}

void FlowTest::TearDown() {
    EXPECT_TRUE(dialogs.unexpected().isEmpty())
        << "dialogs nobody expected: " << dialogs.unexpected().join(", ").toStdString();
    EXPECT_TRUE(dialogs.allAnswered()) << "a dialog the test expected never opened";
    documents().destroy_all();
}

import::ImportManager& FlowTest::manager(){return import::ImportManager::instance();
} // namespace test

housekeeping::DocumentManager& FlowTest::documents() {
    return housekeeping::DocumentManager::instance();
}

housekeeping::Document* FlowTest::document(housekeeping::DocumentId const& id) {
    return dynamic_cast<housekeeping::Document*>(documents().document_from_id(id));
}

QStringList FlowTest::object_names(housekeeping::DocumentId const& id) {
    QStringList names;
    if (housekeeping::Document const* doc = document(id)) {
        for (housekeeping::Document::ObjectPtr const& object : doc->objects()) {
            names << object->name();
        }
    }
    return names;
}

void FlowTest::expect_wizard() {
    dialogs.expect([this](QWidget* dialog) {
        auto* const wizard = qobject_cast<import::QImportWizard*>(dialog);
        if (wizard == nullptr) {
            ADD_FAILURE() << "an import wizard was expected, not "
                          << dialog->metaObject()->className();
            if (auto* other = qobject_cast<QDialog*>(dialog)) {
                other->reject();
            }
            return;
        }
        WizardSeen seen;
        seen.key = wizard->import_key();
        seen.urls = wizard->urls();
        seen.on_section = wizard->insertingOnSection();
        seen.inserting = wizard->inserting();
        seen.type = typeid(*wizard).name();
        wizards.push_back(seen);
        // The user waits for the summary and closes it.
        QPointer<import::QImportWizard> const running(wizard);
        bool const summary_up = ModalDialogHelper::waitFor(
            [running] {
                return running.isNull() || !running->isVisible() || running->is_close_button_mode();
            },
            20000);
        EXPECT_TRUE(summary_up) << "the wizard never reached its summary";
        if (!running.isNull() && running->isVisible()) {
            running->cancelButton()->click();
        }
    });
}

void FlowTest::expect_file_dialog_cancelled() {
    dialogs.expect([this](QWidget* dialog) {
        auto* const file_dialog = qobject_cast<QFileDialog*>(dialog);
        if (file_dialog == nullptr) {
            ADD_FAILURE() << "a file dialog was expected, not "
                          << dialog->metaObject()->className();
            if (auto* other = qobject_cast<QDialog*>(dialog)) {
                other->reject();
            }
            return;
        }
        FileDialogSeen seen;
        seen.caption = file_dialog->windowTitle();
        seen.directory = file_dialog->directory().absolutePath();
        seen.selected_filter = file_dialog->selectedNameFilter();
        seen.filters = file_dialog->nameFilters();
        file_dialogs.push_back(seen);
        file_dialog->reject();
    });
}

QString FlowTest::warning(QString const& text) {
    return QString::fromStdString(brkBase::brkProductInfo::instance().product_name()) +
           QLatin1Char('|') + text;
}

} // namespace quarro
} // namespace quarro
