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

// A node at corner p_corner of cell (i, j, k), at position p_position, first met through p_primary.
NodeInfo makeNode(GridIJK const& p_cell, CellCorner p_corner, Point const& p_position,
                  GridIJK const& p_primary = GridIJK(), CellCorner p_primary_corner = corner(0)) {
    NodeInfo node;
    node.setCell(p_cell, p_corner);
    node.setPrimaryCell(p_primary, p_primary_corner);
    node.node() = p_position;
    return node;
}

struct SplitNode {
    Point position;
    GridIJK cell;
    CellCorner corner;
};

SplitNode splitAt(GridZData const& p_data, std::size_t p_level, std::size_t p_node) {
    SplitNode result{Point(), GridIJK(), corner(-1)};
    p_data.getSplitInfoAt(p_level, p_node, result.position, result.cell, result.corner);
    return result;
}

} // namespace

TEST(GridZData, ConstructorsSetTheDocumentedFlags) {
    GridZData const plain;
    EXPECT_TRUE(plain.isStack());
    EXPECT_FALSE(plain.isSplit());
    EXPECT_EQ(plain.numSplits(), 0u);
    EXPECT_EQ(plain.xScaleFactor(), 0.0f);
    EXPECT_EQ(plain.yScaleFactor(), 0.0f);
    EXPECT_EQ(plain.base(), Point());
    EXPECT_EQ(plain.top(), Point());

    GridZData const split(3, 4);
    EXPECT_FALSE(split.isStack());
    EXPECT_TRUE(split.isSplit());
    EXPECT_EQ(split.numSplits(), 0u);
    EXPECT_EQ(split.i_index(), 3u);
    EXPECT_EQ(split.j_index(), 4u);

    GridZData const column(Point(1, 2, 3), Point(4, 5, 6), 1, 2);
    EXPECT_EQ(column.base(), Point(1, 2, 3));
    EXPECT_EQ(column.top(), Point(4, 5, 6));
    EXPECT_TRUE(column.isStack());
    EXPECT_FALSE(column.isSplit());
    EXPECT_EQ(column.i_index(), 1u);
    EXPECT_EQ(column.j_index(), 2u);

    GridZData scaled(Point(1, 2, 3), false, 0.5f, 2.0f, 1, 2);
    EXPECT_EQ(scaled.base(), Point(1, 2, 3));
    EXPECT_EQ(scaled.top(), Point());
    EXPECT_FALSE(scaled.isStack());
    EXPECT_FALSE(scaled.isSplit());
    EXPECT_EQ(scaled.xScaleFactor(), 0.5f);
    EXPECT_EQ(scaled.yScaleFactor(), 2.0f);
    scaled.top().z = 9;
    scaled.xScaleFactor() = 4;
    scaled.isStack(true);
    EXPECT_EQ(scaled.top(), Point(0, 0, 9));
    EXPECT_EQ(scaled.xScaleFactor(), 4.0f);
    EXPECT_TRUE(scaled.isStack());
}

TEST(NodeInfo, CornerGivesTheNodeIndexOffsets) {
    struct Offset {
        std::uint64_t di, dj, dk;
    };
    Offset const offsets[8] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                               {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
    for (std::int32_t c = 0; c < 8; ++c) {
        NodeInfo node;
        node.setCell(2, 5, 7, corner(c));
        EXPECT_EQ(node.cell(), GridIJK(2, 5, 7));
        EXPECT_EQ(node.corner(), corner(c));
        EXPECT_EQ(node.nodeIndex(),
                  GridIJK(2 + offsets[c].di, 5 + offsets[c].dj, 7 + offsets[c].dk))
            << "corner " << c;
    }
    // Values outside the eight corners are kept and add no offset.
    for (std::int32_t c : {-1, 8, 1000}) {
        NodeInfo node;
        node.setCell(GridIJK(2, 5, 7), corner(c));
        EXPECT_EQ(node.corner(), corner(c));
        EXPECT_EQ(node.nodeIndex(), GridIJK(2, 5, 7));
    }

    NodeInfo node;
    node.setCell(2, 5, 7, CellCorner::Corner111);
    node.setPrimaryCell(1, 4, 6, CellCorner::Corner010);
    EXPECT_EQ(node.nodeIndex(), GridIJK(3, 6, 8));
    EXPECT_EQ(node.cell(), GridIJK(2, 5, 7));
    EXPECT_EQ(node.corner(), CellCorner::Corner111);
    EXPECT_EQ(node.primaryCell(), GridIJK(1, 4, 6));
    EXPECT_EQ(node.primaryCorner(), CellCorner::Corner010);

    node.zVal() = 10;
    EXPECT_EQ(node.node().z, 10.0f);
    node.node().z = 11;
    EXPECT_EQ(node.zVal(), 11.0f);
}

TEST(NodeInfo, EqualityComparesEveryFieldWithFloatingPointCoordinates) {
    EXPECT_TRUE(NodeInfo() == NodeInfo());

    NodeInfo const node =
        makeNode(GridIJK(1, 2, 3), corner(5), Point(1, 2, 3), GridIJK(1, 2, 2), corner(1));
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

    // Minus zero equals zero; NaN never equals, not even its own copy.
    NodeInfo zero = makeNode(GridIJK(), corner(0), Point(0, 0, 0));
    NodeInfo minus_zero = makeNode(GridIJK(), corner(0), Point(-0.0f, 0, -0.0f));
    EXPECT_TRUE(zero == minus_zero);
    NodeInfo nan = makeNode(GridIJK(), corner(0), Point(0, 0, 0));
    nan.zVal() = std::numeric_limits<float>::quiet_NaN();
    NodeInfo const nan_copy = nan;
    EXPECT_FALSE(nan == nan_copy);
    EXPECT_FALSE(nan == nan);
}

TEST(GridZData, SplitLevelsFollowCreationOrder) {
    GridZData pillar(0, 0);
    NodeInfo const first =
        makeNode(GridIJK(0, 0, 3), corner(0), Point(1, 1, 30), GridIJK(0, 0, 3), corner(0));
    NodeInfo const second =
        makeNode(GridIJK(0, 0, 2), corner(4), Point(1, 1, 31), GridIJK(9, 9, 9), corner(6));
    // Another pillar's i and j: only the node layer k picks the level.
    NodeInfo const elsewhere = makeNode(GridIJK(5, 6, 3), corner(3), Point(2, 2, 32));
    NodeInfo const upper =
        makeNode(GridIJK(0, 0, 3), corner(7), Point(1, 1, 40), GridIJK(0, 0, 4), corner(1));

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
    ASSERT_EQ(pillar.getNumSplitsAt(0), 3u);
    ASSERT_EQ(pillar.getNumSplitsAt(1), 1u);
    // The level keeps the primary cell and corner of the node that opened it.
    EXPECT_EQ(pillar.getPrimaryCellAt(0), GridIJK(0, 0, 3));
    EXPECT_EQ(pillar.getPrimaryCornerAt(0), corner(0));
    EXPECT_EQ(pillar.getPrimaryCellAt(1), GridIJK(0, 0, 4));
    EXPECT_EQ(pillar.getPrimaryCornerAt(1), corner(1));

    SplitNode const given_position = splitAt(pillar, 0, 1);
    EXPECT_EQ(given_position.position, Point(7, 7, 7));
    EXPECT_EQ(given_position.cell, GridIJK(0, 0, 2));
    EXPECT_EQ(given_position.corner, corner(4));
    SplitNode const joined = splitAt(pillar, 0, 2);
    EXPECT_EQ(joined.position, Point(2, 2, 32));
    EXPECT_EQ(joined.cell, GridIJK(5, 6, 3));
    EXPECT_EQ(joined.corner, corner(3));
    EXPECT_EQ(splitAt(pillar, 1, 0).position, Point(1, 1, 40));

    // A reader may correct a level's primary cell and corner.
    pillar.getPrimaryCellAt(1) = GridIJK(1, 1, 1);
    pillar.getPrimaryCornerAt(1) = corner(6);
    EXPECT_EQ(pillar.getPrimaryCellAt(1), GridIJK(1, 1, 1));
    EXPECT_EQ(pillar.getPrimaryCornerAt(1), corner(6));

    // Levels are never sorted by k.
    GridZData reversed;
    reversed.addSplit(upper);
    reversed.addSplit(first);
    ASSERT_EQ(reversed.numSplits(), 2u);
    EXPECT_EQ(reversed.getSplitKAt(0), 4u);
    EXPECT_EQ(reversed.getSplitKAt(1), 3u);
}

TEST(GridZData, CopiesShareNoLevels) {
    GridZData source(Point(1, 1, 1), Point(1, 1, 9), 2, 3);
    source.addSplit(makeNode(GridIJK(2, 3, 0), corner(0), Point(1, 1, 1), GridIJK(2, 3, 0)));

    GridZData copy(source);
    copy.addSplit(makeNode(GridIJK(2, 3, 0), corner(1), Point(1, 1, 2)));
    copy.addSplit(makeNode(GridIJK(2, 3, 5), corner(0), Point(1, 1, 5)));
    copy.getPrimaryCellAt(0) = GridIJK(8, 8, 8);
    EXPECT_EQ(copy.i_index(), 2u);
    EXPECT_EQ(copy.j_index(), 3u);
    EXPECT_EQ(copy.top(), Point(1, 1, 9));
    ASSERT_EQ(source.numSplits(), 1u);
    EXPECT_EQ(source.getNumSplitsAt(0), 1u);
    EXPECT_EQ(source.getPrimaryCellAt(0), GridIJK(2, 3, 0));

    GridZData assigned(7, 7);
    assigned = source;
    EXPECT_EQ(assigned.i_index(), 2u);
    EXPECT_EQ(assigned.j_index(), 3u);
    EXPECT_TRUE(assigned.isSplit());
    assigned.addSplit(makeNode(GridIJK(2, 3, 0), corner(2), Point(1, 1, 3)));
    EXPECT_EQ(assigned.getNumSplitsAt(0), 2u);
    EXPECT_EQ(source.getNumSplitsAt(0), 1u);

    GridZData& alias = assigned;
    assigned = alias;
    ASSERT_EQ(assigned.numSplits(), 1u);
    EXPECT_EQ(assigned.getNumSplitsAt(0), 2u);
    EXPECT_EQ(splitAt(assigned, 0, 1).corner, corner(2));
}
