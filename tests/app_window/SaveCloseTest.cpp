// Save, Save As and their failures, and the questions before unsaved changes are lost (Close,
// Quit).
#include "AppTestFiles.h"
#include "BatchImport.h"
#include "MainWindow.h"
#include "ModalDialogHelper.h"
#include "StartedApp.h"
#include "TestApplication.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"
#include "model/Well.h"
#include "utilities/UrlUtilities.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentManager;

// A fresh current document with three objects of different kinds, modified.
housekeeping::Document& filledDocument() {
    resetDocuments();
    housekeeping::Document& document = currentDocument();
    auto well = boost::make_shared<model::Well>();
    well->setName(QStringLiteral("W-1"));
    auto points = boost::make_shared<model::PointSet>();
    points->setName(QStringLiteral("tops"));
    points->addPoint(model::Point3<double>(1, 2, 3));
    auto lines = boost::make_shared<model::PolylineSet>();
    lines->setName(QStringLiteral("faults"));
    lines->addPolyline(model::Polyline{{{0, 0, 0}, {5, 5, 0}}, false, QStringLiteral("F1")});
    document.add_object(well);
    document.add_object(points);
    document.add_object(lines);
    document.set_modified(true);
    return document;
}

QStringList describe(housekeeping::Document const& document) {
    QStringList objects;
    for (housekeeping::Document::ObjectPtr const& object : document.objects()) {
        objects << QStringLiteral("%1 %2 %3")
                       .arg(object->kindName(), object->name())
                       .arg(object->sizeHint());
    }
    return objects;
}

QString scratch(QString const& name) {
    QString const path = QDir(scratchDirectory()).filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

TEST(AppSaveTest, SavedDocumentsReadBackAndComeFromTheirFile) {
    app::MainWindow& window = *startedApp().window;
    housekeeping::Document& document = filledDocument();
    QString const path = scratch(QStringLiteral("save/field.qro"));
    ASSERT_TRUE(window.save_document(document.id(), path));
    EXPECT_FALSE(document.is_modified() || window.isWindowModified());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("field.qro[*] - Quarro"));
    EXPECT_EQ(document.datasource()->key(), "QRO");
    EXPECT_EQ(utilities::url_to_filesystem(document.datasource()->url()), path);
    // A native document can be reverted now.
    EXPECT_TRUE(window.revert_action()->isEnabled());

    // Read back through the application's own open flow, into a document of its own.
    app::BatchImport::Result const reopened = app::BatchImport(true, false).run({path}, "");
    ASSERT_TRUE(reopened.all_loaded());
    EXPECT_NE(reopened.documents.front(), document.id());
    EXPECT_EQ(describe(currentDocument()), describe(document));

    // Save As through the File menu; a name without suffix gets ".qro".
    DocumentManager::instance().current_document(document.id());
    ModalDialogHelper helper;
    helper.chooseFiles({scratch(QStringLiteral("save/copy"))});
    window.save_as_action()->trigger();
    EXPECT_TRUE(helper.allAnswered());
    QString const copy = scratch(QStringLiteral("save/copy.qro"));
    EXPECT_EQ(utilities::url_to_filesystem(document.datasource()->url()), copy);

    // Save of a document that has its file asks nothing and writes the change.
    auto late = boost::make_shared<model::PointSet>();
    late->setName(QStringLiteral("added after saving"));
    document.add_object(late);
    document.set_modified(true);
    window.save_action()->trigger();
    EXPECT_EQ(helper.answered(), 1);
    EXPECT_TRUE(helper.unexpected().isEmpty());
    EXPECT_FALSE(document.is_modified());
    EXPECT_TRUE(readFile(copy).contains("added after saving"));

    // A .qroz name is stored compressed.
    QString const compressed = scratch(QStringLiteral("save/field.qroz"));
    ASSERT_TRUE(window.save_document(document.id(), compressed));
    EXPECT_TRUE(readFile(compressed).startsWith("QROZ"));
}

TEST(AppSaveTest, AFailedSaveSaysWhyAndLeavesTheOldFileAndTheDocumentAlone) {
    app::MainWindow& window = *startedApp().window;
    housekeeping::Document& document = filledDocument();
    boost::shared_ptr<housekeeping::DataSource> const source_before = document.datasource();
    // A name of 250 characters: the file exists, but the temporary file beside it, whose name is
    // longer, cannot be made, whoever runs the test.
    QString const old_file = writeScratchFile(
        QStringLiteral("failed/") + QString(246, QLatin1Char('x')) + ".qro", "the old document\n");
    // A folder where the file should be, and a file where a folder should be.
    QString const folder = scratch(QStringLiteral("failed/folder.qro/"));
    QDir().mkpath(folder);
    QString const below_file = writeScratchFile(QStringLiteral("failed/plain"), "x") + "/a.qro";

    for (QString const& target : {old_file, QDir::cleanPath(folder), below_file}) {
        ModalDialogHelper helper;
        helper.pressMessageBoxButton(QMessageBox::Ok);
        EXPECT_FALSE(window.save_document(document.id(), target)) << target.toStdString();
        ASSERT_EQ(helper.messageBoxes().size(), 1);
        EXPECT_TRUE(helper.messageBoxes().first().contains(QStringLiteral("could not be saved")))
            << helper.messageBoxes().first().toStdString();
        EXPECT_TRUE(document.is_modified());
        EXPECT_EQ(document.datasource(), source_before);
    }
    EXPECT_EQ(readFile(old_file), QByteArray("the old document\n"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(AppCloseTest, ClosingAModifiedDocumentAsksFirst) {
    app::MainWindow& window = *startedApp().window;
    struct Row {
        bool modified;
        QMessageBox::StandardButton answer; // NoButton: no question is expected
        bool choose_file;                   // the Save dialog gets a file (or is cancelled)
        bool closes;
    };
    Row const rows[] = {{true, QMessageBox::Cancel, false, false},
                        {true, QMessageBox::Discard, false, true},
                        {true, QMessageBox::Save, true, true},
                        {true, QMessageBox::Save, false, false},
                        {false, QMessageBox::NoButton, false, true}};
    int n = 0;
    for (Row const& row : rows) {
        SCOPED_TRACE(++n);
        housekeeping::Document& document = filledDocument();
        document.set_modified(row.modified);
        housekeeping::DocumentId const id = document.id();
        QString const path = scratch(QStringLiteral("close/kept%1.qro").arg(n));
        ModalDialogHelper helper;
        if (row.answer != QMessageBox::NoButton) {
            helper.pressMessageBoxButton(row.answer);
        }
        if (row.answer == QMessageBox::Save) {
            helper.chooseFiles(row.choose_file ? QStringList{path} : QStringList{});
        }
        window.close_action()->trigger();
        EXPECT_TRUE(helper.allAnswered());
        EXPECT_TRUE(helper.unexpected().isEmpty());
        EXPECT_EQ(helper.messageBoxes().size(), row.modified ? 1 : 0);
        if (row.modified) {
            EXPECT_TRUE(helper.messageBoxes().first().contains(QStringLiteral("unsaved changes")));
        }
        EXPECT_EQ(DocumentManager::instance().document_exists(id), !row.closes);
        EXPECT_EQ(readFile(path).contains("faults"), row.choose_file);
    }
}

TEST(AppCloseTest, QuittingWithSeveralChangedDocumentsAsksOnceListingThem) {
    app::MainWindow& window = *startedApp().window;
    QAction* const quit = window.file_menu()->actions().last();
    // Each document gets its own native file; the first one's cannot be written (a folder).
    QString const blocked = scratch(QStringLiteral("quit/blocked.qro"));
    QDir().mkpath(blocked);
    struct Row {
        QMessageBox::StandardButton answer;
        bool first_save_fails;
        bool quits;
        int saved; // how many of the three files were written
    };
    Row const rows[] = {{QMessageBox::Cancel, false, false, 0},
                        {QMessageBox::SaveAll, true, false, 0},
                        {QMessageBox::Discard, false, true, 0},
                        {QMessageBox::SaveAll, false, true, 3}};
    int n = 0;
    for (Row const& row : rows) {
        SCOPED_TRACE(++n);
        window.show();
        ASSERT_TRUE(ModalDialogHelper::waitFor([&window] { return window.isVisible(); }));
        housekeeping::Document& first = filledDocument();
        std::vector<housekeeping::DocumentId> const changed = {
            first.id(), DocumentManager::instance().create_document(),
            DocumentManager::instance().create_document()};
        QStringList files;
        for (housekeeping::DocumentId const& id : changed) {
            files << (id == first.id() && row.first_save_fails
                          ? blocked
                          : scratch(QStringLiteral("quit/%1-%2.qro").arg(n).arg(id.value())));
            housekeeping::AbstractDocument* const document =
                DocumentManager::instance().document_from_id(id);
            document->datasource(boost::make_shared<housekeeping::DataSource>(
                utilities::filesystem_to_url(files.last()),
                housekeeping::AbstractDataInformationFactory::create("QRO")));
            document->set_modified(true);
        }
        ModalDialogHelper helper;
        helper.pressMessageBoxButton(row.answer);
        if (row.first_save_fails) {
            helper.pressMessageBoxButton(QMessageBox::Ok);
        }
        quit->trigger();

        EXPECT_TRUE(helper.allAnswered());
        EXPECT_TRUE(helper.unexpected().isEmpty()) << helper.unexpected().join(", ").toStdString();
        ASSERT_EQ(helper.messageBoxes().size(), row.first_save_fails ? 2 : 1);
        QString const question = helper.messageBoxes().first();
        EXPECT_TRUE(question.startsWith(QStringLiteral("Quit|3 documents have unsaved changes")))
            << question.toStdString();
        int saved = 0;
        for (QString const& file : files) {
            EXPECT_TRUE(question.contains(QFileInfo(file).fileName())) << question.toStdString();
            saved += QFileInfo(file).isFile() ? 1 : 0;
        }
        if (row.first_save_fails) {
            // Save All stopped at the first failure and said why.
            EXPECT_TRUE(helper.messageBoxes()[1].contains(QStringLiteral("could not be saved")));
        }
        EXPECT_EQ(saved, row.saved);
        EXPECT_EQ(window.isVisible(), !row.quits);
        for (housekeeping::DocumentId const& id : changed) {
            EXPECT_TRUE(DocumentManager::instance().document_exists(id));
        }
    }
    window.show();
    ModalDialogHelper::waitFor([&window] { return window.isVisible(); });
    resetDocuments();
}

} // namespace
} // namespace test
} // namespace quarro
