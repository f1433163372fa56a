// A reader that lives in a plugin library: registered by loading the library, made by key from
// here, and its exception caught by type on this side of the library border.
#include "AbstractFileReaderFactory.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentId.h"
#include "ImportException.h"
#include "utilities/Exception.h"
#include "utilities/UrlUtilities.h"

#include "TestApplication.h"

#include <QFile>
#include <QLibrary>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace quarro;
using import::AbstractFileReader;
using import::AbstractFileReaderFactory;

bool isRegistered(std::string const& key) {
    auto const keys = AbstractFileReaderFactory::products();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

QString writeFile(QString const& name, QByteArray const& content) {
    QString const path = test::scratchDirectory() + QLatin1Char('/') + name;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}

TEST(ReaderPlugin, RegistersOnLoadAndThrowsAcrossTheLibraryBorder) {
    EXPECT_FALSE(isRegistered("PLUGIN"));
    QLibrary plugin(QStringLiteral(QUARRO_TEST_PLUGIN));
    ASSERT_TRUE(plugin.load()) << plugin.errorString().toStdString();
    ASSERT_TRUE(isRegistered("PLUGIN"));

    boost::shared_ptr<AbstractFileReader> reader = AbstractFileReaderFactory::create("PLUGIN");
    ASSERT_TRUE(reader);
    EXPECT_EQ("Plugin files (*.plg)", reader->file_filter());
    EXPECT_EQ(std::vector<std::string>{"plg"}, reader->supported_extentions());

    QString message;
    std::string const good = utilities::filesystem_to_url(writeFile("a.plg", "PLUGIN data"));
    EXPECT_EQ(std::bitset<4>("1001"), reader->verify(good, message));
    EXPECT_TRUE(message.isEmpty());
    std::string const bad = utilities::filesystem_to_url(writeFile("b.plg", "something else"));
    EXPECT_EQ(std::bitset<4>(), reader->verify(bad, message));
    EXPECT_EQ("not a plugin file", message);

    // Caught by its own type and by the host's base type alike.
    try {
        reader->import_data({}, {}, false, nullptr, false);
        FAIL() << "the plugin reader should throw";
    } catch (import::ImportException const& e) {
        EXPECT_EQ(42u, e.code());
        EXPECT_EQ("a.plg", e.file_name());
    }
    try {
        reader->import_data({}, {}, false, nullptr, false);
    } catch (quarro::Exception const& e) {
        EXPECT_STREQ("plugin reader failed", e.what());
        EXPECT_NE(nullptr, dynamic_cast<import::ImportException const*>(&e));
    }
    // The library stays loaded: its factory must outlive every lookup.
}

} // namespace
