#ifndef QUARRO_IMPORT_MRESDEF_H
#define QUARRO_IMPORT_MRESDEF_H

#include <cstdint>
#include <type_traits>

namespace quarro {
namespace import {

// A change of resolution over a box of cells: the cells of the box are merged into ni x nj x nk
// coarse cells (COARSEN). Plain bytes, copied as a block; a default record is all zeros.
struct MResDef {
    // The box of cells, 0-based, last index included.
    std::int32_t i_first = 0;
    std::int32_t i_last = 0;
    std::int32_t j_first = 0;
    std::int32_t j_last = 0;
    std::int32_t k_first = 0;
    std::int32_t k_last = 0;
    // Coarse cells along each axis of the box.
    std::int32_t ni = 0;
    std::int32_t nj = 0;
    std::int32_t nk = 0;
    std::int32_t number = 0;     // the definition's number, counted from 1 in the file
    std::int32_t lgr_number = 0; // the local grid the box lies in, 0 the global grid
    std::int32_t active = 0;     // 1 when the coarse cells are active
};

static_assert(sizeof(MResDef) == 48, "MResDef is a 48-byte block");
static_assert(std::is_trivially_copyable<MResDef>::value, "MResDef is copied as plain bytes");

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_MRESDEF_H
