#ifndef QUARRO_IMPORT_LGRDEF_H
#define QUARRO_IMPORT_LGRDEF_H

#include "QuarroImportExport.h"
#include "grid/GeoVolModelInfo.h"
#include "grid/GridZData.h"
#include "grid/PropertyDescription.h"
#include "model/Point3.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace quarro {
namespace import {

// A local grid refinement (CARFIN / RADFIN): the box of host cells it refines, how each host cell
// is divided, and the local grid's own geometry and properties. Copies are deep except for
// reader_data, which copies share. A default record has empty texts and lists, zero numbers and
// no reader data.
struct QUARRO_IMPORT_EXPORT LGRDef {
    LGRDef();
    LGRDef(LGRDef const& p_other);
    LGRDef(LGRDef&& p_other) noexcept;
    LGRDef& operator=(LGRDef const& p_other);
    LGRDef& operator=(LGRDef&& p_other) noexcept;
    ~LGRDef();

    std::string name;        // the local grid's name
    std::string parent_name; // the local grid it refines, empty for the global grid

    // The box of host cells refined, 0-based, last index included.
    std::uint64_t i_first = 0;
    std::uint64_t i_last = 0;
    std::uint64_t j_first = 0;
    std::uint64_t j_last = 0;
    std::uint64_t k_first = 0;
    std::uint64_t k_last = 0;
    // Cells of the local grid along each axis.
    std::uint64_t ni = 0;
    std::uint64_t nj = 0;
    std::uint64_t nk = 0;

    // Local cells per host cell along each axis, one entry per host cell of the box (NXFIN ...).
    std::vector<std::uint64_t> i_divisions;
    std::vector<std::uint64_t> j_divisions;
    std::vector<std::uint64_t> k_divisions;
    // Relative sizes of the local cells along each axis (HXFIN ...).
    std::vector<float> i_cell_sizes;
    std::vector<float> j_cell_sizes;
    std::vector<float> k_cell_sizes;
    // 1 for an active, 0 for an inactive local cell, in linear cell order (ACTNUM).
    std::vector<std::int32_t> active;

    std::uint64_t max_wells = 0; // NWMAX

    std::string amalgamation; // the amalgamation the local grid belongs to, empty when none

    // Top and bottom point of each pillar of the local grid, pillar by pillar (COORD).
    std::vector<model::Point3<float>> pillar_points;
    std::vector<PropertyDescription> properties;
    GeoVolModelInfo model_info;
    // Whatever the reader keeps with the local grid (a parser's buffers, say): shared by copies
    // and released with the last of them.
    boost::shared_ptr<void> reader_data;
    // Z data of the pillars: one inner list per row j, i along the row.
    std::vector<std::vector<GridZData>> pillars;

    std::uint8_t radial = 0; // 1 for a radial refinement, 0 for a Cartesian one

    std::int32_t number = 0;        // the local grid's number, counted from 1; 0 the global grid
    std::int32_t parent_number = 0; // number of the grid it refines, 0 the global grid
    std::int32_t level = 0;         // nesting depth: 1 for a refinement of the global grid
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_LGRDEF_H
