// The GDAL reader on small files made for the purpose (data/gdal, see
// data/SOURCES.md), on bad input of each kind, and cancelled from the progress
// hook while GDAL reads.
#include "GdalReader.h"
#include "ProgressCancelHook.h"
#include "ReaderTestFixture.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"
#include "model/RasterImage.h"
#include "model/RegularSurface.h"

#include <QFile>
#include <gdal.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace quarro;
using import::AbstractFileReader;
using readers::GdalReader;

QString const utm32 = QStringLiteral("coordinate reference system WGS 84 / UTM zone 32N "
                                     "(EPSG:32632)");

// Copies data/gdal/<from>.<suffix> to the scratch folder as <to>.<suffix> for each suffix, all
// but the last `cut` bytes of the first.
QString copySample(QString const& from, QString const& to, QStringList const& suffixes,
                   std::size_t cut = 0) {
    QString first;
    for (QString const& suffix : suffixes) {
        std::string const content =
            test::readBytes(test::dataFile(QStringLiteral("gdal/%1.%2").arg(from, suffix)));
        QString const path =
            test::writeScratch(to + '.' + suffix, content.substr(0, content.size() - cut));
        first = first.isEmpty() ? path : first;
        cut = 0;
    }
    return first;
}

using GdalReaderTest = test::ReaderTestFixture;

TEST_F(GdalReaderTest, ReadsRastersAsSurfacesAndPlacedImages) {
    GdalReader reader;
    ASSERT_EQ(AbstractFileReader::IMPORT_OK,
              read(reader, {test::dataFile(QStringLiteral("gdal/heights.tif")),
                            test::dataFile(QStringLiteral("gdal/photo.tif")),
                            test::dataFile(QStringLiteral("gdal/landuse.tif"))}));
    ASSERT_EQ(3u, document().object_count());

    // North-up file rows become northward surface rows; -9999 is NODATA. The summary gives the
    // sizes and places.
    auto const& surface = object<model::RegularSurface>(0);
    EXPECT_EQ(16.0, surface.height(0, 0));
    EXPECT_EQ(20.5, surface.height(4, 0));
    EXPECT_EQ(5.0, surface.height(4, 3));
    EXPECT_TRUE(model::RegularSurface::isNoData(surface.height(2, 2)));

    auto const& photo = object<model::RasterImage>(1);
    EXPECT_EQ(qRgb(255, 0, 0), photo.image().pixel(0, 0));
    EXPECT_EQ(qRgb(0, 0, 255), photo.image().pixel(3, 2));

    auto const& landuse = object<model::RasterImage>(2);
    EXPECT_EQ(QImage::Format_Indexed8, landuse.image().format());
    EXPECT_EQ(qRgb(0, 128, 0), landuse.image().pixel(0, 0));
    EXPECT_EQ(qRgb(0, 0, 255), landuse.image().pixel(0, 1));
    EXPECT_EQ(9.5, landuse.topLeftX());
    EXPECT_EQ(51.0, landuse.topLeftY());
    EXPECT_EQ(QStringLiteral("WGS 84 (EPSG:4326)"),
              landuse.property(QStringLiteral("coordinate reference system")));

    QString const summary = reader.import_summary();
    for (QString const& line :
         {"heights.tif: GeoTIFF file, grid of 5 x 4 cells of 10, lower left 500,000 / 6,700,000, "
          "heights 1 to 20.5, 1 NODATA cell; " +
              utm32,
          "photo.tif: GeoTIFF file, RGB image of 4 x 3 pixels, top left 500,000 / 6,700,030, "
          "pixels of 10 x 10; " +
              utm32,
          QStringLiteral("landuse.tif: GeoTIFF file, paletted image of 3 x 2 pixels")}) {
        EXPECT_TRUE(summary.contains(line)) << line.toStdString() << "\n" << summary.toStdString();
    }
}

TEST_F(GdalReaderTest, ReadsVectorLayersAsPolylineAndPointSets) {
    GdalReader reader;
    // A shapefile is taken through its .shp only, so a folder import brings its
    // layer in once.
    for (char const* suffix : {"shp", "shx", "dbf", "prj"}) {
        QString message;
        std::bitset<4> const bits = reader.verify(
            utilities::filesystem_to_url(test::dataFile(QStringLiteral("gdal/wells.") + suffix)),
            message);
        bool const shp = std::string(suffix) == "shp";
        EXPECT_EQ(shp, bits.test(AbstractFileReader::VERIFY_ACCEPTED)) << suffix;
        EXPECT_EQ(shp, message.isEmpty()) << message.toStdString();
        EXPECT_EQ(!shp, message.endsWith(
                            QLatin1String("part of the shapefile wells.shp; open that file")))
            << message.toStdString();
    }
    ASSERT_EQ(AbstractFileReader::IMPORT_OK,
              read(reader, {test::dataFile(QStringLiteral("gdal/wells.shp")),
                            test::dataFile(QStringLiteral("gdal/field.gpkg"))}));
    ASSERT_EQ(3u, document().object_count());

    auto const& wells = object<model::PointSet>(0);
    EXPECT_EQ(QStringLiteral("wells.shp"), wells.name());
    ASSERT_EQ(3u, wells.pointCount());
    EXPECT_EQ(model::Point3<double>(500032.5, 6700027.5, 101.25), wells.points()[1]);
    EXPECT_EQ((QStringList{QStringLiteral("depth"), QStringLiteral("status")}),
              wells.attributeNames());
    std::vector<double> const depth = *wells.attribute(QStringLiteral("depth"));
    EXPECT_EQ(1250.5, depth[0]);
    // A shapefile has no NULL for numbers; GDAL reads an empty one as unset.
    EXPECT_TRUE(std::isnan(depth[1]));

    auto const& outline = object<model::PolylineSet>(1);
    EXPECT_EQ(QStringLiteral("field.gpkg (outline)"), outline.name());
    ASSERT_EQ(2u, outline.polylineCount());
    EXPECT_TRUE(outline.polylines()[0].closed);
    EXPECT_EQ(4u, outline.polylines()[0].points.size());
    EXPECT_EQ(3u, outline.polylines()[1].points.size());

    auto const& faults = object<model::PolylineSet>(2);
    ASSERT_EQ(3u, faults.polylineCount());
    EXPECT_FALSE(faults.polylines()[0].closed);
    EXPECT_EQ(-1180.0, faults.polylines()[0].points[1].z);
    EXPECT_EQ(QStringLiteral("faults"), faults.polylines()[2].layer);

    QString const summary = reader.import_summary();
    for (QString const& line :
         {QStringLiteral("wells.shp: 3 points with attributes depth, status; ") + utm32,
          QStringLiteral("wells.shp: points keep numeric attributes only; left out: name"),
          QStringLiteral("field.gpkg (outline): 2 polylines (2 closed) with 7 points; ") + utm32,
          QStringLiteral(
              "field.gpkg (faults): 1 feature without points, lines or polygons left out")}) {
        EXPECT_TRUE(summary.contains(line)) << line.toStdString() << "\n" << summary.toStdString();
    }
}

TEST_F(GdalReaderTest, BadInputFailsWithGdalsReasonAndAddsNothing) {
    struct Case {
        char const* name;
        QString path;
        bool verifies; // GDAL opens it; the failure shows only when reading
        char const* reason;
    };
    std::string const text = "this is not what the name says\n";
    Case const cases[] = {
        {"raster GDAL cannot read", test::writeScratch("junk.tif", text), false,
         "junk.tif' not recognized as a supported file format"},
        {"GeoPackage that is no SQLite file", test::writeScratch("notes.gpkg", text), false,
         "not recognized as a supported file format"},
        {"shapefile without .shx", copySample("wells", "noindex", {"shp", "dbf", "prj"}), false,
         "noindex.shx or "},
        {"shapefile without .dbf", copySample("wells", "notable", {"shp", "shx", "prj"}), false,
         "attribute table notable.dbf is missing (/"},
        {"GeoTIFF cut short", copySample("heights", "short", {"tif"}, 40), true, "Read error"},
        {"shapefile whose shapes are cut short",
         copySample("wells", "cut", {"shp", "shx", "dbf", "prj"}, 60), true, "Error in fread()"},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        QString const& path = c.path;
        // GDAL's messages belong in the summary, not on stderr.
        testing::internal::CaptureStderr();
        QString message;
        std::bitset<4> const verified =
            GdalReader().verify(utilities::filesystem_to_url(path), message);
        EXPECT_EQ(c.verifies, verified.test(AbstractFileReader::VERIFY_ACCEPTED));
        if (!c.verifies) {
            EXPECT_TRUE(message.contains(QLatin1String(c.reason))) << message.toStdString();
        }
        GdalReader reader;
        EXPECT_EQ(AbstractFileReader::IMPORT_FAILED, read(reader, {path}));
        EXPECT_EQ("", testing::internal::GetCapturedStderr());
        EXPECT_EQ(0u, document().object_count());
        EXPECT_EQ(1, reader.failures());
        EXPECT_TRUE(reader.import_summary().contains(QString(c.reason).toHtmlEscaped()))
            << reader.import_summary().toStdString();
    }
}

// Cancels once the bar reaches 40, as a user pressing Cancel would; keeps the first and last value.
class CancellingProgress : public brkBase::AbstractProgress {
public:
    void set_value(int value) override {
        AbstractProgress::set_value(value);
        first = first < 0 ? value : first;
        last = value;
        if (value >= 40) {
            cancel();
        }
    }
    int first = -1;
    int last = -1;
};

TEST_F(GdalReaderTest, CancelInsideGdalsReadAddsNothing) {
    // 2,000 rows of 200 cells: one read window, so only GDAL's own progress
    // callback, called per strip, can report and stop the read.
    QString const path = test::writeScratch(QStringLiteral("cancel.tif"), "");
    GDALAllRegister();
    GDALDatasetH const written =
        GDALCreate(GDALGetDriverByName("GTiff"), QFile::encodeName(path).constData(), 200, 2000, 1,
                   GDT_Float32, nullptr);
    ASSERT_NE(nullptr, written);
    std::vector<float> row(200, 1.5f);
    for (int y = 0; y < 2000; ++y) {
        ASSERT_EQ(CE_None, GDALRasterIO(GDALGetRasterBand(written, 1), GF_Write, 0, y, 200, 1,
                                        row.data(), 200, 1, GDT_Float32, 0, 0));
    }
    GDALClose(written);

    import::ProgressCancelHook::setSize(1);
    import::ProgressCancelHook::setFileProgress(0, 100.0);
    CancellingProgress progress;
    GdalReader reader;
    EXPECT_EQ(AbstractFileReader::IMPORT_CANCELLED, read(reader, {path}, &progress));
    EXPECT_EQ(0u, document().object_count());
    EXPECT_GT(progress.first, 0);
    EXPECT_LT(progress.last, 100);
    EXPECT_TRUE(reader.import_summary().contains(QLatin1String("Cancelled")));
}

} // namespace
