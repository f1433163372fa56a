#ifndef QUARRO_READERS_RASTER_RASTERIMAGELOADER_H
#define QUARRO_READERS_RASTER_RASTERIMAGELOADER_H

#include "model/RasterImage.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <utility>

namespace quarro {
namespace readers {

class WorldFile;

// Reads an image file with Qt's image readers and places it by the world file beside it. Without
// a usable world file (none, a broken one, one that rotates the image) the image keeps pixel
// coordinates and a comment says why. A world file with a negative pixel width or a positive
// pixel height (a mirrored or south-up image) is honoured by mirroring the pixels, since the
// image object keeps x to the right and y upward.
class RasterImageLoader {
public:
    RasterImageLoader() = default;

    // Reads the image; false with `error` set when there is none to be had.
    bool load(QString const& path, QString& error);

    model::RasterImage const& image() const { return m_image; }
    model::RasterImage takeImage() { return std::move(m_image); }
    // The world file that placed the image; empty when it lies in pixel coordinates.
    QString const& worldFile() const { return m_worldFile; }
    // One line naming what was read, and one text per fault recovered from.
    QString const& summary() const { return m_summary; }
    QStringList const& comments() const { return m_comments; }

private:
    Q_DISABLE_COPY(RasterImageLoader)

    // Places the image by `world`; false with a comment when it cannot be.
    bool place(WorldFile const& world, QImage& pixels, QString const& worldName);

    model::RasterImage m_image;
    QString m_worldFile;
    QString m_summary;
    QStringList m_comments;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_RASTER_RASTERIMAGELOADER_H
