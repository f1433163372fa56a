#include "grid/GridZData.h"
#include "grid/CellCorner.h"
#include "grid/GridIJK.h"
#include "grid/NodeInfo.h"
#include "model/Point3.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using quarro::import::CellCorner;
using quarro::import::GridIJK;
using quarro::import::GridZData;
using quarro::import::NodeInfo;
using Point = quarro::model::Point3<float>;

namespace {

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

struct SplitNode {
    Point position;
    GridIJK cell;
    CellCorner corner;
};

SplitNode splitAt(GridZData const& data, std::size_t level, std::size_t n) {
    SplitNode result{Point(), GridIJK(), corner(-1)};
    data.getSplitInfoAt(level, n, result.position, result.cell, result.corner);
    return result;
}

} // namespace

TEST(NodeInfo, CornerGivesTheNodeIndexOffsets) {
    GridIJK const nodes[8] = {GridIJK(2, 5, 7), GridIJK(3, 5, 7), GridIJK(3, 6, 7),
                              GridIJK(2, 6, 7), GridIJK(2, 5, 8), GridIJK(3, 5, 8),
                              GridIJK(3, 6, 8), GridIJK(2, 6, 8)};
    for (std::int32_t c = -1; c <= 8; ++c) {
        NodeInfo node;
        node.setCell(2, 5, 7, corner(c));
        EXPECT_EQ(node.cell(), GridIJK(2, 5, 7));
        EXPECT_EQ(node.corner(), corner(c));
        // Values outside the eight corners are kept and add no offset.
        EXPECT_EQ(node.nodeIndex(), c >= 0 && c < 8 ? nodes[c] : GridIJK(2, 5, 7)) << c;
    }

    NodeInfo node;
    node.setCell(GridIJK(2, 5, 7), CellCorner::Corner111);
    node.setPrimaryCell(1, 4, 6, CellCorner::Corner010);
    EXPECT_EQ(node.nodeIndex(), GridIJK(3, 6, 8));
    EXPECT_EQ(node.cell(), GridIJK(2, 5, 7));
    EXPECT_EQ(node.primaryCell(), GridIJK(1, 4, 6));
    EXPECT_EQ(node.primaryCorner(), CellCorner::Corner010);
    node.zVal() = 10;
    EXPECT_EQ(node.node(), Point(0, 0, 10));
}

TEST(NodeInfo, EqualityComparesEveryFieldWithFloatingPointCoordinates) {
    EXPECT_TRUE(NodeInfo() == NodeInfo());
    NodeInfo const node = makeNode(GridIJK(1, 2, 3), 5, Point(1, 2, 3), GridIJK(1, 2, 2), 1);
    NodeInfo copy = node;
    EXPECT_TRUE(copy == node);

    copy.setPrimaryCell(GridIJK(1, 2, 2), corner(2));
    EXPECT_FALSE(copy == node) << "differs only in the primary corner";
    copy = node;
    copy.setPrimaryCell(GridIJK(1, 2, 3), corner(1));
    EXPECT_FALSE(copy == node) << "differs only in the primary cell";
    copy = node;
    copy.setCell(GridIJK(1, 2, 3), corner(4));
    EXPECT_FALSE(copy == node) << "differs in corner and node index";
    copy = node;
    copy.node().y = 2.5f;
    EXPECT_FALSE(copy == node) << "differs in position";

    EXPECT_TRUE(makeNode(GridIJK(), 0, Point(0, 0, 0)) ==
                makeNode(GridIJK(), 0, Point(-0.0f, 0, -0.0f)));
    NodeInfo nan = makeNode(GridIJK(), 0, Point(0, std::numeric_limits<float>::quiet_NaN(), 0));
    NodeInfo const nan_copy = nan;
    EXPECT_FALSE(nan == nan_copy);
}

TEST(GridZData, SplitLevelsFollowCreationOrder) {
    // Node layers: corner 0 of cell k = 3 and corner 4 of cell k = 2 are both on layer 3.
    NodeInfo const first = makeNode(GridIJK(0, 0, 3), 0, Point(1, 1, 30), GridIJK(0, 0, 3), 0);
    NodeInfo const second = makeNode(GridIJK(0, 0, 2), 4, Point(1, 1, 31), GridIJK(9, 9, 9), 6);
    NodeInfo const upper = makeNode(GridIJK(0, 0, 3), 7, Point(1, 1, 40), GridIJK(0, 0, 4), 1);
    // Another pillar's i and j: only the layer picks the level.
    NodeInfo const elsewhere = makeNode(GridIJK(5, 6, 3), 3, Point(2, 2, 32));

    GridZData pillar(0, 0);
    pillar.isSplit(false);
    pillar.addSplit(first);
    EXPECT_TRUE(pillar.isSplit());
    pillar.addSplit(Point(7, 7, 7), second);
    pillar.addSplit(upper);
    pillar.isSplit(false);
    pillar.addSplit(elsewhere);
    EXPECT_TRUE(pillar.isSplit()) << "joining an existing level marks the pillar split too";

    ASSERT_EQ(pillar.numSplits(), 2u);
    EXPECT_EQ(pillar.getSplitKAt(0), 3u);
    EXPECT_EQ(pillar.getSplitKAt(1), 4u);
    EXPECT_EQ(pillar.getNumSplitsAt(0), 3u);
    EXPECT_EQ(pillar.getNumSplitsAt(1), 1u);
    EXPECT_EQ(pillar.getPrimaryCellAt(0), GridIJK(0, 0, 3)) << "the opening node's, not later ones";
    EXPECT_EQ(pillar.getPrimaryCornerAt(0), corner(0));
    EXPECT_EQ(pillar.getPrimaryCellAt(1), GridIJK(0, 0, 4));
    EXPECT_EQ(pillar.getPrimaryCornerAt(1), corner(1));

    SplitNode const given = splitAt(pillar, 0, 1);
    EXPECT_EQ(given.position, Point(7, 7, 7));
    EXPECT_EQ(given.cell, GridIJK(0, 0, 2));
    EXPECT_EQ(given.corner, corner(4));
    SplitNode const joined = splitAt(pillar, 0, 2);
    EXPECT_EQ(joined.position, Point(2, 2, 32));
    EXPECT_EQ(joined.cell, GridIJK(5, 6, 3));
    EXPECT_EQ(joined.corner, corner(3));

    GridZData reversed;
    reversed.addSplit(upper);
    reversed.addSplit(first);
    ASSERT_EQ(reversed.numSplits(), 2u);
    EXPECT_EQ(reversed.getSplitKAt(0), 4u) << "levels are never sorted by k";
    EXPECT_EQ(reversed.getSplitKAt(1), 3u);
}

TEST(GridZData, CopiesShareNoLevels) {
    GridZData source(Point(1, 1, 1), Point(1, 1, 9), 2, 3);
    source.addSplit(makeNode(GridIJK(2, 3, 0), 0, Point(1, 1, 1), GridIJK(2, 3, 0)));

    GridZData copy(source);
    copy.addSplit(makeNode(GridIJK(2, 3, 0), 1, Point(1, 1, 2)));
    copy.addSplit(makeNode(GridIJK(2, 3, 5), 0, Point(1, 1, 5)));
    copy.getPrimaryCellAt(0) = GridIJK(8, 8, 8);
    EXPECT_EQ(copy.top(), Point(1, 1, 9));
    ASSERT_EQ(source.numSplits(), 1u);
    EXPECT_EQ(source.getNumSplitsAt(0), 1u);
    EXPECT_EQ(source.getPrimaryCellAt(0), GridIJK(2, 3, 0));

    GridZData assigned(7, 7);
    assigned = source;
    EXPECT_EQ(assigned.i_index(), 2u);
    EXPECT_EQ(assigned.j_index(), 3u);
    assigned.addSplit(makeNode(GridIJK(2, 3, 0), 2, Point(1, 1, 3)));
    EXPECT_EQ(source.getNumSplitsAt(0), 1u);

    GridZData& alias = assigned;
    assigned = alias;
    ASSERT_EQ(assigned.numSplits(), 1u);
    EXPECT_EQ(assigned.getNumSplitsAt(0), 2u);
    EXPECT_EQ(splitAt(assigned, 0, 1).corner, corner(2));
}
