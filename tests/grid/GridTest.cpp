// The grid value types: cell ordering, the column-by-column cell walk, pillar split levels and the
// records readers fill.
#include "grid/GridZData.h"
#include "grid/IJKIterator.h"
#include "grid/RegionId.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <tuple>

namespace {

using namespace quarro::import;
using Point = quarro::model::Point3<float>;
std::uint64_t const past_end = std::numeric_limits<std::uint64_t>::max();

CellCorner corner(std::int32_t value) {
    return static_cast<CellCorner>(value);
}

NodeInfo makeNode(GridIJK const& cell, std::int32_t at, Point const& position,
                  GridIJK const& primary = GridIJK(), std::int32_t primary_at = 0) {
    NodeInfo node;
    node.setCell(cell, corner(at));
    node.setPrimaryCell(primary, corner(primary_at));
    node.node() = position;
    return node;
}

// The n-th cell a reader's triple loop (i outer, k inner) visits in an ni x nj x nk grid.
GridIJK nthCell(std::uint64_t n, std::uint64_t nj = 4, std::uint64_t nk = 5) {
    return GridIJK(n / (nj * nk), n / nk % nj, n % nk);
}

// Position and linear index (i + ni * (j + nj * k)) agree with step n of a 3 x 4 x 5 walk.
::testing::AssertionResult isAtStep(IJKIterator const& it, std::uint64_t n) {
    GridIJK const cell = nthCell(n);
    if (it.ijk() == cell && *it == cell.i_index() + 3 * (cell.j_index() + 4 * cell.k_index())) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "at (" << it.i() << ", " << it.j() << ", " << it.k()
                                         << ") value " << *it << ", expected step " << n;
}

// Equal to its copy, and unequal once any one of the changes is made to a copy.
template <class T>
void expectEachChangeBreaksEquality(T const& value,
                                    std::vector<std::function<void(T&)>> const& changes) {
    for (auto const& change : changes) {
        T copy = value;
        EXPECT_TRUE(copy == value);
        change(copy);
        EXPECT_FALSE(copy == value);
    }
}

TEST(GridIJK, OrdersByKThenJThenI) {
    std::vector<GridIJK> cells = {GridIJK(0, 0, past_end)};
    for (std::uint64_t n = 0; n < 27; ++n) {
        cells.emplace_back(n % 3, n / 3 % 3, n / 9);
    }
    auto const key = [](GridIJK const& c) {
        return std::tuple(c.k_index(), c.j_index(), c.i_index());
    };
    for (GridIJK const& a : cells) {
        for (GridIJK const& b : cells) {
            EXPECT_EQ(key(a) < key(b), a < b);
            EXPECT_EQ(key(a) > key(b), a > b);
            EXPECT_EQ(key(a) == key(b), a == b);
            EXPECT_EQ(key(a) != key(b), a != b);
        }
    }
}

TEST(IJKIterator, WalksColumnByColumnAndBack) {
    EXPECT_EQ(std::vector<std::uint64_t>(IJKIterator::begin(2, 2, 2), IJKIterator::end(2, 2, 2)),
              (std::vector<std::uint64_t>{0, 4, 2, 6, 1, 5, 3, 7}));
    IJKIterator it = IJKIterator::begin(3, 4, 5);
    --it;
    for (std::uint64_t n = 0; n < 60; ++n, ++it) {
        ASSERT_TRUE(isAtStep(it, n));
    }
    EXPECT_EQ(it, IJKIterator::end(3, 4, 5));
    EXPECT_EQ(past_end, *it++);
    EXPECT_EQ(it.ijk(), GridIJK(3, 0, 0)) << "stepping stays past the end";
    for (std::uint64_t n = 60; n-- > 0;) {
        ASSERT_TRUE(isAtStep(--it, n));
    }
}

TEST(IJKIterator, JumpsEqualSingleStepsAndDistancesCompareLinearIndices) {
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
    EXPECT_TRUE(isAtStep((IJKIterator::begin(3, 4, 5) + 2) - 3, 2)) << "only forward steps";

    IJKIterator const begin = IJKIterator::begin(3, 4, 5), end = IJKIterator::end(3, 4, 5);
    EXPECT_EQ(0, end - (begin + 60));
    EXPECT_EQ(12, (begin + 1) - begin) << "(0, 0, 1) has linear index 12";
    EXPECT_EQ(-9, (begin + 5) - (begin + 1));
    EXPECT_TRUE(begin + 5 < begin + 1);
}

TEST(NodeInfo, CornerOffsetsAndEqualityOfEveryField) {
    GridIJK const nodes[8] = {GridIJK(2, 5, 7), GridIJK(3, 5, 7), GridIJK(3, 6, 7),
                              GridIJK(2, 6, 7), GridIJK(2, 5, 8), GridIJK(3, 5, 8),
                              GridIJK(3, 6, 8), GridIJK(2, 6, 8)};
    for (std::int32_t c = -1; c <= 8; ++c) {
        NodeInfo node;
        node.setCell(2, 5, 7, corner(c));
        EXPECT_EQ(node.nodeIndex(), c >= 0 && c < 8 ? nodes[c] : GridIJK(2, 5, 7)) << c;
    }
    NodeInfo const node = makeNode(GridIJK(1, 2, 3), 5, Point(1, 2, 3), GridIJK(1, 2, 2), 1);
    expectEachChangeBreaksEquality<NodeInfo>(
        node, {[](NodeInfo& n) { n.setPrimaryCell(GridIJK(1, 2, 2), corner(2)); },
               [](NodeInfo& n) { n.setPrimaryCell(GridIJK(1, 2, 3), corner(1)); },
               [](NodeInfo& n) { n.setCell(GridIJK(1, 2, 3), corner(4)); },
               [](NodeInfo& n) { n.node().y = 2.5f; }});
}

TEST(GridZData, SplitLevelsFollowNodeLayersInCreationOrder) {
    // Corner 0 of cell k = 3 and corner 4 of cell k = 2 are both on node layer 3.
    NodeInfo const first = makeNode(GridIJK(0, 0, 3), 0, Point(1, 1, 30), GridIJK(0, 0, 3), 0);
    NodeInfo const second = makeNode(GridIJK(0, 0, 2), 4, Point(1, 1, 31), GridIJK(9, 9, 9), 6);
    NodeInfo const upper = makeNode(GridIJK(0, 0, 3), 7, Point(1, 1, 40), GridIJK(0, 0, 4), 1);
    GridZData pillar(0, 0);
    pillar.addSplit(upper);
    pillar.addSplit(first);
    pillar.addSplit(Point(7, 7, 7), second);
    ASSERT_EQ(pillar.numSplits(), 2u);
    EXPECT_EQ(pillar.getSplitKAt(0), 4u) << "levels are never sorted by k";
    EXPECT_EQ(pillar.getSplitKAt(1), 3u);
    EXPECT_EQ(pillar.getNumSplitsAt(1), 2u);
    EXPECT_EQ(pillar.getPrimaryCellAt(1), GridIJK(0, 0, 3)) << "the opening node's";
    Point position;
    GridIJK cell;
    CellCorner at = corner(-1);
    pillar.getSplitInfoAt(1, 1, position, cell, at);
    EXPECT_EQ(position, Point(7, 7, 7));
    EXPECT_EQ(at, corner(4));
}

TEST(GridRecords, RegionIdEqualityComparesEveryField) {
    RegionId region;
    region.keyword = "FIPNUM";
    region.number = 2;
    region.cell_count = 40;
    region.values = {1, 2, 3};
    expectEachChangeBreaksEquality<RegionId>(region, {[](RegionId& r) {
                                                          r.values = {3, 2, 1};
                                                      },
                                                      [](RegionId& r) { r.keyword = "X"; },
                                                      [](RegionId& r) { r.number = -1; },
                                                      [](RegionId& r) { r.cell_count = 41; }});
}

} // namespace
