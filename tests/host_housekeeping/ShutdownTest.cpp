// Leaves queued messages, documents and recorded commands behind for the end of the process: the
// host's singletons must release them at exit without leaks or crashes (checked when the suite
// runs under the address sanitizer, whose leak check runs after this process's static
// destructors).
#include "housekeeping/AbstractCommand.h"
#include "housekeeping/CommandManager.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/DocumentMessage.h"
#include "housekeeping/FilesInsertMessage.h"
#include "housekeeping/MessageHandler.h"
#include "model/PointSet.h"

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

using namespace quarro;
using namespace quarro::housekeeping;

namespace {

class KeepObjectCommand : public AbstractCommand {
public:
    explicit KeepObjectCommand(DocumentId const& id)
        : AbstractCommand(id, "Keep") {}
    void do_command() override { m_object->setName(QStringLiteral("kept")); }
    void undo_command() override { m_object->setName(QString()); }

private:
    boost::shared_ptr<model::PointSet> m_object = boost::make_shared<model::PointSet>();
};

TEST(Shutdown, QueuedMessagesDocumentsAndHistoryAreReleasedAtExit) {
    DocumentId const id = DocumentManager::instance().create_document();
    auto* document = dynamic_cast<Document*>(DocumentManager::instance().document_from_id(id));
    ASSERT_NE(nullptr, document);
    document->add_object(boost::make_shared<model::PointSet>());
    CommandManager::instance().insert(boost::make_shared<KeepObjectCommand>(id), true);
    EXPECT_EQ(1u, document->document_history().size());

    DocumentMessage* message = DocumentMessage::instance();
    message->id(id);
    message->doc_change_type(DocumentMessage::ContentChanged);
    message->post();
    FilesInsertMessage* files = FilesInsertMessage::instance();
    files->files({"file:///data/a.qro"});
    files->post();
    EXPECT_EQ(2u, MessageHandler::instance().pending());
}

} // namespace
