#ifndef QUARRO_IMPORT_CELLCORNER_H
#define QUARRO_IMPORT_CELLCORNER_H

#include "grid/GridIJK.h"

#include <cstdint>

namespace quarro {
namespace import {

// The eight corners of the hexahedral cell (i, j, k). The digits of a name are the offsets
// (di, dj, dk) from the cell's index to the index of the node at that corner. Corners 0 to 3 lie
// on the cell's face at k, 4 to 7 on its face at k + 1; on each face they run (i, j),
// (i + 1, j), (i + 1, j + 1), (i, j + 1). Any other value is kept as it is and has no offset.
enum class CellCorner : std::int32_t {
    Corner000 = 0,
    Corner100 = 1,
    Corner110 = 2,
    Corner010 = 3,
    Corner001 = 4,
    Corner101 = 5,
    Corner111 = 6,
    Corner011 = 7
};

// The index of the node at corner p_corner of cell p_cell; a value outside the eight corners
// gives the cell's own index.
inline GridIJK cornerNode(GridIJK const& p_cell, CellCorner p_corner) {
    std::int32_t const corner = static_cast<std::int32_t>(p_corner);
    if (corner < 0 || corner > 7) {
        return p_cell;
    }
    // Corners 1, 2, 5, 6 step along i; 2, 3, 6, 7 along j; 4 to 7 along k.
    std::uint64_t const di = (corner & 3) == 1 || (corner & 3) == 2 ? 1 : 0;
    std::uint64_t const dj = (corner & 3) >= 2 ? 1 : 0;
    std::uint64_t const dk = corner >= 4 ? 1 : 0;
    return GridIJK(p_cell.i_index() + di, p_cell.j_index() + dj, p_cell.k_index() + dk);
}

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_CELLCORNER_H
