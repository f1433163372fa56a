// The insert commands: their names, what they hand their implementations, the forwarding and
// undo and redo through the host's command manager.
#include "WizardTestKit.h"

#include "InsertCommand.h"
#include "InsertImportCommand.h"
#include "base/AbstractProgress.h"
#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/CommandManager.h"
#include "housekeeping/DataSource.h"
#include "utilities/UrlUtilities.h"

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;
using import::InsertCommand;
using import::InsertImportCommand;

class InsertCommandTest : public WizardFixture {
protected:
    static boost::shared_ptr<housekeeping::DataSource> pointsSource(QString const& path) {
        return boost::make_shared<housekeeping::DataSource>(
            utilities::filesystem_to_url(path),
            boost::make_shared<housekeeping::AbstractDataInformation>("PTS"));
    }
    static QString address(void const* implementation) {
        return QString::number(reinterpret_cast<quintptr>(implementation));
    }
};

TEST_F(InsertCommandTest, CommandsAreNamedAfterTheFileOrTheKindOfData) {
    auto const las = pointsSource(QStringLiteral("/data/wells/a.las"));
    auto const reader = boost::make_shared<ScriptedReader<>>();
    DocumentId const id(42);
    EXPECT_EQ(InsertCommand(las, id, false, true, nullptr).description(), "a.las");
    EXPECT_EQ(InsertCommand(nullptr, id, false, true, nullptr).description(), "Insert");
    EXPECT_EQ(InsertImportCommand(las, reader, id, true, true, nullptr).description(), "a.las");
    EXPECT_EQ(InsertImportCommand(nullptr, reader, id, true, true, nullptr).description(),
              "Insert Point Data");
    EXPECT_EQ(InsertImportCommand(nullptr, nullptr, id, true, true, nullptr).description(),
              "Insert");
    EXPECT_FALSE(InsertCommand(las, id, false, true, nullptr).from_import());
    EXPECT_TRUE(InsertImportCommand(las, reader, id, true, true, nullptr).from_import());
}

TEST_F(InsertCommandTest, EachCommandInitialisesTheImplementationOfItsKeyOnce) {
    brkBase::AbstractProgress progress;
    DocumentId const id(7);
    InsertCommand plain(pointsSource(QStringLiteral("/p.pts")), id, true, false, &progress);
    InsertImportCommand with_reader(pointsSource(QStringLiteral("/q.pts")),
                                    boost::make_shared<ScriptedReader<>>(), id, false, true,
                                    nullptr);
    ASSERT_EQ(insertJournal().inits.size(), 2u);
    InsertJournal::Init const& first = insertJournal().inits[0];
    EXPECT_FALSE(first.with_reader);
    EXPECT_EQ(first.document, id);
    EXPECT_TRUE(first.importing);
    EXPECT_FALSE(first.inserting);
    EXPECT_EQ(first.command, &plain);
    EXPECT_EQ(first.progress, &progress);
    InsertJournal::Init const& second = insertJournal().inits[1];
    EXPECT_TRUE(second.with_reader);
    EXPECT_FALSE(second.importing);
    EXPECT_TRUE(second.inserting);
    EXPECT_EQ(second.command, &with_reader);
    EXPECT_EQ(second.progress, nullptr);
    EXPECT_NE(first.implementation, second.implementation);
}

TEST_F(InsertCommandTest, TheCommandManagerRunsUndoesAndRedoesTheInsert) {
    QString const path = writeTestFile(QStringLiteral("cmd.pts"), "1 1 1\n2 2 2\n3 3 3\n");
    DocumentId const id = documents().create_document();
    auto command = boost::make_shared<InsertCommand>(pointsSource(path), id, true, true, nullptr);
    housekeeping::CommandManager::instance().insert(command, true);
    QString const impl = address(insertJournal().inits.at(0).implementation);
    EXPECT_EQ(insertJournal().calls,
              (QStringList{"remember " + impl, "do " + impl, "finished true " + impl}));
    EXPECT_EQ(command->import_state(), import::AbstractFileReader::IMPORT_OK);
    EXPECT_EQ(command->summary(), QStringLiteral("cmd.pts: <b>OK</b><br />\n"));
    housekeeping::Document* doc = document(id);
    EXPECT_EQ(doc->object_count(), 3u);
    EXPECT_TRUE(doc->is_modified());
    EXPECT_EQ(doc->document_history().descriptions(), QStringList{"cmd.pts"});

    housekeeping::CommandManager::instance().undo();
    EXPECT_EQ(doc->object_count(), 0u);
    EXPECT_FALSE(doc->is_modified());
    housekeeping::CommandManager::instance().redo();
    EXPECT_EQ(doc->object_count(), 3u);
    EXPECT_EQ(insertJournal().calls.mid(3), (QStringList{"undo " + impl, "do " + impl}));
    EXPECT_EQ(readerJournal().calls.size(), 1u) << "redo puts the same objects back";
}

TEST_F(InsertCommandTest, CopiesWorkThroughTheSameImplementation) {
    QString const path = writeTestFile(QStringLiteral("copy.pts"), "1 1 1\n");
    DocumentId const id = documents().create_document();
    InsertImportCommand original(pointsSource(path), boost::make_shared<ScriptedReader<>>(), id,
                                 true, true, nullptr);
    original.remember();
    original.do_command();
    InsertImportCommand copy(original);
    InsertImportCommand assigned(nullptr, nullptr, DocumentId(), false, false, nullptr);
    assigned = original;
    EXPECT_EQ(copy.description(), original.description());
    EXPECT_TRUE(assigned.from_import());
    copy.undo_command();
    EXPECT_EQ(document(id)->object_count(), 0u);
    assigned.do_command();
    EXPECT_EQ(document(id)->object_count(), 1u);
    original.rollback();
    original.finished(false);
    EXPECT_EQ(insertJournal().inits.size(), 2u) << "copying makes no implementation";
    QString const impl = address(insertJournal().inits.at(0).implementation);
    EXPECT_EQ(insertJournal().calls,
              (QStringList{"remember " + impl, "do " + impl, "undo " + impl, "do " + impl,
                           "rollback " + impl, "finished false " + impl}));
    EXPECT_EQ(assigned.summary(), QStringLiteral("copy.pts: <b>OK</b><br />\n"));
}

} // namespace
} // namespace test
} // namespace quarro
