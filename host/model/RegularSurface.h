#ifndef QUARRO_MODEL_REGULARSURFACE_H
#define QUARRO_MODEL_REGULARSURFACE_H

#include "QuarroHostExport.h"
#include "model/GeoObject.h"
#include "model/ValueRange.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <memory>
#include <vector>

namespace quarro {
namespace model {

// A surface given as heights on a regular grid of cells (an ESRI ASCII grid, a DEM). Cell
// (col, row) covers x in [originX + col * dx, originX + (col + 1) * dx] and y in
// [originY + row * dy, originY + (row + 1) * dy]: the origin is the outer corner of cell (0, 0)
// and rows run northward, so a reader of a north-up file flips its rows. Heights are stored row
// by row; NaN is NODATA.
//
// Setters throw std::invalid_argument (and change nothing) on a size or spacing that cannot be.
class QUARRO_HOST_EXPORT RegularSurface : public GeoObject {
public:
    RegularSurface() = default;

    ObjectKind kind() const override;
    // The cells' extent, with z over the heights; empty when no cell has a height.
    BoundingBox boundingBox() const override;
    // The number of cells.
    quint64 sizeHint() const override;
    std::unique_ptr<GeoObject> clone() const override;

    static double noData() { return std::numeric_limits<double>::quiet_NaN(); }
    static bool isNoData(double height) { return std::isnan(height); }

    double originX() const { return m_originX; }
    double originY() const { return m_originY; }
    double dx() const { return m_dx; }
    double dy() const { return m_dy; }
    // Places the grid: the origin must be finite, the cell sizes finite and positive.
    void setPlacement(double originX, double originY, double dx, double dy);

    int ncols() const { return m_ncols; }
    int nrows() const { return m_nrows; }
    std::vector<double> const& heights() const { return m_heights; }
    // Sets the grid size and its heights, row by row (ncols * nrows values).
    void setHeights(int ncols, int nrows, std::vector<double> heights);

    // Throws std::out_of_range outside the grid.
    double height(int col, int row) const;
    void setHeight(int col, int row, double height);

    std::size_t noDataCount() const;
    // The lowest and highest height, NODATA ignored; empty when every cell is NODATA.
    ValueRange minMax() const;

private:
    std::size_t index(int col, int row) const;

    double m_originX = 0.0;
    double m_originY = 0.0;
    double m_dx = 1.0;
    double m_dy = 1.0;
    int m_ncols = 0;
    int m_nrows = 0;
    std::vector<double> m_heights;
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_REGULARSURFACE_H
