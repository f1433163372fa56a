// Every reader plugin as the application loads it: the plugin must carry its
// whole reader (this test links only the import library), register it under its
// key and read a file through it. The GDAL reader, which takes almost anything,
// must come last in the import manager's order.
#include "ImportManagerTestPeer.h"

#include "AbstractFileReaderFactory.h"
#include "TestApplication.h"
#include "base/brkDestructor.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/GeoObject.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using namespace quarro;
using import::AbstractFileReader;
using import::AbstractFileReaderFactory;

class Plugins : public ::testing::Environment {
public:
    void SetUp() override {
        QDir const folder(QStringLiteral(QUARRO_PLUGIN_DIR));
        for (QString const& file :
             folder.entryList({QStringLiteral("quarro_reader_*")}, QDir::Files)) {
            // Deleting a QLibrary leaves its library loaded: the registrations stay.
            libraries.push_back(std::make_unique<QLibrary>(folder.filePath(file)));
            ASSERT_TRUE(libraries.back()->load()) << libraries.back()->errorString().toStdString();
            ++loaded;
        }
    }
    void TearDown() override {
        brkBase::brkDestructor::destroy_all();
        libraries.clear();
    }
    std::vector<std::unique_ptr<QLibrary>> libraries;
    int loaded = 0;
};

auto* const plugins = static_cast<Plugins*>(::testing::AddGlobalTestEnvironment(new Plugins));

// A native document written by hand, plain or compressed as qCompress stores
// it.
QString nativeDocument(char const* name, bool packed) {
    QByteArray const text =
        R"({"format": "quarro-document", "version": 1, "journal": "by hand\n",
        "objects": [{"kind": "PolylineSet", "name": "Outline", "properties": [],
        "polylines": [{"layer": "L1", "closed": true, "points": [0, 0, 0, 1, 0, 0, 1, 1, 0]}]}]})";
    QString const path = QDir(test::scratchDirectory()).filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(packed ? QByteArray("QROZ\r\n\x1a\n", 8) + qCompress(text) : text);
    return path;
}

struct PluginCase {
    char const* key;
    char const* dataType;
    char const* filterStart; // the description before the extension list
    QString (*sample)();
    QString firstObject;
};

void PrintTo(PluginCase const& c, std::ostream* out) {
    *out << c.key;
}

class ReaderPlugin : public ::testing::TestWithParam<PluginCase> {};

TEST_P(ReaderPlugin, RegistersItsReaderAndReadsASample) {
    PluginCase const& c = GetParam();
    boost::shared_ptr<AbstractFileReader> const reader = AbstractFileReaderFactory::create(c.key);
    ASSERT_TRUE(reader) << plugins->loaded << " plugins loaded";
    EXPECT_EQ(c.dataType, reader->data_type());

    // The filter lists exactly the extensions the reader claims, as "*.ext"
    // patterns.
    std::string const filter = reader->file_filter();
    EXPECT_EQ(0u, filter.find(c.filterStart)) << filter;
    std::string patterns;
    for (std::string const& extension : reader->supported_extentions()) {
        patterns += (patterns.empty() ? "(*." : " *.") + extension;
    }
    EXPECT_FALSE(reader->supported_extentions().empty());
    EXPECT_EQ(patterns + ")", filter.substr(filter.find('('))) << filter;

    std::string const url = utilities::filesystem_to_url(c.sample());
    QString message;
    EXPECT_TRUE(reader->verify(url, message).test(AbstractFileReader::VERIFY_ACCEPTED))
        << message.toStdString();

    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    housekeeping::DocumentId const id = manager.create_document();
    EXPECT_EQ(AbstractFileReader::IMPORT_OK,
              reader->import_data(boost::make_shared<housekeeping::DataSource>(url, nullptr), id,
                                  true, nullptr, false))
        << reader->import_summary().toStdString();
    auto* document = dynamic_cast<housekeeping::Document*>(manager.document_from_id(id));
    ASSERT_NE(nullptr, document);
    ASSERT_EQ(1u, document->object_count());
    EXPECT_EQ(c.firstObject, document->objects().front()->name());
    manager.destroy_all();
}

QString data(char const* name) {
    return test::dataFile(QString::fromLatin1(name));
}

INSTANTIATE_TEST_SUITE_P(
    All, ReaderPlugin,
    ::testing::Values(
        PluginCase{"WELLS", "Well", "LAS well logs (", [] { return data("las/sample_2.0.las"); },
                   QStringLiteral("AAAAA_2")},
        PluginCase{"GRDECL", "Grid", "Eclipse corner-point grids (",
                   [] { return data("grdecl/snarkgrid.grdecl"); }, QStringLiteral("snarkgrid")},
        PluginCase{"QRO", "Quarro", "QRO Format (",
                   [] { return nativeDocument("packed.qroz", true); }, QStringLiteral("Outline")},
        // Kept out of the dialogs' filter lists, where "QRO" already offers
        // *.quarro.
        PluginCase{"QUARRO", "Quarro", "Check",
                   [] { return nativeDocument("plain.quarro", false); }, QStringLiteral("Outline")},
        PluginCase{"DXF", "Polyline", "DXF drawings (", [] { return data("dxf/usa.dxf"); },
                   QStringLiteral("usa.dxf")},
        PluginCase{"DEMRaster", "Raster", "Raster images and ESRI ASCII grids (",
                   [] { return data("asc/west_bijou_gully.asc"); },
                   QStringLiteral("west_bijou_gully.asc")},
        PluginCase{"GDAL", "GIS", "Vector and raster data through GDAL (",
                   [] { return data("gdal/wells.shp"); }, QStringLiteral("wells.shp")}),
    [](auto const& info) { return std::string(info.param.key); });

TEST(ReaderPlugins, GdalComesAfterEveryHandWrittenReader) {
    std::vector<std::string> const keys = AbstractFileReaderFactory::products();
    ASSERT_NE(keys.end(), std::find(keys.begin(), keys.end(), "GDAL"));
    ASSERT_NE(keys.end(), std::find(keys.begin(), keys.end(), "DEMRaster"));
    // The order of the file dialogs' filter list, from which the user picks an
    // importer.
    EXPECT_EQ("GDAL", import::ImportManagerTestPeer::sorted(keys).back());
    std::string const filter = AbstractFileReaderFactory::create("GDAL")->file_filter();
    std::string const& filters = import::ImportManagerTestPeer::filters();
    EXPECT_EQ(filters.size() - filter.size(), filters.rfind(filter));
}

} // namespace
