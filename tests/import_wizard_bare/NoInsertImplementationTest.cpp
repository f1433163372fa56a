// Without any insert-command implementation, inserts fail cleanly.
#include "WizardTestKit.h"

#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;

import::ConcreteProductFactory<import::AbstractFileReaderFactory, ScriptedReader<>> const
    s_points("PTS");

class NoInsertImplementationTest : public WizardFixture {};

TEST_F(NoInsertImplementationTest, AnOpenOfTwoFilesFailsAtTheSecondAndDropsItsDocument) {
    QString const a = writeTestFile(QStringLiteral("na.pts"), "1 1 1\n");
    QString const b = writeTestFile(QStringLiteral("nb.pts"), "2 2 2\n");
    DocumentId const kept = documents().create_document();
    document(kept)->add_object(boost::make_shared<model::PointSet>());
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(QStringList{a, b});
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper);

    ASSERT_TRUE(run.reached_summary);
    EXPECT_TRUE(run.summary.contains(QDir::toNativeSeparators(b) +
                                     ": <b><font color='red'>Failed</font></b><br /><hr />"))
        << run.summary.toStdString();
    EXPECT_TRUE(helper.messageBoxes().isEmpty());
    EXPECT_FALSE(wizard.result());
    ASSERT_EQ(documents().num_documents(), 1u);
    EXPECT_EQ(documents().current_documents().front(), kept);
}

TEST_F(NoInsertImplementationTest, AnUndoableInsertThatCannotBeBuiltLeavesTheTarget) {
    QString const path = writeTestFile(QStringLiteral("target.pts"), "1 1 1\n");
    DocumentId const target = documents().create_document();
    SingleBuilderWizard wizard("PTS");
    wizard.urls(QStringList{path});
    wizard.insert_into_doc(target);
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper, 1);

    EXPECT_EQ(helper.messageBoxes(), QStringList{"caught exception|"});
    ASSERT_TRUE(run.reached_summary);
    EXPECT_TRUE(run.summary.startsWith(QDir::toNativeSeparators(path) +
                                       ": <b><font color='red'>Failed</font></b><br />"));
    ASSERT_TRUE(documents().document_exists(target));
    EXPECT_FALSE(documents().document_busy(target));
    EXPECT_EQ(document(target)->object_count(), 0u);
    EXPECT_TRUE(readerJournal().calls.empty());
}

} // namespace
} // namespace test
} // namespace quarro
