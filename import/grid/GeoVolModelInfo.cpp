#include "grid/GeoVolModelInfo.h"

namespace quarro {
namespace import {

GeoVolModelInfo::GeoVolModelInfo() = default;
GeoVolModelInfo::GeoVolModelInfo(GeoVolModelInfo const& p_other) = default;
GeoVolModelInfo::GeoVolModelInfo(GeoVolModelInfo&& p_other) noexcept = default;
GeoVolModelInfo& GeoVolModelInfo::operator=(GeoVolModelInfo const& p_other) = default;
GeoVolModelInfo& GeoVolModelInfo::operator=(GeoVolModelInfo&& p_other) noexcept = default;
GeoVolModelInfo::~GeoVolModelInfo() = default;

} // namespace import
} // namespace quarro
