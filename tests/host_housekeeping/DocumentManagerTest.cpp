#include "housekeeping/DocumentManager.h"
#include "MessageRecorder.h"
#include "ModalDialogHelper.h"
#include "housekeeping/AbstractCommand.h"
#include "housekeeping/CommandManager.h"
#include "housekeeping/Document.h"
#include "housekeeping/ErrorProtocol.h"
#include "model/PointSet.h"
#include "utilities/Exception.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QUndoGroup>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <stdexcept>
#include <string>
#include <vector>

using namespace quarro;
using namespace quarro::housekeeping;
using quarro::test::MessageRecorder;
using quarro::test::ModalDialogHelper;

namespace {

using Types = std::vector<int>;

class DocumentManagerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(recorder.subscribe_all()); }
    void TearDown() override { manager().destroy_all(); }

    static DocumentManager& manager() { return DocumentManager::instance(); }

    std::vector<DocumentId> create(int count) {
        std::vector<DocumentId> ids;
        while (static_cast<int>(ids.size()) < count) {
            ids.push_back(manager().create_document());
        }
        recorder.document_messages.clear();
        return ids;
    }

    MessageRecorder recorder;
};

TEST_F(DocumentManagerTest, CreatedDocumentsAreOrderedAndTheNewestIsCurrent) {
    EXPECT_EQ(nullptr, manager().current_document());
    DocumentId const a = manager().create_document();
    DocumentId const b = manager().create_document();
    DocumentId const c = manager().create_document();
    EXPECT_EQ((std::vector<DocumentId>{a, b, c}), manager().current_documents());
    EXPECT_EQ(manager().document_from_id(c), manager().current_document());
    // Each creation announces the document, then makes it current.
    EXPECT_EQ((Types{6, 1, 6, 1, 6, 1}), recorder.document_types());
    recorder.document_messages.clear();
    manager().current_document(a);
    manager().current_document(a); // already current: nothing to tell
    EXPECT_EQ((Types{1}), recorder.document_types());
    manager().set_document_as_closing(b);
    EXPECT_TRUE(manager().is_closing(b) && !manager().is_closing(a));
    ASSERT_TRUE(manager().destroy_document(b, true, true, false, DocumentId::null()));
    EXPECT_FALSE(manager().is_closing(b));

    // Unknown ids, and ids of destroyed documents, are harmless.
    recorder.document_messages.clear();
    for (DocumentId const& unknown : {DocumentId::null(), b}) {
        manager().current_document(unknown);
        EXPECT_FALSE(manager().destroy_document(unknown, true, false, true, a));
    }
    EXPECT_EQ(a, manager().current_document_id());
    EXPECT_TRUE(recorder.document_messages.empty());
    EXPECT_NE(b, manager().create_document());
}

// Indexes into the documents made for a case; -1 stands for the null id.
struct DestroyCase {
    char const* name;
    int count, current, doomed, next;
    bool quiet;
    int expected_current;
    Types types;
};

TEST_F(DocumentManagerTest, DestroyAnnouncesItselfAndPicksTheNextCurrent) {
    std::vector<DestroyCase> const cases{
        {"current goes, next given", 3, 2, 2, 0, false, 0, {4, 1}},
        {"another goes, current stays", 3, 0, 1, -1, false, 0, {4}},
        {"current goes, next unusable: the newest left", 3, 2, 2, 2, false, 1, {4, 1}},
        {"current goes, no next: the newest left", 3, 0, 0, -1, false, 2, {4, 1}},
        {"the last goes", 1, 0, 0, -1, false, -1, {4, 1, 5}},
        {"quietly", 2, 1, 1, -1, true, 0, {}},
    };
    for (DestroyCase const& c : cases) {
        SCOPED_TRACE(c.name);
        manager().destroy_all();
        std::vector<DocumentId> const ids = create(c.count);
        auto const id = [&](int index) { return index < 0 ? DocumentId::null() : ids[index]; };
        manager().current_document(id(c.current));
        recorder.document_messages.clear();
        // While subscribers hear of type 4 the document still exists, and cannot be destroyed again
        // from there.
        bool existed_at_4 = false;
        recorder.on_document_message = [&](DocumentMessage& message) {
            if (message.doc_change_type() == DocumentMessage::AboutToBeDestroyed) {
                existed_at_4 = manager().document_exists(message.id());
                EXPECT_FALSE(manager().destroy_document(message.id(), true, false, false, {}));
            }
        };
        QSignalSpy destroyed(&manager(), &DocumentManager::documentDestroyed);
        QSignalSpy current(&manager(), &DocumentManager::currentDocumentChanged);
        ASSERT_TRUE(manager().destroy_document(id(c.doomed), false, c.quiet, false, id(c.next)));
        recorder.on_document_message = nullptr;
        EXPECT_EQ(id(c.expected_current), manager().current_document_id());
        EXPECT_EQ(c.types, recorder.document_types());
        EXPECT_EQ(!c.quiet, existed_at_4);
        ASSERT_EQ(1, destroyed.count());
        EXPECT_EQ(id(c.doomed), destroyed.at(0).at(0).value<DocumentId>());
        EXPECT_EQ(c.current != c.expected_current ? 1 : 0, current.count());
        if (c.types.size() > 1) {
            EXPECT_EQ(id(c.expected_current), recorder.document_messages[1].first);
        }
    }
}

TEST_F(DocumentManagerTest, ModifiedDocumentIsDiscardedOnlyWhenTheUserAgrees) {
    struct Case {
        bool modified, discard, ask;
        QMessageBox::StandardButton answer; // NoButton: no question expected
        bool destroyed;
    };
    for (Case const& c : {Case{true, false, true, QMessageBox::No, false},
                          Case{true, false, true, QMessageBox::Yes, true},
                          Case{true, true, true, QMessageBox::NoButton, true},
                          Case{true, false, false, QMessageBox::NoButton, true},
                          Case{false, false, true, QMessageBox::NoButton, true}}) {
        SCOPED_TRACE(testing::Message() << c.modified << c.discard << c.ask << c.answer);
        DocumentId const a = create(1).front();
        manager().document_from_id(a)->set_modified(c.modified);
        ModalDialogHelper helper(100);
        if (c.answer != QMessageBox::NoButton) {
            helper.pressMessageBoxButton(c.answer);
        }
        EXPECT_EQ(c.destroyed, manager().destroy_document(a, c.discard, false, c.ask, {}));
        EXPECT_EQ(!c.destroyed, manager().document_exists(a));
        EXPECT_EQ(c.answer != QMessageBox::NoButton ? 1 : 0, helper.messageBoxes().size());
        EXPECT_TRUE(helper.unexpected().isEmpty());
        manager().destroy_all();
    }
}

TEST_F(DocumentManagerTest, DocumentHoldsObjectsLoadsAndKeepsAJournal) {
    DocumentId const id = create(1).front();
    auto* doc = dynamic_cast<Document*>(manager().document_from_id(id));
    ASSERT_NE(nullptr, doc);
    EXPECT_TRUE(doc->is_blank());

    QSignalSpy changed(doc, &AbstractDocument::changed);
    auto const first = boost::make_shared<model::PointSet>();
    auto const second = boost::make_shared<model::PointSet>();
    doc->add_object(second);
    doc->insert_object(0, first);
    EXPECT_EQ(first, doc->objects()[0]);
    EXPECT_EQ(2, changed.count());
    // Objects alone do not modify the document, but it is no longer blank.
    EXPECT_FALSE(doc->is_modified() || doc->is_blank());
    // Bad input is refused and changes nothing.
    ErrorProtocol::instance().clear();
    doc->add_object(Document::ObjectPtr());
    doc->add_object(first);
    EXPECT_EQ(2u, doc->size());
    EXPECT_EQ(2, ErrorProtocol::instance().lines().size());
    EXPECT_EQ(Document::ObjectPtr(), doc->take_object(2));
    EXPECT_FALSE(doc->remove_object(boost::make_shared<model::PointSet>()));
    EXPECT_TRUE(doc->remove_object(first));
    EXPECT_EQ(Document::npos, doc->index_of(first));

    // A load sends one changed() at its end, however much it adds.
    changed.clear();
    doc->begin_load();
    doc->add_object(first);
    EXPECT_EQ(0, changed.count());
    doc->end_load();
    EXPECT_EQ(1, changed.count());
    doc->end_load(); // unbalanced: logged, nothing else
    EXPECT_FALSE(doc->is_loading());

    doc->journal("one ", false);
    doc->journal("two", false);
    QRegularExpression const entries(
        QStringLiteral("^<p><b>\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d</b></p>\none <p><b>[-0-9: "
                       "]+</b></p>\ntwo$"));
    EXPECT_TRUE(entries.match(QString::fromStdString(doc->journal_text())).hasMatch())
        << doc->journal_text();
    doc->journal("fresh", true);
    EXPECT_EQ("fresh", doc->journal_text());
}

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
    void SetUp() override { new_document(); }
    void TearDown() override { DocumentManager::instance().destroy_all(); }

    void new_document() {
        id = DocumentManager::instance().create_document();
        doc = dynamic_cast<Document*>(DocumentManager::instance().document_from_id(id));
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
    EXPECT_EQ(QStringList{QStringLiteral("Insert a.las")}, doc->document_history().descriptions());

    calls.clear();
    commands.undo();
    // Back at the state it was loaded in: no longer modified, but the history remembers.
    EXPECT_FALSE(doc->is_modified());
    EXPECT_EQ(1u, doc->document_history().size());
    ASSERT_TRUE(commands.can_redo());
    commands.redo();
    EXPECT_EQ((Calls{"undo", "do"}), calls);
    EXPECT_TRUE(doc->is_modified());

    // Record only: the command was carried out by its caller (the one before may absorb it).
    commands.insert(command("Already done"), false);
    EXPECT_EQ((Calls{"undo", "do", "stackWith Already done"}), calls);
    EXPECT_EQ(2u, doc->document_history().size());
    // For an unknown document the command runs but is recorded nowhere; a null one is logged.
    commands.insert(
        boost::make_shared<RecordingCommand>(DocumentId(id.value() + 500), "Orphan", calls), true);
    EXPECT_EQ("finished ok", calls.back());
    ErrorProtocol::instance().clear();
    commands.insert(boost::shared_ptr<AbstractCommand>(), true);
    EXPECT_EQ(1, ErrorProtocol::instance().lines().size());
    EXPECT_EQ(2u, doc->document_history().size());

    // A command may take the next one into itself.
    new_document();
    auto const first = command("First");
    first->absorbs_followers = true;
    commands.insert(first, true);
    commands.insert(command("Second"), true);
    EXPECT_EQ(1u, doc->document_history().size());
    EXPECT_EQ("stackWith Second", calls.back());
}

TEST_F(CommandManagerTest, FailedCommandsAreRolledBackAndLeaveTheHistory) {
    auto const failing = command("Insert broken.las");
    failing->fail_do = true;
    EXPECT_THROW(commands.insert(failing, true), Exception);
    EXPECT_EQ((Calls{"remember", "do", "rollback", "finished failed"}), calls);
    EXPECT_FALSE(doc->is_modified() || commands.can_undo());

    calls.clear();
    auto const stubborn = command("Stubborn");
    stubborn->fail_undo = true;
    commands.insert(stubborn, true);
    ErrorProtocol::instance().clear();
    commands.undo();
    EXPECT_EQ((Calls{"remember", "do", "finished ok", "undo", "rollback"}), calls);
    EXPECT_TRUE(doc->document_history().empty());
    EXPECT_TRUE(ErrorProtocol::instance().lines().join('\n').contains(QStringLiteral("Stubborn")));
    EXPECT_FALSE(commands.can_undo());
}

TEST_F(CommandManagerTest, UndoFollowsTheCurrentDocument) {
    DocumentId const first = id;
    commands.insert(command("In first"), true);
    new_document();
    EXPECT_FALSE(commands.can_undo()); // the new document has no history
    commands.undo();
    EXPECT_TRUE(calls.empty());
    DocumentManager::instance().current_document(first);
    EXPECT_TRUE(commands.can_undo());
    // Destroying a document takes its history with it.
    DocumentManager::instance().destroy_document(first, true, true, false, id);
    EXPECT_FALSE(commands.can_undo());
    EXPECT_EQ(doc->undo_stack(), commands.undo_group()->activeStack());
}

} // namespace
