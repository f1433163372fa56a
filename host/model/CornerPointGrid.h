#ifndef QUARRO_MODEL_CORNERPOINTGRID_H
#define QUARRO_MODEL_CORNERPOINTGRID_H

#include "QuarroHostExport.h"
#include "model/GeoObject.h"
#include "model/NamedColumns.h"
#include "model/Pillar.h"
#include "model/Point3.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace quarro {
namespace model {

// A corner-point grid as reservoir simulators describe it: ni x nj x nk cells between
// (ni + 1) x (nj + 1) straight pillars, each cell corner given by its depth on a pillar.
//
// Corner depths are in Eclipse ZCORN order: 2ni x 2nj x 2nk values, i fastest, each cell
// contributing its two i-sides, then its two j-sides, then its top and bottom layer. Cells are
// numbered i fastest, then j, then k; cell properties and active flags follow that order.
// Coordinates are those of the grid; map axes, when the file gives them, are kept apart and
// applied by toMapCoordinates().
//
// Setters that get a wrong number of values, or indices outside the grid, throw
// std::invalid_argument or std::out_of_range and leave the grid as it was.
class QUARRO_HOST_EXPORT CornerPointGrid : public GeoObject {
public:
    // The 8 corners of a cell: index di + 2 * dj + 4 * dk, where di, dj pick the low or high
    // side in i and j and dk the top (0) or bottom (1).
    using CellCorners = std::array<Point3<double>, 8>;
    // The six MAPAXES values: a point on the y axis, the origin, a point on the x axis.
    using MapAxes = std::array<double, 6>;

    CornerPointGrid();

    ObjectKind kind() const override;
    // The extent of the pillars.
    BoundingBox boundingBox() const override;
    // The number of cells.
    quint64 sizeHint() const override;
    std::unique_ptr<GeoObject> clone() const override;

    int ni() const { return m_ni; }
    int nj() const { return m_nj; }
    int nk() const { return m_nk; }
    std::size_t cellCount() const { return m_active.size(); }
    std::vector<Pillar> const& pillars() const { return m_pillars; }
    std::vector<double> const& zcorn() const { return m_zcorn; }

    // Gives the grid its size and shape: (ni + 1) * (nj + 1) pillars (i fastest) and
    // 8 * ni * nj * nk corner depths. Every cell becomes active and the properties are dropped,
    // since they belonged to the old cells. The counts must be positive.
    void setGeometry(int ni, int nj, int nk, std::vector<Pillar> pillars,
                     std::vector<double> zcorn);

    // The position of cell (i, j, k) in cell order; throws std::out_of_range outside the grid.
    std::size_t cellIndex(int i, int j, int k) const;

    std::vector<bool> const& activeFlags() const { return m_active; }
    // One flag per cell, in cell order.
    void setActiveFlags(std::vector<bool> active);
    bool isActive(int i, int j, int k) const { return m_active[cellIndex(i, j, k)]; }
    std::size_t activeCellCount() const { return m_activeCount; }

    QStringList propertyNames() const { return m_properties.names(); }
    // The property's values, or nullptr when there is no such property.
    std::vector<double> const* property(QString const& name) const;
    // Replaces or appends a property of one value per cell; throws std::invalid_argument on any
    // other count or an empty name.
    void addProperty(QString const& name, std::vector<double> values);
    bool removeProperty(QString const& name);

    std::optional<MapAxes> const& mapAxes() const { return m_mapAxes; }
    // Throws std::invalid_argument unless the values are finite and both axes have a length.
    void setMapAxes(MapAxes const& axes);
    void clearMapAxes() { m_mapAxes.reset(); }
    // The point in map coordinates; the point itself when the grid has no map axes.
    Point3<double> toMapCoordinates(Point3<double> const& point) const;

    // The corners of cell (i, j, k): each at its ZCORN depth, with x and y where its pillar
    // passes that depth. Throws std::out_of_range outside the grid.
    CellCorners cellCorners(int i, int j, int k) const;

private:
    std::size_t zcornIndex(int i, int j, int k, int di, int dj, int dk) const;

    int m_ni = 0;
    int m_nj = 0;
    int m_nk = 0;
    std::vector<Pillar> m_pillars;
    std::vector<double> m_zcorn;
    std::vector<bool> m_active;
    std::size_t m_activeCount = 0;
    NamedColumns m_properties;
    std::optional<MapAxes> m_mapAxes;
};

} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_CORNERPOINTGRID_H
