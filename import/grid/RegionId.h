#ifndef QUARRO_IMPORT_REGIONID_H
#define QUARRO_IMPORT_REGIONID_H

#include "QuarroImportExport.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quarro {
namespace import {

// Names a region of a grid: one region number of a region keyword, or several combined.
struct QUARRO_IMPORT_EXPORT RegionId {
    RegionId();
    RegionId(RegionId const& p_other);
    RegionId(RegionId&& p_other) noexcept;
    RegionId& operator=(RegionId const& p_other);
    RegionId& operator=(RegionId&& p_other) noexcept;
    ~RegionId();

    // All four fields are equal; the region numbers in values must come in the same order.
    bool operator==(RegionId const& p_other) const;

    std::string keyword;              // the region keyword, e.g. "FIPNUM" or "EQLNUM"
    std::int32_t number = -1;         // the region number, -1 when not a single region
    std::vector<std::int32_t> values; // the region numbers combined into this region
    std::int64_t cell_count = 0;      // cells in the region, 0 until counted
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_REGIONID_H
