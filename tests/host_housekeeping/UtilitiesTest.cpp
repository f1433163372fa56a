#include "TestApplication.h"
#include "housekeeping/ErrorProtocol.h"
#include "utilities/Exception.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

QString scratch(char const* name) {
    return QDir(test::scratchDirectory()).filePath(QString::fromUtf8(name));
}

} // namespace

TEST(UrlUtilities, PathsAndUrlsConvertBothWays) {
    // Local paths survive the round trip, whatever they hold.
    for (char const* path :
         {"/data/my wells/well 1.las", "/data/g\xc3\xa9ologie/\xc3\xb1\xc3\xbc \xe5\x9c\xb0.qro",
          "/data/100%/x#1?.txt"}) {
        std::string const url = utilities::filesystem_to_url(QString::fromUtf8(path));
        EXPECT_EQ(0u, url.rfind("file:///", 0)) << url;
        EXPECT_EQ(QString::fromUtf8(path), utilities::url_to_filesystem(url)) << url;
        EXPECT_EQ(QFileInfo(QString::fromUtf8(path)).fileName().toStdString(),
                  utilities::file_from_url(url));
    }
    // URLs are written as Qt writes them, in UTF-8; characters that would change a URL's meaning
    // stay escaped.
    struct Written {
        char const* path;
        char const* url;
    };
    for (Written const& w :
         {Written{"/data/my wells/a.las", "file:///data/my wells/a.las"},
          Written{"/data/g\xc3\xa9o.las", "file:///data/g\xc3\xa9o.las"},
          Written{"/data/x#y%.las", "file:///data/x%23y%25.las"}, Written{"", ""}}) {
        EXPECT_EQ(w.url, utilities::filesystem_to_url(QString::fromUtf8(w.path)));
    }
    EXPECT_EQ((utilities::UrlList{"file:///b/2.txt", "file:///a/1.txt"}),
              utilities::filesystem_to_url(
                  QStringList{QStringLiteral("/b/2.txt"), QStringLiteral("/a/1.txt")}));
    // Escaped forms written by other programs are read; bare paths are taken as they are; other
    // schemes name no local file.
    for (auto const& url_path :
         {std::make_pair("file:///data/g%C3%A9o%20a.las", "/data/g\xc3\xa9o a.las"),
          std::make_pair("/data/a b%20c#d.las", "/data/a b%20c#d.las"),
          std::make_pair("relative/x.las", "relative/x.las"),
          std::make_pair("http://example.com/a.las", "")}) {
        EXPECT_EQ(QString::fromUtf8(url_path.second), utilities::url_to_filesystem(url_path.first))
            << url_path.first;
    }
    EXPECT_EQ("x.las", utilities::file_from_url("relative/dir/x.las"));
    EXPECT_TRUE(utilities::file_from_url("file:///data/folder/").empty());
}

TEST(Exception, LogTextNamesCodeMessageAndPositions) {
    ErrorProtocol::instance().clear();
    Exception e(42, "the reader gave up", "import/src/Reader", 17);
    std::string const thrown = log_text(e);
    for (char const* part : {"42", "the reader gave up", "import/src/Reader:17"}) {
        EXPECT_NE(std::string::npos, thrown.find(part)) << part;
    }
    EXPECT_EQ(std::string::npos, thrown.find("caught"));
    e.caught_here("import/src/Loader", 99);
    std::string const caught = log_text(e);
    EXPECT_NE(std::string::npos, caught.find("import/src/Loader:99"));
    EXPECT_EQ('\n', caught.back());
    // caught_here wrote the same text into the protocol, line by line.
    EXPECT_EQ(QString::fromStdString(caught).trimmed().split(QLatin1Char('\n')),
              ErrorProtocol::instance().lines());
    EXPECT_STREQ("the reader gave up", e.what());
}

TEST(ErrorProtocol, KeepsWhatWasLoggedAndAppendsItToTheLogFile) {
    ErrorProtocol& protocol = ErrorProtocol::instance();
    protocol.clear();
    QString const file = scratch("quarro.log");
    QFile::remove(file); // the log file is appended to
    ASSERT_TRUE(protocol.set_log_file(file));
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
    EXPECT_TRUE(protocol.set_log_file(QString()));
    protocol.log_message("not in the file");
    log.seek(0);
    EXPECT_FALSE(QString::fromUtf8(log.readAll()).contains(QStringLiteral("not in the file")));
    // A log file that cannot be opened is refused with a reason in the log.
    EXPECT_FALSE(protocol.set_log_file(scratch("missing/dir/x.log")));
    EXPECT_TRUE(protocol.lines().last().startsWith(QStringLiteral("Cannot open the log file")));
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
    ASSERT_EQ(800, protocol.lines().size());
    // Each writer's lines stay whole and in its own order.
    for (int t = 0; t < 4; ++t) {
        QStringList const own = protocol.lines().filter(QStringLiteral("writer %1 ").arg(t));
        ASSERT_EQ(200, own.size());
        EXPECT_EQ(QStringLiteral("writer %1 line 199").arg(t), own.last());
    }
}
