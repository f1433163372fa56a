#include "GrdeclGridBuilder.h"

#include "GrdeclKeywords.h"
#include "GrdeclText.h"
#include "grid/CellCorner.h"
#include "grid/GridIJK.h"
#include "grid/GridZData.h"
#include "grid/IJKIterator.h"
#include "grid/NodeInfo.h"
#include "model/CornerPointGrid.h"
#include "model/Pillar.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <map>

namespace quarro {
namespace readers {

namespace {

using grdecl::groupedNumber;
using grdecl::keywordName;
using import::CellCorner;

// A region keyword with more region numbers than this is not a region keyword that anyone can
// use; its regions are not listed.
constexpr std::size_t max_regions = 10'000;

// Grids carry tens of properties, a few hundred at most; a file with more is not a grid file.
constexpr std::size_t max_properties = 10'000;

// Metres per unit of the GRIDUNIT and MAPUNITS names Eclipse knows; 0 for an unknown unit.
float metresPerUnit(std::string const& unit) {
    std::string const name = grdecl::upperCase(unit);
    if (name == "METRES" || name == "METERS" || name == "METRE" || name == "M") {
        return 1.0f;
    }
    if (name == "FEET" || name == "FT") {
        return 0.3048f;
    }
    if (name == "CM") {
        return 0.01f;
    }
    return 0.0f;
}

// The corner of cell (ci, cj, ck) at the node its offsets (di, dj, dk) lead to. On each face
// the corners run (i, j), (i + 1, j), (i + 1, j + 1), (i, j + 1).
CellCorner cornerAt(std::size_t di, std::size_t dj, std::size_t dk) {
    int const onFace = dj == 0 ? static_cast<int>(di) : 3 - static_cast<int>(di);
    return static_cast<CellCorner>(onFace + 4 * static_cast<int>(dk));
}

model::Point3<float> toFloat(model::Point3<double> const& point) {
    return model::Point3<float>(static_cast<float>(point.x), static_cast<float>(point.y),
                                static_cast<float>(point.z));
}

} // namespace

GrdeclGridBuilder::GrdeclGridBuilder(GrdeclDeck deck)
    : m_deck(std::move(deck)) {}

GrdeclGridBuilder::~GrdeclGridBuilder() = default;

GrdeclGridBuilder::Result GrdeclGridBuilder::build(QString const& name, QString const& sourcePath) {
    m_result = Result();
    for (std::string const& fault : m_deck.faults) {
        m_result.faults << grdecl::decodeText(fault);
    }
    m_result.ok = checkDimensions() && makeGeometry() && applyCellArrays();
    if (m_result.ok) {
        describeProperties(sourcePath);
        findRegions();
        applyMapAxes();
        findSplitNodes();
        describeModel(name, sourcePath);
        describeRefinements();
    } else {
        m_result.grid.reset();
    }
    m_result.comments = m_deck.allComments();
    for (std::string const& keyword : m_deck.skippedKeywords) {
        m_result.skippedKeywords << keywordName(keyword);
    }
    return std::move(m_result);
}

bool GrdeclGridBuilder::fail(QString const& error) {
    m_result.error = error;
    return false;
}

QString GrdeclGridBuilder::gridSize() const {
    return QStringLiteral("%1 x %2 x %3").arg(m_ni).arg(m_nj).arg(m_nk);
}

void GrdeclGridBuilder::notClosedComment(GrdeclArray const& array) {
    if (array.closure == GrdeclArray::Closure::Slash) {
        return;
    }
    QString const next =
        array.closure == GrdeclArray::Closure::Keyword
            ? QStringLiteral("%1 on %2").arg(keywordName(array.endedBy), describe(array.endedAt))
            : QStringLiteral("the end of the file");
    m_deck.addComment(QStringLiteral("%1: %2 is not ended by '/' before %3")
                          .arg(describe(array.where), keywordName(array.keyword), next));
}

bool GrdeclGridBuilder::checkDimensions() {
    if (!m_deck.dimensions) {
        return fail(QStringLiteral("the file has no SPECGRID (nor DIMENS), so the size of the "
                                   "grid is unknown"));
    }
    GrdeclDimensions const& dimensions = *m_deck.dimensions;
    QString const where = describe(dimensions.where);
    if (dimensions.radial) {
        return fail(QStringLiteral("%1: SPECGRID describes a radial grid; only Cartesian "
                                   "corner-point grids are read")
                        .arg(where));
    }
    if (dimensions.reservoirs != 1) {
        return fail(QStringLiteral("%1: SPECGRID describes %2 reservoirs; grids of one "
                                   "reservoir are read")
                        .arg(where)
                        .arg(dimensions.reservoirs));
    }
    m_ni = static_cast<std::size_t>(dimensions.ni);
    m_nj = static_cast<std::size_t>(dimensions.nj);
    m_nk = static_cast<std::size_t>(dimensions.nk);
    m_cells = m_ni * m_nj * m_nk;
    return true;
}

bool GrdeclGridBuilder::checkGridArray(std::optional<GrdeclArray> const& array, char const* keyword,
                                       std::uint64_t expected, QString const& needs) {
    if (!array) {
        QString reason = QStringLiteral("the file has no %1").arg(QLatin1String(keyword));
        for (GrdeclArray const& cellArray : m_deck.cellArrays) {
            if (cellArray.keyword == "DX" || cellArray.keyword == "TOPS") {
                reason += QStringLiteral("; grids of block sizes (DX, DY, DZ, TOPS) are not read");
                break;
            }
        }
        return fail(reason);
    }
    QString const where = describe(array->where);
    // The values kept are as many as counted whenever the count is right; the second test only
    // guards the indexing below.
    if (array->count != expected || array->values.size() != expected) {
        if (array->closure == GrdeclArray::Closure::EndOfFile) {
            return fail(QStringLiteral("the file ends inside %1 (begun on %2) after %3 of %4 "
                                       "values: it seems cut short")
                            .arg(QLatin1String(keyword), where, groupedNumber(array->count),
                                 groupedNumber(expected)));
        }
        return fail(QStringLiteral("%1: %2 has %3 values; a %4 grid needs %5 (%6)")
                        .arg(where, QLatin1String(keyword), groupedNumber(array->count), gridSize(),
                             groupedNumber(expected), needs));
    }
    if (array->defaults != 0) {
        GrdeclLocation const first{array->where.file, array->firstDefaultLine};
        return fail(QStringLiteral("%1: %2 leaves values to their default (\"*\"), which "
                                   "coordinates and depths do not have")
                        .arg(describe(first), QLatin1String(keyword)));
    }
    notClosedComment(*array);
    return true;
}

bool GrdeclGridBuilder::makeGeometry() {
    std::uint64_t const pillarCount = (m_ni + 1) * (m_nj + 1);
    if (!checkGridArray(
            m_deck.coord, "COORD", 6 * pillarCount,
            QStringLiteral("six for each of its %1 pillars").arg(groupedNumber(pillarCount))) ||
        !checkGridArray(
            m_deck.zcorn, "ZCORN", 8 * static_cast<std::uint64_t>(m_cells),
            QStringLiteral("eight for each of its %1 cells").arg(groupedNumber(m_cells)))) {
        return false;
    }
    std::vector<double> const& coord = m_deck.coord->values;
    std::vector<model::Pillar> pillars(static_cast<std::size_t>(pillarCount));
    for (std::size_t p = 0; p < pillars.size(); ++p) {
        double const* c = coord.data() + 6 * p;
        pillars[p].top = model::Point3<double>(c[0], c[1], c[2]);
        pillars[p].bottom = model::Point3<double>(c[3], c[4], c[5]);
    }
    m_result.grid = std::make_unique<model::CornerPointGrid>();
    m_result.grid->setGeometry(static_cast<int>(m_ni), static_cast<int>(m_nj),
                               static_cast<int>(m_nk), std::move(pillars),
                               std::move(m_deck.zcorn->values));
    m_deck.zcorn.reset();
    return true;
}

bool GrdeclGridBuilder::applyCellArrays() {
    std::vector<bool> active(m_cells, true);
    bool actnumRead = false;
    std::uint64_t const layer = static_cast<std::uint64_t>(m_ni) * m_nj;
    for (GrdeclArray& array : m_deck.cellArrays) {
        QString const keyword = keywordName(array.keyword);
        QString const where = describe(array.where);
        bool const isActnum = array.keyword == "ACTNUM";
        bool const known = grdecl::keywordKind(array.keyword) == grdecl::KeywordKind::CellArray;
        std::optional<GrdeclBox> const& box = array.box;
        if (box && (box->i2 >= static_cast<int>(m_ni) || box->j2 >= static_cast<int>(m_nj) ||
                    box->k2 >= static_cast<int>(m_nk))) {
            if (isActnum) {
                return fail(QStringLiteral("%1: ACTNUM is given for a BOX that reaches outside "
                                           "the %2 grid")
                                .arg(where, gridSize()));
            }
            m_deck.addComment(QStringLiteral("%1: %2 is given for a BOX that reaches outside "
                                             "the %3 grid; %2 skipped")
                                  .arg(where, keyword, gridSize()));
            continue;
        }
        std::uint64_t const expected = box ? box->cellCount() : m_cells;
        QString const target =
            box ? QStringLiteral("its BOX holds %1 cells").arg(groupedNumber(expected))
                : QStringLiteral("the %1 grid has %2 cells")
                      .arg(gridSize(), groupedNumber(expected));
        if (array.count != expected || array.values.size() != expected) {
            bool const property = isActnum || known || array.count >= layer;
            if (!property) {
                m_deck.addSkippedKeyword(array.keyword); // a few numbers: a setting, not a property
                continue;
            }
            if (array.closure == GrdeclArray::Closure::EndOfFile) {
                return fail(
                    QStringLiteral("the file ends inside %1 (begun on %2) after %3 of %4 "
                                   "values: it seems cut short")
                        .arg(keyword, where, groupedNumber(array.count), groupedNumber(expected)));
            }
            if (isActnum) {
                return fail(QStringLiteral("%1: ACTNUM has %2 values, but %3")
                                .arg(where, groupedNumber(array.count), target));
            }
            m_deck.addComment(QStringLiteral("%1: %2 has %3 values, but %4; %2 skipped")
                                  .arg(where, keyword, groupedNumber(array.count), target));
            continue;
        }
        notClosedComment(array);

        std::vector<double> const& values = array.values;
        auto forEachCell = [&](auto&& apply) {
            if (!box) {
                for (std::size_t cell = 0; cell < m_cells; ++cell) {
                    apply(cell, values[cell]);
                }
                return;
            }
            std::size_t n = 0;
            for (int k = box->k1; k <= box->k2; ++k) {
                for (int j = box->j1; j <= box->j2; ++j) {
                    std::size_t const row =
                        m_ni * (static_cast<std::size_t>(j) + m_nj * static_cast<std::size_t>(k));
                    for (int i = box->i1; i <= box->i2; ++i) {
                        apply(row + static_cast<std::size_t>(i), values[n++]);
                    }
                }
            }
        };
        if (isActnum) {
            // A defaulted flag (NaN) keeps the cell active; 2 and 3 are the dual-porosity
            // spellings of active.
            forEachCell([&active](std::size_t cell, double value) { active[cell] = value != 0.0; });
            actnumRead = true;
            continue;
        }
        auto const listed = m_propertyIndex.find(array.keyword);
        std::size_t const index =
            listed != m_propertyIndex.end() ? listed->second : m_properties.size();
        if (index == m_properties.size()) {
            if (m_properties.size() == max_properties) {
                m_deck.addComment(array.where, QStringLiteral("%1 is one property more than the "
                                                              "%2 this reader takes; skipped")
                                                   .arg(keyword, groupedNumber(max_properties)));
                continue;
            }
            m_propertyIndex.emplace(array.keyword, index);
            m_properties.push_back(
                Property{array.keyword, array.sourcePath, std::vector<double>()});
        }
        std::vector<double>& cells = m_properties[index].values;
        if (!box) {
            cells = std::move(array.values);
            continue;
        }
        if (cells.empty()) {
            cells.assign(m_cells, std::numeric_limits<double>::quiet_NaN());
        }
        forEachCell([&cells](std::size_t cell, double value) { cells[cell] = value; });
    }
    if (actnumRead) {
        m_result.grid->setActiveFlags(std::move(active));
    }
    m_deck.cellArrays.clear();
    return true;
}

void GrdeclGridBuilder::describeProperties(QString const& sourcePath) {
    std::vector<import::PropertyDescription>& descriptions = m_result.model.grid.properties;
    for (Property& property : m_properties) {
        import::PropertyDescription description;
        description.discrete = grdecl::isRegionKeyword(property.keyword) ? 1 : 0;
        description.keyword = property.keyword;
        description.name = property.keyword;
        description.undefined_value = std::numeric_limits<float>::quiet_NaN();
        // Values from the file read itself carry no path of their own when it came as text.
        description.source_path =
            (property.sourcePath.isEmpty() ? sourcePath : property.sourcePath).toStdString();
        double minimum = std::numeric_limits<double>::infinity();
        double maximum = -minimum;
        double sum = 0;
        double sumOfSquares = 0;
        std::size_t defined = 0;
        for (double value : property.values) {
            if (std::isnan(value)) {
                continue;
            }
            minimum = std::min(minimum, value);
            maximum = std::max(maximum, value);
            sum += value;
            sumOfSquares += value * value;
            ++defined;
        }
        description.value_count = static_cast<std::int32_t>(property.values.size());
        description.undefined_count = static_cast<std::int32_t>(property.values.size() - defined);
        if (defined > 0) {
            double const mean = sum / static_cast<double>(defined);
            double const variance =
                std::max(0.0, sumOfSquares / static_cast<double>(defined) - mean * mean);
            description.min_value = static_cast<float>(minimum);
            description.max_value = static_cast<float>(maximum);
            description.mean = static_cast<float>(mean);
            description.std_deviation = static_cast<float>(std::sqrt(variance));
        }
        if (defined < property.values.size()) {
            m_deck.addComment(QStringLiteral("%1 has no value for %2 of the %3 cells")
                                  .arg(keywordName(property.keyword),
                                       groupedNumber(property.values.size() - defined),
                                       groupedNumber(property.values.size())));
        }
        descriptions.push_back(std::move(description));
        m_result.grid->addProperty(keywordName(property.keyword), std::move(property.values));
    }
    m_properties.clear();
    m_propertyIndex.clear();
}

void GrdeclGridBuilder::findRegions() {
    for (import::PropertyDescription const& description : m_result.model.grid.properties) {
        if (description.discrete == 0) {
            continue;
        }
        std::vector<double> const* values =
            m_result.grid->property(QString::fromStdString(description.keyword));
        std::map<std::int32_t, std::int64_t> cellsOfRegion;
        bool tooMany = false;
        for (double value : *values) {
            if (std::isnan(value) || value != std::floor(value) ||
                value < std::numeric_limits<std::int32_t>::min() ||
                value > std::numeric_limits<std::int32_t>::max()) {
                continue;
            }
            ++cellsOfRegion[static_cast<std::int32_t>(value)];
            if (cellsOfRegion.size() > max_regions) {
                tooMany = true;
                break;
            }
        }
        if (tooMany) {
            m_deck.addComment(
                QStringLiteral("%1 has more than %2 region numbers; its regions "
                               "are not listed")
                    .arg(QString::fromStdString(description.keyword), groupedNumber(max_regions)));
            continue;
        }
        for (auto const& [number, cells] : cellsOfRegion) {
            import::RegionId region;
            region.keyword = description.keyword;
            region.number = number;
            region.values = {number};
            region.cell_count = cells;
            m_result.model.regions.push_back(std::move(region));
        }
    }
}

void GrdeclGridBuilder::applyMapAxes() {
    if (!m_deck.mapAxes) {
        return;
    }
    if (m_deck.gridOnMap) {
        return; // GRIDUNIT ... MAP: COORD holds map coordinates already
    }
    try {
        m_result.grid->setMapAxes(*m_deck.mapAxes);
    } catch (std::exception const& e) {
        m_deck.addComment(QStringLiteral("%1: MAPAXES ignored: %2")
                              .arg(describe(m_deck.mapAxesAt), QString::fromUtf8(e.what())));
    }
}

void GrdeclGridBuilder::findSplitNodes() {
    model::CornerPointGrid const& grid = *m_result.grid;
    import::LGRDef& description = m_result.model.grid;
    std::vector<model::Pillar> const& pillars = grid.pillars();
    std::size_t const pillarRow = m_ni + 1;

    description.pillars.assign(m_nj + 1, std::vector<import::GridZData>());
    description.pillar_points.reserve(2 * pillars.size());
    for (std::size_t j = 0; j <= m_nj; ++j) {
        std::vector<import::GridZData>& row = description.pillars[j];
        row.reserve(pillarRow);
        for (std::size_t i = 0; i < pillarRow; ++i) {
            model::Pillar const& pillar = pillars[j * pillarRow + i];
            row.emplace_back(toFloat(pillar.bottom), toFloat(pillar.top), i, j);
            description.pillar_points.push_back(toFloat(pillar.top));
            description.pillar_points.push_back(toFloat(pillar.bottom));
        }
    }

    // Which nodes are split, marked in node order (i fastest) in one pass that reads ZCORN the
    // way it lies in memory.
    double const* const zcorn = grid.zcorn().data();
    std::size_t const rowLength = 2 * m_ni;
    std::size_t const layerRows = 2 * m_nj;
    auto depth = [&](std::size_t ci, std::size_t cj, std::size_t ck, std::size_t di, std::size_t dj,
                     std::size_t dk) {
        return zcorn[((2 * ck + dk) * layerRows + 2 * cj + dj) * rowLength + 2 * ci + di];
    };
    auto lowCell = [](std::size_t node) { return node > 0 ? node - 1 : 0; };
    auto highCell = [](std::size_t node, std::size_t cells) {
        return node < cells ? node : cells - 1;
    };
    std::size_t const nodeCount = (m_ni + 1) * (m_nj + 1) * (m_nk + 1);
    std::vector<std::uint8_t> split(nodeCount, 0);
    std::size_t node = 0;
    for (std::size_t pk = 0; pk <= m_nk; ++pk) {
        std::size_t const k0 = lowCell(pk);
        std::size_t const k1 = highCell(pk, m_nk);
        for (std::size_t pj = 0; pj <= m_nj; ++pj) {
            std::size_t const j0 = lowCell(pj);
            std::size_t const j1 = highCell(pj, m_nj);
            for (std::size_t pi = 0; pi <= m_ni; ++pi, ++node) {
                std::size_t const i0 = lowCell(pi);
                std::size_t const i1 = highCell(pi, m_ni);
                double const first = depth(i0, j0, k0, pi - i0, pj - j0, pk - k0);
                bool differs = false;
                for (std::size_t ck = k0; ck <= k1; ++ck) {
                    for (std::size_t cj = j0; cj <= j1; ++cj) {
                        for (std::size_t ci = i0; ci <= i1; ++ci) {
                            differs |= depth(ci, cj, ck, pi - ci, pj - cj, pk - ck) != first;
                        }
                    }
                }
                split[node] = differs ? 1 : 0;
            }
        }
    }

    // The split levels, pillar by pillar: the iterator walks the nodes column by column (k
    // fastest) and yields each node's index in node order, so every pillar gets its levels in
    // the order of k.
    std::uint64_t const nni = m_ni + 1;
    std::uint64_t const nnj = m_nj + 1;
    std::uint64_t const nnk = m_nk + 1;
    for (import::IJKIterator it = import::IJKIterator::begin(nni, nnj, nnk),
                             end = import::IJKIterator::end(nni, nnj, nnk);
         it != end; ++it) {
        if (split[static_cast<std::size_t>(*it)] == 0) {
            continue;
        }
        std::size_t const pi = static_cast<std::size_t>(it.i());
        std::size_t const pj = static_cast<std::size_t>(it.j());
        std::size_t const pk = static_cast<std::size_t>(it.k());
        import::GridZData& pillar = description.pillars[pj][pi];
        std::array<double, 8> seen{};
        std::size_t distinct = 0;
        import::GridIJK primaryCell;
        CellCorner primaryCorner = CellCorner::Corner000;
        bool first = true;
        for (std::size_t ck = lowCell(pk); ck <= highCell(pk, m_nk); ++ck) {
            for (std::size_t cj = lowCell(pj); cj <= highCell(pj, m_nj); ++cj) {
                for (std::size_t ci = lowCell(pi); ci <= highCell(pi, m_ni); ++ci) {
                    std::size_t const di = pi - ci;
                    std::size_t const dj = pj - cj;
                    std::size_t const dk = pk - ck;
                    import::GridIJK const cell(ci, cj, ck);
                    CellCorner const corner = cornerAt(di, dj, dk);
                    if (first) {
                        primaryCell = cell;
                        primaryCorner = corner;
                        first = false;
                    }
                    double const z = depth(ci, cj, ck, di, dj, dk);
                    if (std::find(seen.begin(), seen.begin() + distinct, z) !=
                        seen.begin() + distinct) {
                        continue;
                    }
                    seen[distinct++] = z;
                    import::NodeInfo nodeInfo;
                    nodeInfo.setCell(cell, corner);
                    nodeInfo.setPrimaryCell(primaryCell, primaryCorner);
                    model::CornerPointGrid::CellCorners const corners = grid.cellCorners(
                        static_cast<int>(ci), static_cast<int>(cj), static_cast<int>(ck));
                    nodeInfo.node() = toFloat(corners[di + 2 * dj + 4 * dk]);
                    pillar.addSplit(nodeInfo);
                    ++m_result.model.splitNodeCount;
                }
            }
        }
        ++m_result.model.splitLevelCount;
    }
}

void GrdeclGridBuilder::describeModel(QString const& name, QString const& sourcePath) {
    model::CornerPointGrid& grid = *m_result.grid;
    import::LGRDef& description = m_result.model.grid;
    import::GeoVolModelInfo& info = description.model_info;
    info.model_name = name.toStdString();
    info.source_path = sourcePath.toStdString();
    info.format = "GRDECL";
    info.xy_unit = grdecl::decodeText(m_deck.gridUnits).toStdString();
    info.z_unit = info.xy_unit;
    info.ni = static_cast<std::int32_t>(m_ni);
    info.nj = static_cast<std::int32_t>(m_nj);
    info.nk = static_cast<std::int32_t>(m_nk);
    info.reservoir_count = 1;
    info.coordinate_type = 0;
    info.cell_count = static_cast<std::int64_t>(m_cells);
    info.active_cell_count = static_cast<std::int64_t>(grid.activeCellCount());
    info.pillar_count = static_cast<std::int64_t>((m_ni + 1) * (m_nj + 1));
    info.xy_unit_to_metres = metresPerUnit(m_deck.gridUnits);
    info.z_unit_to_metres = info.xy_unit_to_metres;
    info.undefined_value = std::numeric_limits<float>::quiet_NaN();
    info.map_unit = grdecl::decodeText(m_deck.mapUnits).toStdString();
    info.relative_to_map = m_deck.gridOnMap ? 1 : 0;
    if (std::optional<model::CornerPointGrid::MapAxes> const& axes = grid.mapAxes()) {
        std::array<double, 6> const& a = *axes;
        double const xAxisX = a[4] - a[2];
        double const xAxisY = a[5] - a[3];
        double const yAxisX = a[0] - a[2];
        double const yAxisY = a[1] - a[3];
        constexpr double degrees_per_radian = 57.29577951308232;
        info.rotation_degrees = static_cast<float>(std::atan2(xAxisY, xAxisX) * degrees_per_radian);
        info.handedness = xAxisX * yAxisY - xAxisY * yAxisX >= 0 ? 1 : -1;
        info.map_origin_x = a[2];
        info.map_origin_y = a[3];
    }
    std::vector<double> const& zcorn = grid.zcorn();
    auto const range = std::minmax_element(zcorn.begin(), zcorn.end());
    info.z_min = *range.first;
    info.z_max = *range.second;

    description.name = info.model_name;
    description.i_last = m_ni - 1;
    description.j_last = m_nj - 1;
    description.k_last = m_nk - 1;
    description.ni = m_ni;
    description.nj = m_nj;
    description.nk = m_nk;
    std::vector<bool> const& active = grid.activeFlags();
    description.active.assign(active.begin(), active.end());

    grid.setName(name);
    grid.setProperty(QStringLiteral("Format"), QStringLiteral("Eclipse GRDECL"));
    grid.setProperty(QStringLiteral("Source file"), sourcePath);
    if (!m_deck.title.empty()) {
        grid.setProperty(QStringLiteral("Title"), grdecl::decodeText(m_deck.title));
    }
    if (!m_deck.gridUnits.empty()) {
        grid.setProperty(QStringLiteral("Grid units"), grdecl::decodeText(m_deck.gridUnits));
    }
    if (!m_deck.mapUnits.empty()) {
        grid.setProperty(QStringLiteral("Map units"), grdecl::decodeText(m_deck.mapUnits));
    }
    if (!m_result.faults.isEmpty()) {
        grid.setProperty(QStringLiteral("Faults"), m_result.faults.join(QStringLiteral(", ")));
    }
    grid.setProperty(QStringLiteral("Split nodes"),
                     QString::number(static_cast<qulonglong>(m_result.model.splitNodeCount)));
}

void GrdeclGridBuilder::describeRefinements() {
    int number = 0;
    for (GrdeclRefinement const& refinement : m_deck.refinements) {
        import::LGRDef lgr;
        lgr.name = refinement.name;
        lgr.parent_name = refinement.parent;
        lgr.i_first = static_cast<std::uint64_t>(std::max(refinement.box.i1, 0));
        lgr.i_last = static_cast<std::uint64_t>(std::max(refinement.box.i2, 0));
        lgr.j_first = static_cast<std::uint64_t>(std::max(refinement.box.j1, 0));
        lgr.j_last = static_cast<std::uint64_t>(std::max(refinement.box.j2, 0));
        lgr.k_first = static_cast<std::uint64_t>(std::max(refinement.box.k1, 0));
        lgr.k_last = static_cast<std::uint64_t>(std::max(refinement.box.k2, 0));
        lgr.ni = static_cast<std::uint64_t>(refinement.ni);
        lgr.nj = static_cast<std::uint64_t>(refinement.nj);
        lgr.nk = static_cast<std::uint64_t>(refinement.nk);
        lgr.max_wells = static_cast<std::uint64_t>(refinement.maxWells);
        lgr.number = ++number;
        lgr.level = 1;
        m_result.model.refinements.push_back(std::move(lgr));
    }
    for (import::MResDef const& coarsening : m_deck.coarsenings) {
        if (coarsening.i_last >= static_cast<std::int32_t>(m_ni) ||
            coarsening.j_last >= static_cast<std::int32_t>(m_nj) ||
            coarsening.k_last >= static_cast<std::int32_t>(m_nk)) {
            m_deck.addComment(QStringLiteral("COARSEN box %1 reaches outside the %2 grid; skipped")
                                  .arg(coarsening.number)
                                  .arg(gridSize()));
            continue;
        }
        m_result.model.coarsenings.push_back(coarsening);
    }
}

} // namespace readers
} // namespace quarro
