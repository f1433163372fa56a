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

import::ConcreteProductFactory<import::AbstractFileReaderFactory, ScriptedReader<>> const
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
        source, boost::make_shared<ScriptedReader<>>(), id, true, true, nullptr);
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

} // namespace
} // namespace test
} // namespace quarro
