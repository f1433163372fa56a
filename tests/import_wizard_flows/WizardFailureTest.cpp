// Wizard runs that go wrong: failed, cancelled and throwing readers, a Cancel press or a close in
// the middle of a file, a key nobody registered, a failure while inserting into a target.
#include "WizardTestKit.h"

#include "base/WizardProgress.h"

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;

class WizardFailureTest : public WizardFixture {};

QString const failed = QStringLiteral(": <b><font color='red'>Failed</font></b><br />");
QString const lost =
    QStringLiteral("Not read: the document of this import no longer exists.<br />\n");

// Three files, first.pts, second.pts and third.pts, of which the first or second goes wrong. In
// the expected summary %1, %2 and %3 stand for the files' paths.
TEST_F(WizardFailureTest, AFileThatGoesWrongAmongThree) {
    struct Case {
        char const* name;
        std::string key;
        QString first, second;
        bool keep_a_document, press_cancel;
        int boxes;
        QString summary_start, summary_end;
        int loads;
        bool result;
        std::size_t reads;
    } const cases[] = {
        // The failure destroys the new document the first file went into: the third is not read.
        {"second fails", "PTS", "1 1 1\n", "fail bad header\n", false, false, 0,
         "%1: <b>OK</b><br />\n%2" + failed + "bad header<br />%3" + failed + lost, "", 3, false,
         2},
        {"first fails", "PTS", "fail empty\n", "2 2 2\n", true, false, 0,
         "%1" + failed + "empty<br />%2" + failed + lost + "%3" + failed + lost, "", 3, false, 1},
        // Nothing was read, and a failure does not hide the totals as a cancel does.
        {"first throws", "PTS", "throw\n", "2 2 2\n", false, false, 1,
         "%1" + failed + "%2" + failed + lost + "%3" + failed + lost +
             "<hr /><br />Loaded 0 objects in 0.00 secs<br />",
         "", 3, false, 1},
        {"reader cancels", "PTS", "1 1 1\n", "cancel\n", false, false, 0, "",
         "%1: <b>OK</b><br />\nsecond.pts: <b>Canceled</b><br />", 2, true, 2},
        {"user presses Cancel", "PTS", "1 1 1\n", "poll 1000000\n", false, true, 0, "",
         "%1: <b>OK</b><br />\nsecond.pts: <b>Canceled</b><br />", 2, true, 2},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        reset();
        // The user chose to skip the summary: a failure shows it anyway.
        QSettings().setValue(QString::fromStdString("qimportwizard/" + c.key + "hide_summary"),
                             !c.result);
        DocumentId const kept = c.keep_a_document ? documentWithAnObject() : DocumentId::null();
        QStringList const files = {writeTestFile(QStringLiteral("first.pts"), c.first),
                                   writeTestFile(QStringLiteral("second.pts"), c.second),
                                   writeTestFile(QStringLiteral("third.pts"), "3 3 3\n")};
        ChangeRecorder messages;
        import::QImportWizard wizard(c.key, nullptr, Qt::WindowFlags());
        wizard.urls(files);
        QString caption_while_reading;
        std::vector<Step> steps;
        if (c.press_cancel) {
            steps.emplace_back([] { return !readerJournal().polling_file.isEmpty(); },
                               [&] {
                                   caption_while_reading = wizard.get_progress()->caption();
                                   wizard.cancelButton()->click();
                               });
        }
        WizardOutcome const run = runWizard(wizard, c.boxes, steps);

        auto const expand = [&files](QString text) {
            for (int i = 0; i < 3; ++i) {
                text.replace(QLatin1Char('%') + QString::number(i + 1),
                             QDir::toNativeSeparators(files[i]));
            }
            return text;
        };
        ASSERT_TRUE(run.reached_summary);
        EXPECT_TRUE(run.summary.startsWith(expand(c.summary_start))) << run.summary;
        EXPECT_TRUE(run.summary.endsWith(expand(c.summary_end))) << run.summary;
        EXPECT_EQ(run.log.count(QStringLiteral("Loading ")), c.loads);
        EXPECT_EQ(wizard.result(), c.result);
        EXPECT_EQ(readerJournal().calls.size(), c.reads);
        EXPECT_EQ(insertInits().size(), c.reads - 1) << "files after the first are inserts";
        EXPECT_EQ(run.boxes, c.boxes == 1 ? QStringList{"caught exception|"} : QStringList{});
        if (c.press_cancel) {
            EXPECT_EQ(caption_while_reading, QStringLiteral("Reading file 2 of 3"));
            EXPECT_EQ(readerJournal().saw_cancel, QStringList{"second.pts"});
        }
        // Only the import's own document goes.
        EXPECT_EQ(documents().current_documents(),
                  c.keep_a_document ? std::vector<DocumentId>{kept} : std::vector<DocumentId>{});
        EXPECT_TRUE(messages.changed.empty());
        EXPECT_FALSE(import::ImportManager::instance().inserting_state());
        EXPECT_EQ(housekeeping::ErrorProtocol::instance().lines().join('\n').contains(
                      QStringLiteral("scripted failure")),
                  c.boxes == 1);
    }
}

// Wells read in one go may be cancelled only by the user: a reader's cancel is a failure.
TEST_F(WizardFailureTest, AWellsReaderThatCancelsFails) {
    QString const path = writeTestFile(QStringLiteral("wells.pts"), "cancel\n");
    SingleBuilderWizard wizard("WELLS");
    wizard.urls(QStringList{path});
    EXPECT_TRUE(runWizard(wizard).summary.startsWith(QDir::toNativeSeparators(path) + failed));
    EXPECT_FALSE(wizard.result());
    EXPECT_EQ(documents().num_documents(), 0u);
}

TEST_F(WizardFailureTest, ClosingTheDialogWhileAFileLoadsDropsOnlyTheNewDocument) {
    DocumentId const kept = documentWithAnObject();
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls({writeTestFile(QStringLiteral("first.pts"), "1 1 1\n"),
                 writeTestFile(QStringLiteral("second.pts"), "poll 1000000\n")});
    DocumentId busy_while_reading;
    WizardOutcome const run =
        runWizard(wizard, 0,
                  {{[] { return !readerJournal().polling_file.isEmpty(); },
                    [&] {
                        busy_while_reading = documents().current_document_id();
                        EXPECT_TRUE(documents().document_busy(busy_while_reading));
                        wizard.close();
                    }}});

    EXPECT_FALSE(run.reached_summary || wizard.isVisible());
    EXPECT_EQ(readerJournal().saw_cancel, QStringList{"second.pts"});
    EXPECT_NE(busy_while_reading, kept);
    EXPECT_FALSE(documents().document_exists(busy_while_reading));
    EXPECT_EQ(documents().current_documents(), std::vector<DocumentId>{kept});
    EXPECT_FALSE(documents().document_busy(kept));
}

// An insert that fails leaves the target document as it was: no totals, nothing announced.
TEST_F(WizardFailureTest, AFailedInsertLeavesTheTargetDocumentAsItWas) {
    struct Case {
        std::string key;
        QString reason;
    } const cases[] = {
        {"PTS", "broken<br />"},
        {"NOBODY",
         "Abstract factory 'AbstractFileReaderFactory' does not have the required product "
         "name 'NOBODY' registered. Please contact Brennick with a bug-report<br />\n"},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.key);
        reset();
        QString const path = writeTestFile(QStringLiteral("broken.pts"), "1 1 1\nfail broken\n");
        DocumentId const target = documentWithAnObject();
        documentOf(target)->set_modified(false);
        ChangeRecorder messages;
        import::QImportWizard wizard(c.key, nullptr, Qt::WindowFlags());
        wizard.urls(QStringList{path});
        wizard.insert_into_doc(target);
        WizardOutcome const run = runWizard(wizard);

        EXPECT_EQ(run.summary, QDir::toNativeSeparators(path) + failed + c.reason);
        EXPECT_FALSE(wizard.result());
        ASSERT_TRUE(documents().document_exists(target));
        EXPECT_EQ(documentOf(target)->object_count(), 1u);
        EXPECT_FALSE(documents().document_busy(target) || documentOf(target)->is_loading() ||
                     documentOf(target)->is_modified());
        EXPECT_TRUE(documentOf(target)->document_history().descriptions().isEmpty());
        EXPECT_TRUE(messages.changed.empty());
    }
}

} // namespace
} // namespace test
} // namespace quarro
