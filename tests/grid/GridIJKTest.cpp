#include "grid/GridIJK.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

using quarro::import::GridIJK;

TEST(GridIJK, OrdersByKThenJThenI) {
    EXPECT_TRUE(GridIJK(5, 0, 1) < GridIJK(0, 0, 2));
    EXPECT_FALSE(GridIJK(5, 0, 1) > GridIJK(0, 0, 2));
    EXPECT_TRUE(GridIJK(0, 1, 0) > GridIJK(9, 0, 0));
    EXPECT_FALSE(GridIJK(0, 1, 0) < GridIJK(9, 0, 0));
    EXPECT_TRUE(GridIJK(1, 2, 3) == GridIJK(1, 2, 3));
    EXPECT_FALSE(GridIJK(1, 2, 3) != GridIJK(1, 2, 3));
    EXPECT_FALSE(GridIJK(1, 2, 3) < GridIJK(1, 2, 3));
    EXPECT_FALSE(GridIJK(1, 2, 3) > GridIJK(1, 2, 3));
    for (GridIJK const& other : {GridIJK(0, 2, 3), GridIJK(1, 0, 3), GridIJK(1, 2, 0)}) {
        EXPECT_TRUE(GridIJK(1, 2, 3) != other);
        EXPECT_FALSE(GridIJK(1, 2, 3) == other);
    }
    EXPECT_TRUE(GridIJK(0, 0, ~std::uint64_t(0)) > GridIJK(0, 0, 1)) << "unsigned comparison";

    // Sorting the cells of one grid gives linear cell order i + ni * (j + nj * k).
    std::uint64_t const ni = 3, nj = 2, nk = 2;
    std::vector<GridIJK> cells;
    for (std::uint64_t i = 0; i < ni; ++i) {
        for (std::uint64_t j = 0; j < nj; ++j) {
            for (std::uint64_t k = 0; k < nk; ++k) {
                cells.emplace_back(i, j, k);
            }
        }
    }
    std::sort(cells.begin(), cells.end());
    for (std::uint64_t n = 0; n < cells.size(); ++n) {
        EXPECT_EQ(cells[n].i_index() + ni * (cells[n].j_index() + nj * cells[n].k_index()), n);
    }
}
