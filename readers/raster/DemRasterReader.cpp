#include "DemRasterReader.h"

#include "AsciiGridParser.h"
#include "RasterImageLoader.h"
#include "TextDecoder.h"
#include "TiffSamples.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/RasterImage.h"
#include "model/RegularSurface.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>

#include <boost/shared_ptr.hpp>

#include <algorithm>
#include <exception>
#include <limits>
#include <new>
#include <optional>
#include <string_view>

namespace quarro {
namespace readers {

namespace {

// The extensions offered, grids first; the file dialogs get each in both cases.
std::vector<char const*> const offeredExtensions = {"asc", "bmp", "gif",  "jpeg", "jpg",
                                                    "png", "tif", "tiff", "xpm"};
char const* const worldFileExtensions[] = {"tfw", "tifw", "pgw", "pngw", "jgw", "jpgw",
                                           "bpw", "bmpw", "gfw", "gifw", "wld"};

QLocale const& english() {
    static QLocale const locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

QString decimal(double value) {
    return english().toString(value, 'g', 12);
}

// A file's bytes for parsing: mapped where the file system allows it, so that a large file is
// neither copied nor given fresh pages; read into memory otherwise. The mapping lives as long as
// the object (QFile unmaps when it closes).
QString surfaceSummary(QString const& name, model::RegularSurface const& surface, bool byCentre) {
    model::ValueRange const range = surface.minMax();
    QString const heights =
        range.isEmpty()
            ? QStringLiteral("no heights")
            : QStringLiteral("heights %1 to %2").arg(decimal(range.min()), decimal(range.max()));
    QString const cell =
        surface.dx() == surface.dy()
            ? decimal(surface.dx())
            : decimal(surface.dx()) + QStringLiteral(" x ") + decimal(surface.dy());
    return QStringLiteral("%1: grid of %2 x %3 cells of %4, lower left %5 / %6%7, %8, %9 NODATA "
                          "cells")
        .arg(name, english().toString(surface.ncols()), english().toString(surface.nrows()), cell,
             decimal(surface.originX()), decimal(surface.originY()),
             byCentre ? QStringLiteral(" (from cell centres)") : QString(), heights,
             english().toString(static_cast<qulonglong>(surface.noDataCount())));
}

} // namespace

// Images and grids in one filter entry, so that the image dialog's files and .asc grids are
// offered together.
DemRasterReader::DemRasterReader()
    : FileReaderBase(
          {"Raster", "Raster images and ESRI ASCII grids", inBothCases(offeredExtensions)}) {}

DemRasterReader::~DemRasterReader() = default;

bool DemRasterReader::recognises(QByteArray const& head, QString const& fileName, QString& why) {
    QString gridWhy;
    std::string converted;
    std::string_view text;
    TextDecoder::Encoding encoding;
    if (TextDecoder::prepare(
            std::string_view(head.constData(), static_cast<std::size_t>(head.size())), converted,
            text, encoding, gridWhy, true) &&
        AsciiGridParser::looksLikeGrid(text, gridWhy)) {
        return true;
    }
    QString const suffix = QFileInfo(fileName).suffix().toLower();
    for (char const* extension : worldFileExtensions) {
        if (suffix == QLatin1String(extension)) {
            why = QStringLiteral("this is a world file, which places an image; open the image "
                                 "beside it");
            return false;
        }
    }
    QByteArray copy(head);
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    if (!QImageReader::imageFormat(&buffer).isEmpty()) {
        return true;
    }
    if (suffix == QLatin1String("asc")) {
        why = gridWhy;
    } else if ((suffix == QLatin1String("tif") || suffix == QLatin1String("tiff")) &&
               !QImageReader::supportedImageFormats().contains("tiff")) {
        why = QStringLiteral("TIFF images need Qt's TIFF image plugin (Debian package "
                             "qt5-image-formats-plugins), which is not installed");
    } else {
        QStringList formats;
        for (QByteArray const& format : QImageReader::supportedImageFormats()) {
            formats << QString::fromLatin1(format);
        }
        why = QStringLiteral("neither an image this application can read (%1) nor an ESRI ASCII "
                             "grid")
                  .arg(formats.join(QStringLiteral(", ")));
    }
    return false;
}

std::bitset<4> DemRasterReader::verify(std::string const& url, QString& message) {
    QString path;
    QString name;
    std::bitset<4> bits = verifyOpens(url, message, path, name);
    if (!bits.test(VERIFY_READABLE)) {
        return bits;
    }
    QFile file(path);
    QByteArray head;
    if (file.open(QIODevice::ReadOnly)) {
        head = file.read(1024);
    }
    QString why;
    if (recognises(head, name, why)) {
        std::optional<TiffSamples> const tiff = TiffSamples::read(file);
        if (!tiff || !tiff->holdsNumbers()) {
            bits.set(VERIFY_ACCEPTED);
            return bits;
        }
        why = QStringLiteral("a TIFF of %1 holds measurements, not a picture; the GDAL reader "
                             "reads it as a surface")
                  .arg(tiff->describe());
    }
    // Refused: clear the readable bit too, or the manager would take the file anyway.
    bits.reset(VERIFY_READABLE);
    message = QStringLiteral("%1: %2").arg(name, why);
    return bits;
}

FileResult DemRasterReader::parse(std::string_view bytes, QString const& path, QString const& name,
                                  CancelHook const& hook) {
    QByteArray const head(bytes.data(),
                          static_cast<int>(std::min<std::size_t>(bytes.size(), 1024)));
    std::string headConverted;
    std::string_view headText;
    TextDecoder::Encoding encoding;
    QString why;
    bool const text = TextDecoder::prepare(std::string_view(head.constData(), head.size()),
                                           headConverted, headText, encoding, why, true);
    if (text && AsciiGridParser::looksLikeGrid(headText, why)) {
        std::string converted;
        std::string_view gridText;
        if (!TextDecoder::prepare(bytes, converted, gridText, encoding, why)) {
            return FileResult::failed(why);
        }
        AsciiGridParser parser(shareReporter(hook));
        FileResult result;
        if (stopped(parser, parser.parse(gridText), result)) {
            return result;
        }
        auto surface = std::make_unique<model::RegularSurface>(parser.takeSurface());
        surface->setName(name);
        surface->setProperty(QStringLiteral("source"), QFileInfo(path).absoluteFilePath());
        surface->setProperty(QStringLiteral("format"), QStringLiteral("ESRI ASCII grid"));
        result.comments << surfaceSummary(name, *surface, parser.placedByCentre());
        for (QString const& fault : parser.comments()) {
            result.comments << QStringLiteral("%1: %2").arg(name, fault);
        }
        result.comments << encodingNote(name, encoding);
        result.comments.removeAll(QString());
        result.objects.emplace_back(surface.release());
        return result;
    }
    if (!recognises(head, name, why)) {
        return FileResult::failed(why);
    }
    RasterImageLoader loader;
    if (!loader.load(path, why)) {
        return FileResult::failed(why);
    }
    FileResult result;
    result.comments << loader.summary() << loader.comments();
    result.objects.emplace_back(new model::RasterImage(loader.takeImage()));
    return result;
}

} // namespace readers
} // namespace quarro
