#include "housekeeping/CommandManager.h"
#include "housekeeping/AbstractCommand.h"
#include "housekeeping/AbstractDocument.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/ErrorProtocol.h"
#include "model/PointSet.h"
#include "utilities/Exception.h"

#include <QAction>
#include <QUndoGroup>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

using namespace quarro;
using namespace quarro::housekeeping;

namespace {

using Calls = std::vector<std::string>;

// Adds one object to its document; records every call the framework makes.
class AddObjectCommand : public AbstractCommand {
public:
    AddObjectCommand(DocumentId const& id, std::string const& description, Calls& calls)
        : AbstractCommand(id, description)
        , m_calls(calls) {}

    bool fail_do = false;
    bool fail_undo = false;
    bool absorbs_followers = false;

    void remember() override { m_calls.push_back("remember"); }
    void do_command() override {
        m_calls.push_back("do");
        if (Document* doc = document_object()) {
            doc->add_object(m_object);
        }
        if (fail_do) {
            throw Exception(7, "cannot insert", "tests/CommandManagerTest", __LINE__);
        }
    }
    void undo_command() override {
        m_calls.push_back("undo");
        if (fail_undo) {
            throw std::runtime_error("cannot undo");
        }
        if (Document* doc = document_object()) {
            doc->remove_object(m_object);
        }
    }
    void rollback() override {
        m_calls.push_back("rollback");
        if (Document* doc = document_object()) {
            doc->remove_object(m_object);
        }
    }
    void finished(bool ok) override { m_calls.push_back(ok ? "finished ok" : "finished failed"); }
    bool stackWith(boost::shared_ptr<AbstractCommand> other) override {
        m_calls.push_back("stackWith " + other->description());
        return absorbs_followers;
    }

    void mark_from_import() { m_from_import = true; }

private:
    Document* document_object() const {
        return dynamic_cast<Document*>(DocumentManager::instance().document_from_id(document()));
    }

    Calls& m_calls;
    Document::ObjectPtr m_object = boost::make_shared<model::PointSet>();
};

class CommandManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        DocumentManager::instance().destroy_all();
        id = DocumentManager::instance().create_document();
        doc = dynamic_cast<Document*>(DocumentManager::instance().document_from_id(id));
        ASSERT_NE(nullptr, doc);
    }
    void TearDown() override { DocumentManager::instance().destroy_all(); }

    boost::shared_ptr<AddObjectCommand> command(std::string const& description) {
        return boost::make_shared<AddObjectCommand>(id, description, calls);
    }

    CommandManager& commands = CommandManager::instance();
    DocumentId id;
    Document* doc = nullptr;
    Calls calls;
};

TEST_F(CommandManagerTest, InsertRunsRecordsAndUndoRedoReplays) {
    EXPECT_TRUE(doc->document_history().empty());
    auto const insert = command("Insert a.las");
    commands.insert(insert, true);

    EXPECT_EQ((Calls{"remember", "do", "finished ok"}), calls);
    EXPECT_EQ(1u, doc->size());
    EXPECT_TRUE(doc->is_modified());
    DocumentHistory const& history = doc->document_history();
    EXPECT_FALSE(history.empty());
    EXPECT_EQ(1u, history.size());
    EXPECT_EQ(QStringList{QStringLiteral("Insert a.las")}, history.descriptions());
    EXPECT_EQ(QStringLiteral("Insert a.las"), history.description(0));
    EXPECT_TRUE(history.description(1).isEmpty());

    // Edit > Undo and Redo come from the group.
    QAction* const undo_action = commands.undo_group()->createUndoAction(nullptr);
    EXPECT_TRUE(undo_action->isEnabled());
    EXPECT_TRUE(undo_action->text().contains(QStringLiteral("Insert a.las")));
    delete undo_action;

    calls.clear();
    ASSERT_TRUE(commands.can_undo());
    EXPECT_FALSE(commands.can_redo());
    commands.undo();
    EXPECT_EQ((Calls{"undo"}), calls);
    EXPECT_EQ(0u, doc->size());
    // Back at the state it was loaded in: no longer modified, but the history remembers.
    EXPECT_FALSE(doc->is_modified());
    EXPECT_EQ(1u, history.size());
    EXPECT_EQ(0u, history.done());

    ASSERT_TRUE(commands.can_redo());
    commands.redo();
    EXPECT_EQ((Calls{"undo", "do"}), calls);
    EXPECT_EQ(1u, doc->size());
    EXPECT_TRUE(doc->is_modified());
}

TEST_F(CommandManagerTest, ThrowingCommandIsRolledBackAndNotRecorded) {
    auto const failing = command("Insert broken.las");
    failing->fail_do = true;
    try {
        commands.insert(failing, true);
        FAIL() << "the command's exception must reach the caller";
    } catch (Exception const& e) {
        EXPECT_EQ(7u, e.code());
    }
    EXPECT_EQ((Calls{"remember", "do", "rollback", "finished failed"}), calls);
    EXPECT_EQ(0u, doc->size());
    EXPECT_TRUE(doc->document_history().empty());
    EXPECT_FALSE(doc->is_modified());
    EXPECT_FALSE(commands.can_undo());
}

TEST_F(CommandManagerTest, RecordOnlyAndUnknownDocuments) {
    // Record only: the command was carried out by its caller.
    commands.insert(command("Already done"), false);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(1u, doc->document_history().size());
    commands.undo();
    EXPECT_EQ((Calls{"undo"}), calls);

    // A command for a document that does not exist runs but is recorded nowhere.
    calls.clear();
    auto const orphan =
        boost::make_shared<AddObjectCommand>(DocumentId(id.value() + 500), "Orphan", calls);
    commands.insert(orphan, true);
    EXPECT_EQ((Calls{"remember", "do", "finished ok"}), calls);
    EXPECT_EQ(1u, doc->document_history().size());

    ErrorProtocol::instance().clear();
    commands.insert(boost::shared_ptr<AbstractCommand>(), true);
    EXPECT_EQ(1, ErrorProtocol::instance().lines().size());

    // Defaults of the base: size() is what rememberGeo() was told; copies keep the flags.
    orphan->rememberGeo(12);
    orphan->mark_from_import();
    AddObjectCommand const copy(*orphan);
    EXPECT_EQ(12u, copy.size());
    EXPECT_TRUE(copy.from_import());
    EXPECT_EQ("Orphan", copy.description());
}

TEST_F(CommandManagerTest, UndoFollowsTheCurrentDocument) {
    commands.insert(command("In first"), true);
    DocumentId const second = DocumentManager::instance().create_document();
    EXPECT_FALSE(commands.can_undo()); // the new document has no history

    DocumentManager::instance().current_document(id);
    EXPECT_TRUE(commands.can_undo());
    DocumentManager::instance().current_document(second);
    commands.undo(); // nothing to undo there
    EXPECT_EQ(1u, doc->size());

    // Destroying a document takes its history with it.
    DocumentManager::instance().current_document(id);
    DocumentManager::instance().destroy_document(id, true, true, false, second);
    EXPECT_FALSE(commands.can_undo());
    EXPECT_EQ(DocumentManager::instance().document_from_id(second)->undo_stack(),
              commands.undo_group()->activeStack());
}

TEST_F(CommandManagerTest, StackingAndFailingUndo) {
    auto const first = command("First");
    first->absorbs_followers = true;
    commands.insert(first, true);
    commands.insert(command("Second"), true);
    // The first command took the second into itself.
    EXPECT_EQ(1u, doc->document_history().size());
    EXPECT_NE(calls.end(), std::find(calls.begin(), calls.end(), "stackWith Second"));

    id = DocumentManager::instance().create_document();
    doc = dynamic_cast<Document*>(DocumentManager::instance().document_from_id(id));
    ASSERT_NE(nullptr, doc);
    calls.clear();
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
