// Wizard runs that go wrong: failed, cancelled and throwing readers, a Cancel press or a close in
// the middle of a file, a key nobody registered, a failure while inserting into a target.
#include "WizardTestKit.h"

#include "base/WizardProgress.h"
#include "housekeeping/Document.h"

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;

class WizardFailureTest : public WizardFixture {
protected:
    // Three files whose second one is `second`.
    QStringList threeFiles(QString const& second) {
        return {writeTestFile(QStringLiteral("first.pts"), "1 1 1\n"),
                writeTestFile(QStringLiteral("second.pts"), second),
                writeTestFile(QStringLiteral("third.pts"), "3 3 3\n")};
    }
};

QString failedLine(QString const& path) {
    return QDir::toNativeSeparators(path) +
           QStringLiteral(": <b><font color='red'>Failed</font></b><br />");
}

QString const lost_document_reason =
    QStringLiteral("Not read: the document of this import no longer exists.<br />\n");

TEST_F(WizardFailureTest, AFailureAmongThreeShowsTheSummaryAndTakesTheNewDocument) {
    // The user chose to skip the summary: a failure shows it anyway.
    QSettings().setValue(QStringLiteral("qimportwizard/PTShide_summary"), true);
    QStringList const files = threeFiles(QStringLiteral("fail bad header\n"));
    DocumentMessageRecorder messages;
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(files);
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper);

    ASSERT_TRUE(run.reached_summary);
    EXPECT_FALSE(wizard.result());
    // The failure destroyed the document the first file went into: the third is not read.
    QString const expected = QDir::toNativeSeparators(files[0]) + ": <b>OK</b><br />\n" +
                             failedLine(files[1]) + "bad header<br />" + failedLine(files[2]) +
                             lost_document_reason;
    EXPECT_TRUE(run.summary.startsWith(expected)) << run.summary.toStdString();
    EXPECT_EQ(run.log.count(QStringLiteral("Loading ")), 3);
    ASSERT_EQ(readerJournal().calls.size(), 2u);
    EXPECT_EQ(insertJournal().inits.size(), 1u) << "the second file was an insert";
    EXPECT_EQ(documents().num_documents(), 0u);
    EXPECT_EQ(messages.countType(housekeeping::DocumentMessage::ContentChanged), 0);
}

TEST_F(WizardFailureTest, AFailedFirstFileDoesNotStopTheOthers) {
    DocumentId const kept = documents().create_document();
    document(kept)->add_object(boost::make_shared<model::PointSet>());
    QStringList files = threeFiles(QStringLiteral("2 2 2\n"));
    files[0] = writeTestFile(QStringLiteral("first.pts"), "fail empty<br />\n");
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(files);
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper);

    EXPECT_EQ(run.log.count(QStringLiteral("Loading ")), 3);
    EXPECT_EQ(run.summary.count(lost_document_reason), 2) << run.summary.toStdString();
    EXPECT_EQ(readerJournal().calls.size(), 1u);
    ASSERT_EQ(documents().num_documents(), 1u) << "only the import's own document goes";
    EXPECT_EQ(documents().current_documents().front(), kept);
}

TEST_F(WizardFailureTest, AReaderThatCancelsTheSecondOfThreeEndsTheLoadThere) {
    QStringList const files = threeFiles(QStringLiteral("cancel\n"));
    DocumentMessageRecorder messages;
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(files);
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper);

    ASSERT_TRUE(run.reached_summary);
    EXPECT_TRUE(run.summary.endsWith(QStringLiteral("second.pts: <b>Canceled</b><br />")))
        << run.summary.toStdString();
    EXPECT_FALSE(run.summary.contains(QStringLiteral("<hr />")));
    EXPECT_EQ(run.log.count(QStringLiteral("Loading ")), 2) << "the third file gets no log line";
    EXPECT_TRUE(wizard.result()) << "a cancel is no failure";
    EXPECT_EQ(documents().num_documents(), 0u);
    EXPECT_EQ(messages.countType(housekeeping::DocumentMessage::ContentChanged), 0);
    EXPECT_FALSE(import::ImportManager::instance().inserting_state());
}

TEST_F(WizardFailureTest, PressingCancelInTheMiddleOfAFileStopsTheReader) {
    QStringList const files = threeFiles(QStringLiteral("poll 1000000\n"));
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(files);
    WizardScript script(&wizard);
    QString caption_while_reading;
    script.when([] { return readerJournal().polling_file == QLatin1String("second.pts"); },
                [&] {
                    caption_while_reading = wizard.get_progress()->caption();
                    wizard.cancelButton()->click();
                });
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper);

    EXPECT_EQ(caption_while_reading, QStringLiteral("Reading file 2 of 3"));
    EXPECT_EQ(readerJournal().saw_cancel, QStringList{"second.pts"});
    ASSERT_TRUE(run.reached_summary) << "Cancel stops the load, not the dialog";
    EXPECT_TRUE(run.summary.endsWith(QStringLiteral("second.pts: <b>Canceled</b><br />")));
    EXPECT_EQ(run.log.count(QStringLiteral("Loading ")), 2);
    EXPECT_EQ(documents().num_documents(), 0u);
    EXPECT_FALSE(import::ImportManager::instance().inserting_state());
}

TEST_F(WizardFailureTest, ClosingTheDialogWhileAFileLoadsDropsOnlyTheNewDocument) {
    DocumentId const kept = documents().create_document();
    document(kept)->add_object(boost::make_shared<model::PointSet>());
    QStringList const files = threeFiles(QStringLiteral("poll 1000000\n"));
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(files);
    WizardScript script(&wizard);
    DocumentId busy_while_reading;
    script.when([] { return !readerJournal().polling_file.isEmpty(); },
                [&] {
                    busy_while_reading = documents().current_document_id();
                    EXPECT_TRUE(documents().document_busy(busy_while_reading));
                    wizard.close();
                });
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper);

    EXPECT_FALSE(run.reached_summary);
    EXPECT_FALSE(wizard.isVisible());
    EXPECT_EQ(readerJournal().saw_cancel, QStringList{"second.pts"});
    EXPECT_NE(busy_while_reading, kept);
    EXPECT_FALSE(documents().document_exists(busy_while_reading));
    ASSERT_EQ(documents().num_documents(), 1u);
    EXPECT_EQ(documents().current_document_id(), kept);
    EXPECT_FALSE(documents().document_busy(kept));
}

TEST_F(WizardFailureTest, ACancelledWellsReadIsAFailureUnlessTheWizardCancelled) {
    QString const path = writeTestFile(QStringLiteral("wells.pts"), "cancel\n");
    for (std::string const key : {"WELLS", "PTS"}) {
        SingleBuilderWizard wizard(key);
        wizard.urls(QStringList{path});
        WizardScript script(&wizard);
        ModalDialogHelper helper;
        WizardOutcome const run = runWizard(wizard, script, helper);
        if (key == "WELLS") {
            EXPECT_TRUE(run.summary.startsWith(failedLine(path))) << run.summary.toStdString();
            EXPECT_FALSE(wizard.result());
        } else {
            EXPECT_EQ(run.summary, QStringLiteral("wells.pts: <b>Canceled</b><br />"));
            EXPECT_TRUE(wizard.result());
        }
        EXPECT_EQ(documents().num_documents(), 0u);
    }
}

TEST_F(WizardFailureTest, AThrowingReaderIsReportedAndTheLoadGoesOn) {
    QStringList files = threeFiles(QStringLiteral("2 2 2\n"));
    files[0] = writeTestFile(QStringLiteral("first.pts"), "throw\n");
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(files);
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper, 1);

    EXPECT_EQ(helper.messageBoxes(), QStringList{"caught exception|"});
    ASSERT_TRUE(run.reached_summary);
    // Nothing was read, and a failure does not hide the totals as a cancel does.
    EXPECT_EQ(run.summary, failedLine(files[0]) + failedLine(files[1]) + lost_document_reason +
                               failedLine(files[2]) + lost_document_reason +
                               "<hr /><br />Loaded 0 objects in 0.00 secs<br />");
    EXPECT_EQ(run.log.count(QStringLiteral("Loading ")), 3);
    EXPECT_FALSE(wizard.result());
    EXPECT_EQ(documents().num_documents(), 0u);
    EXPECT_TRUE(housekeeping::ErrorProtocol::instance().lines().join('\n').contains(
        QStringLiteral("scripted failure")));
}

TEST_F(WizardFailureTest, AKeyNobodyRegisteredFailsEveryFileWithTheFactorysReason) {
    QString const path = writeTestFile(QStringLiteral("orphan.xyz"), "1 1 1\n");
    DocumentId const target = documents().create_document();
    import::QImportWizard wizard("NOBODY", nullptr, Qt::WindowFlags());
    wizard.urls(QStringList{path});
    wizard.insert_into_doc(target);
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper);

    ASSERT_TRUE(run.reached_summary);
    EXPECT_EQ(run.summary,
              failedLine(path) +
                  "Abstract factory 'AbstractFileReaderFactory' does not have the required "
                  "product name 'NOBODY' registered. Please contact Brennick with a bug-report"
                  "<br />\n");
    EXPECT_TRUE(helper.messageBoxes().isEmpty());
    EXPECT_TRUE(documents().document_exists(target));
    EXPECT_FALSE(documents().document_busy(target));
    EXPECT_FALSE(document(target)->is_loading());
}

TEST_F(WizardFailureTest, AFailedInsertLeavesTheTargetDocumentAsItWas) {
    QString const path = writeTestFile(QStringLiteral("broken.pts"), "1 1 1\nfail broken\n");
    DocumentId const target = documents().create_document();
    document(target)->add_object(boost::make_shared<model::PointSet>());
    document(target)->set_modified(false);
    DocumentMessageRecorder messages;
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(QStringList{path});
    wizard.insert_into_doc(target);
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper);

    ASSERT_TRUE(run.reached_summary);
    EXPECT_EQ(run.summary, failedLine(path) + "broken<br />")
        << "no totals: nothing arrived in the target";
    EXPECT_FALSE(wizard.result());
    ASSERT_TRUE(documents().document_exists(target));
    EXPECT_EQ(document(target)->object_count(), 1u);
    EXPECT_FALSE(documents().document_busy(target));
    EXPECT_EQ(messages.countType(housekeeping::DocumentMessage::ContentChanged), 0);
}

} // namespace
} // namespace test
} // namespace quarro
