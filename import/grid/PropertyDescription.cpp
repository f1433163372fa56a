#include "grid/PropertyDescription.h"

namespace quarro {
namespace import {

PropertyDescription::PropertyDescription() = default;
PropertyDescription::PropertyDescription(PropertyDescription const& p_other) = default;
PropertyDescription::PropertyDescription(PropertyDescription&& p_other) noexcept = default;
PropertyDescription& PropertyDescription::operator=(PropertyDescription const& p_other) = default;
PropertyDescription&
PropertyDescription::operator=(PropertyDescription&& p_other) noexcept = default;
PropertyDescription::~PropertyDescription() = default;

} // namespace import
} // namespace quarro
