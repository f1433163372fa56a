// The base reader's verification, HTML summary and counters.
#include "FakeFileReader.h"
#include "utilities/UrlUtilities.h"

#include "TestApplication.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using namespace quarro;

struct Plain {
    static constexpr char const* text = "Plain (*.dat)";
};
using Reader = test::FakeFileReader<Plain>;

// The URL of a new scratch file of that content.
std::string fileUrl(QString const& name, QByteArray const& content) {
    QString const path = test::scratchDirectory() + QLatin1Char('/') + name;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return utilities::filesystem_to_url(path);
}

TEST(ReaderVerify, ReadableFilesOfAnyContentGiveTheReadableBitOnly) {
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) {
        binary.append(static_cast<char>(i % 256));
    }
    std::pair<std::string, unsigned long> const cases[] = {
        {fileUrl("empty.dat", QByteArray()), 8},
        {fileUrl("binary.dat", binary), 8},
        {fileUrl(QStringLiteral("bohrloch-\u00e4\u00f6.dat"), "x"), 8},
        {test::dataFile("asc/hugo_site.asc").toStdString(), 8}, // a bare path works too
        {utilities::filesystem_to_url(test::scratchDirectory() + "/no-such-file.dat"), 0},
        {utilities::filesystem_to_url(test::scratchDirectory()), 0},
        {"", 0},
    };
    for (auto const& [url, bits] : cases) {
        QString message = QStringLiteral("untouched");
        EXPECT_EQ(std::bitset<4>(bits), Reader().verify(url, message)) << url;
        EXPECT_EQ("untouched", message) << "the base reader never writes a message";
    }
}

TEST(ReaderSummary, SuccessFailureAndCommentBuildTheHtmlInOrder) {
    Reader reader;
    reader.register_success("a.dat");
    reader.register_failure("b.dat", "no header");
    reader.register_comment("done");
    reader.register_failure("c.dat", "bad units\n");
    EXPECT_EQ(QString("a.dat: <b>OK</b><br />\n"
                      "b.dat: <b><font color='red'>Failed</font></b><br />no header"
                      "<br />\ndone<br />\n"
                      "c.dat: <b><font color='red'>Failed</font></b><br />bad units\n"),
              reader.import_summary());
    EXPECT_EQ(1, reader.successes());
    EXPECT_EQ(2, reader.failures());
}

} // namespace
