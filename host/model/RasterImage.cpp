#include "model/RasterImage.h"

#include "model/ModelChecks.h"

namespace quarro {
namespace model {

ObjectKind RasterImage::kind() const {
    return ObjectKind::Raster;
}

BoundingBox RasterImage::boundingBox() const {
    if (m_image.isNull()) {
        return BoundingBox();
    }
    return BoundingBox(Point3<double>(m_topLeftX, m_topLeftY, 0.0),
                       Point3<double>(m_topLeftX + m_image.width() * m_pixelSizeX,
                                      m_topLeftY - m_image.height() * m_pixelSizeY, 0.0));
}

quint64 RasterImage::sizeHint() const {
    return static_cast<quint64>(m_image.width()) * static_cast<quint64>(m_image.height());
}

std::unique_ptr<GeoObject> RasterImage::clone() const {
    return std::make_unique<RasterImage>(*this);
}

void RasterImage::setExtent(double topLeftX, double topLeftY, double pixelSizeX,
                            double pixelSizeY) {
    detail::requireFinite(QStringLiteral("the x of a raster's top-left corner"), topLeftX);
    detail::requireFinite(QStringLiteral("the y of a raster's top-left corner"), topLeftY);
    detail::requireFinite(QStringLiteral("a raster's pixel width"), pixelSizeX, true);
    detail::requireFinite(QStringLiteral("a raster's pixel height"), pixelSizeY, true);
    m_topLeftX = topLeftX;
    m_topLeftY = topLeftY;
    m_pixelSizeX = pixelSizeX;
    m_pixelSizeY = pixelSizeY;
}

void RasterImage::setExtent(BoundingBox const& box) {
    if (m_image.isNull()) {
        detail::throwInvalidArgument(QStringLiteral("a raster without an image cannot be placed"));
    }
    if (box.isEmpty() || box.max().x <= box.min().x || box.max().y <= box.min().y) {
        detail::throwInvalidArgument(QStringLiteral("a raster's extent must have an area"));
    }
    setExtent(box.min().x, box.max().y, (box.max().x - box.min().x) / m_image.width(),
              (box.max().y - box.min().y) / m_image.height());
}

} // namespace model
} // namespace quarro
