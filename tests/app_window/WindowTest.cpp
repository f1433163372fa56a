// The window at work: its title and modified mark, files dropped on it, Undo and Redo of an
// insert, the recent-documents list, the document panel and the map following the documents.
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
#include "model/PointSet.h"
#include "model/Well.h"
#include "utilities/UrlUtilities.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <vector>

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentManager;

housekeeping::Document* currentDocument() {
    return dynamic_cast<housekeeping::Document*>(DocumentManager::instance().current_document());
}

QStringList objectNames(housekeeping::Document const& document) {
    QStringList names;
    for (housekeeping::Document::ObjectPtr const& object : document.objects()) {
        names << object->name();
    }
    return names;
}

boost::shared_ptr<housekeeping::DataSource> appTestSource(QString const& path) {
    return boost::shared_ptr<housekeeping::DataSource>(new housekeeping::DataSource(
        utilities::filesystem_to_url(path),
        housekeeping::AbstractDataInformationFactory::create("APPTEST")));
}

TEST(AppWindowTest, TitleNamesTheCurrentDocumentAndShowsItsModifiedMark) {
    app::MainWindow& window = *startedApp().window;
    resetDocuments();
    housekeeping::Document* const document = currentDocument();
    ASSERT_NE(document, nullptr);
    QString const title = QStringLiteral("%1[*] - Quarro").arg(document->display_name());
    EXPECT_EQ(window.windowTitle(), title);
    EXPECT_FALSE(window.isWindowModified());

    document->set_modified(true);
    EXPECT_TRUE(window.isWindowModified());
    document->set_modified(false);
    EXPECT_FALSE(window.isWindowModified());

    // Another document becomes current: the title follows, and so does the mark.
    housekeeping::DocumentId const second = DocumentManager::instance().create_document();
    DocumentManager::instance().document_from_id(second)->set_modified(true);
    EXPECT_NE(window.windowTitle(), title);
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_TRUE(window.save_action()->isEnabled());

    DocumentManager::instance().destroy_all();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quarro"));
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_FALSE(window.save_action()->isEnabled());
    EXPECT_FALSE(window.close_action()->isEnabled());
}

TEST(AppWindowTest, DropIsAcceptedAtOnceAndOpenedFromTheEventLoop) {
    app::MainWindow& window = *startedApp().window;
    resetDocuments();
    // A native document to drop: drops open with the native importer.
    housekeeping::Document* const source = currentDocument();
    auto well = boost::make_shared<model::Well>();
    well->setName(QStringLiteral("Dropped well"));
    source->add_object(well);
    QString const path = writeScratchFile(QStringLiteral("drop/dropped.qro"), QByteArray());
    ASSERT_TRUE(window.save_document(source->id(), path));
    resetDocuments();

    std::vector<utilities::UrlList> dropped;
    QMetaObject::Connection const recording =
        QObject::connect(&window, &app::MainWindow::dropped,
                         [&dropped](utilities::UrlList const& urls) { dropped.push_back(urls); });
    app::WizardWatcher watcher(true);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    // As a drag arrives: it enters the window, then drops.
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    // The source of the drag is free again before anything is opened.
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_TRUE(dropped.empty());
    EXPECT_TRUE(watcher.take_runs().empty());

    ASSERT_TRUE(ModalDialogHelper::waitFor([&dropped] { return dropped.size() == 1; }));
    EXPECT_EQ(dropped.front(), utilities::UrlList{utilities::filesystem_to_url(path)});
    // The manager ran the wizard over the file: the document holds the saved well.
    ASSERT_TRUE(ModalDialogHelper::waitFor(
        [] { return currentDocument() != nullptr && currentDocument()->object_count() == 1; }));
    EXPECT_EQ(objectNames(*currentDocument()), QStringList{"Dropped well"});
    EXPECT_EQ(watcher.take_runs().size(), 1u);

    // Something that is not a local file is not taken.
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.com/a.qro"))});
    QDragEnterEvent refused_enter(QPoint(20, 20), Qt::CopyAction, &web, Qt::LeftButton,
                                  Qt::NoModifier);
    QApplication::sendEvent(&window, &refused_enter);
    EXPECT_FALSE(refused_enter.isAccepted());
    QDropEvent refused(QPointF(20, 20), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    refused.ignore();
    QApplication::sendEvent(&window, &refused);
    QCoreApplication::processEvents();
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_EQ(dropped.size(), 1u);
    QObject::disconnect(recording);
}

TEST(AppWindowTest, EditMenuUndoesAndRedoesAnInsert) {
    app::MainWindow& window = *startedApp().window;
    resetDocuments();
    housekeeping::Document* const document = currentDocument();
    auto kept = boost::make_shared<model::PointSet>();
    kept->setName(QStringLiteral("kept"));
    document->add_object(kept);
    QString const file =
        writeAppTestFile(QStringLiteral("insert.apptest"), {"well I-1 5 6", "point 1 2"});

    QString summary;
    EXPECT_EQ(import::ImportManager::instance().insert(appTestSource(file), document->id(), true,
                                                       nullptr, &summary),
              import::AbstractFileReader::IMPORT_OK);
    EXPECT_EQ(objectNames(*document), (QStringList{"kept", "I-1", "insert"}));
    EXPECT_TRUE(summary.contains(QStringLiteral("insert.apptest")));
    EXPECT_TRUE(window.isWindowModified());
    housekeeping::Document::ObjectPtr const inserted_well = document->objects()[1];

    QAction* const undo = window.edit_menu()->actions().at(0);
    QAction* const redo = window.edit_menu()->actions().at(1);
    ASSERT_TRUE(undo->isEnabled());
    EXPECT_TRUE(undo->text().contains(QStringLiteral("insert.apptest")))
        << undo->text().toStdString();
    // The panel lists the objects the document holds at once, without waiting for the event loop.
    QTreeWidget* const tree = window.document_panel()->tree();
    auto const listed = [tree] {
        return tree->topLevelItemCount() == 1 ? tree->topLevelItem(0)->childCount() : -1;
    };
    EXPECT_EQ(listed(), 3);
    undo->trigger();
    EXPECT_EQ(objectNames(*document), QStringList{"kept"});
    EXPECT_EQ(listed(), 1);
    EXPECT_FALSE(window.isWindowModified());
    ASSERT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(objectNames(*document), (QStringList{"kept", "I-1", "insert"}));
    EXPECT_EQ(listed(), 3);
    // Redo brings back the very objects, not a second reading.
    EXPECT_EQ(document->objects()[1], inserted_well);

    // A file that fails to read leaves the document as it was and says why.
    QString const bad =
        writeAppTestFile(QStringLiteral("bad.apptest"), {"well B-1 1 1", "fail the disk said no"});
    EXPECT_EQ(import::ImportManager::instance().insert(appTestSource(bad), document->id(), true,
                                                       nullptr, &summary),
              import::AbstractFileReader::IMPORT_FAILED);
    EXPECT_EQ(objectNames(*document), (QStringList{"kept", "I-1", "insert"}));
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
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(recent.at(0)->url(), utilities::filesystem_to_url(first));
    EXPECT_EQ(recent.at(0)->key(), "APPTEST");
    // Complete: Recent Files reopens it with its own reader rather than the native one.
    EXPECT_TRUE(recent.at(0)->data_information()->is_complete());

    QString const saved = writeScratchFile(QStringLiteral("recent/saved.qro"), QByteArray());
    ASSERT_TRUE(window.save_document(result.documents.front(), saved));
    ASSERT_EQ(recent.size(), 2u);
    EXPECT_EQ(recent.at(1)->url(), utilities::filesystem_to_url(saved));
    EXPECT_EQ(recent.at(1)->key(), "QRO");

    // The File menu's submenu shows the most recent first.
    QMenu* const submenu = window.file_menu()->actions().at(8)->menu();
    ASSERT_NE(submenu, nullptr);
    emit submenu->aboutToShow();
    EXPECT_TRUE(submenu->actions().at(0)->text().endsWith(QStringLiteral("saved.qro")));
    EXPECT_TRUE(submenu->actions().at(1)->text().endsWith(QStringLiteral("first.apptest")));
}

TEST(AppWindowTest, PanelAndMapFollowTheDocuments) {
    app::MainWindow& window = *startedApp().window;
    resetDocuments();
    QString const file = writeAppTestFile(QStringLiteral("panel/field.apptest"),
                                          {"well P-1 100 200", "well P-2 300 400", "point 150 250",
                                           "point 160 260", "point 170 270"});
    // Far out, so that only framing after the load brings the objects into view.
    window.map_view()->zoom_by(0.01 / window.map_view()->pixels_per_unit());
    app::BatchImport::Result const result = app::BatchImport(true, false).run({file}, "");
    ASSERT_TRUE(result.all_loaded());
    housekeeping::Document* const loaded = currentDocument();
    ASSERT_NE(loaded, nullptr);
    ModalDialogHelper::waitFor([&window] { return window.map_view()->drawn_objects() == 3; });

    // The map drew the two wells and the point set, and framed them.
    EXPECT_EQ(window.map_view()->drawn_objects(), 3);
    QRectF const visible =
        window.map_view()->mapToScene(window.map_view()->viewport()->rect()).boundingRect();
    EXPECT_TRUE(visible.contains(QPointF(100, 200)));
    EXPECT_TRUE(visible.contains(QPointF(300, 400)));
    // Framed after the load: 200 map units across fill most of the view.
    EXPECT_GT(window.map_view()->pixels_per_unit(), 1.5);

    // The panel lists the document and its objects with kind and size as soon as the wizard is
    // gone.
    QTreeWidget* const tree = window.document_panel()->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* const item = tree->topLevelItem(0);
    EXPECT_TRUE(item->text(0).startsWith(QStringLiteral("field.apptest")));
    ASSERT_EQ(item->childCount(), 3);
    EXPECT_EQ(item->child(0)->text(0), QStringLiteral("P-1"));
    EXPECT_EQ(item->child(0)->text(1), QStringLiteral("Well"));
    EXPECT_EQ(item->child(2)->text(0), QStringLiteral("field"));
    EXPECT_EQ(item->child(2)->text(2), QStringLiteral("3 points"));

    // An object added to the current document is drawn.
    auto extra = boost::make_shared<model::Well>();
    extra->setName(QStringLiteral("P-3"));
    model::DepthReference reference;
    reference.x = 500;
    reference.y = 500;
    extra->setDepthReference(reference);
    loaded->add_object(extra);
    EXPECT_EQ(window.map_view()->drawn_objects(), 4);

    // Another document becomes current: the map shows it; a click in the panel brings the first
    // one back.
    DocumentManager::instance().create_document();
    EXPECT_EQ(window.map_view()->drawn_objects(), 0);
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    emit tree->itemClicked(tree->topLevelItem(0), 0);
    EXPECT_EQ(DocumentManager::instance().current_document_id(), loaded->id());
    EXPECT_EQ(window.map_view()->drawn_objects(), 4);
}

} // namespace
} // namespace test
} // namespace quarro
