// Without any insert-command implementation, inserts fail cleanly.
#include "WizardTestKit.h"

#include "ConcreteProductFactory.h"

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;

import::ConcreteProductFactory<import::AbstractFileReaderFactory, ScriptedReader<>> const
    s_points("PTS");

class NoInsertImplementationTest : public WizardFixture {};

TEST_F(NoInsertImplementationTest, AnOpenOfTwoFilesFailsAtTheSecondAndDropsItsDocument) {
    QString const b = writeTestFile(QStringLiteral("nb.pts"), "2 2 2\n");
    DocumentId const kept = documentWithAnObject();
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(QStringList{writeTestFile(QStringLiteral("na.pts"), "1 1 1\n"), b});
    WizardOutcome const run = runWizard(wizard);

    EXPECT_TRUE(run.summary.contains(QDir::toNativeSeparators(b) +
                                     ": <b><font color='red'>Failed</font></b><br /><hr />"))
        << run.summary;
    EXPECT_TRUE(run.boxes.isEmpty());
    EXPECT_FALSE(wizard.result());
    EXPECT_EQ(documents().current_documents(), std::vector<DocumentId>{kept});
}

TEST_F(NoInsertImplementationTest, AnUndoableInsertThatCannotBeBuiltLeavesTheTarget) {
    QString const path = writeTestFile(QStringLiteral("target.pts"), "1 1 1\n");
    DocumentId const target = documents().create_document();
    SingleBuilderWizard wizard("PTS");
    wizard.urls(QStringList{path});
    wizard.insert_into_doc(target);
    WizardOutcome const run = runWizard(wizard, 1);

    EXPECT_EQ(run.boxes, QStringList{"caught exception|"});
    EXPECT_TRUE(run.summary.startsWith(QDir::toNativeSeparators(path) +
                                       ": <b><font color='red'>Failed</font></b><br />"));
    ASSERT_TRUE(documents().document_exists(target));
    EXPECT_FALSE(documents().document_busy(target));
    EXPECT_EQ(documentOf(target)->object_count(), 0u);
    EXPECT_TRUE(readerJournal().calls.empty());
}

} // namespace
} // namespace test
} // namespace quarro
