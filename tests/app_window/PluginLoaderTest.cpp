// Loading reader plugins from folders: what is loaded, what is skipped and what the log says.
#include "PluginLoader.h"
#include "StartedApp.h"
#include "TestApplication.h"
#include "housekeeping/ErrorProtocol.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace quarro {
namespace test {
namespace {

QString folder(QString const& name) {
    QString const path = QDir(scratchDirectory()).filePath(name);
    QDir().mkpath(path);
    return path;
}

void write(QString const& path, QByteArray const& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

TEST(AppPluginLoaderTest, FoldersOfTheProgramComeFirstThenThoseOfTheEnvironment) {
    QString const a = folder(QStringLiteral("env/a"));
    QString const b = folder(QStringLiteral("env/b"));
    qputenv("QUARRO_PLUGIN_PATH", (a + QDir::listSeparator() + QDir::listSeparator() + b + "/" +
                                   QDir::listSeparator() + a)
                                      .toLocal8Bit());
    EXPECT_EQ(app::PluginLoader::plugin_folders(QStringLiteral("/opt/quarro/bin")),
              (QStringList{"/opt/quarro/bin/plugins", "/opt/quarro/lib/quarro/plugins", a, b}));
    qunsetenv("QUARRO_PLUGIN_PATH");
    EXPECT_EQ(app::PluginLoader::plugin_folders(QStringLiteral("/opt/quarro/bin")),
              (QStringList{"/opt/quarro/bin/plugins", "/opt/quarro/lib/quarro/plugins"}));
}

TEST(AppPluginLoaderTest, LoadsLibrariesSkipsBrokenOnesAndTwinsAndLogsWhy) {
    housekeeping::ErrorProtocol::instance().clear();
    QString const first = folder(QStringLiteral("load/first"));
    QString const second = folder(QStringLiteral("load/second"));
    QString const plugin = QDir(QStringLiteral(APP_TEST_PLUGIN_DIR))
                               .filePath(QStringLiteral("app_test_reader_plugin.so"));
    ASSERT_TRUE(QFileInfo(plugin).isFile());
    ASSERT_TRUE(
        QFile::copy(plugin, QDir(first).filePath(QStringLiteral("app_test_reader_plugin.so"))));
    // The same plugin in a later folder would register its key twice.
    ASSERT_TRUE(
        QFile::copy(plugin, QDir(second).filePath(QStringLiteral("app_test_reader_plugin.so"))));
    // Under another file name it is loaded, and its key refused without ending the process.
    ASSERT_TRUE(QFile::copy(plugin, QDir(second).filePath(QStringLiteral("twin.so"))));
    write(QDir(first).filePath(QStringLiteral("broken.so")), "no ELF here");
    write(QDir(first).filePath(QStringLiteral("README.txt")), "not a library at all");

    EXPECT_FALSE(registered("APPTEST"));
    app::PluginLoader loader;
    EXPECT_EQ(
        loader.load_folders({first, folder(QStringLiteral("load/missing")) + "/gone", second}), 1);
    EXPECT_TRUE(registered("APPTEST"));
    EXPECT_EQ(loader.loaded(),
              QStringList{QDir(first).filePath(QStringLiteral("app_test_reader_plugin.so"))});
    EXPECT_EQ(loader.failed(),
              (QStringList{QDir(first).filePath(QStringLiteral("broken.so")),
                           QDir(second).filePath(QStringLiteral("app_test_reader_plugin.so")),
                           QDir(second).filePath(QStringLiteral("twin.so"))}));

    QStringList const log = housekeeping::ErrorProtocol::instance().lines();
    EXPECT_EQ(
        log.filter(QStringLiteral("Cannot load reader plugin '%1/broken.so'").arg(first)).size(), 1)
        << log.join('\n').toStdString();
    EXPECT_EQ(log.filter(QStringLiteral("Loaded reader plugin")).size(), 1);
    EXPECT_EQ(log.filter(QStringLiteral("is loaded already")).size(), 1);
    EXPECT_EQ(log.filter(QStringLiteral("Reader plugin '%1/twin.so' skipped: 'APPTEST' "
                                        "(AbstractFileReaderFactory) registered already")
                             .arg(second))
                  .size(),
              1);
    EXPECT_EQ(log.filter(QStringLiteral("Registration of 'APPTEST' with AbstractFileReaderFactory "
                                        "refused"))
                  .size(),
              1);
    EXPECT_TRUE(log.filter(QStringLiteral("README")).isEmpty());

    // A plugin that misses a symbol is refused while it loads, saying which.
    housekeeping::ErrorProtocol::instance().clear();
    EXPECT_FALSE(loader.load_file(QStringLiteral(APP_TEST_UNRESOLVED_PLUGIN)));
    EXPECT_EQ(loader.failed().last(), QStringLiteral(APP_TEST_UNRESOLVED_PLUGIN));
    QStringList const refused = housekeeping::ErrorProtocol::instance().lines();
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused.first().contains(QStringLiteral("quarro_app_test_function_nobody_defines")))
        << refused.first().toStdString();

    // Loading the same file again changes nothing.
    EXPECT_FALSE(loader.load_file(loader.loaded().first()));
    EXPECT_EQ(loader.loaded().size(), 1);
}

} // namespace
} // namespace test
} // namespace quarro
