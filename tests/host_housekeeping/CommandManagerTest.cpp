#include "housekeeping/CommandManager.h"
#include "housekeeping/AbstractCommand.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/ErrorProtocol.h"
#include "utilities/Exception.h"

#include <QAction>
#include <QUndoGroup>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <stdexcept>
#include <string>
#include <vector>

using namespace quarro;
using namespace quarro::housekeeping;

namespace {

using Calls = std::vector<std::string>;

// Records every call the framework makes; fails where it is told to.
class RecordingCommand : public AbstractCommand {
public:
    RecordingCommand(DocumentId const& id, std::string const& description, Calls& calls)
        : AbstractCommand(id, description)
        , m_calls(calls) {}

    bool fail_do = false;
    bool fail_undo = false;
    bool absorbs_followers = false;

    void remember() override { m_calls.push_back("remember"); }
    void do_command() override {
        m_calls.push_back("do");
        if (fail_do) {
            throw Exception(7, "cannot insert", "tests/CommandManagerTest", __LINE__);
        }
    }
    void undo_command() override {
        m_calls.push_back("undo");
        if (fail_undo) {
            throw std::runtime_error("cannot undo");
        }
    }
    void rollback() override { m_calls.push_back("rollback"); }
    void finished(bool ok) override { m_calls.push_back(ok ? "finished ok" : "finished failed"); }
    bool stackWith(boost::shared_ptr<AbstractCommand> other) override {
        m_calls.push_back("stackWith " + other->description());
        return absorbs_followers;
    }

private:
    Calls& m_calls;
};

class CommandManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        DocumentManager::instance().destroy_all();
        new_document();
    }
    void TearDown() override { DocumentManager::instance().destroy_all(); }

    void new_document() {
        id = DocumentManager::instance().create_document();
        doc = dynamic_cast<Document*>(DocumentManager::instance().document_from_id(id));
        ASSERT_NE(nullptr, doc);
        calls.clear();
    }
    boost::shared_ptr<RecordingCommand> command(std::string const& description) {
        return boost::make_shared<RecordingCommand>(id, description, calls);
    }

    CommandManager& commands = CommandManager::instance();
    DocumentId id;
    Document* doc = nullptr;
    Calls calls;
};

TEST_F(CommandManagerTest, InsertRunsRecordsAndUndoRedoReplays) {
    commands.insert(command("Insert a.las"), true);
    EXPECT_EQ((Calls{"remember", "do", "finished ok"}), calls);
    EXPECT_TRUE(doc->is_modified());
    DocumentHistory const& history = doc->document_history();
    EXPECT_EQ(QStringList{QStringLiteral("Insert a.las")}, history.descriptions());

    // Edit > Undo and Redo come from the group.
    std::unique_ptr<QAction> const undo_action(commands.undo_group()->createUndoAction(nullptr));
    EXPECT_TRUE(undo_action->isEnabled());
    EXPECT_TRUE(undo_action->text().contains(QStringLiteral("Insert a.las")));

    calls.clear();
    EXPECT_FALSE(commands.can_redo());
    commands.undo();
    EXPECT_EQ((Calls{"undo"}), calls);
    // Back at the state it was loaded in: no longer modified, but the history remembers.
    EXPECT_FALSE(doc->is_modified());
    EXPECT_EQ(1u, history.size());
    EXPECT_EQ(0u, history.done());
    ASSERT_TRUE(commands.can_redo());
    commands.redo();
    EXPECT_EQ((Calls{"undo", "do"}), calls);
    EXPECT_TRUE(doc->is_modified());
}

TEST_F(CommandManagerTest, ThrowingCommandIsRolledBackAndNotRecorded) {
    auto const failing = command("Insert broken.las");
    failing->fail_do = true;
    EXPECT_THROW(commands.insert(failing, true), Exception);
    EXPECT_EQ((Calls{"remember", "do", "rollback", "finished failed"}), calls);
    EXPECT_FALSE(doc->is_modified() || commands.can_undo());
}

TEST_F(CommandManagerTest, RecordOnlyUnknownDocumentsAndStacking) {
    // Record only: the command was carried out by its caller.
    commands.insert(command("Already done"), false);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(1u, doc->document_history().size());
    // A command for a document that does not exist runs but is recorded nowhere.
    commands.insert(
        boost::make_shared<RecordingCommand>(DocumentId(id.value() + 500), "Orphan", calls), true);
    EXPECT_EQ((Calls{"remember", "do", "finished ok"}), calls);
    EXPECT_EQ(1u, doc->document_history().size());
    ErrorProtocol::instance().clear();
    commands.insert(boost::shared_ptr<AbstractCommand>(), true);
    EXPECT_EQ(1, ErrorProtocol::instance().lines().size());

    // A command may take the next one into itself.
    new_document();
    auto const first = command("First");
    first->absorbs_followers = true;
    commands.insert(first, true);
    commands.insert(command("Second"), true);
    EXPECT_EQ(1u, doc->document_history().size());
    EXPECT_EQ("stackWith Second", calls.back());
}

TEST_F(CommandManagerTest, UndoFollowsTheCurrentDocumentAndAFailedUndoLeavesTheHistory) {
    DocumentManager& documents = DocumentManager::instance();
    DocumentId const first = id;
    commands.insert(command("In first"), true);
    new_document();
    EXPECT_FALSE(commands.can_undo()); // the new document has no history
    commands.undo();
    EXPECT_TRUE(calls.empty());
    documents.current_document(first);
    EXPECT_TRUE(commands.can_undo());

    // Destroying a document takes its history with it.
    documents.destroy_document(first, true, true, false, id);
    EXPECT_FALSE(commands.can_undo());
    EXPECT_EQ(documents.document_from_id(id)->undo_stack(), commands.undo_group()->activeStack());

    auto const stubborn = command("Stubborn");
    stubborn->fail_undo = true;
    commands.insert(stubborn, true);
    ErrorProtocol::instance().clear();
    commands.undo();
    // The failed undo is logged, rolled back and the command leaves the history.
    EXPECT_EQ((Calls{"remember", "do", "finished ok", "undo", "rollback"}), calls);
    EXPECT_TRUE(doc->document_history().empty());
    EXPECT_TRUE(ErrorProtocol::instance().lines().join('\n').contains(QStringLiteral("Stubborn")));
    EXPECT_FALSE(commands.can_undo());
}

} // namespace
