// A host without a main window and an installation without the native importer: a reader library
// whose factory hands back nothing, a "Check" reader first in the importer order, a documents
// folder, and of an earlier run only the recent documents. The manager's whole life in a process.
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
#include <gtest/gtest.h>

namespace {

using namespace quarro;
using housekeeping::ErrorProtocol;
using housekeeping::RecentDocumentsQueue;
using housekeeping::gui::MainWindowMessage;
using import::AbstractFileReaderFactory;
using Peer = import::ImportManagerTestPeer;

REGISTER_READER(GDF, "Check GDF (*.gdf)");
REGISTER_READER(VBL, "VBL Files (*.vbl)");
import::NullReaderFactory null_factory("NULLREADER");
REGISTER_READER(DELTA, "Delta (*.d)");
REGISTER_READER(OMEGA, "Omega (*.o)");

QString documents_folder() {
    return QDir(test::scratchDirectory()).filePath(QStringLiteral("My Documents"));
}

// Leaves two recent documents in the settings of an earlier run while the list in memory is
// empty, so that only loading it can bring them back.
void store_recent_documents_of_an_earlier_run() {
    RecentDocumentsQueue& queue = RecentDocumentsQueue::instance();
    for (auto const& [url, key] : {std::pair{"file:///projects/a.qro", "QRO"},
                                   std::pair{"file:///projects/b.las", "WELLS"}}) {
        queue.add(boost::shared_ptr<housekeeping::DataSource>(new housekeeping::DataSource(
            url, housekeeping::AbstractDataInformationFactory::create(key))));
    }
    QSettings settings;
    QVariantMap stored;
    for (QString const& key : settings.allKeys()) {
        stored.insert(key, settings.value(key));
    }
    queue.clear();
    for (auto entry = stored.cbegin(); entry != stored.cend(); ++entry) {
        settings.setValue(entry.key(), entry.value());
    }
}

// What the manager's construction on first use logged and how many registrations it added.
struct Construction {
    QStringList log;
    std::size_t registrations = 0;
};
Construction const& construction() {
    static Construction const made = [] {
        EXPECT_TRUE(QDir().mkpath(documents_folder()));
        utilities::SystemPaths::instance().set_user_documents_path(documents_folder());
        store_recent_documents_of_an_earlier_run();
        ErrorProtocol::instance().clear();
        std::size_t const before = brkBase::brkDestructor::registered_count();
        import::ImportManager::instance();
        return Construction{ErrorProtocol::instance().lines(),
                            brkBase::brkDestructor::registered_count() - before};
    }();
    return made;
}

class Shutdown : public ::testing::Environment {
public:
    void TearDown() override { brkBase::brkDestructor::destroy_all(); }
};
::testing::Environment* const shutdown = ::testing::AddGlobalTestEnvironment(new Shutdown);

TEST(ImportManagerFallbacks, FilterListSkipsMissingAndCheckReadersWithoutStraySeparators) {
    ASSERT_EQ(1, construction().log.size()) << "the missing reader is logged";
    EXPECT_TRUE(construction().log.at(0).contains("p_import.get()"));
    EXPECT_EQ(QDir(documents_folder()).absolutePath(),
              import::ImportManager::instance().filePath());
    EXPECT_EQ((std::vector<std::string>{"GDF", "VBL", "NULLREADER", "DELTA", "OMEGA"}),
              Peer::sorted(AbstractFileReaderFactory::products()));
    // GDF comes first and is not offered; the reader that is missing contributes nothing.
    EXPECT_EQ("VBL Files (*.vbl);;Delta (*.d);;Omega (*.o)", Peer::filters());
    EXPECT_EQ("", Peer::last_filter()) << "no native importer, no preselected filter";
    EXPECT_EQ("*.*", Peer::importer_key(GDF::filter));
    QString message;
    EXPECT_FALSE(Peer::verify(QStringList({"/survey/a.dat"}), "NULLREADER", message));
    EXPECT_TRUE(message.isEmpty());
}

// Returns how many lines the manager's answer logged (it has no main window to use).
int answers_to_document_actions_request() {
    ErrorProtocol::instance().clear();
    MainWindowMessage* const message = MainWindowMessage::instance();
    message->m_type = MainWindowMessage::DocumentActions;
    message->m_main_window = nullptr;
    housekeeping::Message::dispatch(message);
    return ErrorProtocol::instance().lines().size();
}

TEST(ImportManagerLifecycle, CreatedOnceWithTheRecentDocumentsAndDeletedByTheRegistry) {
    EXPECT_EQ(1u, construction().registrations);
    import::ImportManager& manager = import::ImportManager::instance();
    ASSERT_EQ(2u, RecentDocumentsQueue::instance().size()) << "construction loads them";
    EXPECT_EQ("WELLS", RecentDocumentsQueue::instance().at(1)->key());

    // The three subscriptions exist: subscribing the same slots again is refused.
    EXPECT_FALSE(MainWindowMessage::subscribe(&manager));
    EXPECT_FALSE(housekeeping::DocumentMessage::subscribe(&manager));
    EXPECT_FALSE(housekeeping::FilesInsertMessage::subscribe(&manager));
    EXPECT_LT(0, answers_to_document_actions_request());

    QPointer<import::ImportManager> const alive(&manager);
    brkBase::brkDestructor::destroy_all();
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(0, answers_to_document_actions_request()) << "nobody is left to answer";
}

} // namespace
