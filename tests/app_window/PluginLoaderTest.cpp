// Loading reader plugins from folders: what is loaded, what is skipped and what the log says.
#include "PluginLoader.h"
#include "AbstractFileReaderFactory.h"
#include "AppTestFiles.h"
#include "housekeeping/ErrorProtocol.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quarro {
namespace test {
namespace {

TEST(AppPluginLoaderTest, FoldersOfTheProgramComeFirstThenThoseOfTheEnvironment) {
    QString const a = QFileInfo(scratchPath(QStringLiteral("env/a/x"))).path();
    QString const b = QFileInfo(scratchPath(QStringLiteral("env/b/x"))).path();
    QChar const separator = QDir::listSeparator();
    qputenv("QUARRO_PLUGIN_PATH",
            (a + separator + separator + b + "/" + separator + a).toLocal8Bit());
    EXPECT_EQ(app::PluginLoader::plugin_folders(QStringLiteral("/opt/quarro/bin")),
              (QStringList{"/opt/quarro/bin/plugins", "/opt/quarro/lib/quarro/plugins", a, b}));
}

TEST(AppPluginLoaderTest, LoadsLibrariesSkipsBrokenOnesAndTwinsAndLogsWhy) {
    auto const registered = [] {
        std::vector<std::string> const keys = import::AbstractFileReaderFactory::products();
        return std::count(keys.begin(), keys.end(), "APPTEST");
    };
    housekeeping::ErrorProtocol::instance().clear();
    QDir const first(
        QFileInfo(writeScratchFile(QStringLiteral("load/first/broken.so"), "no ELF")).path());
    QDir const second(QFileInfo(scratchPath(QStringLiteral("load/second/x"))).path());
    writeScratchFile(QStringLiteral("load/first/README.txt"), "no ELF");
    // The same plugin in a later folder would register its key twice; under another file name
    // it is loaded, and its key refused without ending the process.
    QString const plugin = QStringLiteral(APP_TEST_PLUGIN_DIR "/app_test_reader_plugin.so");
    for (QString const& copy :
         {first.filePath("app_test_reader_plugin.so"), second.filePath("app_test_reader_plugin.so"),
          second.filePath("twin.so")}) {
        ASSERT_TRUE(QFile::copy(plugin, copy));
    }
    EXPECT_EQ(registered(), 0);
    app::PluginLoader loader;
    EXPECT_EQ(loader.load_folders({first.path(), first.filePath("gone"), second.path()}), 1);
    EXPECT_EQ(registered(), 1);
    EXPECT_EQ(loader.loaded(), QStringList{first.filePath("app_test_reader_plugin.so")});
    EXPECT_EQ(loader.failed(), (QStringList{first.filePath("broken.so"),
                                            second.filePath("app_test_reader_plugin.so"),
                                            second.filePath("twin.so")}));
    QStringList const log = housekeeping::ErrorProtocol::instance().lines();
    for (QString const& line :
         {QStringLiteral("Cannot load reader plugin '%1'").arg(first.filePath("broken.so")),
          QStringLiteral("Loaded reader plugin"), QStringLiteral("is loaded already"),
          QStringLiteral("Reader plugin '%1' skipped: 'APPTEST' (AbstractFileReaderFactory) "
                         "registered already")
              .arg(second.filePath("twin.so")),
          QStringLiteral("Registration of 'APPTEST' with AbstractFileReaderFactory refused")}) {
        EXPECT_EQ(log.filter(line).size(), 1) << line.toStdString() << "\n"
                                              << log.join('\n').toStdString();
    }
    EXPECT_TRUE(log.filter(QStringLiteral("README")).isEmpty());

    // A plugin that misses a symbol is refused while it loads, saying which.
    housekeeping::ErrorProtocol::instance().clear();
    EXPECT_FALSE(loader.load_file(QStringLiteral(APP_TEST_UNRESOLVED_PLUGIN)));
    EXPECT_EQ(loader.failed().last(), QStringLiteral(APP_TEST_UNRESOLVED_PLUGIN));
    QStringList const refused = housekeeping::ErrorProtocol::instance().lines();
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(
        refused.first().contains(QStringLiteral("quarro_app_test_function_nobody_defines")));
    // Loading the same file again changes nothing.
    EXPECT_FALSE(loader.load_file(loader.loaded().first()));
    EXPECT_EQ(loader.loaded().size(), 1);
}

} // namespace
} // namespace test
} // namespace quarro
