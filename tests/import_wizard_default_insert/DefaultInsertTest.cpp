// With only a default insert-command implementation registered, both insert commands use it.
#include "WizardTestKit.h"

#include "AbstractInsertCommandImplementationFactory.h"
#include "ConcreteProductFactory.h"
#include "housekeeping/CommandManager.h"

#include <memory>

namespace quarro {
namespace test {
namespace {

import::ConcreteProductFactory<import::AbstractFileReaderFactory, ScriptedReader<>> const
    s_points("PTS");
import::ConcreteProductFactory<import::AbstractInsertCommandImplementationFactory,
                               RecordingInsertImplementation> const s_fallback("AnyInsert", true);

class DefaultInsertTest : public WizardFixture {};

// The first file goes through the plain insert command, the single builder's insert through the
// import command; both reach the default implementation and can be undone.
TEST_F(DefaultInsertTest, BothCommandsFallBackToTheDefaultImplementation) {
    QString const path = writeTestFile(QStringLiteral("fallback.pts"), "1 1 1\n2 2 2\n");
    housekeeping::DocumentId const target = documents().create_document();
    for (bool single : {false, true}) {
        std::unique_ptr<import::QImportWizard> const wizard =
            single ? std::make_unique<SingleBuilderWizard>("PTS")
                   : std::make_unique<import::QImportWizard>("PTS", nullptr, Qt::WindowFlags());
        import::QImportWizard& used = *wizard;
        used.urls(QStringList{path});
        used.insert_into_doc(target);
        EXPECT_TRUE(runWizard(used).reached_summary);
        EXPECT_TRUE(used.result());
        EXPECT_EQ(documentOf(target)->object_count(), 2u);
        housekeeping::CommandManager::instance().undo();
        EXPECT_EQ(documentOf(target)->object_count(), 0u);
    }
    ASSERT_EQ(insertInits().size(), 2u);
    EXPECT_FALSE(insertInits()[0].with_reader);
    EXPECT_TRUE(insertInits()[1].with_reader);
}

} // namespace
} // namespace test
} // namespace quarro
