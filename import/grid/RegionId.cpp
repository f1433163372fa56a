#include "grid/RegionId.h"

namespace quarro {
namespace import {

RegionId::RegionId() = default;
RegionId::RegionId(RegionId const& p_other) = default;
RegionId::RegionId(RegionId&& p_other) noexcept = default;
RegionId& RegionId::operator=(RegionId const& p_other) = default;
RegionId& RegionId::operator=(RegionId&& p_other) noexcept = default;
RegionId::~RegionId() = default;

bool RegionId::operator==(RegionId const& p_other) const {
    return keyword == p_other.keyword && number == p_other.number &&
           cell_count == p_other.cell_count && values == p_other.values;
}

} // namespace import
} // namespace quarro
