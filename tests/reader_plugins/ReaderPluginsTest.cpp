// Every reader plugin as the application loads it: the plugin must carry its
// whole reader (this test links only the import library), register it under its
// key and read a file through it. The GDAL reader, which takes almost anything,
// must come last in the import manager's order.
#include "ImportManagerTestPeer.h"

#include "AbstractFileReaderFactory.h"
#include "ReaderTestFixture.h"
#include "base/brkDestructor.h"
#include "model/GeoObject.h"

#include <QLibrary>
#include <gtest/gtest.h>

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

// A native document written by hand, plain or compressed as qCompress stores it.
QString nativeDocument(char const* name, bool packed) {
    QByteArray const text =
        R"({"format": "quarro-document", "version": 1, "journal": "by hand\n",
        "objects": [{"kind": "PolylineSet", "name": "Outline", "properties": [],
        "polylines": [{"layer": "L1", "closed": true, "points": [0, 0, 0, 1, 0, 0, 1, 1, 0]}]}]})";
    return test::writeScratch(
        QString::fromLatin1(name),
        (packed ? QByteArray("QROZ\r\n\x1a\n", 8) + qCompress(text) : text).toStdString());
}

struct PluginCase {
    char const* key;
    char const* dataType;
    char const* filterStart; // the description before the extension list
    char const* sample;      // a file of the test data, or a native document written here
    char const* firstObject;
};

void PrintTo(PluginCase const& c, std::ostream* out) {
    *out << c.key;
}

class ReaderPlugin : public test::ReaderTestFixture,
                     public ::testing::WithParamInterface<PluginCase> {};

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
    EXPECT_EQ(patterns + ")", filter.substr(filter.find('('))) << filter;

    QString const sample = QString::fromLatin1(c.sample);
    QString const path = sample.contains('/')
                             ? test::dataFile(sample)
                             : nativeDocument(c.sample, sample.endsWith(QLatin1String("z")));
    QString message;
    EXPECT_TRUE(reader->verify(utilities::filesystem_to_url(path), message)
                    .test(AbstractFileReader::VERIFY_ACCEPTED))
        << message.toStdString();
    EXPECT_EQ(AbstractFileReader::IMPORT_OK, read(*reader, {path}))
        << reader->import_summary().toStdString();
    ASSERT_EQ(1u, document().object_count());
    EXPECT_EQ(QString::fromLatin1(c.firstObject), object<model::GeoObject>(0).name());
}

INSTANTIATE_TEST_SUITE_P(
    All, ReaderPlugin,
    ::testing::Values(PluginCase{"WELLS", "Well", "LAS well logs (", "las/sample_2.0.las",
                                 "AAAAA_2"},
                      PluginCase{"GRDECL", "Grid", "Eclipse corner-point grids (",
                                 "grdecl/snarkgrid.grdecl", "snarkgrid"},
                      PluginCase{"QRO", "Quarro", "QRO Format (", "packed.qroz", "Outline"},
                      // Kept out of the dialogs' filter lists, where "QRO" already offers *.quarro.
                      PluginCase{"QUARRO", "Quarro", "Check", "plain.quarro", "Outline"},
                      PluginCase{"DXF", "Polyline", "DXF drawings (", "dxf/usa.dxf", "usa.dxf"},
                      PluginCase{"DEMRaster", "Raster", "Raster images and ESRI ASCII grids (",
                                 "asc/west_bijou_gully.asc", "west_bijou_gully.asc"},
                      PluginCase{"GDAL", "GIS", "Vector and raster data through GDAL (",
                                 "gdal/wells.shp", "wells.shp"}),
    [](auto const& info) { return std::string(info.param.key); });

TEST(ReaderPlugins, GdalComesAfterEveryHandWrittenReader) {
    std::vector<std::string> const keys = AbstractFileReaderFactory::products();
    ASSERT_NE(keys.end(), std::find(keys.begin(), keys.end(), "GDAL"));
    // The order of the file dialogs' filter list, from which the user picks an
    // importer.
    EXPECT_EQ("GDAL", import::ImportManagerTestPeer::sorted(keys).back());
    std::string const filter = AbstractFileReaderFactory::create("GDAL")->file_filter();
    std::string const& filters = import::ImportManagerTestPeer::filters();
    EXPECT_EQ(filters.size() - filter.size(), filters.rfind(filter));
}

} // namespace
