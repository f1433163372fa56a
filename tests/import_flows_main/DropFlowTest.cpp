// Files dropped on the main window: files already open are found (and offered for revert), the
// others open together with the native importer, and what the native importer refuses is reported.
#include "FlowHost.h"
#include "FlowReaders.h"
#include "ImportManager.h"

#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/PointSet.h"
#include "utilities/UrlUtilities.h"

#include <QAction>
#include <QDir>
#include <QMessageBox>
#include <QUndoCommand>
#include <boost/make_shared.hpp>

#include <vector>

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;

// The user's own edit of a document: a point added through its undo stack.
class AddPointCommand : public QUndoCommand {
public:
    explicit AddPointCommand(housekeeping::Document& document)
        : QUndoCommand(QStringLiteral("Add point"))
        , m_document(document)
        , m_point(boost::make_shared<model::PointSet>()) {
        m_point->setName(QStringLiteral("user's point"));
    }
    void redo() override { m_document.add_object(m_point); }
    void undo() override { m_document.remove_object(m_point); }

private:
    housekeeping::Document& m_document;
    boost::shared_ptr<model::PointSet> m_point;
};

class DropFlow : public FlowTest {
protected:
    // Opens `file` through File > Open with the native filter; returns its document.
    DocumentId open_native(QString const& file) {
        dialogs.chooseFiles({file}, QString::fromLatin1(NativeSpec::filter));
        expect_wizard();
        file_action(QStringLiteral("Open"))->trigger();
        return documents().current_document_id();
    }

    // Every document that became current, in order.
    std::vector<DocumentId> current_changes;
    QMetaObject::Connection watch_current() {
        return QObject::connect(&documents(),
                                &housekeeping::DocumentManager::currentDocumentChanged,
                                [this](DocumentId id) { current_changes.push_back(id); });
    }
};

TEST_F(DropFlow, OfThreeDroppedFilesTheOpenOneIsShownAndTheOthersOpenTogether) {
    QString const first = flow_file(QStringLiteral("drop1.qro"), "1 0 0\n");
    QString const second = flow_file(QStringLiteral("drop2.qro"), "2 0 0\n");
    QString const third = flow_file(QStringLiteral("drop3.txt"), "3 0 0\n");
    DocumentId const opened = open_native(second);
    ASSERT_TRUE(document(opened)->datasource());
    EXPECT_EQ(document(opened)->datasource()->url(), utilities::filesystem_to_url(second));
    DocumentId const other = documents().create_document();
    QMetaObject::Connection const watch = watch_current();
    expect_wizard();

    drop_files({first, second, third});

    QObject::disconnect(watch);
    ASSERT_EQ(wizards.size(), 2u);
    EXPECT_EQ(wizards[1].key, "QRO");
    EXPECT_EQ(wizards[1].urls, QStringList({first, third}));
    EXPECT_FALSE(wizards[1].inserting);
    // The open document came to the front before the others were read into a new one.
    ASSERT_GE(current_changes.size(), 2u);
    EXPECT_EQ(current_changes.front(), opened);
    DocumentId const fresh = documents().current_document_id();
    EXPECT_NE(fresh, opened);
    EXPECT_NE(fresh, other);
    EXPECT_EQ(object_names(fresh), QStringList({"drop1.qro:1", "drop3.txt:1"}));
    EXPECT_EQ(object_names(opened), QStringList({"drop2.qro:1"}));
    EXPECT_EQ(documents().num_documents(), 3u);

    // Dropped again once all are open, no wizard runs. The new document has a history (the
    // second file was inserted into it), so the user is asked about reverting it.
    documents().current_document(other);
    dialogs.pressMessageBoxButton(QMessageBox::No);
    drop_files({second, first});
    EXPECT_EQ(dialogs.messageBoxes(),
              QStringList({"Information|File is already open\n\nRevert and lose changes?"}));
    EXPECT_EQ(wizards.size(), 2u);
    EXPECT_EQ(documents().current_document_id(), fresh);
    EXPECT_EQ(documents().num_documents(), 3u);
}

TEST_F(DropFlow, AChangedOpenFileIsRevertedOnlyWhenTheUserSaysYes) {
    QString const file = flow_file(QStringLiteral("edited.qro"), "1 2 3\n");
    DocumentId const edited = open_native(file);
    document(edited)->undo_stack()->push(new AddPointCommand(*document(edited)));
    documents().create_document();
    QString const question =
        QStringLiteral("Information|File is already open\n\nRevert and lose changes?");

    // No: the document keeps the user's point and the file is not read again.
    dialogs.pressMessageBoxButton(QMessageBox::No);
    drop_files({file});

    EXPECT_EQ(dialogs.messageBoxes(), QStringList({question}));
    EXPECT_EQ(wizards.size(), 1u);
    EXPECT_EQ(documents().current_document_id(), edited);
    EXPECT_EQ(object_names(edited), QStringList({"edited.qro:1", "user's point"}));

    // Yes: the document goes without a further question and the file is read into a new one.
    dialogs.pressMessageBoxButton(QMessageBox::Yes);
    expect_wizard();
    drop_files({file});

    EXPECT_EQ(dialogs.messageBoxes(), QStringList({question, question}));
    EXPECT_FALSE(documents().document_exists(edited));
    ASSERT_EQ(wizards.size(), 2u);
    EXPECT_EQ(wizards[1].key, "QRO");
    EXPECT_EQ(wizards[1].urls, QStringList({file}));
    EXPECT_EQ(object_names(documents().current_document_id()), QStringList({"edited.qro:1"}));
}

TEST_F(DropFlow, WhatTheNativeImporterRefusesIsReportedAndNothingOpens) {
    QString const folder = flow_path(QStringLiteral("a folder.qro"));
    QDir().mkpath(folder);
    QString const missing = flow_path(QStringLiteral("missing.qro"));
    QString const good = flow_file(QStringLiteral("good.qro"), "1 1 1\n");
    QString const empty = flow_file(QStringLiteral("empty.qro"), "");
    for (int i = 0; i < 3; ++i) {
        dialogs.pressMessageBoxButton(QMessageBox::Ok);
    }

    drop_files({folder});
    drop_files({missing});
    // All or nothing: the good file waits for its companion.
    drop_files({good, empty});

    QString const unable = QStringLiteral("Unable to import file(s) using the selected importer.");
    EXPECT_EQ(dialogs.messageBoxes(),
              QStringList({warning(unable), warning(unable), warning(unable + "\n\n no data")}));
    EXPECT_TRUE(wizards.empty());
    EXPECT_TRUE(flowReads().empty());
    EXPECT_EQ(documents().num_documents(), 0u);
}

} // namespace
} // namespace test
} // namespace quarro
