#ifndef QUARRO_READERS_DXF_BLOCKTRANSFORM_H
#define QUARRO_READERS_DXF_BLOCKTRANSFORM_H

#include "model/Point3.h"

#include <array>

namespace quarro {
namespace readers {

// The affine map that places a block's contents where an INSERT puts them: moved by the block's
// base point, scaled, rotated about the insert's z axis, moved to the insertion point and taken
// from the insert's object coordinate system to world coordinates. Nested inserts compose.
class BlockTransform {
public:
    // The identity.
    BlockTransform();
    // `rotation` in degrees, as an INSERT gives it.
    static BlockTransform forInsert(model::Point3<double> const& base,
                                    model::Point3<double> const& position,
                                    model::Point3<double> const& scale, double rotation,
                                    model::Point3<double> const& extrusion);

    model::Point3<double> apply(model::Point3<double> const& p) const;
    // This map after `inner`: p -> this(inner(p)).
    BlockTransform after(BlockTransform const& inner) const;

private:
    std::array<std::array<double, 4>, 3> m_rows;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_DXF_BLOCKTRANSFORM_H
