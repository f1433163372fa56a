#include "housekeeping/DocumentManager.h"
#include "MessageRecorder.h"
#include "ModalDialogHelper.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/ErrorProtocol.h"
#include "model/PointSet.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <sstream>
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
    void SetUp() override {
        manager().destroy_all();
        ASSERT_TRUE(recorder.subscribe_all());
    }
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
    QSignalSpy current(&manager(), &DocumentManager::currentDocumentChanged);
    DocumentId const a = manager().create_document();
    DocumentId const b = manager().create_document();
    DocumentId const c = manager().create_document();
    EXPECT_TRUE(a < b && b < c);
    std::ostringstream text;
    text << a << ", " << DocumentId::null();
    EXPECT_EQ("Document " + std::to_string(a.value()) + ", Document <null>", text.str());
    EXPECT_EQ((std::vector<DocumentId>{a, b, c}), manager().current_documents());
    EXPECT_EQ(a, manager().first_id());
    EXPECT_EQ(manager().document_from_id(c), manager().current_document());
    EXPECT_EQ(3, current.count());
    // Each creation announces the document, then makes it current.
    EXPECT_EQ((Types{6, 1, 6, 1, 6, 1}), recorder.document_types());

    recorder.document_messages.clear();
    manager().current_document(a);
    manager().current_document(a); // already current: nothing to tell
    ASSERT_EQ(1u, recorder.document_messages.size());
    EXPECT_EQ(std::make_pair(a, 1), recorder.document_messages.front());

    manager().document_busy(a, true);
    manager().set_document_as_closing(b);
    EXPECT_TRUE(manager().document_busy(a) && manager().is_closing(b));
    EXPECT_FALSE(manager().document_busy(b) || manager().is_closing(a));
    ASSERT_TRUE(manager().destroy_document(b, true, true, false, DocumentId::null()));
    EXPECT_FALSE(manager().is_closing(b));
    manager().document_busy(a, false);
    EXPECT_FALSE(manager().document_busy(a));
}

TEST_F(DocumentManagerTest, UnknownIdsAreHarmless) {
    DocumentId const a = create(1).front();
    for (DocumentId const& unknown : {DocumentId::null(), DocumentId(a.value() + 1000)}) {
        EXPECT_EQ(nullptr, manager().document_from_id(unknown));
        manager().current_document(unknown);
        manager().document_busy(unknown, true);
        EXPECT_FALSE(manager().document_busy(unknown));
        manager().set_document_as_closing(unknown);
        EXPECT_FALSE(manager().is_closing(unknown));
        EXPECT_FALSE(manager().destroy_document(unknown, true, false, true, a));
    }
    EXPECT_EQ(a, manager().current_document_id());
    EXPECT_TRUE(recorder.document_messages.empty());
    // An id whose document was destroyed stays unknown even after new documents were made.
    ASSERT_TRUE(manager().destroy_document(a, true, true, false, DocumentId::null()));
    EXPECT_NE(a, manager().create_document());
    EXPECT_EQ(nullptr, manager().document_from_id(a));
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
        // While subscribers hear of type 4, the document still exists.
        bool existed_at_4 = false;
        recorder.on_document_message = [&](DocumentMessage& message) {
            if (message.doc_change_type() == DocumentMessage::AboutToBeDestroyed) {
                existed_at_4 = manager().document_exists(message.id());
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
        EXPECT_EQ(c.destroyed,
                  manager().destroy_document(a, c.discard, false, c.ask, DocumentId::null()));
        EXPECT_EQ(!c.destroyed, manager().document_exists(a));
        EXPECT_EQ(c.destroyed, !recorder.document_messages.empty());
        EXPECT_EQ(c.answer != QMessageBox::NoButton ? 1 : 0, helper.messageBoxes().size());
        if (!helper.messageBoxes().isEmpty()) {
            EXPECT_TRUE(helper.messageBoxes().at(0).contains(QStringLiteral("Discard changes?")));
        }
        EXPECT_TRUE(helper.unexpected().isEmpty());
        manager().destroy_all();
    }
}

TEST_F(DocumentManagerTest, DestroyingFromASubscriberOfTypeFourIsRefused) {
    DocumentId const a = create(1).front();
    bool inner = true;
    recorder.on_document_message = [&](DocumentMessage& message) {
        if (message.doc_change_type() == DocumentMessage::AboutToBeDestroyed) {
            inner =
                manager().destroy_document(message.id(), true, false, false, DocumentId::null());
        }
    };
    EXPECT_TRUE(manager().destroy_document(a, true, false, false, DocumentId::null()));
    EXPECT_FALSE(inner);
    EXPECT_EQ(0u, manager().num_documents());
}

TEST_F(DocumentManagerTest, DocumentHoldsObjectsLoadsAndKeepsAJournal) {
    DocumentId const id = create(1).front();
    auto* doc = dynamic_cast<Document*>(manager().document_from_id(id));
    ASSERT_NE(nullptr, doc);
    EXPECT_TRUE(doc->is_blank());
    EXPECT_EQ(QStringLiteral("Untitled %1").arg(id.value()), doc->display_name());

    QSignalSpy changed(doc, &AbstractDocument::changed);
    auto const first = boost::make_shared<model::PointSet>();
    auto const second = boost::make_shared<model::PointSet>();
    auto const third = boost::make_shared<model::PointSet>();
    doc->add_object(first);
    doc->add_object(third);
    doc->insert_object(1, second);
    EXPECT_EQ(second, doc->objects()[1]);
    EXPECT_EQ(3, changed.count());
    // Objects alone do not modify the document, but it is no longer blank.
    EXPECT_FALSE(doc->is_modified() || doc->is_blank());

    // Bad input is refused and changes nothing.
    ErrorProtocol::instance().clear();
    doc->add_object(Document::ObjectPtr());
    doc->add_object(first);
    EXPECT_EQ(3u, doc->size());
    EXPECT_EQ(2, ErrorProtocol::instance().lines().size());
    EXPECT_EQ(Document::ObjectPtr(), doc->take_object(3));
    EXPECT_FALSE(doc->remove_object(boost::make_shared<model::PointSet>()));
    EXPECT_TRUE(doc->remove_object(second));
    EXPECT_EQ(first, doc->take_object(0));
    EXPECT_EQ(0u, doc->index_of(third));
    EXPECT_EQ(Document::npos, doc->index_of(second));

    // A load sends one changed() at its end, however much it adds.
    changed.clear();
    doc->begin_load();
    doc->add_object(first);
    doc->add_object(second);
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

    doc->datasource(boost::make_shared<DataSource>("file:///data/my wells/a b.qro",
                                                   AbstractDataInformationFactory::create("QRO")));
    EXPECT_EQ(QStringLiteral("a b.qro"), doc->display_name());
}

} // namespace
