#include "grid/IJKIterator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <limits>
#include <type_traits>
#include <vector>

using quarro::import::GridIJK;
using quarro::import::IJKIterator;

namespace {

std::uint64_t const all_ones = std::numeric_limits<std::uint64_t>::max();

// The cells of a grid in visiting order, from the triple loop a reader would write.
std::vector<GridIJK> expectedCells(std::uint64_t ni, std::uint64_t nj, std::uint64_t nk) {
    std::vector<GridIJK> cells;
    for (std::uint64_t i = 0; i < ni; ++i) {
        for (std::uint64_t j = 0; j < nj; ++j) {
            for (std::uint64_t k = 0; k < nk; ++k) {
                cells.emplace_back(i, j, k);
            }
        }
    }
    return cells;
}

// Position and value agree with the n-th cell of a 3 x 4 x 5 walk.
::testing::AssertionResult isAtStep(IJKIterator const& it, std::size_t n) {
    GridIJK const cell = expectedCells(3, 4, 5).at(n);
    std::uint64_t const value = cell.i_index() + 3 * (cell.j_index() + 4 * cell.k_index());
    if (it.ijk() == cell && *it == value) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "at (" << it.i() << ", " << it.j() << ", " << it.k()
                                         << ") value " << *it << ", expected step " << n;
}

} // namespace

static_assert(std::is_same<std::iterator_traits<IJKIterator>::iterator_category,
                           std::random_access_iterator_tag>::value,
              "standard algorithms see a random-access iterator");

TEST(IJKIterator, WalksColumnByColumnYieldingLinearIndices) {
    std::vector<std::uint64_t> const table = {0, 4, 2, 6, 1, 5, 3, 7};
    EXPECT_EQ(std::vector<std::uint64_t>(IJKIterator::begin(2, 2, 2), IJKIterator::end(2, 2, 2)),
              table);

    IJKIterator it = IJKIterator::begin(3, 4, 5);
    for (std::size_t n = 0; n < 60; ++n) {
        EXPECT_TRUE(isAtStep(it, n));
        EXPECT_NE(it, IJKIterator::end(3, 4, 5));
        ++it;
    }
    EXPECT_EQ(it, IJKIterator::end(3, 4, 5));
    EXPECT_EQ(*it, all_ones);
    // Stepping leaves the past-the-end state at (ni, 0, 0); end() reports (ni, nj, nk).
    EXPECT_EQ(it.ijk(), GridIJK(3, 0, 0));
    EXPECT_EQ(IJKIterator::end(3, 4, 5).ijk(), GridIJK(3, 4, 5));
    ++it;
    EXPECT_EQ(it.ijk(), GridIJK(3, 0, 0));
    EXPECT_EQ(*it, all_ones);

    IJKIterator single = IJKIterator::begin(1, 1, 1);
    EXPECT_EQ(*single, 0u);
    EXPECT_EQ(*single++, 0u);
    EXPECT_EQ(single, IJKIterator::end(1, 1, 1));

    // The reference follows the iterator as it steps.
    IJKIterator walker = IJKIterator::begin(2, 2, 2);
    std::uint64_t const& value = *walker;
    ++walker;
    EXPECT_EQ(value, 4u);
    EXPECT_EQ(walker.operator->(), &value);
}

TEST(IJKIterator, DecrementRetracesTheWalk) {
    IJKIterator first = IJKIterator::begin(3, 4, 5);
    --first;
    EXPECT_TRUE(isAtStep(first, 0));

    IJKIterator it = IJKIterator::end(3, 4, 5);
    EXPECT_EQ(*it--, all_ones) << "postfix -- returns the iterator as it was";
    for (std::size_t n = 60; n-- > 0; --it) {
        EXPECT_TRUE(isAtStep(it, n));
    }
    EXPECT_TRUE(isAtStep(it, 0));

    IJKIterator stepped_end = IJKIterator::begin(3, 4, 5) + 60;
    --stepped_end;
    EXPECT_TRUE(isAtStep(stepped_end, 59));
    EXPECT_EQ(*stepped_end, 59u);
}

TEST(IJKIterator, FacadeArithmeticOnlyStepsForward) {
    IJKIterator it = IJKIterator::begin(3, 4, 5);
    it += 2;
    EXPECT_TRUE(isAtStep(it, 2));
    it -= 3;
    it += -2;
    EXPECT_TRUE(isAtStep(it, 2)) << "-= n > 0 and += n < 0 change nothing";
    EXPECT_TRUE(isAtStep(it - 3, 2));
    EXPECT_TRUE(isAtStep(it + (-2), 2));
    EXPECT_TRUE(isAtStep(it - (-2), 4)) << "minus a negative count steps forward";
    EXPECT_TRUE(isAtStep(it, 2)) << "and leaves the iterator alone";
    it -= -1;
    EXPECT_TRUE(isAtStep(it, 3));

    // The subscript reads ahead without moving.
    IJKIterator const begin = IJKIterator::begin(2, 2, 2);
    EXPECT_EQ(begin[0], 0u);
    EXPECT_EQ(begin[1], 4u);
    EXPECT_EQ(begin[3], 6u);
    EXPECT_EQ(begin[-1], 0u);
    EXPECT_EQ(begin[8], all_ones);
    EXPECT_EQ(*begin, 0u);

    // Advancing by n is n single steps, from every cell and for counts beyond the end.
    IJKIterator from = IJKIterator::begin(3, 4, 5);
    for (std::int64_t start = 0; start <= 60; ++start, ++from) {
        IJKIterator stepped = from;
        for (std::int64_t n = 0; n <= 62 - start; ++n, ++stepped) {
            IJKIterator jumped = from;
            jumped += n;
            ASSERT_EQ(*jumped, *stepped) << start << " + " << n;
            ASSERT_EQ(jumped.ijk(), stepped.ijk()) << start << " + " << n;
        }
    }
}

TEST(IJKIterator, DistancesAreDifferencesOfLinearIndices) {
    IJKIterator const begin = IJKIterator::begin(3, 4, 5);
    IJKIterator const end = IJKIterator::end(3, 4, 5);
    EXPECT_EQ(end - begin, 60);
    EXPECT_EQ(std::distance(begin, end), 60);
    EXPECT_EQ(begin - end, -60);
    EXPECT_EQ(end - end, 0);
    EXPECT_EQ(end - (begin + 60), 0) << "past-the-end counts as 60 however it was reached";

    for (IJKIterator a = begin; a != end; ++a) {
        std::int64_t const value = static_cast<std::int64_t>(*a);
        EXPECT_EQ(a - begin, value);
        EXPECT_EQ(end - a, 60 - value);
        EXPECT_EQ(a - end, value - 60);
        EXPECT_TRUE(a < end);
    }
    // Not a count of steps: the second cell visited, (0, 0, 1), has index 12, the sixth,
    // (0, 1, 0), index 3.
    IJKIterator const second = begin + 1;
    IJKIterator const sixth = begin + 5;
    EXPECT_EQ(second - begin, 12);
    EXPECT_EQ(sixth - second, -9);
    EXPECT_TRUE(sixth < second);
}

TEST(IJKIterator, AssignsOnlyBetweenGridsOfTheSameCounts) {
    IJKIterator target = IJKIterator::begin(3, 4, 5) + 4;
    target = IJKIterator::begin(2, 2, 2) + 1;
    EXPECT_TRUE(isAtStep(target, 4));
    target = IJKIterator::end(3, 4, 4);
    EXPECT_TRUE(isAtStep(target, 4));

    target = IJKIterator::end(3, 4, 5);
    EXPECT_EQ(*target, all_ones);
    EXPECT_EQ(target.ijk(), GridIJK(3, 4, 5));
    --target;
    EXPECT_TRUE(isAtStep(target, 59)) << "the counts stay those of the target's grid";

    IJKIterator copy(IJKIterator::end(2, 2, 2));
    --copy;
    EXPECT_EQ(copy.ijk(), GridIJK(1, 1, 1)) << "a copy carries the counts along";
}
