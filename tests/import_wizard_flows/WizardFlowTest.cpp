// Successful wizard runs: into a new document, several files, the summary choice, a reused blank
// document, the single-builder way and inserts into a target document.
#include "WizardTestKit.h"

#include "base/WizardProgress.h"
#include "housekeeping/CommandManager.h"
#include "housekeeping/DataSource.h"
#include "utilities/UrlUtilities.h"

#include <QCheckBox>
#include <QRegularExpression>

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;

class WizardFlowTest : public WizardFixture {};

// The totals line for `count` objects at the end of `summary`, whatever time it took.
bool endsWithTotals(QString const& summary, int count) {
    QRegularExpression const totals(QStringLiteral("<hr /><br />Loaded %1 objects in \\d+\\.\\d\\d "
                                                   "secs<br />$")
                                        .arg(count));
    return totals.match(summary).hasMatch();
}

QString okLine(QString const& path) {
    return QDir::toNativeSeparators(path) + QStringLiteral(": <b>OK</b><br />\n");
}

TEST_F(WizardFlowTest, OneFileFillsANewDocumentAndAnnouncesIt) {
    QString const path = writeTestFile(QStringLiteral("one.pts"), "1 2 3\n4 5 6\n7 8 9\n");
    DocumentMessageRecorder messages;
    import::ImportManager::instance().insert_on_section(true);
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(QStringList{path});
    WizardScript script(&wizard);
    // The user copies the summary into the document's journal before closing.
    script.when([&] { return wizard.is_close_button_mode(); },
                [&] { wizard.journalButton()->click(); });
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper);

    ASSERT_TRUE(run.reached_summary);
    // The reader's own "one.pts: OK" line is not repeated under the sheet's.
    EXPECT_TRUE(run.summary.startsWith(okLine(path) + "<hr /><br />")) << run.summary.toStdString();
    EXPECT_TRUE(endsWithTotals(run.summary, 3)) << run.summary.toStdString();
    EXPECT_TRUE(run.summary_shown.contains(QStringLiteral("Loaded 3 objects in")));
    EXPECT_EQ(run.log, QStringLiteral("Loading ") + QDir::toNativeSeparators(path) + " ...\n");
    EXPECT_EQ(run.exec_result, QDialog::Rejected);
    EXPECT_TRUE(wizard.result());

    ASSERT_EQ(documents().num_documents(), 1u);
    DocumentId const id = documents().current_document_id();
    housekeeping::Document* doc = document(id);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->object_count(), 3u);
    ASSERT_TRUE(doc->datasource());
    EXPECT_EQ(doc->datasource()->url(), utilities::filesystem_to_url(path));
    EXPECT_TRUE(doc->is_modified()) << "a file of another format than the native one is a change";
    EXPECT_FALSE(documents().document_busy(id));
    EXPECT_FALSE(doc->is_loading());
    // The journal holds the summary under the host's date heading.
    EXPECT_TRUE(QString::fromStdString(doc->journal_text()).endsWith(run.summary))
        << doc->journal_text();
    EXPECT_EQ(messages.count(id, housekeeping::DocumentMessage::ContentChanged), 1);

    ASSERT_EQ(readerJournal().calls.size(), 1u);
    EXPECT_FALSE(readerJournal().calls[0].importing);
    EXPECT_FALSE(readerJournal().calls[0].inserting);
    EXPECT_TRUE(readerJournal().calls[0].had_progress);
    EXPECT_TRUE(insertJournal().inits.empty());
    EXPECT_FALSE(import::ImportManager::instance().inserting_state());
    EXPECT_FALSE(import::ImportManager::instance().insert_on_section());
    EXPECT_EQ(wizard.get_progress()->caption(), QStringLiteral("Reading file 1 of 1"));
    EXPECT_FALSE(wizard.get_progress()->is_running());
    EXPECT_TRUE(helper.unexpected().isEmpty());
}

TEST_F(WizardFlowTest, ANativeFileOnItsOwnLeavesTheModifiedMarkAlone) {
    QString const path = writeTestFile(QStringLiteral("native.qro"), "1 1 1\n");
    import::QImportWizard wizard("QRO", nullptr, Qt::WindowFlags());
    wizard.urls(QStringList{path});
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    ASSERT_TRUE(runWizard(wizard, script, helper).reached_summary);
    housekeeping::Document* doc = document(documents().current_document_id());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->object_count(), 1u);
    EXPECT_FALSE(doc->is_modified());
}

TEST_F(WizardFlowTest, TheSecondFileIsInsertedThroughTheManagerAsAnUndoableCommand) {
    QString const a = writeTestFile(QStringLiteral("a.pts"), "1 1 1\n2 2 2\n");
    QString const b = writeTestFile(QStringLiteral("b.pts"), "3 3 3\n4 4 4\n5 5 5\n");
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(QStringList{a, b});
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper);

    ASSERT_TRUE(run.reached_summary);
    EXPECT_TRUE(run.summary.startsWith(okLine(a) + okLine(b) + "<hr /><br />"))
        << run.summary.toStdString();
    EXPECT_TRUE(endsWithTotals(run.summary, 5));
    EXPECT_EQ(run.log, QStringLiteral("Loading %1 ...\nLoading %2 ...\n")
                           .arg(QDir::toNativeSeparators(a), QDir::toNativeSeparators(b)));
    EXPECT_EQ(run.window_title, QStringLiteral("Importing..."));

    // The first file is read by its reader, the second by the insert command's implementation.
    ASSERT_EQ(readerJournal().calls.size(), 2u);
    EXPECT_EQ(readerJournal().calls[0].files, QStringList{"a.pts"});
    EXPECT_EQ(readerJournal().calls[1].files, QStringList{"b.pts"});
    ASSERT_EQ(insertJournal().inits.size(), 1u);
    InsertJournal::Init const& init = insertJournal().inits[0];
    EXPECT_FALSE(init.with_reader);
    EXPECT_FALSE(init.importing);
    EXPECT_TRUE(init.inserting);
    EXPECT_EQ(init.progress, wizard.get_progress());

    DocumentId const id = documents().current_document_id();
    housekeeping::Document* doc = document(id);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->object_count(), 5u);
    EXPECT_TRUE(doc->is_modified());
    EXPECT_EQ(doc->document_history().descriptions(), QStringList{"b.pts"});
    EXPECT_EQ(doc->datasource()->url(), utilities::filesystem_to_url(a));

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
        WizardScript script(&wizard);
        bool checked_at_start = false;
        script.when([&] { return wizard.questionCheck() != nullptr; },
                    [&] {
                        checked_at_start = wizard.questionCheck()->isChecked();
                        EXPECT_EQ(wizard.questionCheck()->text(),
                                  QStringLiteral("Show import summary"));
                        wizard.questionCheck()->setChecked(false);
                    });
        ModalDialogHelper helper;
        EXPECT_TRUE(runWizard(wizard, script, helper).reached_summary)
            << "the summary of a first run shows, whatever is unticked meanwhile";
        EXPECT_TRUE(checked_at_start) << "nothing stored means: show the summary";
    }
    QSettings settings;
    EXPECT_TRUE(settings.value(QStringLiteral("qimportwizard/PTShide_summary")).toBool());
    EXPECT_FALSE(settings.contains(QStringLiteral("qimportwizard/QROhide_summary")));

    // The next wizard of that key starts unticked and closes by itself after a good load.
    import::QImportWizard again("PTS", nullptr, Qt::WindowFlags());
    again.urls(QStringList{path});
    WizardScript script(&again);
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(again, script, helper);
    EXPECT_FALSE(run.reached_summary);
    EXPECT_FALSE(again.isVisible());
    EXPECT_FALSE(again.questionCheck()->isChecked());
    EXPECT_EQ(again.cancelButton()->text(), QStringLiteral("Close"));
    EXPECT_EQ(documents().num_documents(), 2u);

    // Another key keeps its own choice.
    import::QImportWizard other("QRO", nullptr, Qt::WindowFlags());
    other.urls(QStringList{path});
    WizardScript other_script(&other);
    ModalDialogHelper other_helper;
    EXPECT_TRUE(runWizard(other, other_script, other_helper).reached_summary);
    EXPECT_TRUE(other.questionCheck()->isChecked());
    EXPECT_FALSE(settings.value(QStringLiteral("qimportwizard/QROhide_summary")).toBool());
}

TEST_F(WizardFlowTest, ABlankFirstDocumentIsFilledRatherThanJoinedByANewOne) {
    QString const path = writeTestFile(QStringLiteral("blank.pts"), "1 1 1\n2 2 2\n");
    DocumentId const blank = documents().create_document();
    {
        import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
        wizard.urls(QStringList{path});
        WizardScript script(&wizard);
        ModalDialogHelper helper;
        WizardOutcome const run = runWizard(wizard, script, helper);
        EXPECT_TRUE(endsWithTotals(run.summary, 2));
    }
    ASSERT_EQ(documents().num_documents(), 1u);
    EXPECT_EQ(document(blank)->object_count(), 2u);

    // Now it holds objects: the next import makes a document of its own.
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(QStringList{path});
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    runWizard(wizard, script, helper);
    ASSERT_EQ(documents().num_documents(), 2u);
    EXPECT_NE(documents().current_document_id(), blank);
    EXPECT_EQ(document(blank)->object_count(), 2u);
    EXPECT_EQ(document(documents().current_document_id())->object_count(), 2u);
}

TEST_F(WizardFlowTest, AnEmptyFileListReadsNothingAndStillTidiesUp) {
    DocumentMessageRecorder messages;
    import::ImportManager::instance().inserting_state(true);
    import::ImportManager::instance().insert_on_section(true);
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper);

    EXPECT_EQ(run.summary, QStringLiteral("<hr /><br />Loaded 0 objects in 0.00 secs<br />"));
    EXPECT_TRUE(run.log.isEmpty());
    EXPECT_TRUE(readerJournal().calls.empty());
    EXPECT_EQ(messages.countType(housekeeping::DocumentMessage::ContentChanged), 0);
    ASSERT_EQ(documents().num_documents(), 1u);
    DocumentId const id = documents().current_document_id();
    EXPECT_FALSE(documents().document_busy(id));
    EXPECT_FALSE(document(id)->is_loading());
    EXPECT_FALSE(import::ImportManager::instance().inserting_state());
    EXPECT_FALSE(import::ImportManager::instance().insert_on_section());
    EXPECT_FALSE(wizard.get_progress()->is_running());
}

TEST_F(WizardFlowTest, ASingleBuilderReadsAllFilesInOneGo) {
    QString const a = writeTestFile(QStringLiteral("sa.pts"), "1 1 1\n");
    QString const b = writeTestFile(QStringLiteral("sb.pts"), "2 2 2\n3 3 3\n");
    DocumentMessageRecorder messages;
    SingleBuilderWizard wizard("PTS");
    wizard.urls(QStringList{a, b});
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper);

    ASSERT_EQ(readerJournal().calls.size(), 1u);
    EXPECT_EQ(readerJournal().calls[0].files, (QStringList{"sa.pts", "sb.pts"}));
    EXPECT_TRUE(run.log.isEmpty()) << "the single-builder way keeps no log";
    EXPECT_TRUE(run.summary.startsWith(okLine(a) + "sb.pts: <b>OK</b><br />\n"))
        << run.summary.toStdString();
    EXPECT_TRUE(endsWithTotals(run.summary, 3));
    DocumentId const id = documents().current_document_id();
    EXPECT_EQ(document(id)->object_count(), 3u);
    EXPECT_TRUE(document(id)->is_modified());
    EXPECT_EQ(messages.count(id, housekeeping::DocumentMessage::ContentChanged), 1);
}

TEST_F(WizardFlowTest, FilesInsertedIntoATargetDocumentCanBeUndone) {
    QString const a = writeTestFile(QStringLiteral("ta.pts"), "1 1 1\n2 2 2\n");
    QString const b = writeTestFile(QStringLiteral("tb.pts"), "3 3 3\n");
    DocumentId const target = documents().create_document();
    document(target)->add_object(boost::make_shared<model::PointSet>());
    documents().create_document();
    documents().current_document(target);

    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(QStringList{a, b});
    wizard.insert_into_doc(target);
    EXPECT_TRUE(wizard.inserting());
    EXPECT_TRUE(wizard.importing());
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper);

    EXPECT_TRUE(endsWithTotals(run.summary, 3)) << run.summary.toStdString();
    EXPECT_EQ(run.log, QStringLiteral("Importing %1 ...\nImporting %2 ...\n")
                           .arg(QDir::toNativeSeparators(a), QDir::toNativeSeparators(b)));
    EXPECT_TRUE(readerJournal().calls.size() == 2 && readerJournal().calls[0].inserting);
    ASSERT_EQ(insertJournal().inits.size(), 2u) << "every file goes through the manager's insert";
    EXPECT_TRUE(insertJournal().inits[0].importing);
    EXPECT_EQ(insertJournal().inits[0].document, target);
    EXPECT_EQ(documents().num_documents(), 2u);
    housekeeping::Document* doc = document(target);
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
        WizardScript script(&wizard);
        ModalDialogHelper helper;
        WizardOutcome const run = runWizard(wizard, script, helper);
        EXPECT_TRUE(endsWithTotals(run.summary, 2));
        EXPECT_EQ(run.window_title, QStringLiteral("Inserting..."));
    }
    ASSERT_EQ(insertJournal().inits.size(), 1u);
    EXPECT_TRUE(insertJournal().inits[0].with_reader);
    EXPECT_TRUE(insertJournal().inits[0].importing);
    EXPECT_TRUE(insertJournal().inits[0].inserting);
    housekeeping::Document* doc = document(target);
    EXPECT_EQ(doc->document_history().descriptions(), QStringList{"undoable.pts"});
    EXPECT_EQ(doc->object_count(), 2u);
    housekeeping::CommandManager::instance().undo();
    EXPECT_EQ(doc->object_count(), 0u);

    // Without undo the reader reads into the target directly.
    SingleBuilderWizard direct("PTS", true);
    direct.urls(QStringList{path});
    direct.insert_into_doc(target);
    WizardScript script(&direct);
    ModalDialogHelper helper;
    runWizard(direct, script, helper);
    EXPECT_EQ(insertJournal().inits.size(), 1u);
    ASSERT_EQ(readerJournal().calls.size(), 2u);
    EXPECT_TRUE(readerJournal().calls[1].importing);
    EXPECT_TRUE(readerJournal().calls[1].inserting);
    EXPECT_EQ(doc->object_count(), 2u);
    EXPECT_EQ(doc->document_history().size(), 1u);
}

} // namespace
} // namespace test
} // namespace quarro
