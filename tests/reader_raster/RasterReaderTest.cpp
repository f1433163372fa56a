// World files, placed images and the DEMRaster reader as the import library uses it.
#include "DemRasterReader.h"
#include "RasterImageLoader.h"
#include "ReaderTestFixture.h"
#include "WorldFile.h"
#include "model/RasterImage.h"
#include "model/RegularSurface.h"

#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

namespace {

using namespace quarro;
using import::AbstractFileReader;
using readers::DemRasterReader;
using readers::RasterImageLoader;
using readers::WorldFile;

// A 4 x 3 image whose top row is red and the rest blue, saved in `format` under `name`.
QString writeImage(QString const& name, char const* format) {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int x = 0; x < 4; ++x) {
        image.setPixel(x, 0, qRgb(255, 0, 0));
    }
    QString const path = test::writeScratch(name, "");
    EXPECT_TRUE(image.save(path, format));
    return path;
}

TEST(WorldFile, ReadsItsSixNumbers) {
    // Where it is looked for shows in the loader's comment on an image without one.
    WorldFile world;
    QString error;
    ASSERT_TRUE(world.parse("2.5\r\n0.0\r\n\r\n0.0\r\n-2.5\r\n500000.25\r\n4200000.75\r\nextra\r\n",
                            error));
    EXPECT_EQ(2.5, world.pixelWidth());
    EXPECT_EQ(-2.5, world.pixelHeight());
    EXPECT_EQ(500000.25, world.centreX());
    EXPECT_EQ(4200000.75, world.centreY());
    EXPECT_FALSE(world.isRotated());
    for (auto const& [text, failure] : std::vector<std::pair<char const*, char const*>>{
             {"1\n0\n0\n-1\n10\n", "line 5: the world file ends after 5 of its 6 numbers"},
             {"1\n0\nzero\n-1\n10\n20\n", "line 3: 'zero' is not a number"},
             {"1\n0\n0\n0\n10\n20\n", "line 4: a pixel size of 0 places nothing"}}) {
        EXPECT_FALSE(world.parse(text, error));
        EXPECT_EQ(QString::fromLatin1(failure), error);
    }
}

// The world file gives the top-left pixel's centre; the image keeps its outer corner. Upper-case
// names find upper-case world files; without a usable world file the image keeps pixel
// coordinates and says why.
TEST(RasterImageLoader, PlacesImagesByTheirWorldFiles) {
    struct Case {
        char const* image;
        char const* format;
        char const* world;  // name, then the text after '|'
        char const* placed; // top left x and y, pixel width and height
        char const* comment;
    };
    std::vector<Case> const cases = {
        {"placed.png", "PNG", "placed.pgw|2\n0\n0\n-3\n100.5\n200.5\n", "99.5 202 2 3", ""},
        // A south-up world file mirrors the rows.
        {"SOUTH.JPG", "JPG", "SOUTH.JGW|1\n0\n0\n1\n0.5\n0.5\n", "0 3 1 1", "SOUTH.JGW"},
        {"bare.bmp", "BMP", "", "0 0 1 1",
         "bare.bmp: no world file (bare.bpw, bare.BPW, bare.bmpw, bare.BMPW, bare.wld, bare.WLD) "
         "was found; the image lies in pixel coordinates"},
        {"rotated.png", "PNG", "rotated.wld|1\n0.5\n0.5\n-1\n0\n0\n", "0 0 1 1",
         "rotated.wld rotates the image"},
        // A PNG named .gif reads by its content.
        {"broken.gif", "PNG", "broken.gfw|1\n0\n0\n", "0 0 1 1",
         "broken.gfw, line 3: the world file ends after 3 of its 6 numbers; the image lies in "
         "pixel coordinates"}};
    for (Case const& c : cases) {
        SCOPED_TRACE(c.image);
        QString const path = writeImage(QString::fromLatin1(c.image), c.format);
        QStringList const world = QString::fromLatin1(c.world).split('|');
        if (world.size() == 2) {
            test::writeScratch(world[0], world[1].toStdString());
        }
        RasterImageLoader loader;
        QString error;
        ASSERT_TRUE(loader.load(path, error)) << error.toStdString();
        model::RasterImage const& image = loader.image();
        EXPECT_EQ(QString::fromLatin1(c.placed), QStringLiteral("%1 %2 %3 %4")
                                                     .arg(image.topLeftX())
                                                     .arg(image.topLeftY())
                                                     .arg(image.pixelSizeX())
                                                     .arg(image.pixelSizeY()));
        EXPECT_EQ(QSize(4, 3), image.image().size());
        EXPECT_EQ(*c.comment != 0, loader.comments().size() == 1)
            << loader.comments().join('\n').toStdString();
        EXPECT_TRUE(test::begins(loader.comments().value(0), c.comment));
        if (c.image[0] == 'S') {
            // JPEG blurs the colours a little: the red row is now the bottom one.
            EXPECT_GT(qRed(image.image().pixel(1, 2)), qRed(image.image().pixel(1, 0)) + 50);
        }
    }
    RasterImageLoader loader;
    QString error;
    EXPECT_FALSE(
        loader.load(test::writeScratch(QStringLiteral("junk.png"), "not an image"), error));
    EXPECT_TRUE(error.startsWith(QLatin1String("the image cannot be read")));
}

using DemRasterReaderTest = test::ReaderTestFixture;

TEST_F(DemRasterReaderTest, VerifiesByContent) {
    std::vector<std::pair<QString, char const*>> rows = {
        {test::dataFile(QStringLiteral("asc/hugo_site.asc")), ""},
        {writeImage(QStringLiteral("v.png"), "PNG"), ""},
        {test::writeScratch(QStringLiteral("v.pgw"), "1\n0\n0\n-1\n0\n0\n"),
         "v.pgw: this is a world file, which places an image; open the image beside it"},
        {test::writeScratch(QStringLiteral("notes.asc"), "x y z\n1 2 3\n"),
         "notes.asc: not an ESRI ASCII grid"}};
    // A TIFF is read where Qt's plugin is installed and refused with the reason elsewhere.
    bool const tiff = QImageReader::supportedImageFormats().contains("tiff");
    rows.push_back({test::writeScratch(QStringLiteral("v.tif"),
                                       std::string("II*\0\x08\0\0\0", 8) + std::string(200, '\0')),
                    tiff ? "" : "TIFF image plugin"});
    // TIFFs of measurements are surfaces for the GDAL reader, not pictures: made by GDAL, a
    // big-endian classic TIFF and a big TIFF, each saying "floating point" in its directory.
    if (tiff) {
        rows.insert(
            rows.end(),
            {{test::dataFile(QStringLiteral("gdal/photo.tif")), ""},
             {test::dataFile(QStringLiteral("gdal/landuse.tif")), ""},
             {test::dataFile(QStringLiteral("gdal/heights.tif")),
              "a TIFF of 32-bit floating-point"},
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
              "1-bit floating-point"}});
    }
    for (auto const& [path, refusal] : rows) {
        QString message;
        EXPECT_EQ(*refusal == 0 ? std::bitset<4>("1001") : std::bitset<4>(),
                  DemRasterReader().verify(utilities::filesystem_to_url(path), message))
            << path.toStdString() << ": " << message.toStdString();
        EXPECT_EQ(*refusal == 0, message.isEmpty());
        EXPECT_TRUE(message.contains(QLatin1String(refusal))) << message.toStdString();
    }
}

TEST_F(DemRasterReaderTest, ReadsGridsAndImagesIntoTheDocument) {
    QString const name = QString::fromUtf8("Luftbild \xC3\xBC<1>");
    test::writeScratch(name + ".pgw", "1\n0\n0\n-1\n0.5\n2.5\n");
    DemRasterReader reader;
    ASSERT_EQ(AbstractFileReader::IMPORT_OK,
              read(reader, {test::dataFile(QStringLiteral("asc/west_bijou_gully.asc")),
                            writeImage(name + ".png", "PNG")}));
    ASSERT_EQ(2u, document().object_count());
    EXPECT_EQ(QStringLiteral("west_bijou_gully.asc"), object<model::RegularSurface>(0).name());
    EXPECT_EQ(43 * 89u, object<model::RegularSurface>(0).sizeHint());
    EXPECT_EQ(name + ".png", object<model::RasterImage>(1).name());
    EXPECT_EQ(3.0, object<model::RasterImage>(1).topLeftY());

    QString const summary = reader.import_summary();
    EXPECT_TRUE(summary.contains(
        QLatin1String("west_bijou_gully.asc: grid of 43 x 89 cells of 3, lower left 559,705 / "
                      "4,380,220, heights 1,680.77939182 to 1,725.43263075, 2,739 NODATA cells")))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains(
        QString::fromUtf8("Luftbild \xC3\xBC&lt;1&gt;.png: PNG image of 4 x 3 pixels, placed by")));
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
    DemRasterReader cancelling;
    EXPECT_EQ(AbstractFileReader::IMPORT_CANCELLED, readCancelled(cancelling, {large}));
    EXPECT_EQ(0u, document().object_count());
}

} // namespace
