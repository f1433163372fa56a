#include "housekeeping/DocumentManager.h"
#include "MessageRecorder.h"
#include "ModalDialogHelper.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/AbstractDocument.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentMessage.h"
#include "housekeeping/ErrorProtocol.h"
#include "model/PointSet.h"

#include <QHash>
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

class DocumentManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        manager().destroy_all();
        ASSERT_TRUE(recorder.subscribe_all());
    }
    void TearDown() override { manager().destroy_all(); }

    static DocumentManager& manager() { return DocumentManager::instance(); }

    static Document* document(DocumentId const& id) {
        return dynamic_cast<Document*>(manager().document_from_id(id));
    }

    static void modify(DocumentId const& id) { manager().document_from_id(id)->set_modified(true); }

    MessageRecorder recorder;
};

using Types = std::vector<int>;

TEST_F(DocumentManagerTest, CreatedDocumentsAreOrderedAndTheNewestIsCurrent) {
    EXPECT_EQ(nullptr, manager().current_document());
    EXPECT_TRUE(manager().current_document_id().isNull());
    EXPECT_TRUE(manager().first_id().isNull());

    QSignalSpy created(&manager(), &DocumentManager::documentCreated);
    QSignalSpy current(&manager(), &DocumentManager::currentDocumentChanged);
    DocumentId const a = manager().create_document();
    DocumentId const b = manager().create_document();
    DocumentId const c = manager().create_document();

    EXPECT_FALSE(a.isNull());
    EXPECT_TRUE(a < b && b < c);
    QHash<DocumentId, QString> names{{a, QStringLiteral("a")}, {b, QStringLiteral("b")}};
    EXPECT_EQ(QStringLiteral("b"), names.value(b));
    EXPECT_FALSE(names.contains(c));
    std::ostringstream text;
    text << a << ", " << DocumentId::null();
    EXPECT_EQ("Document " + std::to_string(a.value()) + ", Document <null>", text.str());
    EXPECT_EQ((std::vector<DocumentId>{a, b, c}), manager().current_documents());
    EXPECT_EQ(3u, manager().num_documents());
    EXPECT_EQ(a, manager().first_id());
    EXPECT_EQ(c, manager().current_document_id());
    EXPECT_EQ(manager().document_from_id(c), manager().current_document());
    ASSERT_NE(nullptr, document(b));
    EXPECT_EQ(b, document(b)->id());
    EXPECT_EQ(3, created.count());
    EXPECT_EQ(3, current.count());

    // Each creation announces the document, then makes it current.
    EXPECT_EQ((Types{6, 1, 6, 1, 6, 1}), recorder.document_types());
    EXPECT_EQ(c, recorder.document_messages.back().first);

    recorder.document_messages.clear();
    manager().current_document(a);
    manager().current_document(a); // already current: nothing to tell
    EXPECT_EQ(a, manager().current_document_id());
    ASSERT_EQ(1u, recorder.document_messages.size());
    EXPECT_EQ(std::make_pair(a, 1), recorder.document_messages.front());
}

TEST_F(DocumentManagerTest, BusyAndClosingMarksBelongToTheirDocument) {
    DocumentId const a = manager().create_document();
    DocumentId const b = manager().create_document();
    manager().document_busy(a, true);
    EXPECT_TRUE(manager().document_busy(a));
    EXPECT_FALSE(manager().document_busy(b));
    manager().document_busy(a, false);
    EXPECT_FALSE(manager().document_busy(a));

    manager().document_busy(b, true);
    manager().set_document_as_closing(b);
    EXPECT_TRUE(manager().is_closing(b));
    EXPECT_FALSE(manager().is_closing(a));
    ASSERT_TRUE(manager().destroy_document(b, true, true, false, DocumentId::null()));
    EXPECT_FALSE(manager().document_busy(b));
    EXPECT_FALSE(manager().is_closing(b));
}

TEST_F(DocumentManagerTest, UnknownIdsAreHarmless) {
    DocumentId const a = manager().create_document();
    recorder.document_messages.clear();
    for (DocumentId const& unknown : {DocumentId::null(), DocumentId(a.value() + 1000)}) {
        EXPECT_EQ(nullptr, manager().document_from_id(unknown));
        EXPECT_FALSE(manager().document_exists(unknown));
        manager().current_document(unknown);
        manager().document_busy(unknown, true);
        EXPECT_FALSE(manager().document_busy(unknown));
        manager().set_document_as_closing(unknown);
        EXPECT_FALSE(manager().is_closing(unknown));
        EXPECT_FALSE(manager().destroy_document(unknown, true, false, true, a));
    }
    EXPECT_EQ(a, manager().current_document_id());
    EXPECT_EQ(1u, manager().num_documents());
    EXPECT_TRUE(recorder.document_messages.empty());

    // An id whose document was destroyed stays unknown even after new documents were made.
    ASSERT_TRUE(manager().destroy_document(a, true, true, false, DocumentId::null()));
    DocumentId const b = manager().create_document();
    EXPECT_NE(a, b);
    EXPECT_EQ(nullptr, manager().document_from_id(a));
}

TEST_F(DocumentManagerTest, DestroyAnnouncesItselfAndPicksTheNextCurrent) {
    DocumentId const a = manager().create_document();
    DocumentId const b = manager().create_document();
    DocumentId const c = manager().create_document();
    QSignalSpy destroyed(&manager(), &DocumentManager::documentDestroyed);

    // While subscribers hear of type 4, the document still exists.
    std::vector<std::size_t> counts_at_4;
    recorder.on_document_message = [&](DocumentMessage& message) {
        if (message.doc_change_type() == DocumentMessage::AboutToBeDestroyed) {
            EXPECT_TRUE(manager().document_exists(message.id()));
            counts_at_4.push_back(manager().num_documents());
        }
    };
    recorder.document_messages.clear();

    // The current document goes: the given next document becomes current.
    ASSERT_TRUE(manager().destroy_document(c, false, false, false, a));
    EXPECT_EQ(a, manager().current_document_id());
    EXPECT_EQ((Types{4, 1}), recorder.document_types());
    EXPECT_EQ(std::make_pair(c, 4), recorder.document_messages[0]);
    EXPECT_EQ(std::make_pair(a, 1), recorder.document_messages[1]);
    EXPECT_EQ((std::vector<std::size_t>{3}), counts_at_4);
    ASSERT_EQ(1, destroyed.count());
    EXPECT_EQ(c, destroyed.at(0).at(0).value<DocumentId>());

    // Another document goes: the current one stays.
    recorder.document_messages.clear();
    DocumentId const d = manager().create_document();
    manager().current_document(a);
    recorder.document_messages.clear();
    ASSERT_TRUE(manager().destroy_document(d, false, false, false, DocumentId::null()));
    EXPECT_EQ(a, manager().current_document_id());
    EXPECT_EQ((Types{4}), recorder.document_types());

    // The current one goes without a usable next: the last remaining becomes current.
    recorder.document_messages.clear();
    ASSERT_TRUE(manager().destroy_document(a, false, false, false, a));
    EXPECT_EQ(b, manager().current_document_id());
    EXPECT_EQ((Types{4, 1}), recorder.document_types());

    // The last one goes: no current document, and type 5 closes the row.
    recorder.document_messages.clear();
    ASSERT_TRUE(manager().destroy_document(b, false, false, false, DocumentId::null()));
    EXPECT_TRUE(manager().current_document_id().isNull());
    EXPECT_EQ(nullptr, manager().current_document());
    EXPECT_EQ((Types{4, 1, 5}), recorder.document_types());
    EXPECT_TRUE(recorder.document_messages[1].first.isNull());
    EXPECT_EQ(4, destroyed.count());
}

TEST_F(DocumentManagerTest, QuietDestroySendsNoMessagesButStillSignals) {
    DocumentId const a = manager().create_document();
    DocumentId const b = manager().create_document();
    QSignalSpy destroyed(&manager(), &DocumentManager::documentDestroyed);
    QSignalSpy current(&manager(), &DocumentManager::currentDocumentChanged);
    recorder.document_messages.clear();

    ASSERT_TRUE(manager().destroy_document(b, false, true, false, DocumentId::null()));
    ASSERT_TRUE(manager().destroy_document(a, false, true, false, DocumentId::null()));
    EXPECT_TRUE(recorder.document_messages.empty());
    EXPECT_EQ(2, destroyed.count());
    EXPECT_EQ(2, current.count());
    EXPECT_EQ(0u, manager().num_documents());
}

TEST_F(DocumentManagerTest, ModifiedDocumentIsDiscardedOnlyWhenTheUserAgrees) {
    DocumentId const a = manager().create_document();
    DocumentId const b = manager().create_document();
    modify(b);
    ModalDialogHelper helper;

    // Asked, answered No: kept, nothing announced.
    recorder.document_messages.clear();
    helper.pressMessageBoxButton(QMessageBox::No);
    EXPECT_FALSE(manager().destroy_document(b, false, false, true, a));
    EXPECT_TRUE(manager().document_exists(b));
    EXPECT_EQ(b, manager().current_document_id());
    EXPECT_TRUE(recorder.document_messages.empty());
    ASSERT_EQ(1, helper.messageBoxes().size());
    EXPECT_TRUE(helper.messageBoxes().at(0).contains(QStringLiteral("Discard changes?")));

    // Asked, answered Yes: destroyed.
    helper.pressMessageBoxButton(QMessageBox::Yes);
    EXPECT_TRUE(manager().destroy_document(b, false, false, true, a));
    EXPECT_FALSE(manager().document_exists(b));
    EXPECT_EQ(2, helper.answered());

    // Discarding knowingly, or not asking at all, destroys without a question.
    DocumentId const c = manager().create_document();
    DocumentId const d = manager().create_document();
    modify(c);
    modify(d);
    EXPECT_TRUE(manager().destroy_document(c, true, false, true, DocumentId::null()));
    EXPECT_TRUE(manager().destroy_document(d, false, false, false, DocumentId::null()));

    // An unmodified document needs no question either.
    EXPECT_TRUE(manager().destroy_document(a, false, false, true, DocumentId::null()));
    EXPECT_EQ(2, helper.answered());
    EXPECT_TRUE(helper.unexpected().isEmpty());
    EXPECT_EQ(0u, manager().num_documents());
}

TEST_F(DocumentManagerTest, DestroyingFromASubscriberOfTypeFourIsRefused) {
    DocumentId const a = manager().create_document();
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

TEST_F(DocumentManagerTest, DocumentHoldsObjectsAndFollowsItsUndoStackForModified) {
    DocumentId const id = manager().create_document();
    Document* doc = document(id);
    ASSERT_NE(nullptr, doc);
    EXPECT_TRUE(doc->is_blank());
    EXPECT_EQ(QStringLiteral("Untitled %1").arg(id.value()), doc->display_name());

    QSignalSpy changed(doc, &AbstractDocument::changed);
    QSignalSpy modified(doc, &AbstractDocument::modifiedChanged);
    auto const first = boost::make_shared<model::PointSet>();
    auto const second = boost::make_shared<model::PointSet>();
    auto const third = boost::make_shared<model::PointSet>();
    doc->add_object(first);
    doc->add_object(third);
    doc->insert_object(1, second);
    EXPECT_EQ(3u, doc->size());
    EXPECT_EQ(3u, doc->object_count());
    EXPECT_EQ(second, doc->objects()[1]);
    EXPECT_EQ(3, changed.count());
    // Objects alone do not modify the document, but it is no longer blank.
    EXPECT_FALSE(doc->is_modified());
    EXPECT_FALSE(doc->is_blank());

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
    EXPECT_EQ(1u, doc->size());
    EXPECT_EQ(0u, doc->index_of(third));
    EXPECT_EQ(Document::npos, doc->index_of(second));

    doc->set_modified(true);
    EXPECT_TRUE(doc->is_modified());
    doc->set_modified(false);
    EXPECT_FALSE(doc->is_modified());
    EXPECT_EQ(2, modified.count());

    // A load sends one changed() at its end, however much it adds.
    changed.clear();
    doc->begin_load();
    EXPECT_TRUE(doc->is_loading());
    doc->add_object(first);
    doc->add_object(second);
    EXPECT_EQ(0, changed.count());
    doc->end_load();
    EXPECT_FALSE(doc->is_loading());
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

    doc->set_locked(true);
    EXPECT_TRUE(doc->is_locked());

    doc->datasource(boost::make_shared<DataSource>("file:///data/my wells/a b.qro",
                                                   AbstractDataInformationFactory::create("QRO")));
    EXPECT_EQ(QStringLiteral("a b.qro"), doc->display_name());
}

} // namespace
