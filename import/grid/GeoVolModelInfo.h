#ifndef QUARRO_IMPORT_GEOVOLMODELINFO_H
#define QUARRO_IMPORT_GEOVOLMODELINFO_H

#include "QuarroImportExport.h"

#include <cstdint>
#include <string>

namespace quarro {
namespace import {

// What a grid reader knows about a whole volume model: where it came from, its cell counts, its
// units and how it sits on the map. The library only carries the record; a default record has
// empty texts and zero numbers.
struct QUARRO_IMPORT_EXPORT GeoVolModelInfo {
    GeoVolModelInfo();
    GeoVolModelInfo(GeoVolModelInfo const& p_other);
    GeoVolModelInfo(GeoVolModelInfo&& p_other) noexcept;
    GeoVolModelInfo& operator=(GeoVolModelInfo const& p_other);
    GeoVolModelInfo& operator=(GeoVolModelInfo&& p_other) noexcept;
    ~GeoVolModelInfo();

    std::string model_name;        // the model's title, or the file's base name when it has none
    std::string source_path;       // the file the model was read from
    std::string format;            // the format the reader read, e.g. "GRDECL"
    std::string coordinate_system; // name of the coordinate reference system, empty when unknown
    std::string xy_unit;           // unit of x and y in the file (GRIDUNIT), e.g. "METRES"
    std::string z_unit;            // unit of depths in the file

    // The grid dimensions as SPECGRID gives them.
    std::int32_t ni = 0;
    std::int32_t nj = 0;
    std::int32_t nk = 0;
    std::int32_t reservoir_count = 0; // NUMRES
    std::int32_t coordinate_type = 0; // 0 Cartesian, 1 radial (SPECGRID "F" / "T")

    std::int64_t cell_count = 0;        // ni * nj * nk
    std::int64_t active_cell_count = 0; // cells that ACTNUM marks active
    std::int64_t pillar_count = 0;      // (ni + 1) * (nj + 1) pillars of COORD

    float rotation_degrees = 0;  // angle of the I axis from the map's x axis, anticlockwise
    float xy_unit_to_metres = 0; // factor that turns x and y in xy_unit into metres
    float z_unit_to_metres = 0;  // factor that turns depths in z_unit into metres
    float undefined_value = 0;   // the value that stands for "no value" in cell properties

    std::string map_unit; // unit of the map coordinates (MAPUNITS)

    std::int32_t relative_to_map = 0; // 1 when COORD holds map coordinates (GRIDUNIT "MAP")
    std::int32_t handedness = 0;      // 1 right-handed, -1 left-handed axes, 0 unknown

    double map_origin_x = 0; // origin of the grid axes in map coordinates (MAPAXES)
    double map_origin_y = 0;
    double z_min = 0; // depth range of the corner points
    double z_max = 0;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_GEOVOLMODELINFO_H
