// The window as a user meets it: the start-up, the title and its modified mark, files dropped on
// it, Undo and Redo of an insert, the recent documents, Save and Save As, and the questions before
// unsaved changes are lost.
#include "AppTestFiles.h"
#include "BatchImport.h"
#include "DocumentPanel.h"
#include "ImportManager.h"
#include "MainWindow.h"
#include "ModalDialogHelper.h"
#include "StartedApp.h"
#include "WizardWatcher.h"
#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/RecentDocumentsQueue.h"
#include "model/PointSet.h"
#include "utilities/UrlUtilities.h"

#include <QAction>
#include <QApplication>
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

QStringList menuTexts(QMenu const& menu) {
    QStringList texts;
    for (QAction const* action : menu.actions()) {
        texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
    }
    return texts;
}

TEST(AppStartupTest, LoadsThePluginsFirstAndFillsTheMenus) {
    StartedApp& app = startedApp();
    QStringList loaded;
    for (QString const& path : app.report.loaded_plugins) {
        loaded << QFileInfo(path).fileName();
    }
    // The plugins beside the program, and the test plugin from QUARRO_PLUGIN_PATH.
    for (QString const name : {"quarro_reader_las.so", "quarro_reader_native.so",
                               "quarro_reader_dxf.so", "app_test_reader_plugin.so"}) {
        EXPECT_TRUE(loaded.contains(name)) << name.toStdString();
    }

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
    app.window->open_action()->trigger();
    EXPECT_TRUE(helper.allAnswered());
    EXPECT_TRUE(filters.contains(QStringLiteral("App Test Format (*.apptest)")) &&
                filters.contains(QStringLiteral("QRO Format (*.qro *.quarro *.qroz)")))
        << filters.join(" | ").toStdString();

    // The host's entries and the manager's actions, in the host's order.
    EXPECT_EQ(menuTexts(*app.window->file_menu()),
              (QStringList{"&New", "Open", "&Insert...", "--", "&Save", "Save &As...", "&Close",
                           "Revert", "Recent Files", "--", "&Quit"}));
    QStringList const edit = menuTexts(*app.window->edit_menu());
    ASSERT_EQ(edit.size(), 2);
    EXPECT_TRUE(edit[0].startsWith(QStringLiteral("&Undo")) && edit[1].startsWith("&Redo"));
}

TEST(AppWindowTest, DropIsAcceptedAtOnceAndOpenedFromTheEventLoop) {
    app::MainWindow& window = *startedApp().window;
    resetDocuments();
    QString const path = writeScratchFile(QStringLiteral("drop/dropped.apptest"), "1 2 0\n");
    int drops = 0;
    QMetaObject::Connection const recording = QObject::connect(
        &window, &app::MainWindow::dropped, [&drops, &path](utilities::UrlList const& urls) {
            ++drops;
            EXPECT_EQ(urls, utilities::UrlList{utilities::filesystem_to_url(path)});
        });
    app::WizardWatcher watcher(true);
    // A local file is taken; a web address is not.
    for (QUrl const& url :
         {QUrl::fromLocalFile(path), QUrl(QStringLiteral("https://e.com/a.apptest"))}) {
        QMimeData mime;
        mime.setUrls({url});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        EXPECT_EQ(enter.isAccepted(), url.isLocalFile());
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        drop.ignore();
        QApplication::sendEvent(&window, &drop);
        EXPECT_EQ(drop.isAccepted(), url.isLocalFile());
        // The source of the drag is free again before anything is opened.
        EXPECT_EQ(drops, 0);
        EXPECT_TRUE(watcher.take_runs().empty());
    }
    // The manager ran the wizard over the file, once.
    ASSERT_TRUE(ModalDialogHelper::waitFor([] { return currentDocument().object_count() == 1; }));
    EXPECT_EQ(objectNames(currentDocument()), QStringList{"dropped.apptest:1"});
    EXPECT_EQ(watcher.take_runs().size(), 1u);
    QCoreApplication::processEvents();
    EXPECT_EQ(drops, 1);
    QObject::disconnect(recording);
}

TEST(AppWindowTest, EditMenuUndoesAndRedoesAnInsertAndAFailedInsertChangesNothing) {
    app::MainWindow& window = *startedApp().window;
    resetDocuments();
    housekeeping::Document& document = currentDocument();
    document.add_object(boost::make_shared<model::PointSet>());
    document.objects().front()->setName(QStringLiteral("kept"));
    QString summary;
    auto const insert = [&document, &summary](QString const& name, QByteArray const& lines) {
        auto const source = boost::make_shared<housekeeping::DataSource>(
            utilities::filesystem_to_url(writeScratchFile(name, lines)),
            housekeeping::AbstractDataInformationFactory::create("APPTEST"));
        return import::ImportManager::instance().insert(source, document.id(), true, nullptr,
                                                        &summary);
    };
    QStringList const inserted = {"kept", "insert.apptest:1", "insert.apptest:2"};
    EXPECT_EQ(insert(QStringLiteral("insert.apptest"), "5 6 0\n1 2 0\n"),
              import::AbstractFileReader::IMPORT_OK);
    EXPECT_EQ(objectNames(document), inserted);
    EXPECT_TRUE(summary.contains(QStringLiteral("insert.apptest")));
    EXPECT_TRUE(window.isWindowModified());
    housekeeping::Document::ObjectPtr const inserted_object = document.objects()[1];

    QAction* const undo = window.edit_menu()->actions().at(0);
    EXPECT_TRUE(undo->text().contains(QStringLiteral("insert.apptest")))
        << undo->text().toStdString();
    // The panel lists the document's objects at once, without waiting for the event loop.
    QTreeWidgetItem* const listed = window.document_panel()->tree()->topLevelItem(0);
    EXPECT_EQ(listed->childCount(), 3);
    undo->trigger();
    EXPECT_EQ(objectNames(document), QStringList{"kept"});
    EXPECT_EQ(listed->childCount(), 1);
    EXPECT_FALSE(window.isWindowModified());
    window.edit_menu()->actions().at(1)->trigger();
    EXPECT_EQ(objectNames(document), inserted);
    EXPECT_EQ(listed->childCount(), 3);
    // Redo brings back the very objects, not a second reading.
    EXPECT_EQ(document.objects()[1], inserted_object);

    EXPECT_EQ(insert(QStringLiteral("bad.apptest"), "1 1 1\nfail the disk said no\n"),
              import::AbstractFileReader::IMPORT_FAILED);
    EXPECT_EQ(objectNames(document), inserted);
    EXPECT_TRUE(summary.contains(QStringLiteral("the disk said no")));
}

TEST(AppWindowTest, RecentDocumentsGainLoadedAndSavedFilesButNotInserts) {
    app::MainWindow& window = *startedApp().window;
    resetDocuments();
    housekeeping::RecentDocumentsQueue& recent = housekeeping::RecentDocumentsQueue::instance();
    recent.clear();
    QString const first = writeScratchFile(QStringLiteral("recent/first.apptest"), "1 1 0\n");
    QString const second = writeScratchFile(QStringLiteral("recent/second.apptest"), "2 2 0\n");
    // One wizard opens the first file and inserts the second into the same document.
    app::BatchImport::Result const result = app::BatchImport(true, true).run({first, second}, "");
    ASSERT_TRUE(result.all_loaded());
    QString const saved = scratchPath(QStringLiteral("recent/saved.qro"));
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

// A fresh current document holding a point set, modified.
housekeeping::Document& filledDocument() {
    resetDocuments();
    auto points = boost::make_shared<model::PointSet>();
    points->setName(QStringLiteral("tops"));
    points->addPoint(model::Point3<double>(1, 2, 3));
    currentDocument().add_object(points);
    currentDocument().set_modified(true);
    return currentDocument();
}

TEST(AppSaveTest, SavedDocumentsReadBackAndComeFromTheirFile) {
    app::MainWindow& window = *startedApp().window;
    housekeeping::Document& document = filledDocument();
    QString const path = scratchPath(QStringLiteral("save/field.qro"));
    ASSERT_TRUE(window.save_document(document.id(), path));
    EXPECT_FALSE(document.is_modified() || window.isWindowModified());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("field.qro[*] - Quarro"));
    EXPECT_EQ(document.datasource()->key(), "QRO");
    EXPECT_EQ(utilities::url_to_filesystem(document.datasource()->url()), path);
    EXPECT_TRUE(window.revert_action()->isEnabled());

    // Read back through the application's own open flow, into a document of its own.
    app::BatchImport::Result const reopened = app::BatchImport(true, false).run({path}, "");
    ASSERT_TRUE(reopened.all_loaded());
    EXPECT_NE(reopened.documents.front(), document.id());
    EXPECT_EQ(objectNames(currentDocument()), objectNames(document));

    // Save As through the File menu; a name without suffix gets ".qro".
    DocumentManager::instance().current_document(document.id());
    ModalDialogHelper helper;
    helper.chooseFiles({scratchPath(QStringLiteral("save/copy"))});
    window.save_as_action()->trigger();
    EXPECT_TRUE(helper.allAnswered());
    QString const copy = scratchPath(QStringLiteral("save/copy.qro"));
    EXPECT_EQ(utilities::url_to_filesystem(document.datasource()->url()), copy);

    // Save of a document that has its file asks nothing and writes the change.
    document.objects().front()->setName(QStringLiteral("renamed after saving"));
    document.set_modified(true);
    EXPECT_TRUE(window.isWindowModified());
    window.save_action()->trigger();
    EXPECT_EQ(helper.answered(), 1);
    EXPECT_TRUE(helper.unexpected().isEmpty());
    EXPECT_FALSE(document.is_modified());
    EXPECT_TRUE(readFile(copy).contains("renamed after saving"));

    // A .qroz name is stored compressed.
    QString const compressed = scratchPath(QStringLiteral("save/field.qroz"));
    ASSERT_TRUE(window.save_document(document.id(), compressed));
    EXPECT_TRUE(readFile(compressed).startsWith("QROZ"));
}

// File > Close asks about the current document, File > Quit once about every changed one.
TEST(AppCloseTest, UnsavedChangesAreAskedAboutAndTheAnswerDecides) {
    app::MainWindow& window = *startedApp().window;
    QString const blocked = scratchPath(QStringLiteral("quit/blocked.qro/x"));
    struct Row {
        bool quit; // Quit with three changed documents that have files, or Close of one
        bool modified;
        QMessageBox::StandardButton answer; // NoButton: no question is expected
        bool save_fails; // Close: the Save dialog is cancelled; Quit: the first file is a folder
        bool ends;       // the document is closed, or the window
        int saved;       // how many files were written
    };
    Row const rows[] = {{false, true, QMessageBox::Cancel, false, false, 0},
                        {false, true, QMessageBox::Discard, false, true, 0},
                        {false, true, QMessageBox::Save, false, true, 1},
                        {false, true, QMessageBox::Save, true, false, 0},
                        {false, false, QMessageBox::NoButton, false, true, 0},
                        {true, true, QMessageBox::Cancel, false, false, 0},
                        {true, true, QMessageBox::SaveAll, true, false, 0},
                        {true, true, QMessageBox::Discard, false, true, 0},
                        {true, true, QMessageBox::SaveAll, false, true, 3}};
    int n = 0;
    for (Row const& row : rows) {
        SCOPED_TRACE(++n);
        window.show();
        ASSERT_TRUE(ModalDialogHelper::waitFor([&window] { return window.isVisible(); }));
        filledDocument().set_modified(row.modified);
        std::vector<housekeeping::DocumentId> ids = {currentDocument().id()};
        QStringList files = {scratchPath(QStringLiteral("close/%1-0.qro").arg(n))};
        if (row.quit) {
            files[0] = row.save_fails ? QFileInfo(blocked).path() : files[0];
            for (int i = 1; i < 3; ++i) {
                ids.push_back(DocumentManager::instance().create_document());
                files << scratchPath(QStringLiteral("close/%1-%2.qro").arg(n).arg(i));
            }
            for (std::size_t i = 0; i < ids.size(); ++i) {
                housekeeping::AbstractDocument* const document =
                    DocumentManager::instance().document_from_id(ids[i]);
                document->datasource(boost::make_shared<housekeeping::DataSource>(
                    utilities::filesystem_to_url(files[int(i)]),
                    housekeeping::AbstractDataInformationFactory::create("QRO")));
                document->set_modified(true);
            }
        }
        ModalDialogHelper helper;
        if (row.answer != QMessageBox::NoButton) {
            helper.pressMessageBoxButton(row.answer);
        }
        if (row.answer == QMessageBox::Save) {
            helper.chooseFiles(row.save_fails ? QStringList{} : QStringList{files[0]});
        } else if (row.save_fails) {
            helper.pressMessageBoxButton(QMessageBox::Ok);
        }
        (row.quit ? window.file_menu()->actions().last() : window.close_action())->trigger();

        EXPECT_TRUE(helper.allAnswered());
        EXPECT_TRUE(helper.unexpected().isEmpty()) << helper.unexpected().join(", ").toStdString();
        QStringList const boxes = helper.messageBoxes();
        ASSERT_EQ(boxes.size(), int(row.modified) + int(row.quit && row.save_fails));
        int saved = 0;
        for (QString const& file : files) {
            // Quit lists every changed document in its one question.
            EXPECT_TRUE(!row.quit || boxes[0].contains(QFileInfo(file).fileName()));
            saved += QFileInfo(file).isFile() ? 1 : 0;
        }
        EXPECT_EQ(saved, row.saved);
        if (row.quit) {
            EXPECT_TRUE(
                boxes[0].startsWith(QStringLiteral("Quit|3 documents have unsaved changes")))
                << boxes[0].toStdString();
            // Save All stopped at the first failure and said why.
            EXPECT_TRUE(!row.save_fails || boxes[1].contains(QStringLiteral("could not be saved")));
            EXPECT_EQ(window.isVisible(), !row.ends);
        } else {
            EXPECT_TRUE(!row.modified || boxes[0].contains(QStringLiteral("unsaved changes")));
            EXPECT_EQ(DocumentManager::instance().document_exists(ids[0]), !row.ends);
        }
    }
    window.show();
    ModalDialogHelper::waitFor([&window] { return window.isVisible(); });
    // Without documents there is nothing to name, save or close.
    DocumentManager::instance().destroy_all();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quarro"));
    EXPECT_FALSE(window.isWindowModified() || window.save_action()->isEnabled() ||
                 window.close_action()->isEnabled());
    resetDocuments();
}

} // namespace
} // namespace test
} // namespace quarro
