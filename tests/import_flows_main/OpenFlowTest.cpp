// File > Open: the suffix of the first chosen file over the selected filter, refused files, the
// dialog's place kept for the next one, the lock, and opening by key with the catch-all wizard.
#include "FlowHost.h"
#include "FlowReaders.h"
#include "ImportManager.h"

#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"

#include <QAction>
#include <QFileInfo>
#include <QMessageBox>

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;

class OpenFlow : public FlowTest {
protected:
    static void click_open() {
        QAction* const open = file_action(QStringLiteral("Open"));
        ASSERT_NE(open, nullptr);
        open->trigger();
    }
};

TEST_F(OpenFlow, TheFirstFilesSuffixChoosesTheImporterForTheWholeList) {
    QString const first = flow_file(QStringLiteral("A.QRO"), "1 2 3\n");
    QString const second = flow_file(QStringLiteral("b.txt"), "4 5 6\n7 8 9\n");
    dialogs.chooseFiles({first, second}, QString::fromLatin1(TextSpec::filter));
    expect_wizard();

    click_open();

    ASSERT_EQ(wizards.size(), 1u);
    EXPECT_EQ(wizards[0].key, "QRO");
    EXPECT_EQ(wizards[0].urls, QStringList({first, second}));
    EXPECT_FALSE(wizards[0].inserting);
    EXPECT_TRUE(wizards[0].catch_all()) << wizards[0].type;
    // Both files went into one new document, read by the native importer.
    ASSERT_EQ(documents().num_documents(), 1u);
    EXPECT_EQ(object_names(documents().current_document_id()),
              QStringList({"A.QRO:1", "b.txt:1", "b.txt:2"}));
    ASSERT_EQ(readerJournal().calls.size(), 2u);
    EXPECT_EQ(readerJournal().calls[0].key, "QRO");
    EXPECT_EQ(readerJournal().calls[1].key, "QRO");
    // The chosen file as chosen (not lower-cased) and the selected filter are kept.
    EXPECT_EQ(manager().filePath(), first);
    EXPECT_EQ(stored_file_path(QStringLiteral("last_open")), first);
    EXPECT_EQ(stored_file_path(QStringLiteral("last_filter")), TextSpec::filter);
}

TEST_F(OpenFlow, SuffixesOfNativeProjectLineAndDrawingFilesOverrideTheSelectedFilter) {
    struct Case {
        char const* file;
        char const* filter;
        char const* key;
        bool registered_wizard;
    };
    // DXF has a wizard that cannot be made and WELLS one that works; the others have none.
    Case const cases[] = {{"x.qrod", TextSpec::filter, "QUARRO", false},
                          {"y.quarro", TextSpec::filter, "QUARRO", false},
                          {"x.vbl", TextSpec::filter, "VBL", false},
                          {"x.DXF", TextSpec::filter, "DXF", false},
                          {"x.las", WellsSpec::filter, "WELLS", true},
                          {"y.las", TextSpec::filter, "TXT", false},
                          {"z.qro", WellsSpec::filter, "QRO", false}};
    for (Case const& c : cases) {
        SCOPED_TRACE(c.file);
        wizards.clear();
        readerJournal().calls.clear();
        QString const path = flow_file(QString::fromLatin1(c.file), "1 1 1\n");
        dialogs.chooseFiles({path}, QString::fromLatin1(c.filter));
        expect_wizard();

        click_open();

        ASSERT_EQ(wizards.size(), 1u);
        EXPECT_EQ(wizards[0].key, c.key);
        EXPECT_EQ(wizards[0].registered(), c.registered_wizard) << wizards[0].type;
        EXPECT_EQ(wizards[0].catch_all(), !c.registered_wizard) << wizards[0].type;
        ASSERT_EQ(readerJournal().calls.size(), 1u);
        EXPECT_EQ(readerJournal().calls[0].key, c.key);
        EXPECT_EQ(stored_file_path(QStringLiteral("last_filter")), c.filter);
    }
}

TEST_F(OpenFlow, ARefusedFileIsReportedAndTheNextDialogStartsWhereTheUserWas) {
    QString const refused = flow_file(QStringLiteral("refused/bad.qro"), "bad\n1 2 3\n");
    QString const empty = flow_file(QStringLiteral("refused/empty.vbl"), "");
    dialogs.chooseFiles({refused}, QString::fromLatin1(LinesSpec::filter));
    dialogs.pressMessageBoxButton(QMessageBox::Ok);
    dialogs.chooseFiles({empty}, QString::fromLatin1(LinesSpec::filter));
    dialogs.pressMessageBoxButton(QMessageBox::Ok);

    click_open();
    click_open();

    QString const unable = QStringLiteral("Unable to import file(s) using the selected importer.");
    EXPECT_EQ(dialogs.messageBoxes(),
              QStringList({warning(unable + "\n\n bad header"), warning(unable + "\n\n no data")}));
    EXPECT_EQ(documents().num_documents(), 0u);
    EXPECT_TRUE(readerJournal().calls.empty());
    EXPECT_TRUE(wizards.empty());
    EXPECT_EQ(stored_file_path(QStringLiteral("last_open")), empty);
    EXPECT_EQ(stored_file_path(QStringLiteral("last_filter")), LinesSpec::filter);

    // The next dialog opens in that folder with that filter; cancelling it changes nothing.
    expect_file_dialog_cancelled();
    click_open();

    ASSERT_EQ(file_dialogs.size(), 1u);
    EXPECT_EQ(file_dialogs[0].caption, QStringLiteral("Open: Select one or more files"));
    EXPECT_EQ(file_dialogs[0].directory, QFileInfo(empty).absolutePath());
    EXPECT_EQ(file_dialogs[0].selected_filter, LinesSpec::filter);
    // The native importer first, then VBL, then the others by filter text; "Check" hides one.
    EXPECT_EQ(
        file_dialogs[0].filters,
        QStringList({NativeSpec::filter, LinesSpec::filter, BrokenSpec::filter, DrawingSpec::filter,
                     WellsSpec::filter, ProjectSpec::filter, TextSpec::filter}));
    EXPECT_EQ(stored_file_path(QStringLiteral("last_open")), empty);
    EXPECT_EQ(manager().filePath(), empty);
}

TEST_F(OpenFlow, ALockedCurrentDocumentStopsOpeningWithoutAWord) {
    QString const file = flow_file(QStringLiteral("locked.qro"), "1 1 1\n");
    DocumentId const locked = documents().create_document();
    document(locked)->set_locked(true);

    // No dialog: any would be reported as unexpected.
    click_open();
    EXPECT_FALSE(manager().open_urls_using_key({file}, "QRO", DocumentId::null()));
    drop_files({file});

    EXPECT_TRUE(readerJournal().calls.empty());
    EXPECT_EQ(documents().num_documents(), 1u);
    EXPECT_TRUE(dialogs.messageBoxes().isEmpty());

    // Unlocked, the same file opens.
    document(locked)->set_locked(false);
    expect_wizard();
    drop_files({file});
    EXPECT_EQ(wizards.size(), 1u);
    EXPECT_EQ(object_names(documents().current_document_id()), QStringList({"locked.qro:1"}));
}

TEST_F(OpenFlow, OpeningByKeyGoesIntoTheTargetDocumentWhenThereIsOne) {
    QString const file = flow_file(QStringLiteral("target.txt"), "1 1 1\n");
    DocumentId const target = documents().create_document();
    expect_wizard();
    expect_wizard();

    EXPECT_TRUE(manager().open_urls_using_key({file}, "TXT", target));
    EXPECT_TRUE(manager().open_urls_using_key({file}, "TXT", DocumentId::null()));

    ASSERT_EQ(wizards.size(), 2u);
    EXPECT_TRUE(wizards[0].inserting);
    EXPECT_FALSE(wizards[1].inserting);
    EXPECT_EQ(object_names(target), QStringList({"target.txt:1"}));
    // Without a target the wizard made a document of its own.
    ASSERT_EQ(documents().num_documents(), 2u);
    EXPECT_EQ(object_names(documents().current_document_id()), QStringList({"target.txt:1"}));
    EXPECT_NE(documents().current_document_id(), target);
}

TEST_F(OpenFlow, AKeyNobodyRegisteredRunsTheCatchAllWizardWhichReportsTheFailure) {
    QString const file = flow_file(QStringLiteral("nobody.txt"), "1 1 1\n");
    expect_wizard();

    EXPECT_TRUE(manager().open_urls_using_key({file}, "NOBODY", DocumentId::null()));

    ASSERT_EQ(wizards.size(), 1u);
    EXPECT_EQ(wizards[0].key, "NOBODY");
    EXPECT_TRUE(wizards[0].catch_all()) << wizards[0].type;
    // No reader either: the file failed and the document made for it went with it.
    EXPECT_TRUE(readerJournal().calls.empty());
    EXPECT_EQ(documents().num_documents(), 0u);
}

} // namespace
} // namespace test
} // namespace quarro
