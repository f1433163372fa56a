// A host without a main window and an installation without the native importer: a reader library
// whose factory hands back nothing, a "Check" reader first in the importer order, and a documents
// folder but no settings from an earlier run.
#include "HostMainWindow.h"
#include "ImportManagerTestPeer.h"
#include "ManagerTestReaders.h"
#include "TestApplication.h"

#include "ConcreteProductFactory.h"
#include "base/brkDestructor.h"
#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/Message.h"
#include "housekeeping/gui/MainWindowMessage.h"
#include "utilities/SystemPaths.h"

#include <QDir>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

using namespace quarro;
using housekeeping::ErrorProtocol;
using housekeeping::gui::MainWindowMessage;
using import::AbstractFileReaderFactory;
using import::ConcreteProductFactory;
using Peer = import::ImportManagerTestPeer;
using Keys = std::vector<std::string>;

struct CheckGdf {
    static constexpr char const* text = "Check GDF (*.gdf)";
};
struct Vbl {
    static constexpr char const* text = "VBL Files (*.vbl)";
};
struct Delta {
    static constexpr char const* text = "Delta (*.d)";
};
struct Omega {
    static constexpr char const* text = "Omega (*.o)";
};

ConcreteProductFactory<AbstractFileReaderFactory, test::FakeFileReader<CheckGdf>>
    gdf_factory("GDF");
ConcreteProductFactory<AbstractFileReaderFactory, test::FakeFileReader<Vbl>> vbl_factory("VBL");
test::NullReaderFactory null_factory("NULLREADER");
ConcreteProductFactory<AbstractFileReaderFactory, test::FakeFileReader<Delta>>
    delta_factory("DELTA");
ConcreteProductFactory<AbstractFileReaderFactory, test::FakeFileReader<Omega>>
    omega_factory("OMEGA");

QString documents_folder() {
    return QDir(test::scratchDirectory()).filePath(QStringLiteral("My Documents"));
}

QStringList& construction_log() {
    static QStringList lines;
    return lines;
}

// The manager, created on first use with a documents folder and no "last_open" setting.
import::ImportManager& manager(){static bool created = false;
if (!created) {
    EXPECT_TRUE(QDir().mkpath(documents_folder()));
    utilities::SystemPaths::instance().set_user_documents_path(documents_folder());
    ErrorProtocol::instance().clear();
    import::ImportManager::instance();
    construction_log() = ErrorProtocol::instance().lines();
    created = true;
}
return import::ImportManager::instance();
} // namespace

class Shutdown : public ::testing::Environment {
public:
    void TearDown() override { brkBase::brkDestructor::destroy_all(); }
};
::testing::Environment* const shutdown = ::testing::AddGlobalTestEnvironment(new Shutdown);

void send_menu_message(int type, QMenu* menu) {
    MainWindowMessage* const message = MainWindowMessage::instance();
    message->m_type = type;
    message->m_menu = menu;
    message->m_main_window = nullptr;
    housekeeping::Message::dispatch(message);
}

QString assertion(char const* expression, char const* function, int line) {
    return QStringLiteral("ASSERT \"%1\" failed in %2 (import/src/ImportManager:%3)")
        .arg(QLatin1String(expression), QLatin1String(function))
        .arg(line);
}

TEST(ImportManagerFallbacks, DialogsStartInTheDocumentsFolderWithoutSettings) {
    EXPECT_EQ(QDir(documents_folder()).absolutePath(), manager().filePath());
}

TEST(ImportManagerFallbacks, FilterListSkipsMissingAndCheckReadersWithoutStraySeparators) {
    manager();
    EXPECT_EQ(Keys({"GDF", "VBL", "NULLREADER", "DELTA", "OMEGA"}),
              Peer::sorted(AbstractFileReaderFactory::products()));

    // GDF comes first and is not offered; the reader that is missing contributes nothing.
    EXPECT_EQ("VBL Files (*.vbl);;Delta (*.d);;Omega (*.o)", Peer::filters());
    EXPECT_EQ((std::map<std::string, std::string>{{"Delta (*.d)", "DELTA"},
                                                  {"Omega (*.o)", "OMEGA"},
                                                  {"VBL Files (*.vbl)", "VBL"}}),
              Peer::filter_keys());
    // No native importer, no preselected filter.
    EXPECT_EQ("", Peer::last_filter());
    EXPECT_EQ("*.*", Peer::importer_key(""));
    EXPECT_EQ("*.*", Peer::importer_key(CheckGdf::text));

    EXPECT_EQ(
        QStringList({assertion(
            "p_import.get()", "void quarro::import::ImportManager::register_file_filters()", 645)}),
        construction_log());

    using Pairs = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(Pairs({{"dat", "OMEGA"}, {"dat", "DELTA"}, {"dat", "VBL"}, {"dat", "GDF"}}),
              Peer::extension_keys());
}

TEST(ImportManagerFallbacks, AKeyWhoseFactoryHandsBackNothingVerifiesNothing) {
    manager();
    QString message;
    EXPECT_FALSE(
        Peer::verify(QStringList({"/survey/a.dat", "/survey/b.dat"}), "NULLREADER", message));
    EXPECT_TRUE(message.isEmpty());
}

TEST(ImportManagerFallbacks, MessagesWithoutAMainWindowAreLoggedAndStillPlaceTheActions) {
    manager();
    ErrorProtocol::instance().clear();
    char const* const function = "void quarro::import::ImportManager::build_actions(QWidget*)";

    QMenu file(QStringLiteral("&File"));
    MainWindowMessage::set_menu_position(file.addAction(QStringLiteral("&New")), 0);
    MainWindowMessage::set_menu_position(file.addAction(QStringLiteral("&Quit")), 30);
    send_menu_message(MainWindowMessage::FillMenu, &file);

    EXPECT_EQ(QStringList({assertion("parent", function, 243), assertion("parent", function, 246)}),
              ErrorProtocol::instance().lines());
    EXPECT_EQ(
        QStringList({"&New", "Open", "&Insert...", "--", "Revert", "Recent Files", "--", "&Quit"}),
        test::menu_texts(file));

    // The actions exist now: a later message logs only the first check and places nothing in a
    // menu of another title.
    ErrorProtocol::instance().clear();
    QMenu edit(QStringLiteral("&Edit"));
    send_menu_message(MainWindowMessage::FillMenu, &edit);
    send_menu_message(MainWindowMessage::DocumentActions, nullptr);
    EXPECT_EQ(QStringList({assertion("parent", function, 243), assertion("parent", function, 243)}),
              ErrorProtocol::instance().lines());
    EXPECT_TRUE(edit.actions().isEmpty());

    // Without a main window there is nothing to drop files on.
    ErrorProtocol::instance().clear();
    manager().post_init();
    EXPECT_TRUE(ErrorProtocol::instance().lines().isEmpty());
}

} // namespace
