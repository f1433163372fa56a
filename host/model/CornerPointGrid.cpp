#include "model/CornerPointGrid.h"

#include "model/ModelChecks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quarro {
namespace model {

namespace {

QString dimensionText(int ni, int nj, int nk) {
    return QStringLiteral("%1 x %2 x %3").arg(ni).arg(nj).arg(nk);
}

// The number of cells of an ni x nj x nk grid, refusing sizes whose corner depths could not
// even be counted in memory.
std::size_t checkedCellCount(int ni, int nj, int nk) {
    if (ni <= 0 || nj <= 0 || nk <= 0) {
        detail::throwInvalidArgument(
            QStringLiteral("a grid cannot have %1 cells").arg(dimensionText(ni, nj, nk)));
    }
    std::size_t const limit = std::numeric_limits<std::size_t>::max() / 8;
    std::size_t const layer = static_cast<std::size_t>(ni) * static_cast<std::size_t>(nj);
    if (layer > limit / static_cast<std::size_t>(nk)) {
        detail::throwInvalidArgument(
            QStringLiteral("a grid of %1 cells is too large").arg(dimensionText(ni, nj, nk)));
    }
    return layer * static_cast<std::size_t>(nk);
}

// Where a pillar passes depth z. A pillar whose ends share a depth gives no direction, so it is
// taken as vertical through its top.
Point3<double> pointOnPillar(Pillar const& pillar, double z) {
    double const span = pillar.bottom.z - pillar.top.z;
    if (span == 0.0) {
        return Point3<double>(pillar.top.x, pillar.top.y, z);
    }
    double const t = (z - pillar.top.z) / span;
    return Point3<double>(pillar.top.x + t * (pillar.bottom.x - pillar.top.x),
                          pillar.top.y + t * (pillar.bottom.y - pillar.top.y), z);
}

} // namespace

CornerPointGrid::CornerPointGrid()
    : m_properties(QStringLiteral("property")) {}

ObjectKind CornerPointGrid::kind() const {
    return ObjectKind::CornerPointGrid;
}

BoundingBox CornerPointGrid::boundingBox() const {
    BoundingBox box;
    for (Pillar const& pillar : m_pillars) {
        box.extend(pillar.top);
        box.extend(pillar.bottom);
    }
    return box;
}

quint64 CornerPointGrid::sizeHint() const {
    return cellCount();
}

std::unique_ptr<GeoObject> CornerPointGrid::clone() const {
    return std::make_unique<CornerPointGrid>(*this);
}

void CornerPointGrid::setGeometry(int ni, int nj, int nk, std::vector<Pillar> pillars,
                                  std::vector<double> zcorn) {
    std::size_t const cells = checkedCellCount(ni, nj, nk);
    QString const dimensions = dimensionText(ni, nj, nk);
    detail::requireCount(QStringLiteral("the pillar list of a %1 grid").arg(dimensions),
                         pillars.size(),
                         (static_cast<std::size_t>(ni) + 1) * (static_cast<std::size_t>(nj) + 1));
    detail::requireCount(QStringLiteral("ZCORN of a %1 grid").arg(dimensions), zcorn.size(),
                         8 * cells);
    m_ni = ni;
    m_nj = nj;
    m_nk = nk;
    m_pillars = std::move(pillars);
    m_zcorn = std::move(zcorn);
    m_active.assign(cells, true);
    m_activeCount = cells;
    m_properties.reset(cells);
}

std::size_t CornerPointGrid::cellIndex(int i, int j, int k) const {
    if (i < 0 || i >= m_ni || j < 0 || j >= m_nj || k < 0 || k >= m_nk) {
        detail::throwOutOfRange(QStringLiteral("cell (%1, %2, %3) is outside a %4 grid")
                                    .arg(i)
                                    .arg(j)
                                    .arg(k)
                                    .arg(dimensionText(m_ni, m_nj, m_nk)));
    }
    return static_cast<std::size_t>(i) +
           static_cast<std::size_t>(m_ni) *
               (static_cast<std::size_t>(j) +
                static_cast<std::size_t>(m_nj) * static_cast<std::size_t>(k));
}

void CornerPointGrid::setActiveFlags(std::vector<bool> active) {
    detail::requireCount(
        QStringLiteral("the active flags of a %1 grid").arg(dimensionText(m_ni, m_nj, m_nk)),
        active.size(), cellCount());
    m_activeCount = static_cast<std::size_t>(std::count(active.begin(), active.end(), true));
    m_active = std::move(active);
}

std::vector<double> const* CornerPointGrid::property(QString const& name) const {
    return m_properties.column(name);
}

void CornerPointGrid::addProperty(QString const& name, std::vector<double> values) {
    m_properties.setColumn(name, std::move(values));
}

bool CornerPointGrid::removeProperty(QString const& name) {
    return m_properties.removeColumn(name);
}

void CornerPointGrid::setMapAxes(MapAxes const& axes) {
    for (double value : axes) {
        detail::requireFinite(QStringLiteral("a map axes value"), value);
    }
    bool const yAxisHasLength = axes[0] != axes[2] || axes[1] != axes[3];
    bool const xAxisHasLength = axes[4] != axes[2] || axes[5] != axes[3];
    if (!yAxisHasLength || !xAxisHasLength) {
        detail::throwInvalidArgument(
            QStringLiteral("map axes need points on both axes apart from the origin"));
    }
    m_mapAxes = axes;
}

Point3<double> CornerPointGrid::toMapCoordinates(Point3<double> const& point) const {
    if (!m_mapAxes) {
        return point;
    }
    MapAxes const& a = *m_mapAxes;
    double const originX = a[2];
    double const originY = a[3];
    double const xLength = std::hypot(a[4] - originX, a[5] - originY);
    double const yLength = std::hypot(a[0] - originX, a[1] - originY);
    double const xUnitX = (a[4] - originX) / xLength;
    double const xUnitY = (a[5] - originY) / xLength;
    double const yUnitX = (a[0] - originX) / yLength;
    double const yUnitY = (a[1] - originY) / yLength;
    return Point3<double>(originX + point.x * xUnitX + point.y * yUnitX,
                          originY + point.x * xUnitY + point.y * yUnitY, point.z);
}

CornerPointGrid::CellCorners CornerPointGrid::cellCorners(int i, int j, int k) const {
    cellIndex(i, j, k); // range check
    CellCorners corners;
    std::size_t const pillarRow = static_cast<std::size_t>(m_ni) + 1;
    for (int dk = 0; dk < 2; ++dk) {
        for (int dj = 0; dj < 2; ++dj) {
            for (int di = 0; di < 2; ++di) {
                Pillar const& pillar = m_pillars[static_cast<std::size_t>(j + dj) * pillarRow +
                                                 static_cast<std::size_t>(i + di)];
                double const z = m_zcorn[zcornIndex(i, j, k, di, dj, dk)];
                corners[static_cast<std::size_t>(di + 2 * dj + 4 * dk)] = pointOnPillar(pillar, z);
            }
        }
    }
    return corners;
}

std::size_t CornerPointGrid::zcornIndex(int i, int j, int k, int di, int dj, int dk) const {
    std::size_t const rowLength = 2 * static_cast<std::size_t>(m_ni);
    std::size_t const layerRows = 2 * static_cast<std::size_t>(m_nj);
    std::size_t const layer = 2 * static_cast<std::size_t>(k) + static_cast<std::size_t>(dk);
    std::size_t const row = 2 * static_cast<std::size_t>(j) + static_cast<std::size_t>(dj);
    return (layer * layerRows + row) * rowLength + 2 * static_cast<std::size_t>(i) +
           static_cast<std::size_t>(di);
}

} // namespace model
} // namespace quarro
