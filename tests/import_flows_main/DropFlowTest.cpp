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
#include <QFile>
#include <QMessageBox>
#include <QUndoCommand>
#include <boost/make_shared.hpp>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <iostream>
#include <utility>
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

// For as long as it lives, the process lacks the capabilities that let root open any file, so
// that file permissions count as they do for a user. Does nothing for a user.
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride() {
        if (syscall(SYS_capget, &m_header, m_saved) != 0) {
            return;
        }
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_reduced = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    // Whether file permissions now hold for this process.
    bool permissions_hold() const { return geteuid() != 0 || m_reduced; }
    ~WithoutPermissionOverride() {
        if (m_reduced) {
            syscall(SYS_capset, &m_header, m_saved);
        }
    }
    Q_DISABLE_COPY(WithoutPermissionOverride)

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_reduced = false;
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

TEST_F(DropFlow, EachDroppedFileOpensWithTheImporterThatFitsItOneWizardPerImporter) {
    // What each file is, and which importer it needs: the native one when it takes the file,
    // else the first that lists the extension, else the first in the manager's order.
    struct Row {
        char const* name;
        QByteArray content;
        char const* key;
    };
    std::vector<Row> const rows = {
        {"a.las", "not native\n1 0 0\n", "WELLS"}, {"b.las", "2 0 0\n", "QRO"},
        {"c.txt", "not native\n3 0 0\n", "TXT"},   {"d.las", "not native\n4 0 0\n", "WELLS"},
        {"e.xyz", "not native\n5 0 0\n", "VBL"},   {"f.txt", "bad\n6 0 0\n", ""}};
    QStringList dropped;
    for (Row const& row : rows) {
        dropped << flow_file(QString::fromLatin1(row.name), row.content);
    }
    dialogs.pressMessageBoxButton(QMessageBox::Ok);
    for (int i = 0; i < 4; ++i) {
        expect_wizard();
    }

    drop_files(dropped);

    // The file nobody takes is named with every reader's reason; the others still open.
    EXPECT_EQ(dialogs.messageBoxes(),
              QStringList(warning(
                  "Unable to import file(s) using the selected importer.\n\n " + dropped[5] +
                  ":\n  QRO: bad header\n  VBL: bad header\n  BROKEN: bad header\n"
                  "  DEMRaster: bad header\n  DXF: bad header\n  WELLS: bad header\n"
                  "  QUARRO: bad header\n  TXT: bad header")));
    std::vector<std::pair<std::string, QStringList>> seen;
    for (WizardSeen const& wizard : wizards) {
        seen.emplace_back(wizard.key, wizard.urls);
    }
    std::vector<std::pair<std::string, QStringList>> const expected = {
        {"WELLS", {dropped[0], dropped[3]}},
        {"QRO", {dropped[1]}},
        {"TXT", {dropped[2]}},
        {"VBL", {dropped[4]}}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(documents().num_documents(), 4u);
}

TEST_F(DropFlow, AFolderAnUnreadableOrAnEmptyFileGetsOneClearMessageAndChangesNothing) {
    DocumentId const kept = open_native(flow_file(QStringLiteral("kept.qro"), "1 1 1\n"));
    QString const folder = flow_path(QStringLiteral("dropped folder.qro"));
    QDir().mkpath(folder);
    QString const locked = flow_file(QStringLiteral("locked.qro"), "1 1 1\n");
    QFile::setPermissions(locked, QFileDevice::Permissions());
    QString const pipe = flow_path(QStringLiteral("pipe.qro"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    struct Row {
        QString path;
        char const* reason;
    };
    Row const rows[] = {{folder, "This is a folder, not a file."},
                        {pipe, "This is not a regular file."},
                        {locked, "The file cannot be read (no permission)."},
                        {flow_file(QStringLiteral("empty.qro"), ""), "The file is empty."}};
    QStringList expected;
    {
        // Root reads every file: without this, the locked file would not be locked.
        WithoutPermissionOverride const as_a_user;
        for (Row const& row : rows) {
            if (row.path == locked && !as_a_user.permissions_hold()) {
                std::cout << "The no-permission case is left out: root's capabilities stay.\n";
                continue;
            }
            dialogs.pressMessageBoxButton(QMessageBox::Ok);
            drop_files({row.path});
            expected << warning("Unable to import file(s) using the selected importer.\n\n " +
                                row.path + ": " + row.reason);
        }
    }
    EXPECT_EQ(dialogs.messageBoxes(), expected);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(pipe);
    EXPECT_EQ(wizards.size(), 1u);
    EXPECT_EQ(documents().current_documents(), std::vector<DocumentId>({kept}));
    EXPECT_EQ(object_names(kept), QStringList({"kept.qro:1"}));
}

} // namespace
} // namespace test
} // namespace quarro
