// The manager as the host starts it with a full set of readers: the File menu and drag and drop;
// the importer order, the file dialogs' filter list, the filter and extension indexes and the
// verification of files.
#include "FakeFileReader.h"
#include "HostMainWindow.h"
#include "ImportManagerTestPeer.h"
#include "TestApplication.h"

#include "base/brkDestructor.h"
#include "housekeeping/ErrorProtocol.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace {

using namespace quarro;
using housekeeping::gui::MainWindowMessage;
using import::AbstractFileReaderFactory;
using import::ConcreteProductFactory;
using Peer = import::ImportManagerTestPeer;
using Keys = std::vector<std::string>;

// GDF reads with the base reader's verification: readable files are good enough.
struct Gdf {
    static constexpr char const* text = "GDF Files (*.gdf)";
};

// Registered in this order. ABC sorts last by its filter text, XYZ first; DUP has ABC's text.
REGISTER_READER(QRO, "QRO Format (*.qro *.quarro *.qroz)");
REGISTER_READER(PETTRANS, "Petrel Transfer (*.pet)");
REGISTER_READER(VBL, "VBL Files (*.vbl *.dat)");
ConcreteProductFactory<AbstractFileReaderFactory, test::FakeFileReader<Gdf>> gdf_factory("GDF");
REGISTER_READER(ABC, "Zmap grids (*.zmp)");
REGISTER_READER(XYZ, "ASCII points (*.xyz *.dat)");
REGISTER_READER(DUP, "Zmap grids (*.zmp)");
REGISTER_READER(CHECKER, "Checker boards (*.chk)");
REGISTER_READER(CHEC, "Chec");
REGISTER_READER(VERIFY, "Check files (*.vfy)");

QString const stored_last_open = QStringLiteral("/projects/north sea/field & wells.qro");

// The application as the host starts it: the settings of an earlier run, the manager created,
// the main window built with its View and File menus announced, the document actions requested
// and post_init() called; with what was seen between the steps. Torn down after the last test.
struct StartedHost {
    test::HostMainWindow* window = nullptr;
    QStringList log_during_startup;
    int drop_receivers_before_post_init = 0;
} host;

class HostShutdown : public ::testing::Environment {
public:
    void TearDown() override {
        if (host.window != nullptr) {
            brkBase::brkDestructor::destroy_all();
            delete host.window;
        }
    }
};
::testing::Environment* const shutdown = ::testing::AddGlobalTestEnvironment(new HostShutdown);

StartedHost& started_host() {
    if (host.window != nullptr) {
        return host;
    }
    housekeeping::ErrorProtocol::instance().clear();
    QSettings().setValue(QStringLiteral("file_paths/last_open"), stored_last_open);
    import::ImportManager& manager = import::ImportManager::instance();
    host.window = new test::HostMainWindow;
    host.window->announce_menu(host.window->view_menu);
    host.window->announce_menu(host.window->file_menu);
    host.window->request_document_actions();
    host.drop_receivers_before_post_init = host.window->drop_receivers();
    manager.post_init();
    host.log_during_startup = housekeeping::ErrorProtocol::instance().lines();
    return host;
}

TEST(ImportManagerFileMenu, HoldsTheDocumentActionsAtTheHostsPositions) {
    started_host();
    QMenu& file = *host.window->file_menu;
    EXPECT_EQ(QStringList({"&New", "Open", "&Insert...", "--", "&Save", "&Close", "Revert",
                           "Recent Files", "--", "&Quit"}),
              test::menu_texts(file));
    EXPECT_EQ(QStringList({"&Zoom"}), test::menu_texts(*host.window->view_menu));
    struct Row {
        QString text;
        int position;
        char const* keys;
        char const* tip;
        QAction* handed_over;
    } const rows[] = {
        {"Open", 1, "Ctrl+O", "Open existing file in new document", host.window->open_action()},
        {"&Insert...", 2, "Ctrl+I", "Insert existing file into current document",
         host.window->insert_action()},
        {"Revert", 11, "", "Reload current document from file", host.window->revert_action()},
    };
    for (Row const& row : rows) {
        QAction* const action = test::menu_entry(file, row.text);
        ASSERT_NE(nullptr, action) << row.text.toStdString();
        EXPECT_EQ(row.handed_over, action);
        EXPECT_EQ(row.position, MainWindowMessage::menu_position(action));
        EXPECT_EQ(row.keys, action->shortcut().toString(QKeySequence::PortableText));
        EXPECT_EQ(row.tip, action->statusTip());
        EXPECT_EQ(host.window, action->parent());
    }

    QAction* const recent_entry = test::menu_entry(file, "Recent Files");
    ASSERT_TRUE(recent_entry && recent_entry->menu());
    EXPECT_EQ(20, MainWindowMessage::menu_position(recent_entry));
    QMenu* const recent = recent_entry->menu();
    ASSERT_EQ(20, recent->actions().size());
    for (QAction const* action : recent->actions()) {
        EXPECT_FALSE(action->isVisible());
    }
    EXPECT_TRUE(host.log_during_startup.isEmpty())
        << host.log_during_startup.join('\n').toStdString();
}

TEST(ImportManagerFileMenu, RepeatedMessagesKeepTheActionsAndDropsConnectOnce) {
    started_host();
    QAction* const open = host.window->open_action();
    host.window->announce_menu(host.window->view_menu);
    host.window->request_document_actions();
    EXPECT_EQ(open, host.window->open_action());
    EXPECT_EQ(10, host.window->file_menu->actions().size());

    EXPECT_EQ(0, host.drop_receivers_before_post_init);
    import::ImportManager::instance().post_init();
    EXPECT_EQ(1, host.window->drop_receivers());
    EXPECT_EQ(stored_last_open, import::ImportManager::const_instance().filePath());
}

TEST(ImportManagerSelection, OffersReadersInImporterOrder) {
    started_host();
    // "PETTRANS" is never offered, the "Check" readers are not, "Chec" is; DUP's text is ABC's.
    EXPECT_EQ("QRO Format (*.qro *.quarro *.qroz);;GDF Files (*.gdf);;VBL Files (*.vbl *.dat);;"
              "ASCII points (*.xyz *.dat);;Chec;;Zmap grids (*.zmp)",
              Peer::filters());
    EXPECT_EQ(QRO::filter, Peer::last_filter()) << "the native filter is preselected";
}

TEST(ImportManagerSelection, ImporterOrderPutsFixedKeysFirstThenSortsByFilterText) {
    started_host();
    std::pair<Keys, Keys> const cases[] = {
        {AbstractFileReaderFactory::products(),
         {"QRO", "GDF", "VBL", "XYZ", "CHEC", "VERIFY", "CHECKER", "ABC"}},
        {{"ABC", "XYZ", "VBL"}, {"VBL", "XYZ", "ABC"}},
        {{"XYZ", "PETTRANS", "GDF"}, {"GDF", "XYZ"}},
        {{"PETTRANS"}, {}},
        {{"ABC", "DUP"}, {"ABC"}}, // of two keys with the same filter text the first keeps it
        {{"DUP", "ABC"}, {"DUP"}},
        {{"XYZ", "QRO", "XYZ", "QRO"}, {"QRO", "XYZ"}},
    };
    for (auto const& c : cases) {
        EXPECT_EQ(c.second, Peer::sorted(c.first));
    }
}

TEST(ImportManagerSelection, ImporterKeyLooksFilterTextsUpExactly) {
    started_host();
    std::pair<std::string, std::string> const cases[] = {
        {QRO::filter, "QRO"},      {ABC::filter, "ABC"},
        {"Chec", "CHEC"},          {CHECKER::filter, "*.*"},
        {PETTRANS::filter, "*.*"}, {"qro format (*.qro *.quarro *.qroz)", "*.*"},
    };
    for (auto const& c : cases) {
        EXPECT_EQ(c.second, Peer::importer_key(c.first)) << c.first;
    }
}

TEST(ImportManagerSelection, VerificationStopsAtTheFirstRejectedFile) {
    started_host();
    auto const file = [](QString const& name, QByteArray const& content) {
        QString const path = test::scratchDirectory() + QLatin1Char('/') + name;
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        return path;
    };
    QString const good = file("good.vfy", "1 2 3\n"), bad = file("bad.vfy", "bad\n");
    QString const missing = test::scratchDirectory() + "/missing.gdf";
    QString message = QStringLiteral("earlier: ");
    EXPECT_FALSE(Peer::verify(QStringList({good, bad, bad}), "VERIFY", message));
    EXPECT_EQ(QStringLiteral("earlier: bad header"), message) << "added once to what was there";
    message.clear();
    EXPECT_TRUE(Peer::verify(QStringList({good, good}), "VERIFY", message));
    EXPECT_TRUE(Peer::verify(QStringList(), "VERIFY", message));
    EXPECT_TRUE(Peer::verify(QStringList({good}), "GDF", message))
        << "the base reader accepts readable files";
    EXPECT_FALSE(Peer::verify(QStringList({good, missing}), "GDF", message));
    EXPECT_TRUE(message.isEmpty());
    EXPECT_THROW(Peer::verify(QStringList({good}), "NOT_REGISTERED", message), std::runtime_error);
}

} // namespace
