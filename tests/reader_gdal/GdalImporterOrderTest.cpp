// The GDAL reader among the project's own readers: the import manager offers it last, so a file
// that a hand-written reader takes still goes to that reader.
#include "ImportManagerTestPeer.h"

#include "AbstractFileReaderFactory.h"
#include "base/brkDestructor.h"

#include <QDir>
#include <QLibrary>
#include <gtest/gtest.h>

namespace {

using namespace quarro;

class Shutdown : public ::testing::Environment {
public:
    void TearDown() override { brkBase::brkDestructor::destroy_all(); }
};
::testing::Environment* const shutdown = ::testing::AddGlobalTestEnvironment(new Shutdown);

TEST(GdalImporterOrder, ComesAfterEveryHandWrittenReader) {
    QDir const folder(QStringLiteral(QUARRO_PLUGIN_DIR));
    int loaded = 0;
    for (QString const& file : folder.entryList({QStringLiteral("quarro_reader_*")}, QDir::Files)) {
        QLibrary plugin(folder.filePath(file));
        ASSERT_TRUE(plugin.load()) << plugin.errorString().toStdString();
        ++loaded;
    }
    std::vector<std::string> keys = import::AbstractFileReaderFactory::products();
    ASSERT_GE(loaded, 3);
    ASSERT_NE(keys.end(), std::find(keys.begin(), keys.end(), "GDAL"));
    ASSERT_NE(keys.end(), std::find(keys.begin(), keys.end(), "DEMRaster"));

    // The order of the file dialogs' filter list, from which the user picks an importer.
    std::vector<std::string> const order = import::ImportManagerTestPeer::sorted(keys);
    EXPECT_EQ("GDAL", order.back());
    std::string const filter = import::AbstractFileReaderFactory::create("GDAL")->file_filter();
    std::string const& filters = import::ImportManagerTestPeer::filters();
    EXPECT_EQ(filters.size() - filter.size(), filters.rfind(filter));
}

} // namespace
