#include "model/RegularSurface.h"

#include "model/ModelChecks.h"

#include <algorithm>

namespace quarro {
namespace model {

ObjectKind RegularSurface::kind() const {
    return ObjectKind::Surface;
}

BoundingBox RegularSurface::boundingBox() const {
    ValueRange const z = minMax();
    if (z.isEmpty()) {
        return BoundingBox();
    }
    return BoundingBox(
        Point3<double>(m_originX, m_originY, z.min()),
        Point3<double>(m_originX + m_ncols * m_dx, m_originY + m_nrows * m_dy, z.max()));
}

quint64 RegularSurface::sizeHint() const {
    return m_heights.size();
}

std::unique_ptr<GeoObject> RegularSurface::clone() const {
    return std::make_unique<RegularSurface>(*this);
}

void RegularSurface::setPlacement(double originX, double originY, double dx, double dy) {
    detail::requireFinite(QStringLiteral("the x of a surface's origin"), originX);
    detail::requireFinite(QStringLiteral("the y of a surface's origin"), originY);
    detail::requireFinite(QStringLiteral("a surface's cell width"), dx, true);
    detail::requireFinite(QStringLiteral("a surface's cell height"), dy, true);
    m_originX = originX;
    m_originY = originY;
    m_dx = dx;
    m_dy = dy;
}

void RegularSurface::setHeights(int ncols, int nrows, std::vector<double> heights) {
    if (ncols < 0 || nrows < 0) {
        detail::throwInvalidArgument(
            QStringLiteral("a surface cannot have %1 x %2 cells").arg(ncols).arg(nrows));
    }
    detail::requireCount(QStringLiteral("the heights of a %1 x %2 surface").arg(ncols).arg(nrows),
                         heights.size(),
                         static_cast<std::size_t>(ncols) * static_cast<std::size_t>(nrows));
    m_ncols = ncols;
    m_nrows = nrows;
    m_heights = std::move(heights);
}

double RegularSurface::height(int col, int row) const {
    return m_heights[index(col, row)];
}

void RegularSurface::setHeight(int col, int row, double height) {
    m_heights[index(col, row)] = height;
}

std::size_t RegularSurface::noDataCount() const {
    return static_cast<std::size_t>(std::count_if(m_heights.begin(), m_heights.end(), isNoData));
}

ValueRange RegularSurface::minMax() const {
    return ValueRange::of(m_heights);
}

std::size_t RegularSurface::index(int col, int row) const {
    if (col < 0 || col >= m_ncols || row < 0 || row >= m_nrows) {
        detail::throwOutOfRange(QStringLiteral("cell (%1, %2) is outside a %3 x %4 surface")
                                    .arg(col)
                                    .arg(row)
                                    .arg(m_ncols)
                                    .arg(m_nrows));
    }
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_ncols) +
           static_cast<std::size_t>(col);
}

} // namespace model
} // namespace quarro
