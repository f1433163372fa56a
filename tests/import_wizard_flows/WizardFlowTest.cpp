// Successful wizard runs: into a new document, several files, the summary choice, a reused blank
// document, the single-builder way and inserts into a target document.
#include "WizardTestKit.h"

#include "AbstractInsertCommandImplementationFactory.h"
#include "ConcreteProductFactory.h"
#include "InsertCommand.h"
#include "InsertImportCommand.h"
#include "base/WizardProgress.h"
#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/CommandManager.h"
#include "utilities/UrlUtilities.h"

#include <QCheckBox>
#include <QRegularExpression>

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;
using ReaderFactory =
    import::ConcreteProductFactory<import::AbstractFileReaderFactory, ScriptedReader<>>;
using InsertFactory =
    import::ConcreteProductFactory<import::AbstractInsertCommandImplementationFactory,
                                   RecordingInsertImplementation>;
// No default reader: a key nobody registered fails.
ReaderFactory const s_points("PTS"), s_native("QRO"), s_wells("WELLS");
InsertFactory const s_insert("InsertCommandImplementation"), s_insert_import("INQuarro");

class WizardFlowTest : public WizardFixture {};

// The totals line for `count` objects at the end of `summary`, whatever time it took.
bool endsWithTotals(QString const& summary, int count) {
    return QRegularExpression(
               QStringLiteral("<hr /><br />Loaded %1 objects in \\d+\\.\\d\\d secs<br />$")
                   .arg(count))
        .match(summary)
        .hasMatch();
}

QString okLine(QString const& path) {
    return QDir::toNativeSeparators(path) + QStringLiteral(": <b>OK</b><br />\n");
}

TEST_F(WizardFlowTest, OneFileFillsANewDocumentAndAnnouncesIt) {
    QString const path = writeTestFile(QStringLiteral("one.pts"), "1 2 3\n4 5 6\n7 8 9\n");
    ChangeRecorder messages;
    import::ImportManager::instance().inserting_state(true);
    import::ImportManager::instance().insert_on_section(true);
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(QStringList{path});
    // The user copies the summary into the document's journal before closing.
    WizardOutcome const run = runWizard(wizard, 0,
                                        {{[&] { return wizard.is_close_button_mode(); },
                                          [&] { wizard.journalButton()->click(); }}});

    ASSERT_TRUE(run.reached_summary);
    // The reader's own "one.pts: OK" line is not repeated under the sheet's.
    EXPECT_TRUE(run.summary.startsWith(okLine(path) + "<hr /><br />")) << run.summary;
    EXPECT_TRUE(endsWithTotals(run.summary, 3)) << run.summary;
    EXPECT_EQ(run.log, QStringLiteral("Loading ") + QDir::toNativeSeparators(path) + " ...\n");
    EXPECT_TRUE(wizard.result());

    ASSERT_EQ(documents().num_documents(), 1u);
    DocumentId const id = documents().current_document_id();
    housekeeping::Document* doc = documentOf(id);
    EXPECT_EQ(doc->object_count(), 3u);
    ASSERT_TRUE(doc->datasource());
    EXPECT_EQ(doc->datasource()->url(), utilities::filesystem_to_url(path));
    EXPECT_TRUE(doc->is_modified()) << "a file of another format than the native one is a change";
    // The journal holds the summary under the host's date heading.
    EXPECT_TRUE(QString::fromStdString(doc->journal_text()).endsWith(run.summary));
    EXPECT_EQ(messages.changed, std::vector<DocumentId>{id});

    ASSERT_EQ(readerJournal().calls.size(), 1u);
    EXPECT_FALSE(readerJournal().calls[0].importing || readerJournal().calls[0].inserting);
    EXPECT_TRUE(readerJournal().calls[0].had_progress);
    EXPECT_TRUE(insertInits().empty());
    EXPECT_FALSE(wizard.get_progress()->is_running());
    // The wizard ends any insert state the load was started in.
    EXPECT_FALSE(import::ImportManager::instance().inserting_state() ||
                 import::ImportManager::instance().insert_on_section());
}

TEST_F(WizardFlowTest, TheSecondFileIsInsertedThroughTheManagerAsAnUndoableCommand) {
    QString const a = writeTestFile(QStringLiteral("a.pts"), "1 1 1\n2 2 2\n");
    QString const b = writeTestFile(QStringLiteral("b.pts"), "3 3 3\n4 4 4\n5 5 5\n");
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(QStringList{a, b});
    WizardOutcome const run = runWizard(wizard);

    EXPECT_TRUE(run.summary.startsWith(okLine(a) + okLine(b) + "<hr /><br />")) << run.summary;
    EXPECT_TRUE(endsWithTotals(run.summary, 5));
    EXPECT_EQ(run.log, QStringLiteral("Loading %1 ...\nLoading %2 ...\n")
                           .arg(QDir::toNativeSeparators(a), QDir::toNativeSeparators(b)));
    EXPECT_EQ(run.window_title, QStringLiteral("Importing..."));

    // The first file is read by its reader, the second by the insert command's implementation.
    ASSERT_EQ(readerJournal().calls.size(), 2u);
    EXPECT_EQ(readerJournal().calls[0].files, QStringList{"a.pts"});
    EXPECT_EQ(readerJournal().calls[1].files, QStringList{"b.pts"});
    ASSERT_EQ(insertInits().size(), 1u);
    EXPECT_FALSE(insertInits()[0].with_reader || insertInits()[0].importing);
    EXPECT_TRUE(insertInits()[0].inserting);
    EXPECT_EQ(insertInits()[0].progress, wizard.get_progress());

    housekeeping::Document* doc = documentOf(documents().current_document_id());
    EXPECT_EQ(doc->object_count(), 5u);
    EXPECT_TRUE(doc->is_modified());
    EXPECT_EQ(doc->document_history().descriptions(), QStringList{"b.pts"});
    housekeeping::CommandManager::instance().undo();
    EXPECT_EQ(doc->object_count(), 2u);
    housekeeping::CommandManager::instance().redo();
    EXPECT_EQ(doc->object_count(), 5u);
}

TEST_F(WizardFlowTest, TheSummaryChoiceIsStoredPerKeyAndReadBack) {
    QString const path = writeTestFile(QStringLiteral("choice.pts"), "1 1 1\n");
    {
        import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
        wizard.urls(QStringList{path});
        bool checked_at_start = false;
        WizardOutcome const run =
            runWizard(wizard, 0,
                      {{[&] { return wizard.questionCheck() != nullptr; },
                        [&] {
                            checked_at_start = wizard.questionCheck()->isChecked();
                            EXPECT_EQ(wizard.questionCheck()->text(), "Show import summary");
                            wizard.questionCheck()->setChecked(false);
                        }}});
        EXPECT_TRUE(run.reached_summary) << "a first run shows it, whatever is unticked meanwhile";
        EXPECT_TRUE(checked_at_start) << "nothing stored means: show the summary";
    }
    QSettings settings;
    EXPECT_TRUE(settings.value(QStringLiteral("qimportwizard/PTShide_summary")).toBool());
    EXPECT_FALSE(settings.contains(QStringLiteral("qimportwizard/QROhide_summary")));

    // The next wizard of that key starts unticked and closes by itself after a good load.
    import::QImportWizard again("PTS", nullptr, Qt::WindowFlags());
    again.urls(QStringList{path});
    EXPECT_FALSE(runWizard(again).reached_summary);
    EXPECT_FALSE(again.isVisible() || again.questionCheck()->isChecked());
    EXPECT_EQ(again.cancelButton()->text(), QStringLiteral("Close"));
    EXPECT_EQ(documents().num_documents(), 2u);

    // Another key keeps its own choice; a native file on its own is no change of its document.
    import::QImportWizard other("QRO", nullptr, Qt::WindowFlags());
    other.urls(QStringList{path});
    EXPECT_TRUE(runWizard(other).reached_summary);
    EXPECT_TRUE(other.questionCheck()->isChecked());
    EXPECT_FALSE(settings.value(QStringLiteral("qimportwizard/QROhide_summary")).toBool());
    housekeeping::Document* doc = documentOf(documents().current_document_id());
    EXPECT_EQ(doc->object_count(), 1u);
    EXPECT_FALSE(doc->is_modified());
}

TEST_F(WizardFlowTest, ABlankFirstDocumentIsFilledRatherThanJoinedByANewOne) {
    QString const path = writeTestFile(QStringLiteral("blank.pts"), "1 1 1\n2 2 2\n");
    DocumentId const blank = documents().create_document();
    for (std::size_t expected_documents : {1u, 2u}) {
        import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
        wizard.urls(QStringList{path});
        EXPECT_TRUE(endsWithTotals(runWizard(wizard).summary, 2));
        // Once it holds objects, the next import makes a document of its own.
        ASSERT_EQ(documents().num_documents(), expected_documents);
        EXPECT_EQ(documents().current_document_id() == blank, expected_documents == 1u);
        EXPECT_EQ(documentOf(documents().current_document_id())->object_count(), 2u);
    }
    EXPECT_EQ(documentOf(blank)->object_count(), 2u);
}

TEST_F(WizardFlowTest, ASingleBuilderReadsAllFilesInOneGo) {
    QString const a = writeTestFile(QStringLiteral("sa.pts"), "1 1 1\n");
    QString const b = writeTestFile(QStringLiteral("sb.pts"), "2 2 2\n3 3 3\n");
    ChangeRecorder messages;
    SingleBuilderWizard wizard("PTS");
    wizard.urls(QStringList{a, b});
    WizardOutcome const run = runWizard(wizard);

    ASSERT_EQ(readerJournal().calls.size(), 1u);
    EXPECT_EQ(readerJournal().calls[0].files, (QStringList{"sa.pts", "sb.pts"}));
    EXPECT_TRUE(run.log.isEmpty()) << "the single-builder way keeps no log";
    EXPECT_TRUE(run.summary.startsWith(okLine(a) + "sb.pts: <b>OK</b><br />\n")) << run.summary;
    EXPECT_TRUE(endsWithTotals(run.summary, 3));
    DocumentId const id = documents().current_document_id();
    EXPECT_EQ(documentOf(id)->object_count(), 3u);
    EXPECT_TRUE(documentOf(id)->is_modified());
    EXPECT_EQ(messages.changed, std::vector<DocumentId>{id});
}

TEST_F(WizardFlowTest, FilesInsertedIntoATargetDocumentCanBeUndone) {
    QString const a = writeTestFile(QStringLiteral("ta.pts"), "1 1 1\n2 2 2\n");
    QString const b = writeTestFile(QStringLiteral("tb.pts"), "3 3 3\n");
    DocumentId const target = documentWithAnObject();
    DocumentId const other = documents().create_document();
    documents().current_document(target);

    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(QStringList{a, b});
    wizard.insert_into_doc(target);
    EXPECT_TRUE(wizard.inserting() && wizard.importing());
    // The target's objects are counted, whichever document is asked about.
    EXPECT_EQ(wizard.count_geos(other), 1u);
    WizardOutcome const run = runWizard(wizard);

    EXPECT_TRUE(endsWithTotals(run.summary, 3)) << run.summary;
    EXPECT_EQ(run.log, QStringLiteral("Importing %1 ...\nImporting %2 ...\n")
                           .arg(QDir::toNativeSeparators(a), QDir::toNativeSeparators(b)));
    EXPECT_TRUE(readerJournal().calls.size() == 2 && readerJournal().calls[0].inserting);
    ASSERT_EQ(insertInits().size(), 2u) << "every file goes through the manager's insert";
    EXPECT_TRUE(insertInits()[0].importing);
    EXPECT_EQ(insertInits()[0].document, target);
    EXPECT_EQ(documents().num_documents(), 2u);
    housekeeping::Document* doc = documentOf(target);
    EXPECT_EQ(doc->object_count(), 4u);
    EXPECT_FALSE(doc->datasource()) << "an insert never sets the target's data source";
    EXPECT_EQ(doc->document_history().descriptions(), (QStringList{"ta.pts", "tb.pts"}));
    housekeeping::CommandManager::instance().undo();
    housekeeping::CommandManager::instance().undo();
    EXPECT_EQ(doc->object_count(), 1u);
}

TEST_F(WizardFlowTest, ASingleBuilderInsertGoesThroughAnImportCommandUnlessTold) {
    QString const path = writeTestFile(QStringLiteral("undoable.pts"), "1 1 1\n2 2 2\n");
    DocumentId const target = documents().create_document();
    {
        SingleBuilderWizard wizard("PTS");
        wizard.urls(QStringList{path});
        wizard.insert_into_doc(target);
        WizardOutcome const run = runWizard(wizard);
        EXPECT_TRUE(endsWithTotals(run.summary, 2));
        EXPECT_EQ(run.window_title, QStringLiteral("Inserting..."));
    }
    ASSERT_EQ(insertInits().size(), 1u);
    EXPECT_TRUE(insertInits()[0].with_reader && insertInits()[0].importing &&
                insertInits()[0].inserting);
    housekeeping::Document* doc = documentOf(target);
    EXPECT_EQ(doc->document_history().descriptions(), QStringList{"undoable.pts"});
    EXPECT_EQ(doc->object_count(), 2u);
    housekeeping::CommandManager::instance().undo();
    EXPECT_EQ(doc->object_count(), 0u);

    // Without undo the reader reads into the target directly.
    SingleBuilderWizard direct("PTS", true);
    direct.urls(QStringList{path});
    direct.insert_into_doc(target);
    runWizard(direct);
    EXPECT_EQ(insertInits().size(), 1u);
    ASSERT_EQ(readerJournal().calls.size(), 2u);
    EXPECT_TRUE(readerJournal().calls[1].importing && readerJournal().calls[1].inserting);
    EXPECT_EQ(doc->object_count(), 2u);
    EXPECT_EQ(doc->document_history().size(), 1u);
}

// An insert command is named after its file, else after the reader's kind of data.
TEST_F(WizardFlowTest, InsertCommandsAreNamedAfterTheFileOrTheKindOfData) {
    auto const las = boost::make_shared<housekeeping::DataSource>(
        "file:///data/wells/a.las",
        boost::make_shared<housekeeping::AbstractDataInformation>("PTS"));
    auto const reader = boost::make_shared<ScriptedReader<>>();
    DocumentId const id(42);
    EXPECT_EQ(import::InsertCommand(las, id, false, true, nullptr).description(), "a.las");
    EXPECT_EQ(import::InsertCommand(nullptr, id, false, true, nullptr).description(), "Insert");
    EXPECT_EQ(import::InsertImportCommand(las, reader, id, true, true, nullptr).description(),
              "a.las");
    EXPECT_EQ(import::InsertImportCommand(nullptr, reader, id, true, true, nullptr).description(),
              "Insert Point Data");
    EXPECT_EQ(import::InsertImportCommand(nullptr, nullptr, id, true, true, nullptr).description(),
              "Insert");
}

} // namespace
} // namespace test
} // namespace quarro
