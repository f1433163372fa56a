// File > Revert, and the enabled state of Open, Insert, Revert and Recent Files as documents come
// and go.
#include "FlowHost.h"
#include "FlowReaders.h"
#include "ImportManager.h"

#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/DocumentMessage.h"
#include "model/PointSet.h"
#include "utilities/UrlUtilities.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QUndoCommand>
#include <QUndoStack>
#include <boost/make_shared.hpp>

#include <iterator>
#include <string>

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;
using housekeeping::DocumentMessage;

boost::shared_ptr<housekeeping::DataSource> source(QString const& path, std::string const& key) {
    return boost::make_shared<housekeeping::DataSource>(
        utilities::filesystem_to_url(path),
        housekeeping::AbstractDataInformationFactory::create(key));
}

class RevertFlow : public FlowTest {
protected:
    static QAction* revert() { return file_action(QStringLiteral("Revert")); }
};

TEST_F(RevertFlow, RevertReadsTheNativeFileAgainOnceTheUserLetsTheChangesGo) {
    QString const file = flow_file(QStringLiteral("revert.qro"), "1 1 1\n");
    dialogs.chooseFiles({file}, QString::fromLatin1(NativeSpec::filter));
    expect_wizard();
    file_action(QStringLiteral("Open"))->trigger();
    DocumentId const opened = documents().current_document_id();
    // The user adds a point of their own, then comes back to the document.
    auto point = boost::make_shared<model::PointSet>();
    point->setName(QStringLiteral("user's point"));
    document(opened)->add_object(point);
    document(opened)->set_modified(true);
    documents().create_document();
    documents().current_document(opened);
    ASSERT_NE(revert(), nullptr);
    ASSERT_TRUE(revert()->isEnabled());

    // Asked whether to discard the changes, the user keeps them: nothing is read.
    dialogs.pressMessageBoxButton(QMessageBox::No);
    revert()->trigger();
    ASSERT_EQ(dialogs.messageBoxes().size(), 1);
    EXPECT_TRUE(dialogs.messageBoxes()[0].startsWith(QStringLiteral("Close Document|")));
    EXPECT_EQ(object_names(opened), QStringList({"revert.qro:1", "user's point"}));
    EXPECT_EQ(wizards.size(), 1u);

    // Discarded: the file is read again with the native importer.
    dialogs.pressMessageBoxButton(QMessageBox::Yes);
    expect_wizard();
    revert()->trigger();
    EXPECT_FALSE(documents().document_exists(opened));
    ASSERT_EQ(wizards.size(), 2u);
    EXPECT_EQ(wizards[1].key, "QRO");
    EXPECT_EQ(wizards[1].urls, QStringList({file}));
    EXPECT_EQ(object_names(documents().current_document_id()), QStringList({"revert.qro:1"}));
}

TEST_F(RevertFlow, RevertLeavesDocumentsWithoutAFileAndLockedOnesAlone) {
    // No document at all.
    revert()->trigger();

    DocumentId const id = documents().create_document();
    revert()->trigger();
    EXPECT_TRUE(documents().document_exists(id));

    QString const file = flow_file(QStringLiteral("revert-locked.qro"), "1 1 1\n");
    document(id)->datasource(source(file, "QRO"));
    document(id)->set_locked(true);
    revert()->trigger();
    EXPECT_TRUE(documents().document_exists(id));
    EXPECT_TRUE(readerJournal().calls.empty());
}

// An imported document comes back from its file with the importer that read it, and only once it
// is certain that the file can still be read: otherwise the document stays as the user left it.
class RevertImported : public RevertFlow {
protected:
    // Opens `file` through File > Open under `filter` and gives the document a change of the
    // user's own; returns it.
    DocumentId open_and_edit(QString const& file, char const* filter) {
        dialogs.chooseFiles({file}, QString::fromLatin1(filter));
        expect_wizard();
        file_action(QStringLiteral("Open"))->trigger();
        DocumentId const id = documents().current_document_id();
        if (document(id) != nullptr) {
            document(id)->undo_stack()->push(new QUndoCommand(QStringLiteral("user's edit")));
        }
        return id;
    }
    static QString const& revert_question() {
        static QString const text =
            QStringLiteral("Information|File is already open\n\nRevert and lose changes?");
        return text;
    }
};

TEST_F(RevertImported, ADroppedImportedFileRevertsWithItsOwnImporter) {
    QString const file = flow_file(QStringLiteral("wells.las"), "not native\n1 0 0\n");
    DocumentId const opened = open_and_edit(file, WellsSpec::filter);
    ASSERT_EQ(object_names(opened), QStringList({"wells.las:2"}));
    flow_file(QStringLiteral("wells.las"), "not native\n1 0 0\n2 0 0\n");
    dialogs.pressMessageBoxButton(QMessageBox::Yes);
    expect_wizard();

    drop_files({file});

    EXPECT_EQ(dialogs.messageBoxes(), QStringList({revert_question()}));
    ASSERT_EQ(wizards.size(), 2u);
    EXPECT_EQ(wizards[1].key, "WELLS");
    EXPECT_FALSE(documents().document_exists(opened));
    EXPECT_EQ(object_names(documents().current_document_id()),
              QStringList({"wells.las:2", "wells.las:3"}));
}

TEST_F(RevertImported, ARevertWhoseFileIsGoneOrReplacedKeepsTheDocumentAndSaysWhy) {
    enum class Change { Deleted, Renamed, Folder, Refused };
    struct Row {
        Change change;
        char const* reason;
        bool by_menu; // File > Revert on a native document, else a drop of an imported one
    };
    Row const rows[] = {{Change::Deleted, "The file does not exist.", false},
                        {Change::Renamed, "The file does not exist.", true},
                        {Change::Folder, "This is a folder, not a file.", false},
                        {Change::Refused, "bad header", false},
                        {Change::Refused, "bad header", true}};
    int n = 0;
    for (Row const& row : rows) {
        SCOPED_TRACE(++n);
        QString const file =
            flow_file(QStringLiteral("kept%1.%2").arg(n).arg(row.by_menu ? "qro" : "las"),
                      row.by_menu ? "1 0 0\n" : "not native\n1 0 0\n");
        DocumentId const id =
            open_and_edit(file, row.by_menu ? NativeSpec::filter : WellsSpec::filter);
        QStringList const before = object_names(id);
        switch (row.change) {
        case Change::Deleted:
            QFile::remove(file);
            break;
        case Change::Renamed:
            QFile::rename(file, file + QStringLiteral(".old"));
            break;
        case Change::Folder:
            QFile::remove(file);
            QDir().mkpath(file);
            break;
        case Change::Refused:
            flow_file(QFileInfo(file).fileName(), "bad\n");
            break;
        }
        QStringList expected = dialogs.messageBoxes();
        if (!row.by_menu) {
            dialogs.pressMessageBoxButton(QMessageBox::Yes);
            expected << revert_question();
        }
        dialogs.pressMessageBoxButton(QMessageBox::Ok);
        expected << warning(
            "'" + file + "' cannot be read again; the document stays as it is.\n\n" + row.reason);

        if (row.by_menu) {
            revert()->trigger();
        } else {
            drop_files({file});
        }

        EXPECT_EQ(dialogs.messageBoxes(), expected);
        ASSERT_TRUE(documents().document_exists(id));
        EXPECT_EQ(object_names(id), before);
        EXPECT_EQ(document(id)->undo_stack()->count(), 1);
    }
    EXPECT_EQ(wizards.size(), std::size(rows));
}

class DocumentActions : public FlowTest {
protected:
    // The four states as one text, a "-" before each disabled one.
    static QString states() {
        QStringList words;
        auto add = [&words](bool enabled, char const* name) {
            words << (enabled ? QString() : QStringLiteral("-")) + QLatin1String(name);
        };
        add(file_action(QStringLiteral("Open"))->isEnabled(), "open");
        add(file_action(QStringLiteral("&Insert..."))->isEnabled(), "insert");
        add(file_action(QStringLiteral("Revert"))->isEnabled(), "revert");
        add(recent_menu()->isEnabled(), "recent");
        return words.join(QLatin1Char(' '));
    }
    static void send(DocumentMessage::DocChangeType type) {
        DocumentMessage* const message = DocumentMessage::instance();
        message->doc_change_type(type);
        message->id(documents().current_document_id());
        housekeeping::Message::dispatch(message);
    }
};

TEST_F(DocumentActions, TheActionsFollowEachTypeOfDocumentMessage) {
    QString const native = flow_path(QStringLiteral("native.qro"));
    QString const project = flow_path(QStringLiteral("project.qrod"));
    QString const text = flow_path(QStringLiteral("text.txt"));

    // 6 without documents: nothing can be worked on.
    send(DocumentMessage::Created);
    EXPECT_EQ(states(), QStringLiteral("-open -insert -revert -recent"));

    // 6 with a document read from a file of another format: everything but Revert.
    DocumentId const first = documents().create_document();
    document(first)->datasource(source(text, "TXT"));
    send(DocumentMessage::Created);
    EXPECT_EQ(states(), QStringLiteral("open insert -revert recent"));
    // Native documents, of either native key, can be reverted.
    document(first)->datasource(source(native, "QRO"));
    send(DocumentMessage::Created);
    EXPECT_EQ(states(), QStringLiteral("open insert revert recent"));
    document(first)->datasource(source(project, "QUARRO"));
    send(DocumentMessage::Created);
    EXPECT_EQ(states(), QStringLiteral("open insert revert recent"));

    // 1 sets Insert and Revert only.
    manager().enable_document_actions(false);
    send(DocumentMessage::CurrentChanged);
    EXPECT_EQ(states(), QStringLiteral("-open insert revert -recent"));
    document(first)->datasource(source(text, "TXT"));
    send(DocumentMessage::CurrentChanged);
    EXPECT_EQ(states(), QStringLiteral("-open insert -revert -recent"));

    // 4 leaves everything while another document stays, and disables Insert and Revert for the
    // last one.
    document(first)->datasource(source(native, "QRO"));
    manager().enable_document_actions(true);
    DocumentId const second = documents().create_document();
    documents().current_document(first);
    EXPECT_EQ(states(), QStringLiteral("open insert revert recent"));
    send(DocumentMessage::AboutToBeDestroyed);
    EXPECT_EQ(states(), QStringLiteral("open insert revert recent"));
    documents().destroy_document(second, true, true, false, DocumentId::null());
    send(DocumentMessage::AboutToBeDestroyed);
    EXPECT_EQ(states(), QStringLiteral("open -insert -revert recent"));

    // 5 disables all four; the types the manager does not handle change nothing.
    send(DocumentMessage::LastDocumentClosed);
    EXPECT_EQ(states(), QStringLiteral("-open -insert -revert -recent"));
    send(DocumentMessage::ContentChanged);
    send(DocumentMessage::ModifiedChanged);
    EXPECT_EQ(states(), QStringLiteral("-open -insert -revert -recent"));
}

TEST_F(DocumentActions, ClosingTheLastDocumentAndStartingANewOneAsTheHostDoes) {
    DocumentId const only = documents().create_document();
    document(only)->datasource(source(flow_path(QStringLiteral("only.qro")), "QRO"));
    manager().enable_document_actions(true);
    EXPECT_EQ(states(), QStringLiteral("open insert revert recent"));

    // The host's messages: 4, then 5 when nothing is left.
    ASSERT_TRUE(documents().destroy_document(only, true, false, false, DocumentId::null()));
    EXPECT_EQ(states(), QStringLiteral("-open -insert -revert -recent"));

    // 6 and 1 for a new, empty document.
    documents().create_document();
    EXPECT_EQ(states(), QStringLiteral("open insert -revert recent"));
}

} // namespace
} // namespace test
} // namespace quarro
