#include "grid/LGRDef.h"

namespace quarro {
namespace import {

LGRDef::LGRDef() = default;
LGRDef::LGRDef(LGRDef const& p_other) = default;
LGRDef::LGRDef(LGRDef&& p_other) noexcept = default;
LGRDef& LGRDef::operator=(LGRDef const& p_other) = default;
LGRDef& LGRDef::operator=(LGRDef&& p_other) noexcept = default;
LGRDef::~LGRDef() = default;

} // namespace import
} // namespace quarro
