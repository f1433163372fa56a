// The window as a user meets it: the start-up (plugins before the import manager, a broken plugin
// skipped and logged, the menus in the host's order), the title and its modified mark, files
// dropped on it, Undo and Redo of an insert, the recent documents, the panel and the map.
#include "AppTestFiles.h"
#include "BatchImport.h"
#include "DocumentPanel.h"
#include "ImportManager.h"
#include "MainWindow.h"
#include "MapView.h"
#include "ModalDialogHelper.h"
#include "StartedApp.h"
#include "WizardWatcher.h"
#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/RecentDocumentsQueue.h"
#include "model/Well.h"
#include "utilities/UrlUtilities.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QTreeWidget>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentManager;

QStringList objectNames(housekeeping::Document const& document) {
    QStringList names;
    for (housekeeping::Document::ObjectPtr const& object : document.objects()) {
        names << object->name();
    }
    return names;
}

QStringList menuTexts(QMenu const& menu) {
    QStringList texts;
    for (QAction const* action : menu.actions()) {
        texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
    }
    return texts;
}

TEST(AppStartupTest, LoadsThePluginsFirstSkipsABrokenOneAndFillsTheMenus) {
    StartedApp& app = startedApp();
    app::MainWindow& window = *app.window;
    QDir const program_dir(QCoreApplication::applicationDirPath());
    EXPECT_EQ(
        app.report.plugin_folders.mid(0, 3),
        (QStringList{program_dir.filePath(QStringLiteral("plugins")),
                     QDir::cleanPath(program_dir.filePath(QStringLiteral("../lib/quarro/plugins"))),
                     QDir::cleanPath(QStringLiteral(APP_TEST_PLUGIN_DIR))}));
    QStringList loaded;
    for (QString const& path : app.report.loaded_plugins) {
        loaded << QFileInfo(path).fileName();
    }
    for (QString const name : {"quarro_reader_las.so", "quarro_reader_native.so",
                               "quarro_reader_dxf.so", "app_test_reader_plugin.so"}) {
        EXPECT_TRUE(loaded.contains(name)) << name.toStdString();
    }
    EXPECT_EQ(app.report.failed_plugins, QStringList{app.broken_plugin});
    EXPECT_EQ(app.startup_log
                  .filter(QStringLiteral("Cannot load reader plugin '%1'").arg(app.broken_plugin))
                  .size(),
              1)
        << app.startup_log.join('\n').toStdString();

    // The manager built the Open dialog's filters when it was made: a plugin loaded after it
    // would be missing here.
    QStringList filters;
    ModalDialogHelper helper;
    helper.expect([&filters](QWidget* dialog) {
        if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
            filters = files->nameFilters();
            files->reject();
        }
    });
    window.open_action()->trigger();
    EXPECT_TRUE(helper.allAnswered());
    EXPECT_TRUE(filters.contains(QStringLiteral("App Test Format (*.apptest)")))
        << filters.join(" | ").toStdString();
    EXPECT_TRUE(filters.contains(QStringLiteral("QRO Format (*.qro *.quarro *.qroz)")));

    // The host's entries and the manager's actions, in the host's order.
    EXPECT_EQ(menuTexts(*window.file_menu()),
              (QStringList{"&New", "Open", "&Insert...", "--", "&Save", "Save &As...", "&Close",
                           "Revert", "Recent Files", "--", "&Quit"}));
    QList<QAction*> const file_actions = window.file_menu()->actions();
    EXPECT_EQ(file_actions[1], window.open_action());
    EXPECT_EQ(file_actions[2], window.insert_action());
    EXPECT_EQ(file_actions[7], window.revert_action());
    // The window keeps the submenu, which the manager made without a parent.
    ASSERT_NE(file_actions[8]->menu(), nullptr);
    EXPECT_EQ(file_actions[8]->menu()->parent(), &window);
    QStringList const edit = menuTexts(*window.edit_menu());
    ASSERT_EQ(edit.size(), 2);
    EXPECT_TRUE(edit[0].startsWith(QStringLiteral("&Undo")) && edit[1].startsWith("&Redo"));
}

TEST(AppWindowTest, TitleNamesTheCurrentDocumentAndShowsItsModifiedMark) {
    app::MainWindow& window = *startedApp().window;
    resetDocuments();
    housekeeping::Document& document = currentDocument();
    QString const title = QStringLiteral("%1[*] - Quarro").arg(document.display_name());
    EXPECT_EQ(window.windowTitle(), title);
    for (bool const modified : {true, false}) {
        document.set_modified(modified);
        EXPECT_EQ(window.isWindowModified(), modified);
    }
    // Another document becomes current: the title and the mark follow.
    DocumentManager::instance()
        .document_from_id(DocumentManager::instance().create_document())
        ->set_modified(true);
    EXPECT_NE(window.windowTitle(), title);
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_TRUE(window.save_action()->isEnabled());
    DocumentManager::instance().destroy_all();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quarro"));
    EXPECT_FALSE(window.isWindowModified() || window.save_action()->isEnabled() ||
                 window.close_action()->isEnabled());
}

TEST(AppWindowTest, DropIsAcceptedAtOnceAndOpenedFromTheEventLoop) {
    app::MainWindow& window = *startedApp().window;
    resetDocuments();
    auto well = boost::make_shared<model::Well>();
    well->setName(QStringLiteral("Dropped well"));
    currentDocument().add_object(well);
    QString const path = writeScratchFile(QStringLiteral("drop/dropped.qro"), QByteArray());
    ASSERT_TRUE(window.save_document(currentDocument().id(), path));
    resetDocuments();

    int drops = 0;
    QMetaObject::Connection const recording = QObject::connect(
        &window, &app::MainWindow::dropped, [&drops, &path](utilities::UrlList const& urls) {
            ++drops;
            EXPECT_EQ(urls, utilities::UrlList{utilities::filesystem_to_url(path)});
        });
    app::WizardWatcher watcher(true);
    // A local file is taken; a web address is not.
    for (QUrl const& url :
         {QUrl::fromLocalFile(path), QUrl(QStringLiteral("https://e.com/a.qro"))}) {
        bool const local = url.isLocalFile();
        QMimeData mime;
        mime.setUrls({url});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        EXPECT_EQ(enter.isAccepted(), local);
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        drop.ignore();
        QApplication::sendEvent(&window, &drop);
        EXPECT_EQ(drop.isAccepted(), local);
        // The source of the drag is free again before anything is opened.
        EXPECT_EQ(drops, 0);
        EXPECT_TRUE(watcher.take_runs().empty());
    }
    ASSERT_TRUE(ModalDialogHelper::waitFor([&drops] { return drops == 1; }));
    // The manager ran the wizard over the file: the document holds the saved well.
    ASSERT_TRUE(ModalDialogHelper::waitFor([] { return currentDocument().object_count() == 1; }));
    EXPECT_EQ(objectNames(currentDocument()), QStringList{"Dropped well"});
    EXPECT_EQ(watcher.take_runs().size(), 1u);
    QCoreApplication::processEvents();
    EXPECT_EQ(drops, 1);
    QObject::disconnect(recording);
}

TEST(AppWindowTest, EditMenuUndoesAndRedoesAnInsertAndAFailedInsertChangesNothing) {
    app::MainWindow& window = *startedApp().window;
    resetDocuments();
    housekeeping::Document& document = currentDocument();
    auto kept = boost::make_shared<model::Well>();
    kept->setName(QStringLiteral("kept"));
    document.add_object(kept);
    QStringList const inserted = {"kept", "I-1", "insert"};
    auto const insert = [&document](QString const& name, QStringList const& lines,
                                    QString& summary) {
        auto const source = boost::make_shared<housekeeping::DataSource>(
            utilities::filesystem_to_url(writeAppTestFile(name, lines)),
            housekeeping::AbstractDataInformationFactory::create("APPTEST"));
        return import::ImportManager::instance().insert(source, document.id(), true, nullptr,
                                                        &summary);
    };
    QString summary;
    EXPECT_EQ(insert(QStringLiteral("insert.apptest"), {"well I-1 5 6", "point 1 2"}, summary),
              import::AbstractFileReader::IMPORT_OK);
    EXPECT_EQ(objectNames(document), inserted);
    EXPECT_TRUE(summary.contains(QStringLiteral("insert.apptest")));
    EXPECT_TRUE(window.isWindowModified());
    housekeeping::Document::ObjectPtr const inserted_well = document.objects()[1];

    QAction* const undo = window.edit_menu()->actions().at(0);
    QAction* const redo = window.edit_menu()->actions().at(1);
    EXPECT_TRUE(undo->text().contains(QStringLiteral("insert.apptest")))
        << undo->text().toStdString();
    // The panel lists the document's objects at once, without waiting for the event loop.
    QTreeWidget* const tree = window.document_panel()->tree();
    auto const listed = [tree] { return tree->topLevelItem(0)->childCount(); };
    EXPECT_EQ(listed(), 3);
    undo->trigger();
    EXPECT_EQ(objectNames(document), QStringList{"kept"});
    EXPECT_EQ(listed(), 1);
    EXPECT_FALSE(window.isWindowModified());
    redo->trigger();
    EXPECT_EQ(objectNames(document), inserted);
    EXPECT_EQ(listed(), 3);
    // Redo brings back the very objects, not a second reading.
    EXPECT_EQ(document.objects()[1], inserted_well);

    EXPECT_EQ(
        insert(QStringLiteral("bad.apptest"), {"well B-1 1 1", "fail the disk said no"}, summary),
        import::AbstractFileReader::IMPORT_FAILED);
    EXPECT_EQ(objectNames(document), inserted);
    EXPECT_TRUE(summary.contains(QStringLiteral("the disk said no")));
}

TEST(AppWindowTest, RecentDocumentsGainLoadedAndSavedFilesButNotInserts) {
    app::MainWindow& window = *startedApp().window;
    resetDocuments();
    housekeeping::RecentDocumentsQueue& recent = housekeeping::RecentDocumentsQueue::instance();
    recent.clear();
    QString const first = writeAppTestFile(QStringLiteral("recent/first.apptest"), {"point 1 1"});
    QString const second = writeAppTestFile(QStringLiteral("recent/second.apptest"), {"point 2 2"});
    // One wizard opens the first file and inserts the second into the same document.
    app::BatchImport::Result const result = app::BatchImport(true, true).run({first, second}, "");
    ASSERT_TRUE(result.all_loaded());
    QString const saved = writeScratchFile(QStringLiteral("recent/saved.qro"), QByteArray());
    ASSERT_TRUE(window.save_document(result.documents.front(), saved));
    ASSERT_EQ(recent.size(), 2u);
    EXPECT_EQ(recent.at(0)->url(), utilities::filesystem_to_url(first));
    EXPECT_EQ(recent.at(0)->key(), "APPTEST");
    // Complete: Recent Files reopens it with its own reader; the saved file with the native one.
    EXPECT_TRUE(recent.at(0)->data_information()->is_complete());
    EXPECT_EQ(recent.at(1)->url(), utilities::filesystem_to_url(saved));
    EXPECT_EQ(recent.at(1)->key(), "QRO");
    EXPECT_FALSE(recent.at(1)->data_information()->is_complete());

    // The File menu's submenu shows the most recent first.
    QMenu* const submenu = window.file_menu()->actions().at(8)->menu();
    emit submenu->aboutToShow();
    EXPECT_TRUE(submenu->actions().at(0)->text().endsWith(QStringLiteral("saved.qro")));
    EXPECT_TRUE(submenu->actions().at(1)->text().endsWith(QStringLiteral("first.apptest")));
}

TEST(AppWindowTest, PanelAndMapFollowTheDocuments) {
    app::MainWindow& window = *startedApp().window;
    app::MapView* const map = window.map_view();
    resetDocuments();
    QString const file = writeAppTestFile(QStringLiteral("panel/field.apptest"),
                                          {"well P-1 100 200", "well P-2 300 400", "point 150 250",
                                           "point 160 260", "point 170 270"});
    // Far out, so that only framing after the load brings the objects into view.
    map->zoom_by(0.01 / map->pixels_per_unit());
    ASSERT_TRUE(app::BatchImport(true, false).run({file}, "").all_loaded());
    housekeeping::Document& loaded = currentDocument();
    ModalDialogHelper::waitFor([map] { return map->drawn_objects() == 3; });
    // The two wells and the point set, framed: 200 map units across fill most of the view.
    EXPECT_EQ(map->drawn_objects(), 3);
    QRectF const visible = map->mapToScene(map->viewport()->rect()).boundingRect();
    EXPECT_TRUE(visible.contains(QPointF(100, 200)) && visible.contains(QPointF(300, 400)));
    EXPECT_GT(map->pixels_per_unit(), 1.5);

    // The panel lists the document and its objects with kind and size.
    QTreeWidget* const tree = window.document_panel()->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* const item = tree->topLevelItem(0);
    EXPECT_TRUE(item->text(0).startsWith(QStringLiteral("field.apptest")));
    ASSERT_EQ(item->childCount(), 3);
    EXPECT_EQ(item->child(0)->text(0) + " " + item->child(0)->text(1), QStringLiteral("P-1 Well"));
    EXPECT_EQ(item->child(2)->text(0) + " " + item->child(2)->text(2), "field 3 points");

    // An object added to the current document is drawn; another current document replaces it;
    // a click in the panel brings the first one back.
    loaded.add_object(boost::make_shared<model::Well>(
        dynamic_cast<model::Well const&>(*loaded.objects().front())));
    EXPECT_EQ(map->drawn_objects(), 4);
    DocumentManager::instance().create_document();
    EXPECT_EQ(map->drawn_objects(), 0);
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    emit tree->itemClicked(tree->topLevelItem(0), 0);
    EXPECT_EQ(DocumentManager::instance().current_document_id(), loaded.id());
    EXPECT_EQ(map->drawn_objects(), 4);
}

} // namespace
} // namespace test
} // namespace quarro
