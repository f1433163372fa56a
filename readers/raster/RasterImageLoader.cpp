#include "RasterImageLoader.h"

#include "TextDecoder.h"
#include "WorldFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <string_view>

namespace quarro {
namespace readers {

namespace {

QString decimal(double value) {
    static QLocale const english(QLocale::English, QLocale::UnitedStates);
    return english.toString(value, 'g', 12);
}

// World files hold six short lines; anything much larger is not one.
constexpr qint64 maxWorldFileSize = 64 * 1024;

} // namespace

bool RasterImageLoader::load(QString const& path, QString& error) {
    m_image = model::RasterImage();
    m_worldFile.clear();
    m_comments.clear();
    QFileInfo const info(path);
    QString const name = info.fileName();

    QImageReader reader(path);
    // The content decides, as in verification: a PNG saved as .jpg still reads.
    reader.setDecideFormatFromContent(true);
    // The format is known before the read only: afterwards the reader answers with nothing.
    QString const format = QString::fromLatin1(reader.format()).toUpper();
    QImage pixels = reader.read();
    if (pixels.isNull()) {
        error = QStringLiteral("the image cannot be read (%1)").arg(reader.errorString());
        return false;
    }
    QString const size = QStringLiteral("%1 x %2 pixels").arg(pixels.width()).arg(pixels.height());

    QString const world = WorldFile::find(path);
    QString const worldName = QFileInfo(world).fileName();
    bool placed = false;
    if (world.isEmpty()) {
        QStringList names;
        for (QString const& candidate : WorldFile::candidates(path).mid(0, 6)) {
            names << QFileInfo(candidate).fileName();
        }
        names.removeDuplicates();
        m_comments << QStringLiteral("%1: no world file (%2) was found; the image lies in pixel "
                                     "coordinates")
                          .arg(name, names.join(QStringLiteral(", ")));
    } else {
        QFile file(world);
        QByteArray text;
        if (file.open(QIODevice::ReadOnly) && file.size() <= maxWorldFileSize) {
            text = file.readAll();
        }
        WorldFile numbers;
        QString why;
        std::string converted;
        std::string_view numbersText;
        TextDecoder::Encoding encoding;
        if (!TextDecoder::prepare(
                std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                converted, numbersText, encoding, why) ||
            !numbers.parse(numbersText, why)) {
            if (text.isEmpty()) {
                why = QStringLiteral("the file cannot be read or is no world file");
            }
            m_comments << QStringLiteral("%1, %2; the image lies in pixel coordinates")
                              .arg(worldName, why);
        } else {
            placed = place(numbers, pixels, worldName);
        }
    }

    m_image.setName(name);
    m_image.setSourceFile(info.absoluteFilePath());
    m_image.setProperty(QStringLiteral("source"), info.absoluteFilePath());
    m_image.setProperty(QStringLiteral("format"), format);
    m_image.setImage(pixels);
    if (placed) {
        m_worldFile = world;
        m_image.setProperty(QStringLiteral("world file"), QFileInfo(world).absoluteFilePath());
        m_summary = QStringLiteral("%1: %2 image of %3, placed by %4 (pixels of %5 x %6, top left "
                                   "%7 / %8)")
                        .arg(name, format, size, worldName, decimal(m_image.pixelSizeX()),
                             decimal(m_image.pixelSizeY()), decimal(m_image.topLeftX()),
                             decimal(m_image.topLeftY()));
    } else {
        m_summary =
            QStringLiteral("%1: %2 image of %3 in pixel coordinates").arg(name, format, size);
    }
    return true;
}

bool RasterImageLoader::place(WorldFile const& world, QImage& pixels, QString const& worldName) {
    if (world.isRotated()) {
        m_comments << QStringLiteral("%1 rotates the image (rotation terms %2 and %3), which "
                                     "cannot be shown; the image lies in pixel coordinates")
                          .arg(worldName, decimal(world.rotationY()), decimal(world.rotationX()));
        return false;
    }
    double const a = world.pixelWidth();
    double const e = world.pixelHeight();
    double const w = pixels.width();
    double const h = pixels.height();
    // Outer edges of the first and last pixel columns and rows; the world file gives centres.
    double const x0 = world.centreX() - a / 2.0;
    double const x1 = world.centreX() + a * (w - 0.5);
    double const y0 = world.centreY() - e / 2.0;
    double const y1 = world.centreY() + e * (h - 0.5);
    double const left = std::min(x0, x1);
    double const top = std::max(y0, y1);
    if (!std::isfinite(left) || !std::isfinite(top)) {
        m_comments << QStringLiteral("%1 places the image outside any usable range; the image lies "
                                     "in pixel coordinates")
                          .arg(worldName);
        return false;
    }
    if (a < 0.0 || e > 0.0) {
        pixels = pixels.mirrored(a<0.0, e> 0.0);
        m_comments << QStringLiteral("%1 gives a %2 image; its pixels were mirrored to lie north "
                                     "up")
                          .arg(worldName,
                               a < 0.0 ? QStringLiteral("mirrored") : QStringLiteral("south-up"));
    }
    m_image.setExtent(left, top, std::fabs(a), std::fabs(e));
    return true;
}

} // namespace readers
} // namespace quarro
