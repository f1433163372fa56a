// One life of the manager in a process without readers and without a documents folder: created on
// first use with the recent documents of the settings, registered once for shut-down phase 5,
// subscribed to the host's messages, and deleted by the destruction registry.
#include "ImportManagerTestPeer.h"
#include "TestApplication.h"

#include "base/brkDestructor.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentMessage.h"
#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/FilesInsertMessage.h"
#include "housekeeping/Message.h"
#include "housekeeping/RecentDocumentsQueue.h"
#include "housekeeping/gui/MainWindowMessage.h"
#include "utilities/SystemPaths.h"

#include <QDir>
#include <QPointer>
#include <QSettings>
#include <QVariantMap>
#include <gtest/gtest.h>

namespace {

using namespace quarro;
using housekeeping::ErrorProtocol;
using housekeeping::RecentDocumentsQueue;
using housekeeping::gui::MainWindowMessage;
using Peer = import::ImportManagerTestPeer;

boost::shared_ptr<housekeeping::DataSource> recent(std::string const& url, std::string const& key) {
    return boost::shared_ptr<housekeeping::DataSource>(new housekeeping::DataSource(
        url, housekeeping::AbstractDataInformationFactory::create(key)));
}

// Leaves two recent documents in the settings of an earlier run while the list in memory is
// empty, so that only loading it can bring them back.
void store_recent_documents_of_an_earlier_run() {
    RecentDocumentsQueue& queue = RecentDocumentsQueue::instance();
    queue.add(recent("file:///projects/a.qro", "QRO"));
    queue.add(recent("file:///projects/b.las", "WELLS"));
    QSettings settings;
    QVariantMap stored;
    for (QString const& key : settings.allKeys()) {
        stored.insert(key, settings.value(key));
    }
    queue.clear();
    for (auto entry = stored.cbegin(); entry != stored.cend(); ++entry) {
        settings.setValue(entry.key(), entry.value());
    }
    settings.sync();
}

void send_document_actions_request() {
    MainWindowMessage* const message = MainWindowMessage::instance();
    message->m_type = MainWindowMessage::DocumentActions;
    housekeeping::Message::dispatch(message);
}

TEST(ImportManagerLifecycle, CreatedOnceWithTheSettingsAndDeletedInPhaseFive) {
    utilities::SystemPaths::instance().set_user_documents_path(
        QDir(test::scratchDirectory()).filePath(QStringLiteral("no such folder")));
    store_recent_documents_of_an_earlier_run();
    ASSERT_EQ(0u, RecentDocumentsQueue::instance().size());
    ErrorProtocol::instance().clear();
    std::size_t const registrations = brkBase::brkDestructor::registered_count();

    import::ImportManager& manager = import::ImportManager::instance();
    EXPECT_EQ(&manager, &import::ImportManager::instance());
    EXPECT_EQ(&manager, &import::ImportManager::const_instance());
    EXPECT_EQ(registrations + 1, brkBase::brkDestructor::registered_count());

    EXPECT_FALSE(manager.insert_on_section());
    EXPECT_FALSE(manager.inserting_state());

    // Construction loaded the recent documents.
    ASSERT_EQ(2u, RecentDocumentsQueue::instance().size());
    EXPECT_EQ("file:///projects/b.las", RecentDocumentsQueue::instance().at(1)->url());
    EXPECT_EQ("WELLS", RecentDocumentsQueue::instance().at(1)->key());

    // Without settings and without a documents folder the dialogs start at the root.
    EXPECT_EQ(QDir::root().absolutePath(), manager.filePath());
    QStringList const log = ErrorProtocol::instance().lines();
    EXPECT_TRUE(log.filter(QStringLiteral("no such folder")).size() == 1)
        << log.join('\n').toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("  caught at import/src/ImportManager:942")))
        << log.join('\n').toStdString();

    // No reader is registered: nothing is offered.
    EXPECT_EQ("", Peer::filters());
    EXPECT_TRUE(Peer::filter_keys().empty());
    EXPECT_TRUE(Peer::extension_keys().empty());

    // The three subscriptions exist: subscribing the same slots again is refused.
    EXPECT_FALSE(MainWindowMessage::subscribe(&manager));
    EXPECT_FALSE(housekeeping::DocumentMessage::subscribe(&manager));
    EXPECT_FALSE(housekeeping::FilesInsertMessage::subscribe(&manager));
    // ... and the manager answers the host's main-window messages.
    ErrorProtocol::instance().clear();
    send_document_actions_request();
    EXPECT_EQ(2, ErrorProtocol::instance().lines().size());

    QPointer<import::ImportManager> const alive(&manager);
    brkBase::brkDestructor::destroy_all();
    EXPECT_TRUE(alive.isNull());

    // Messages after the manager is gone reach nobody.
    ErrorProtocol::instance().clear();
    send_document_actions_request();
    EXPECT_TRUE(ErrorProtocol::instance().lines().isEmpty());
}

} // namespace
