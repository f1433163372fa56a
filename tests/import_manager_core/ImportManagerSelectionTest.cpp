// The importer order, the file dialogs' filter list, the filter and extension indexes and the
// verification of files, for a set of readers like a full installation registers.
#include "ImportManagerTestPeer.h"
#include "ManagerTestReaders.h"
#include "StartedHost.h"
#include "TestApplication.h"

#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using namespace quarro;
using import::AbstractFileReaderFactory;
using import::ConcreteProductFactory;
using Peer = import::ImportManagerTestPeer;
using Pairs = std::vector<std::pair<std::string, std::string>>;
using Keys = std::vector<std::string>;

struct Qro {
    static constexpr char const* text = "QRO Format (*.qro *.quarro *.qroz)";
    static Keys extensions() { return {"qro", "quarro", "qroz"}; }
};
struct Pettrans {
    static constexpr char const* text = "Petrel Transfer (*.pet)";
};
struct Vbl {
    static constexpr char const* text = "VBL Files (*.vbl)";
    static Keys extensions() { return {"vbl", "dat"}; }
};
struct Gdf {
    static constexpr char const* text = "GDF Files (*.gdf)";
};
// ABC sorts last by its filter text, XYZ first.
struct Zmap {
    static constexpr char const* text = "Zmap grids (*.zmp)";
};
struct Ascii {
    static constexpr char const* text = "ASCII points (*.xyz)";
    static Keys extensions() { return {"xyz", "dat"}; }
};
struct ZmapAgain {
    static constexpr char const* text = "Zmap grids (*.zmp)";
    static Keys extensions() { return {"zmp"}; }
};
struct Checker {
    static constexpr char const* text = "Checker boards (*.chk)";
};
struct Chec {
    static constexpr char const* text = "Chec";
};

// Registered in this order (one translation unit initialises its statics in order).
ConcreteProductFactory<AbstractFileReaderFactory, test::ListedReader<Qro>> qro_factory("QRO");
ConcreteProductFactory<AbstractFileReaderFactory, test::FakeFileReader<Pettrans>>
    pettrans_factory("PETTRANS");
ConcreteProductFactory<AbstractFileReaderFactory, test::ListedReader<Vbl>> vbl_factory("VBL");
ConcreteProductFactory<AbstractFileReaderFactory, test::FakeFileReader<Gdf>> gdf_factory("GDF");
ConcreteProductFactory<AbstractFileReaderFactory, test::FakeFileReader<Zmap>> abc_factory("ABC");
ConcreteProductFactory<AbstractFileReaderFactory, test::ListedReader<Ascii>> xyz_factory("XYZ");
ConcreteProductFactory<AbstractFileReaderFactory, test::ListedReader<ZmapAgain>> dup_factory("DUP");
ConcreteProductFactory<AbstractFileReaderFactory, test::FakeFileReader<Checker>>
    checker_factory("CHECKER");
ConcreteProductFactory<AbstractFileReaderFactory, test::FakeFileReader<Chec>> chec_factory("CHEC");
ConcreteProductFactory<AbstractFileReaderFactory, test::VerifyingReader> verify_factory("VERIFY");

// The manager as the host started it.
void start() {
    test::started_host();
}

TEST(ImportManagerSelection, OffersReadersInImporterOrder) {
    start();
    ASSERT_EQ(
        Keys({"QRO", "PETTRANS", "VBL", "GDF", "ABC", "XYZ", "DUP", "CHECKER", "CHEC", "VERIFY"}),
        AbstractFileReaderFactory::products());

    // "PETTRANS" is never offered, the "Check" readers are not, "Chec" is; DUP's text is ABC's.
    EXPECT_EQ("QRO Format (*.qro *.quarro *.qroz);;GDF Files (*.gdf);;VBL Files (*.vbl);;"
              "ASCII points (*.xyz);;Chec;;Zmap grids (*.zmp)",
              Peer::filters());
    EXPECT_EQ((std::map<std::string, std::string>{{"ASCII points (*.xyz)", "XYZ"},
                                                  {"Chec", "CHEC"},
                                                  {"GDF Files (*.gdf)", "GDF"},
                                                  {"QRO Format (*.qro *.quarro *.qroz)", "QRO"},
                                                  {"VBL Files (*.vbl)", "VBL"},
                                                  {"Zmap grids (*.zmp)", "ABC"}}),
              Peer::filter_keys());
    // The native importer's filter is preselected until a dialog chooses another.
    EXPECT_EQ(Qro::text, Peer::last_filter());
}

TEST(ImportManagerSelection, ImporterOrderPutsFixedKeysFirstThenSortsByFilterText) {
    start();
    EXPECT_EQ(Keys({"QRO", "GDF", "VBL", "XYZ", "ABC"}),
              Peer::sorted({"QRO", "PETTRANS", "VBL", "GDF", "ABC", "XYZ"}));
    EXPECT_EQ(Keys({"QRO", "GDF", "VBL", "XYZ", "CHEC", "VERIFY", "CHECKER", "ABC"}),
              Peer::sorted(AbstractFileReaderFactory::products()));

    // Fixed keys that are not there leave their places out.
    EXPECT_EQ(Keys({"VBL", "XYZ", "ABC"}), Peer::sorted({"ABC", "XYZ", "VBL"}));
    EXPECT_EQ(Keys({"GDF", "XYZ"}), Peer::sorted({"XYZ", "PETTRANS", "GDF"}));
    EXPECT_EQ(Keys({"XYZ", "CHEC", "ABC"}), Peer::sorted({"ABC", "CHEC", "XYZ"}));
    EXPECT_EQ(Keys(), Peer::sorted({"PETTRANS"}));
    EXPECT_EQ(Keys(), Peer::sorted({}));

    // Of two keys with the same filter text the first keeps it; a repeated key appears once.
    EXPECT_EQ(Keys({"ABC"}), Peer::sorted({"ABC", "DUP"}));
    EXPECT_EQ(Keys({"DUP"}), Peer::sorted({"DUP", "ABC"}));
    EXPECT_EQ(Keys({"QRO", "XYZ"}), Peer::sorted({"XYZ", "QRO", "XYZ", "QRO"}));
}

TEST(ImportManagerSelection, ImporterKeyLooksFilterTextsUpExactly) {
    start();
    EXPECT_EQ("QRO", Peer::importer_key(Qro::text));
    EXPECT_EQ("ABC", Peer::importer_key(Zmap::text));
    EXPECT_EQ("CHEC", Peer::importer_key("Chec"));
    EXPECT_EQ("XYZ", Peer::importer_key(Ascii::text));

    // Texts that are not offered, differ in case or are empty map to no importer.
    EXPECT_EQ("*.*", Peer::importer_key(Checker::text));
    EXPECT_EQ("*.*", Peer::importer_key(Pettrans::text));
    EXPECT_EQ("*.*", Peer::importer_key("qro format (*.qro *.quarro *.qroz)"));
    EXPECT_EQ("*.*", Peer::importer_key(""));
    EXPECT_EQ("*.*", Peer::importer_key("*.*"));
}

TEST(ImportManagerSelection, ExtensionIndexListsTheReaderRegisteredLastFirst) {
    start();
    EXPECT_EQ(Pairs({{"dat", "VERIFY"},
                     {"dat", "CHEC"},
                     {"dat", "CHECKER"},
                     {"dat", "XYZ"},
                     {"dat", "ABC"},
                     {"dat", "GDF"},
                     {"dat", "VBL"},
                     {"dat", "PETTRANS"},
                     {"qro", "QRO"},
                     {"qroz", "QRO"},
                     {"quarro", "QRO"},
                     {"vbl", "VBL"},
                     {"xyz", "XYZ"},
                     {"zmp", "DUP"}}),
              Peer::extension_keys());
}

class ImportManagerVerify : public ::testing::Test {
protected:
    void SetUp() override {
        start();
        test::VerifyingReader::asked().clear();
        made_before = test::VerifyingReader::made();
    }
    int readers_made() const { return test::VerifyingReader::made() - made_before; }
    static std::string url(QString const& path) { return utilities::filesystem_to_url(path); }

    int made_before = 0;
};

TEST_F(ImportManagerVerify, StopsAtTheFirstRejectedFile) {
    QStringList const files = {"/survey/first.vfy", "/survey/rejected second.vfy",
                               "/survey/third.vfy"};
    QString message = QStringLiteral("earlier: ");

    EXPECT_FALSE(Peer::verify(files, "VERIFY", message));
    EXPECT_EQ(Keys({url(files.at(0)), url(files.at(1))}), test::VerifyingReader::asked());
    EXPECT_EQ(2, readers_made());
    // The reason is added to what the message held.
    EXPECT_EQ(QStringLiteral("earlier: bad header"), message);
}

TEST_F(ImportManagerVerify, AcceptsFilesThatAreAcceptedOrReadable) {
    QStringList const files = {"/survey/first.vfy", "/survey/readable.vfy"};
    QString message;

    EXPECT_TRUE(Peer::verify(files, "VERIFY", message));
    EXPECT_EQ(Keys({url(files.at(0)), url(files.at(1))}), test::VerifyingReader::asked());
    // One reader per file.
    EXPECT_EQ(2, readers_made());
    EXPECT_TRUE(message.isEmpty());

    EXPECT_TRUE(Peer::verify(QStringLiteral("/survey/readable.vfy"), "VERIFY", message));
    EXPECT_FALSE(Peer::verify(QStringLiteral("/survey/rejected.vfy"), "VERIFY", message));
    EXPECT_EQ(QStringLiteral("bad header"), message);

    // An empty list needs no reader.
    made_before = test::VerifyingReader::made();
    EXPECT_TRUE(Peer::verify(QStringList(), "VERIFY", message));
    EXPECT_EQ(0, readers_made());
}

TEST_F(ImportManagerVerify, TheBaseReaderAcceptsFilesThatCanBeRead) {
    QString const present = QDir(test::scratchDirectory()).filePath("present.gdf");
    QFile file(present);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("GDF 1\n");
    file.close();
    QString const missing = QDir(test::scratchDirectory()).filePath("missing.gdf");

    QString message;
    EXPECT_TRUE(Peer::verify(QStringList({present}), "GDF", message));
    EXPECT_FALSE(Peer::verify(QStringList({present, missing}), "GDF", message));
    EXPECT_FALSE(Peer::verify(missing, "GDF", message));
}

TEST_F(ImportManagerVerify, AKeyWithoutReaderReachesTheCallerAsTheFactoryError) {
    QString message;
    try {
        Peer::verify(QStringList({"/survey/first.vfy"}), "NOT_REGISTERED", message);
        FAIL() << "no error for a key without a reader";
    } catch (std::runtime_error const& e) {
        std::string const what = e.what();
        EXPECT_NE(std::string::npos, what.find("'NOT_REGISTERED'")) << what;
        EXPECT_NE(std::string::npos, what.find("Please contact Brennick with a bug-report"))
            << what;
    }
    EXPECT_TRUE(message.isEmpty());
}

} // namespace
