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

struct Visit {
    GridIJK cell;
    std::uint64_t value;
};

// The cells of a grid in visiting order, written as the triple loop a reader would write.
std::vector<Visit> expectedWalk(std::uint64_t ni, std::uint64_t nj, std::uint64_t nk) {
    std::vector<Visit> visits;
    for (std::uint64_t i = 0; i < ni; ++i) {
        for (std::uint64_t j = 0; j < nj; ++j) {
            for (std::uint64_t k = 0; k < nk; ++k) {
                visits.push_back({GridIJK(i, j, k), i + ni * (j + nj * k)});
            }
        }
    }
    return visits;
}

void expectAt(IJKIterator const& it, Visit const& visit) {
    EXPECT_EQ(it.ijk(), visit.cell);
    EXPECT_EQ(*it, visit.value);
}

} // namespace

static_assert(std::is_same<std::iterator_traits<IJKIterator>::iterator_category,
                           std::random_access_iterator_tag>::value,
              "standard algorithms see a random-access iterator");
static_assert(std::is_same<std::iterator_traits<IJKIterator>::difference_type, std::int64_t>::value,
              "distances are signed 64-bit");

TEST(IJKIterator, WalksColumnByColumnYieldingLinearIndices) {
    // The 2 x 2 x 2 table: k fastest, i slowest, values in linear (i fastest) order.
    IJKIterator it = IJKIterator::begin(2, 2, 2);
    std::vector<std::uint64_t> const table = {0, 4, 2, 6, 1, 5, 3, 7};
    for (std::size_t step = 0; step < table.size(); ++step) {
        EXPECT_EQ(*it, table[step]) << "step " << step;
        EXPECT_NE(it, IJKIterator::end(2, 2, 2));
        ++it;
    }
    EXPECT_EQ(it, IJKIterator::end(2, 2, 2));
    EXPECT_EQ(*it, all_ones);
    // Reached by stepping, the past-the-end state is (ni, 0, 0), unlike end()'s (ni, nj, nk).
    EXPECT_EQ(it.ijk(), GridIJK(2, 0, 0));
    EXPECT_EQ(IJKIterator::end(2, 2, 2).ijk(), GridIJK(2, 2, 2));
    ++it;
    EXPECT_EQ(it.ijk(), GridIJK(2, 0, 0));
    EXPECT_EQ(*it, all_ones);

    // A grid of unequal counts, walked both step by step and through standard algorithms.
    std::vector<Visit> const expected = expectedWalk(3, 4, 5);
    IJKIterator walker = IJKIterator::begin(3, 4, 5);
    for (Visit const& visit : expected) {
        expectAt(walker, visit);
        walker++;
    }
    EXPECT_EQ(walker, IJKIterator::end(3, 4, 5));
    std::vector<std::uint64_t> const values(IJKIterator::begin(3, 4, 5), IJKIterator::end(3, 4, 5));
    ASSERT_EQ(values.size(), expected.size());
    for (std::size_t n = 0; n < values.size(); ++n) {
        EXPECT_EQ(values[n], expected[n].value);
    }

    IJKIterator single = IJKIterator::begin(1, 1, 1);
    EXPECT_EQ(*single, 0u);
    EXPECT_EQ(*++single, all_ones);
    EXPECT_EQ(single, IJKIterator::end(1, 1, 1));
}

TEST(IJKIterator, DereferenceRefersToTheIteratorsOwnIndex) {
    IJKIterator it = IJKIterator::begin(2, 2, 2);
    std::uint64_t const& value = *it;
    ++it;
    EXPECT_EQ(value, 4u);
    EXPECT_EQ(it.operator->(), &value);
    // Postfix ++ hands back the position before the step.
    IJKIterator const before = it++;
    EXPECT_EQ(*before, 4u);
    EXPECT_EQ(*it, 2u);
}

TEST(IJKIterator, DecrementRetracesTheWalk) {
    IJKIterator first = IJKIterator::begin(3, 4, 5);
    --first;
    EXPECT_EQ(*first, 0u);
    EXPECT_EQ(first.ijk(), GridIJK(0, 0, 0));

    std::vector<Visit> const expected = expectedWalk(3, 4, 5);
    IJKIterator it = IJKIterator::end(3, 4, 5);
    for (auto visit = expected.rbegin(); visit != expected.rend(); ++visit) {
        IJKIterator const before = it--;
        EXPECT_EQ(*before, visit == expected.rbegin() ? all_ones : (visit - 1)->value);
        expectAt(it, *visit);
    }
    EXPECT_EQ(*--it, 0u);

    // Stepping past the end and back lands on the last cell again.
    IJKIterator last = IJKIterator::begin(3, 4, 5) + 59;
    expectAt(last, expected.back());
    ++last;
    --last;
    expectAt(last, expected.back());
    EXPECT_EQ(*last, 59u);
}

TEST(IJKIterator, FacadeArithmeticOnlyStepsForward) {
    std::vector<Visit> const expected = expectedWalk(2, 2, 2);
    IJKIterator it = IJKIterator::begin(2, 2, 2);
    it += 2;
    expectAt(it, expected[2]);

    // Subtracting a positive count or adding a negative one leaves the position alone.
    it -= 3;
    expectAt(it, expected[2]);
    it += -2;
    expectAt(it, expected[2]);
    expectAt(it + (-2), expected[2]);
    IJKIterator const minus_three = it - 3;
    expectAt(minus_three, expected[2]);
    // Minus a negative count steps forward and leaves the iterator itself alone.
    IJKIterator const minus_minus_two = it - (-2);
    expectAt(minus_minus_two, expected[4]);
    expectAt(it, expected[2]);
    it -= -1;
    expectAt(it, expected[3]);

    // The subscript reads ahead without moving.
    IJKIterator const begin = IJKIterator::begin(2, 2, 2);
    EXPECT_EQ(begin[0], 0u);
    EXPECT_EQ(begin[1], 4u);
    EXPECT_EQ(begin[3], 6u);
    EXPECT_EQ(begin[-1], 0u);
    EXPECT_EQ(begin[8], all_ones);
    EXPECT_EQ(*begin, 0u);

    // Advancing beyond the last cell stops at past-the-end.
    IJKIterator far = IJKIterator::begin(2, 2, 2) + 100;
    EXPECT_EQ(far, IJKIterator::end(2, 2, 2));
    EXPECT_EQ(far.ijk(), GridIJK(2, 0, 0));
    far += 1;
    EXPECT_EQ(*far, all_ones);
}

TEST(IJKIterator, AdvanceMatchesSingleSteps) {
    // From every cell of the grid, every count up to and beyond the end.
    std::uint64_t const ni = 3, nj = 4, nk = 5;
    for (std::int64_t start = 0; start <= 60; ++start) {
        for (std::int64_t n = 0; n <= 62 - start; ++n) {
            IJKIterator stepped = IJKIterator::begin(ni, nj, nk);
            for (std::int64_t s = 0; s < start + n; ++s) {
                ++stepped;
            }
            IJKIterator jumped = IJKIterator::begin(ni, nj, nk);
            for (std::int64_t s = 0; s < start; ++s) {
                ++jumped;
            }
            jumped += n;
            ASSERT_EQ(*jumped, *stepped) << "start " << start << " count " << n;
            ASSERT_EQ(jumped.ijk(), stepped.ijk()) << "start " << start << " count " << n;
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
    // Past-the-end counts as position ni * nj * nk however it was reached.
    IJKIterator stepped_end = begin + 60;
    EXPECT_EQ(stepped_end - begin, 60);
    EXPECT_EQ(end - stepped_end, 0);

    std::vector<IJKIterator> all;
    for (IJKIterator it = begin; it != end; ++it) {
        all.push_back(it);
    }
    for (IJKIterator const& a : all) {
        EXPECT_EQ(a - begin, static_cast<std::int64_t>(*a));
        EXPECT_EQ(end - a, 60 - static_cast<std::int64_t>(*a));
        EXPECT_EQ(a - end, static_cast<std::int64_t>(*a) - 60);
        EXPECT_TRUE(a < end);
        EXPECT_TRUE(end > a);
    }
    // Not the number of steps: the second cell visited (0, 0, 1) is 12 cells further on in
    // linear order, the sixth (0, 1, 0) only 3.
    IJKIterator const second = begin + 1;
    IJKIterator const sixth = begin + 5;
    EXPECT_EQ(second - begin, 12);
    EXPECT_EQ(sixth - begin, 3);
    EXPECT_EQ(sixth - second, -9);
    EXPECT_TRUE(sixth < second);
    EXPECT_TRUE(second >= sixth);
}

TEST(IJKIterator, AssignsOnlyBetweenGridsOfTheSameCounts) {
    IJKIterator target = IJKIterator::begin(3, 3, 3) + 4;
    GridIJK const before = target.ijk();
    std::uint64_t const value = *target;

    target = IJKIterator::begin(2, 2, 2) + 1;
    EXPECT_EQ(target.ijk(), before);
    EXPECT_EQ(*target, value);
    target = IJKIterator::end(3, 3, 2);
    EXPECT_EQ(*target, value);

    target = IJKIterator::end(3, 3, 3);
    EXPECT_EQ(*target, all_ones);
    EXPECT_EQ(target.ijk(), GridIJK(3, 3, 3));
    // The counts stay those of the target's own grid.
    --target;
    EXPECT_EQ(target.ijk(), GridIJK(2, 2, 2));
    EXPECT_EQ(*target, 26u);

    // A copy carries the counts along.
    IJKIterator copy(IJKIterator::end(2, 2, 2));
    --copy;
    EXPECT_EQ(copy.ijk(), GridIJK(1, 1, 1));
    EXPECT_EQ(*copy, 7u);
}
