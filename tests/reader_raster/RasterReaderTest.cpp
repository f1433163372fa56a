// World files, placed images and the DEMRaster reader as the import library
// uses it.
#include "DemRasterReader.h"
#include "ProgressCancelHook.h"
#include "RasterImageLoader.h"
#include "ReaderTestFixture.h"
#include "WorldFile.h"
#include "base/AbstractProgress.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/RasterImage.h"
#include "model/RegularSurface.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

namespace {

using namespace quarro;
using housekeeping::DataSource;
using housekeeping::Document;
using housekeeping::DocumentId;
using housekeeping::DocumentManager;
using import::AbstractFileReader;
using readers::DemRasterReader;
using readers::RasterImageLoader;
using readers::WorldFile;

// A 4 x 3 image whose top row is red and the rest blue, saved in `format` under
// `name`.
QString writeImage(QString const& name, char const* format) {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int x = 0; x < 4; ++x) {
        image.setPixel(x, 0, qRgb(255, 0, 0));
    }
    QString const path = QDir(test::scratchDirectory()).filePath(name);
    EXPECT_TRUE(image.save(path, format));
    return path;
}

TEST(WorldFile, FindsTheFileBesideTheImageAndReadsItsSixNumbers) {
    QStringList const names = WorldFile::candidates(QStringLiteral("/maps/air.photo.jpeg"));
    EXPECT_EQ((QStringList{
                  QStringLiteral("/maps/air.photo.jgw"), QStringLiteral("/maps/air.photo.JGW"),
                  QStringLiteral("/maps/air.photo.jpegw"), QStringLiteral("/maps/air.photo.JPEGW"),
                  QStringLiteral("/maps/air.photo.wld"), QStringLiteral("/maps/air.photo.WLD")}),
              names);
    EXPECT_EQ(QStringLiteral("/maps/MAP.TFW"),
              WorldFile::candidates(QStringLiteral("/maps/MAP.TIF")).front());

    WorldFile world;
    QString error;
    ASSERT_TRUE(world.parse("2.5\r\n0.0\r\n\r\n0.0\r\n-2.5\r\n500000.25\r\n4200000.75\r\nextra\r\n",
                            error));
    EXPECT_EQ(2.5, world.pixelWidth());
    EXPECT_EQ(-2.5, world.pixelHeight());
    EXPECT_EQ(500000.25, world.centreX());
    EXPECT_EQ(4200000.75, world.centreY());
    EXPECT_FALSE(world.isRotated());

    EXPECT_FALSE(world.parse("1\n0\n0\n-1\n10\n", error));
    EXPECT_EQ(QStringLiteral("line 5: the world file ends after 5 of its 6 numbers"), error);
    EXPECT_FALSE(world.parse("1\n0\nzero\n-1\n10\n20\n", error));
    EXPECT_EQ(QStringLiteral("line 3: 'zero' is not a number"), error);
    EXPECT_FALSE(world.parse("1\n0\n0\n0\n10\n20\n", error));
    EXPECT_EQ(QStringLiteral("line 4: a pixel size of 0 places nothing"), error);
}

TEST(RasterImageLoader, PlacesImagesByTheirWorldFiles) {
    QString error;
    QString const placed = writeImage(QStringLiteral("placed.png"), "PNG");
    test::writeScratch(QStringLiteral("placed.pgw"), "2\n0\n0\n-3\n100.5\n200.5\n");
    RasterImageLoader loader;
    ASSERT_TRUE(loader.load(placed, error)) << error.toStdString();
    model::RasterImage const& image = loader.image();
    // The world file gives the top-left pixel's centre; the image keeps its outer
    // corner.
    EXPECT_EQ(99.5, image.topLeftX());
    EXPECT_EQ(202.0, image.topLeftY());
    EXPECT_EQ(2.0, image.pixelSizeX());
    EXPECT_EQ(3.0, image.pixelSizeY());
    EXPECT_EQ(QSize(4, 3), image.image().size());
    EXPECT_TRUE(loader.comments().isEmpty());
    EXPECT_EQ(QStringLiteral("placed.png: PNG image of 4 x 3 pixels, placed by placed.pgw (pixels "
                             "of 2 x 3, top left 99.5 / 202)"),
              loader.summary());

    // Upper-case names find upper-case world files; a south-up world file mirrors
    // the rows.
    QString const southUp = writeImage(QStringLiteral("SOUTH.JPG"), "JPG");
    test::writeScratch(QStringLiteral("SOUTH.JGW"), "1\n0\n0\n1\n0.5\n0.5\n");
    ASSERT_TRUE(loader.load(southUp, error)) << error.toStdString();
    EXPECT_EQ(0.0, loader.image().topLeftX());
    EXPECT_EQ(3.0, loader.image().topLeftY());
    // JPEG blurs the colours a little: the red row is now the bottom one.
    EXPECT_GT(qRed(loader.image().image().pixel(1, 2)),
              qRed(loader.image().image().pixel(1, 0)) + 50);
    EXPECT_EQ(1, loader.comments().size());

    // Without a usable world file the image keeps pixel coordinates and says why.
    QString const bare = writeImage(QStringLiteral("bare.bmp"), "BMP");
    ASSERT_TRUE(loader.load(bare, error));
    EXPECT_EQ(0.0, loader.image().topLeftX());
    EXPECT_EQ(1.0, loader.image().pixelSizeX());
    EXPECT_TRUE(loader.worldFile().isEmpty());
    EXPECT_EQ(QStringList{QStringLiteral("bare.bmp: no world file (bare.bpw, bare.BPW, bare.bmpw, "
                                         "bare.BMPW, bare.wld, bare.WLD) was found; the image lies "
                                         "in pixel coordinates")},
              loader.comments());

    QString const rotated = writeImage(QStringLiteral("rotated.png"), "PNG");
    test::writeScratch(QStringLiteral("rotated.wld"), "1\n0.5\n0.5\n-1\n0\n0\n");
    ASSERT_TRUE(loader.load(rotated, error));
    EXPECT_EQ(1.0, loader.image().pixelSizeX());
    EXPECT_TRUE(
        loader.comments().value(0).startsWith(QLatin1String("rotated.wld rotates the image")));

    QString const broken = writeImage(QStringLiteral("broken.gif"), "PNG");
    test::writeScratch(QStringLiteral("broken.gfw"), "1\n0\n0\n");
    ASSERT_TRUE(loader.load(broken, error)) << "a PNG named .gif reads by its content";
    EXPECT_EQ(QStringList{QStringLiteral("broken.gfw, line 3: the world file ends after 3 of its 6 "
                                         "numbers; the image lies in pixel coordinates")},
              loader.comments());

    EXPECT_FALSE(
        loader.load(test::writeScratch(QStringLiteral("junk.png"), "not an image"), error));
    EXPECT_TRUE(error.startsWith(QLatin1String("the image cannot be read")));
}

class DemRasterReaderTest : public test::ReaderTestFixture {
protected:
    static std::bitset<4> verify(QString const& path, QString& message) {
        DemRasterReader reader;
        return reader.verify(utilities::filesystem_to_url(path), message);
    }
};

TEST_F(DemRasterReaderTest, OffersImagesAndGridsAndVerifiesByContent) {
    DemRasterReader reader;
    std::string const filter = reader.file_filter();
    for (char const* pattern : {"*.asc", "*.png", "*.jpg", "*.tif", "*.bmp", "*.gif", "*.ASC"}) {
        EXPECT_NE(std::string::npos, filter.find(pattern)) << pattern;
    }
    EXPECT_EQ("Raster", reader.data_type());

    QString message;
    EXPECT_EQ(std::bitset<4>("1001"),
              verify(test::dataFile(QStringLiteral("asc/hugo_site.asc")), message));
    EXPECT_EQ(std::bitset<4>("1001"), verify(writeImage(QStringLiteral("v.png"), "PNG"), message));
    EXPECT_TRUE(message.isEmpty());

    EXPECT_EQ(std::bitset<4>(),
              verify(test::writeScratch(QStringLiteral("v.pgw"), "1\n0\n0\n-1\n0\n0\n"), message));
    EXPECT_EQ(QStringLiteral("v.pgw: this is a world file, which places an image; open the image "
                             "beside it"),
              message);
    EXPECT_EQ(std::bitset<4>(),
              verify(test::writeScratch(QStringLiteral("notes.asc"), "x y z\n1 2 3\n"), message));
    EXPECT_TRUE(message.startsWith(QLatin1String("notes.asc: not an ESRI ASCII grid")));
    // A TIFF is read where Qt's plugin is installed and refused with the reason
    // elsewhere.
    std::string const tiffHead("II*\0\x08\0\0\0", 8);
    std::bitset<4> const tiff = verify(
        test::writeScratch(QStringLiteral("v.tif"), tiffHead + std::string(200, '\0')), message);
    if (!QImageReader::supportedImageFormats().contains("tiff")) {
        EXPECT_EQ(std::bitset<4>(), tiff);
        EXPECT_TRUE(message.contains(QLatin1String("TIFF image plugin")));
        return;
    }
    EXPECT_TRUE(tiff.test(AbstractFileReader::VERIFY_ACCEPTED));

    // TIFFs of measurements are surfaces for the GDAL reader, not pictures: made
    // by GDAL, a big-endian classic TIFF and a big TIFF, each saying "floating
    // point" in its directory.
    struct Row {
        QString path;
        char const* refusal; // nullptr: taken as a picture
    };
    Row const rows[] = {
        {test::dataFile(QStringLiteral("gdal/photo.tif")), nullptr},
        {test::dataFile(QStringLiteral("gdal/landuse.tif")), nullptr},
        {test::dataFile(QStringLiteral("gdal/heights.tif")), "a TIFF of 32-bit floating-point"},
        {test::writeScratch(
             QStringLiteral("mm.tif"),
             QByteArray::fromHex("4d4d002a00000008000101530003000000010003000000000000")
                 .toStdString()),
         "1-bit floating-point"},
        {test::writeScratch(
             QStringLiteral("big.tif"),
             QByteArray::fromHex("49492b000800000010000000000000000100000000000000"
                                 "53010300010000000000000003000000000000000000000000000000")
                 .toStdString()),
         "1-bit floating-point"},
    };
    for (Row const& row : rows) {
        std::bitset<4> const bits = verify(row.path, message);
        EXPECT_EQ(row.refusal == nullptr, bits.test(AbstractFileReader::VERIFY_ACCEPTED))
            << row.path.toStdString() << ": " << message.toStdString();
        if (row.refusal != nullptr) {
            EXPECT_TRUE(message.contains(QLatin1String(row.refusal))) << message.toStdString();
        }
    }
}

TEST_F(DemRasterReaderTest, ReadsGridsAndImagesIntoTheDocument) {
    QString const image = writeImage(QString::fromUtf8("Luftbild \xC3\xBC<1>.png"), "PNG");
    test::writeScratch(QString::fromUtf8("Luftbild \xC3\xBC<1>.pgw"), "1\n0\n0\n-1\n0.5\n2.5\n");
    DemRasterReader reader;
    ASSERT_EQ(AbstractFileReader::IMPORT_OK,
              read(reader, {test::dataFile(QStringLiteral("asc/west_bijou_gully.asc")), image}));
    ASSERT_EQ(2u, document().object_count());
    auto const* surface = dynamic_cast<model::RegularSurface const*>(document().objects()[0].get());
    ASSERT_NE(nullptr, surface);
    EXPECT_EQ(QStringLiteral("west_bijou_gully.asc"), surface->name());
    EXPECT_EQ(43 * 89u, surface->sizeHint());
    auto const* raster = dynamic_cast<model::RasterImage const*>(document().objects()[1].get());
    ASSERT_NE(nullptr, raster);
    EXPECT_EQ(QString::fromUtf8("Luftbild \xC3\xBC<1>.png"), raster->name());
    EXPECT_EQ(3.0, raster->topLeftY());

    QString const summary = reader.import_summary();
    EXPECT_TRUE(summary.contains(
        QLatin1String("west_bijou_gully.asc: grid of 43 x 89 cells of 3, lower left 559,705 / "
                      "4,380,220, "
                      "heights 1,680.77939182 to 1,725.43263075, 2,739 NODATA cells")))
        << summary.toStdString();
    EXPECT_TRUE(
        summary.contains(QString::fromUtf8("Luftbild \xC3\xBC&lt;1&gt;.png: PNG image of 4 x 3 "
                                           "pixels, placed by")));
}

TEST_F(DemRasterReaderTest, FailsOrCancelsWithoutTouchingTheDocument) {
    QString const bad = test::writeScratch(QStringLiteral("bad.asc"),
                                           "ncols 2\nnrows 1\nxllcorner 0\nyllcorner 0\n1 2\n");
    QString const text = test::writeScratch(QStringLiteral("readme.png"), "hello");
    DemRasterReader reader;
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED, read(reader, {bad, text}));
    EXPECT_EQ(0u, document().object_count());
    EXPECT_EQ(2, reader.failures());
    EXPECT_TRUE(reader.import_summary().contains(
        QLatin1String("bad.asc: <b><font color='red'>Failed</font></b><br />line 5: the header "
                      "before this line lacks cellsize")));

    std::string big = "ncols 500\nnrows 400\nxllcorner 0\nyllcorner 0\ncellsize 1\n";
    for (int i = 0; i < 500 * 400; ++i) {
        big += (i % 500 == 499) ? "1.25\n" : "1.25 ";
    }
    QString const large = test::writeScratch(QStringLiteral("large.asc"), big);
    brkBase::AbstractProgress cancelled;
    cancelled.cancel();
    DemRasterReader cancelling;
    EXPECT_EQ(AbstractFileReader::IMPORT_CANCELLED, read(cancelling, {large}, &cancelled));
    EXPECT_EQ(0u, document().object_count());

    import::ProgressCancelHook::setSize(1);
    import::ProgressCancelHook::setFileProgress(0, 100.0);
    brkBase::AbstractProgress running;
    DemRasterReader reading;
    EXPECT_EQ(AbstractFileReader::IMPORT_OK, read(reading, {large}, &running));
    EXPECT_GT(running.value(), 0);

    DemRasterReader orphan;
    boost::shared_ptr<DataSource> const source(
        new DataSource(utilities::filesystem_to_url(large), nullptr));
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED,
              orphan.import_data(source, DocumentId(9999), true, nullptr, false));
    EXPECT_TRUE(orphan.import_summary().contains(QLatin1String("does not exist")));
}

} // namespace
