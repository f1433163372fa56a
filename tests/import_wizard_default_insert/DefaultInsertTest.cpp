// With only a default insert-command implementation registered, both insert commands use it.
#include "WizardTestKit.h"

#include "AbstractFileReaderFactory.h"
#include "AbstractInsertCommandImplementationFactory.h"
#include "ConcreteProductFactory.h"
#include "InsertCommand.h"
#include "InsertImportCommand.h"
#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/CommandManager.h"
#include "housekeeping/DataSource.h"
#include "utilities/UrlUtilities.h"

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;

import::ConcreteProductFactory<import::AbstractFileReaderFactory, ScriptedReader> const
    s_points("PTS");
import::ConcreteProductFactory<import::AbstractInsertCommandImplementationFactory,
                               RecordingInsertImplementation> const s_fallback("AnyInsert", true);

class DefaultInsertTest : public WizardFixture {};

TEST_F(DefaultInsertTest, BothCommandsFallBackToTheDefaultImplementation) {
    QString const path = writeTestFile(QStringLiteral("fallback.pts"), "1 1 1\n2 2 2\n");
    DocumentId const id = documents().create_document();
    auto const source = boost::make_shared<housekeeping::DataSource>(
        utilities::filesystem_to_url(path),
        boost::make_shared<housekeeping::AbstractDataInformation>("PTS"));
    auto const import_command = boost::make_shared<import::InsertImportCommand>(
        source, boost::make_shared<ScriptedReader>(), id, true, true, nullptr);
    housekeeping::CommandManager::instance().insert(import_command, true);
    EXPECT_EQ(import_command->import_state(), import::AbstractFileReader::IMPORT_OK);
    EXPECT_EQ(document(id)->object_count(), 2u);
    housekeeping::CommandManager::instance().undo();
    EXPECT_EQ(document(id)->object_count(), 0u);

    import::InsertCommand plain(source, id, true, true, nullptr);
    ASSERT_EQ(insertJournal().inits.size(), 2u);
    EXPECT_TRUE(insertJournal().inits[0].with_reader);
    EXPECT_FALSE(insertJournal().inits[1].with_reader);
}

TEST_F(DefaultInsertTest, ALaterFileOfAnOpenIsInsertedThroughTheDefault) {
    QString const a = writeTestFile(QStringLiteral("da.pts"), "1 1 1\n");
    QString const b = writeTestFile(QStringLiteral("db.pts"), "2 2 2\n3 3 3\n");
    import::QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.urls(QStringList{a, b});
    WizardScript script(&wizard);
    ModalDialogHelper helper;
    WizardOutcome const run = runWizard(wizard, script, helper);
    EXPECT_TRUE(run.summary.contains(QStringLiteral("Loaded 3 objects")))
        << run.summary.toStdString();
    EXPECT_EQ(insertJournal().inits.size(), 1u);
    EXPECT_EQ(document(documents().current_document_id())->object_count(), 3u);
}

} // namespace
} // namespace test
} // namespace quarro
