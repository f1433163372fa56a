#ifndef QUARRO_MODEL_RASTERIMAGE_H
#define QUARRO_MODEL_RASTERIMAGE_H

#include "QuarroHostExport.h"
#include "model/GeoObject.h"

#include <QImage>
#include <QString>

#include <memory>

namespace quarro {
namespace model {

// An image (a scanned map, an air photo) placed in model space. The extent is the outer corner
// of the top-left pixel and the size of a pixel; x grows to the right and y upward, so a pixel
// row lower in the image lies further south. A world file gives the centre of the top-left
// pixel and a negative y size: the reader converts. Until it is placed, an image covers one unit
// per pixel with its top-left corner at the origin.
class QUARRO_HOST_EXPORT RasterImage : public GeoObject {
public:
    RasterImage() = default;

    ObjectKind kind() const override;
    // The image's extent at z = 0; empty while there is no image.
    BoundingBox boundingBox() const override;
    // The number of pixels.
    quint64 sizeHint() const override;
    // QImage shares its pixels until either copy changes them, so the copy is deep in effect.
    std::unique_ptr<GeoObject> clone() const override;

    QImage const& image() const { return m_image; }
    // The extent keeps its pixel size, so a larger image covers more ground.
    void setImage(QImage const& image) { m_image = image; }

    // The file the image came from.
    QString const& sourceFile() const { return m_sourceFile; }
    void setSourceFile(QString const& path) { m_sourceFile = path; }

    double topLeftX() const { return m_topLeftX; }
    double topLeftY() const { return m_topLeftY; }
    double pixelSizeX() const { return m_pixelSizeX; }
    double pixelSizeY() const { return m_pixelSizeY; }
    // Throws std::invalid_argument (and changes nothing) unless every value is finite and the
    // pixel sizes are positive.
    void setExtent(double topLeftX, double topLeftY, double pixelSizeX, double pixelSizeY);
    // Stretches the current image over the x and y extent of `box`. Throws std::invalid_argument
    // when there is no image or the box has no area.
    void setExtent(BoundingBox const& box);

private:
    QImage m_image;
    QString m_sourceFile;
    double m_topLeftX = 0.0;
    double m_topLeftY = 0.0;
    double m_pixelSizeX = 1.0;
    double m_pixelSizeY = 1.0;
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_RASTERIMAGE_H
