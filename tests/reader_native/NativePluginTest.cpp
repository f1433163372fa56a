#include "AbstractFileReaderFactory.h"
#include "TestApplication.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/PolylineSet.h"
#include "model/Well.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <cmath>

using namespace quarro;

namespace {

// A document as the format's description has it, written without the writer.
QByteArray const handWritten = R"({
    "format": "quarro-document",
    "version": 1,
    "journal": "written by hand\n",
    "objects": [
        {"kind": "Well", "name": "W-9", "properties": [],
         "header": [{"mnemonic": "UWI", "unit": "", "value": "100/01", "description": ""}],
         "reference": {"x": 1000.5, "y": null, "datum": "KB", "elevation": 12},
         "index": {"mnemonic": "DEPT", "unit": "m", "description": "", "samples": [100, 100.5]},
         "curves": [{"mnemonic": "GR", "unit": "API", "description": "", "samples": [null, "-Infinity"]}]},
        {"kind": "PolylineSet", "name": "Outline", "properties": [["layer count", "1"]],
         "polylines": [{"layer": "L1", "closed": true, "points": [0, 0, 0, 1, 0, 0, 1, 1, "-0"]}]}
    ]
})";

void writeFile(QString const& path, QByteArray const& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The application loads the plugin and makes the readers by key; the plugin must carry the whole
// reader (this test links only the import library).
TEST(NativePlugin, RegistersBothKeysAndReadsDocuments) {
    QLibrary plugin(QStringLiteral(QUARRO_NATIVE_PLUGIN));
    ASSERT_TRUE(plugin.load()) << plugin.errorString().toStdString();
    std::vector<std::string> const keys = import::AbstractFileReaderFactory::products();
    EXPECT_NE(keys.end(), std::find(keys.begin(), keys.end(), "QRO"));
    EXPECT_NE(keys.end(), std::find(keys.begin(), keys.end(), "QUARRO"));

    auto const qro = import::AbstractFileReaderFactory::create("QRO");
    auto const quarroReader = import::AbstractFileReaderFactory::create("QUARRO");
    ASSERT_TRUE(qro);
    ASSERT_TRUE(quarroReader);
    EXPECT_EQ("QRO Format (*.qro *.quarro *.qroz)", qro->file_filter());
    EXPECT_EQ((std::vector<std::string>{"qro", "quarro", "qroz"}), qro->supported_extentions());
    // Kept out of the dialogs' filter lists, where "QRO" already offers *.quarro.
    EXPECT_EQ("Check", quarroReader->file_filter().substr(0, 5));
    EXPECT_EQ((std::vector<std::string>{"quarro", "qrod"}), quarroReader->supported_extentions());
    EXPECT_EQ("Quarro", qro->data_type());

    // The same document plain under the "QUARRO" key and compressed (as qCompress stores it)
    // under "QRO".
    QString const plain = QDir(test::scratchDirectory()).filePath(QStringLiteral("hand.quarro"));
    writeFile(plain, handWritten);
    QString const packed = QDir(test::scratchDirectory()).filePath(QStringLiteral("hand.qroz"));
    writeFile(packed, QByteArray("QROZ\r\n\x1a\n", 8) + qCompress(handWritten));

    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    for (auto const& [reader, path] :
         {std::make_pair(quarroReader, plain), std::make_pair(qro, packed)}) {
        SCOPED_TRACE(path.toStdString());
        std::string const url = utilities::filesystem_to_url(path);
        QString message;
        EXPECT_EQ(std::bitset<4>("1001"), reader->verify(url, message));
        housekeeping::DocumentId const id = manager.create_document();
        ASSERT_EQ(import::AbstractFileReader::IMPORT_OK,
                  reader->import_data(boost::make_shared<housekeeping::DataSource>(url, nullptr),
                                      id, true, nullptr, false))
            << reader->import_summary().toStdString();
        auto* document = dynamic_cast<housekeeping::Document*>(manager.document_from_id(id));
        ASSERT_EQ(2u, document->object_count());
        EXPECT_EQ("written by hand\n", document->journal_text());

        auto const* well = dynamic_cast<model::Well const*>(document->objects()[0].get());
        ASSERT_NE(nullptr, well);
        EXPECT_EQ(QStringLiteral("W-9"), well->name());
        EXPECT_EQ(QStringLiteral("100/01"), well->headerItem(QStringLiteral("UWI"))->value);
        EXPECT_EQ(1000.5, well->depthReference().x);
        EXPECT_TRUE(std::isnan(well->depthReference().y));
        EXPECT_EQ(12.0, well->depthReference().elevation.value_or(0));
        EXPECT_EQ((std::vector<double>{100, 100.5}), well->indexCurve().samples);
        std::vector<double> const& gr = well->curve(QStringLiteral("GR"))->samples;
        EXPECT_TRUE(std::isnan(gr[0]));
        EXPECT_EQ(-INFINITY, gr[1]);

        auto const* lines = dynamic_cast<model::PolylineSet const*>(document->objects()[1].get());
        ASSERT_NE(nullptr, lines);
        ASSERT_EQ(1u, lines->polylineCount());
        EXPECT_TRUE(lines->polylines()[0].closed);
        EXPECT_EQ(QStringLiteral("L1"), lines->polylines()[0].layer);
        EXPECT_TRUE(std::signbit(lines->polylines()[0].points[2].z));
        EXPECT_EQ(QStringLiteral("1"), lines->property(QStringLiteral("layer count")));

        EXPECT_TRUE(reader->import_summary().contains(
            QStringLiteral("2 objects (Well 1, Polyline set 1), format version 1")))
            << reader->import_summary().toStdString();
    }
    manager.destroy_all();
}

} // namespace
