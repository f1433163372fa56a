#include "TestApplication.h"
#include "housekeeping/ErrorProtocol.h"
#include "utilities/Exception.h"
#include "utilities/InvalidPath.h"
#include "utilities/SystemPaths.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace quarro;
using quarro::housekeeping::ErrorProtocol;

namespace {

std::string log_text(Exception const& e) {
    std::ostringstream os;
    e.log_information(os);
    return os.str();
}

} // namespace

TEST(UrlUtilities, LocalPathsSurviveTheRoundTrip) {
    QStringList const paths = {
        QStringLiteral("/data/wells/a.las"),
        QStringLiteral("/data/my wells/well 1.las"),
        QString::fromUtf8("/data/g\xc3\xa9ologie/\xc3\xb1\xc3\xbc \xe5\x9c\xb0.qro"),
        QStringLiteral("/data/100%/x#1?.txt"),
    };
    for (QString const& path : paths) {
        std::string const url = utilities::filesystem_to_url(path);
        EXPECT_EQ(0u, url.rfind("file:///", 0)) << url;
        EXPECT_EQ(path, utilities::url_to_filesystem(url)) << url;
        EXPECT_EQ(QFileInfo(path).fileName().toStdString(), utilities::file_from_url(url));
    }
}

TEST(UrlUtilities, UrlsAreWrittenAsQtWritesThemInUtf8) {
    EXPECT_EQ("file:///data/my wells/a.las",
              utilities::filesystem_to_url(QStringLiteral("/data/my wells/a.las")));
    EXPECT_EQ("file:///data/g\xc3\xa9o.las",
              utilities::filesystem_to_url(QString::fromUtf8("/data/g\xc3\xa9o.las")));
    // Characters that would change a URL's meaning stay escaped.
    EXPECT_EQ("file:///data/x%23y%25.las",
              utilities::filesystem_to_url(QStringLiteral("/data/x#y%.las")));
    // Escaped forms written by other programs are read as well.
    EXPECT_EQ(QString::fromUtf8("/data/g\xc3\xa9o a.las"),
              utilities::url_to_filesystem("file:///data/g%C3%A9o%20a.las"));
    EXPECT_TRUE(utilities::filesystem_to_url(QString()).empty());

    utilities::UrlList const urls = utilities::filesystem_to_url(
        QStringList{QStringLiteral("/b/2.txt"), QStringLiteral("/a/1.txt")});
    ASSERT_EQ(2u, urls.size());
    EXPECT_EQ("file:///b/2.txt", urls[0]);
    EXPECT_EQ("file:///a/1.txt", urls[1]);
}

TEST(UrlUtilities, BarePathsAreTakenAsTheyAre) {
    for (char const* bare :
         {"/data/a b%20c#d.las", "relative/dir/x.las", "C:/data/x.las", "x.las"}) {
        EXPECT_EQ(QString::fromUtf8(bare), utilities::url_to_filesystem(bare)) << bare;
    }
    EXPECT_EQ(QString::fromUtf8("/data/\xc3\xa9t\xc3\xa9.las"),
              utilities::url_to_filesystem("/data/\xc3\xa9t\xc3\xa9.las"));
    EXPECT_EQ("x.las", utilities::file_from_url("relative/dir/x.las"));
    // Other schemes name no local file.
    EXPECT_TRUE(utilities::url_to_filesystem("http://example.com/a.las").isEmpty());
    EXPECT_TRUE(utilities::url_to_filesystem("").isEmpty());
    EXPECT_TRUE(utilities::file_from_url("file:///data/folder/").empty());
}

TEST(Exception, LogTextNamesCodeMessageAndPositions) {
    ErrorProtocol::instance().clear();
    Exception e(42, "the reader gave up", "import/src/Reader", 17);
    EXPECT_FALSE(e.is_caught());

    std::string const thrown = log_text(e);
    EXPECT_NE(std::string::npos, thrown.find("42"));
    EXPECT_NE(std::string::npos, thrown.find("the reader gave up"));
    EXPECT_NE(std::string::npos, thrown.find("import/src/Reader:17"));
    EXPECT_EQ(std::string::npos, thrown.find("caught"));
    EXPECT_EQ('\n', thrown.back());

    e.caught_here("import/src/Loader", 99);
    std::string const caught = log_text(e);
    EXPECT_NE(std::string::npos, caught.find("import/src/Loader:99"));
    EXPECT_EQ('\n', caught.back());

    // caught_here wrote the same text into the protocol, line by line.
    QStringList const lines = ErrorProtocol::instance().lines();
    EXPECT_EQ(QString::fromStdString(caught).trimmed().split(QLatin1Char('\n')), lines);

    // Copies keep everything, including the catch position.
    Exception copy(1, "other", nullptr, 0);
    copy = e;
    EXPECT_EQ(caught, log_text(copy));
    EXPECT_STREQ("the reader gave up", copy.what());
}

TEST(Exception, SubclassThrownInTheHostIsCaughtByBaseTypeHere) {
    ErrorProtocol::instance().clear();
    utilities::SystemPaths::instance().set_user_documents_path(
        QDir(test::scratchDirectory()).filePath(QStringLiteral("no such folder")));
    bool caught = false;
    try {
        utilities::SystemPaths::instance().user_documents_path();
    } catch (Exception& e) {
        caught = true;
        EXPECT_NE(nullptr, dynamic_cast<utilities::InvalidPath*>(&e));
        EXPECT_EQ(utilities::InvalidPath::error_code, e.code());
        EXPECT_NE(std::string::npos, e.message().find("no such folder"));
        e.caught_here("tests/host_housekeeping/UtilitiesTest", 1);
    }
    EXPECT_TRUE(caught);
    EXPECT_TRUE(ErrorProtocol::instance().lines().join('\n').contains(
        QStringLiteral("tests/host_housekeeping/UtilitiesTest:1")));
    utilities::SystemPaths::instance().set_user_documents_path(QString());
}

TEST(SystemPaths, DocumentsFolderIsAUrlOfAnExistingFolder) {
    utilities::SystemPaths& paths = utilities::SystemPaths::instance();
    QString const folder = QDir(test::scratchDirectory()).filePath(QStringLiteral("my documents"));
    ASSERT_TRUE(QDir().mkpath(folder));
    paths.set_user_documents_path(folder);
    std::string const url = paths.user_documents_path();
    EXPECT_EQ(folder, utilities::url_to_filesystem(url));

    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_THROW(paths.user_documents_path(), utilities::InvalidPath);
    paths.set_user_documents_path(QString());

    QString const data = paths.application_data_path();
    EXPECT_FALSE(data.isEmpty());
    EXPECT_TRUE(QFileInfo(data).isDir());
}

TEST(ErrorProtocol, KeepsWhatWasLoggedAndAppendsItToTheLogFile) {
    ErrorProtocol& protocol = ErrorProtocol::instance();
    protocol.clear();
    QString const file = QDir(test::scratchDirectory()).filePath(QStringLiteral("quarro.log"));
    ASSERT_TRUE(protocol.set_log_file(file));
    EXPECT_EQ(file, protocol.log_file());

    protocol.log_assert("parent", "void f(QWidget*)", "import/src/ImportManager", 243);
    protocol.log_message("first line\nsecond line\n");
    protocol.log_message("");

    QStringList const expected = {
        QStringLiteral(
            "ASSERT \"parent\" failed in void f(QWidget*) (import/src/ImportManager:243)"),
        QStringLiteral("first line"), QStringLiteral("second line"), QString()};
    EXPECT_EQ(expected, protocol.lines());

    // The file is flushed line by line, so it can be read while the log is still open.
    QFile log(file);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly | QIODevice::Text));
    EXPECT_EQ(expected.join(QLatin1Char('\n')) + QLatin1Char('\n'),
              QString::fromUtf8(log.readAll()));

    protocol.clear();
    EXPECT_TRUE(protocol.lines().isEmpty());
    EXPECT_TRUE(protocol.set_log_file(QString()));
    protocol.log_message("not in the file");
    log.seek(0);
    EXPECT_FALSE(QString::fromUtf8(log.readAll()).contains(QStringLiteral("not in the file")));

    // A log file that cannot be opened is refused with a reason in the log.
    EXPECT_FALSE(
        protocol.set_log_file(QDir(test::scratchDirectory()).filePath("missing/dir/x.log")));
    EXPECT_TRUE(protocol.lines().last().startsWith(QStringLiteral("Cannot open the log file")));
    EXPECT_TRUE(protocol.log_file().isEmpty());
    protocol.log_assert(nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(QStringLiteral("ASSERT \"<unknown>\" failed in <unknown> (<unknown>:0)"),
              protocol.lines().last());
}

TEST(ErrorProtocol, LogsFromSeveralThreadsAtOnce) {
    ErrorProtocol& protocol = ErrorProtocol::instance();
    protocol.clear();
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([t] {
            for (int i = 0; i < 200; ++i) {
                ErrorProtocol::instance().log_message("writer " + std::to_string(t) + " line " +
                                                      std::to_string(i));
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    QStringList const lines = protocol.lines();
    ASSERT_EQ(800, lines.size());
    // Each writer's lines stay whole and in its own order.
    for (int t = 0; t < 4; ++t) {
        QStringList const own = lines.filter(QStringLiteral("writer %1 ").arg(t));
        ASSERT_EQ(200, own.size());
        EXPECT_EQ(QStringLiteral("writer %1 line 199").arg(t), own.last());
    }
}
