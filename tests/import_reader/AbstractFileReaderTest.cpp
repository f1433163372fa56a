// The base reader's verification, HTML summary and counters.
#include "AbstractFileReader.h"
#include "FakeFileReader.h"
#include "housekeeping/DocumentId.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/PointSet.h"
#include "utilities/UrlUtilities.h"

#include "TestApplication.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using namespace quarro;

struct Plain {
    static constexpr char const* text = "Plain (*.dat)";
};
using Reader = test::FakeFileReader<Plain>;

std::bitset<4> const readable_only(8);

QString writeFile(QString const& name, QByteArray const& content) {
    QString const path = test::scratchDirectory() + QLatin1Char('/') + name;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}

std::bitset<4> verifyPath(QString const& path, QString& message) {
    Reader reader;
    return reader.verify(utilities::filesystem_to_url(path), message);
}

TEST(ReaderVerify, ReadableFilesOfAnyContentGiveBit3Only) {
    QString message = QStringLiteral("untouched");

    EXPECT_EQ(readable_only, verifyPath(writeFile("empty.dat", QByteArray()), message));

    QByteArray binary;
    for (int i = 0; i < 4096; ++i) {
        binary.append(static_cast<char>(i % 256));
    }
    EXPECT_EQ(readable_only, verifyPath(writeFile("binary.dat", binary), message));

    EXPECT_EQ(readable_only, verifyPath(test::dataFile("las/sample_2.0.las"), message));
    EXPECT_EQ(readable_only, verifyPath(test::dataFile("grdecl/CP.GRDECL"), message));

    // A bare local path is taken as well as a file URL.
    Reader reader;
    EXPECT_EQ(readable_only, reader.verify(test::dataFile("asc/hugo_site.asc").toStdString(), message));

    // Names outside ASCII travel as UTF-8.
    EXPECT_EQ(readable_only, verifyPath(writeFile(QStringLiteral("bohrloch-\u00e4\u00f6.dat"), "x"), message));

    EXPECT_EQ("untouched", message) << "the base reader never writes a message";
}

TEST(ReaderVerify, MissingFilesAndFoldersGiveNoBits) {
    QString message = QStringLiteral("untouched");
    EXPECT_EQ(std::bitset<4>(), verifyPath(test::scratchDirectory() + "/no-such-file.dat", message));
    EXPECT_EQ(std::bitset<4>(), verifyPath(test::scratchDirectory(), message));
    Reader reader;
    EXPECT_EQ(std::bitset<4>(), reader.verify("", message));
    EXPECT_EQ(std::bitset<4>(), reader.verify("file:///no/such/folder/a.dat", message));
    EXPECT_EQ("untouched", message);
}

TEST(ReaderSummary, SuccessFailureAndCommentBuildTheHtmlInOrder) {
    Reader reader;
    reader.register_success("a.dat");
    reader.register_failure("b.dat", "no header");
    reader.register_comment("done");

    EXPECT_EQ(QString("a.dat: <b>OK</b><br />\n"
                      "b.dat: <b><font color='red'>Failed</font></b><br />no header"
                      "<br />\ndone<br />\n"),
              reader.import_summary());
    EXPECT_EQ(1, reader.successes());
    EXPECT_EQ(1, reader.failures());

    reader.register_failure("c.dat", "bad units\n");
    reader.register_success("d.dat");
    EXPECT_TRUE(reader.import_summary().endsWith("Failed</font></b><br />bad units\nd.dat: <b>OK</b><br />\n"));
    EXPECT_EQ(2, reader.successes());
    EXPECT_EQ(2, reader.failures());
}

TEST(ReaderDefaults, ExtensionsWizardAndDocumentSize) {
    Reader reader;
    EXPECT_EQ(std::vector<std::string>{"dat"}, reader.supported_extentions());
    EXPECT_TRUE(reader.import_summary().isEmpty());
    EXPECT_EQ(nullptr, reader.wizard());

    // A document that does not exist has no objects.
    EXPECT_EQ(0u, reader.document_size(housekeeping::DocumentId::null()));
    auto& documents = housekeeping::DocumentManager::instance();
    housekeeping::DocumentId const id = documents.create_document();
    EXPECT_EQ(0u, reader.document_size(id));
    auto* document = dynamic_cast<housekeeping::Document*>(documents.document_from_id(id));
    ASSERT_NE(nullptr, document);
    document->add_object(boost::shared_ptr<model::GeoObject>(new model::PointSet));
    document->add_object(boost::shared_ptr<model::GeoObject>(new model::PointSet));
    EXPECT_EQ(2u, reader.document_size(id)) << "the size counts the document's objects";
    documents.destroy_document(id, true, true, false, housekeeping::DocumentId::null());
    EXPECT_EQ(0u, reader.document_size(id));
}

} // namespace
