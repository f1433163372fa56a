#ifndef QUARRO_READERS_GRDECL_GRDECLMODEL_H
#define QUARRO_READERS_GRDECL_GRDECLMODEL_H

#include "grid/LGRDef.h"
#include "grid/MResDef.h"
#include "grid/RegionId.h"

#include <cstddef>
#include <vector>

namespace quarro {
namespace readers {

// A GRDECL grid described with the import library's model records, beside the CornerPointGrid
// that goes into the document.
//
// `grid` is the global grid (number 0): its model information, the box of all cells, the top and
// bottom point of every pillar, the active flags, one PropertyDescription per property (with its
// summary figures; the values themselves live in the CornerPointGrid, not twice in memory) and
// the GridZData of every pillar, `pillars[j][i]`, with base and top at the pillar's ends.
//
// A node of the grid, the meeting point of up to eight cells on a pillar at one node layer k, is
// split when those cells do not all put their corner at the same depth, as across a fault. Its
// pillar then has a split level for k that holds one split node per distinct depth, in the order
// of the cells' linear indices, each with the first cell and corner met at that depth; the
// level's primary cell and corner are those of the lowest-numbered cell at the node.
struct GrdeclModel {
    import::LGRDef grid;
    // Local grid refinements (CARFIN): their boxes and cell counts. Their contents are not read.
    std::vector<import::LGRDef> refinements;
    // Boxes of cells merged into coarser cells for simulation (COARSEN); the geometry keeps its
    // cells.
    std::vector<import::MResDef> coarsenings;
    // One record per region number of each region keyword (FIPNUM, SATNUM ...), with its cells.
    std::vector<import::RegionId> regions;
    // Nodes of the grid that are split (the split levels of all pillars), and the split nodes
    // they hold: a node that a fault splits into two depths gives two split nodes.
    std::size_t splitLevelCount = 0;
    std::size_t splitNodeCount = 0;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GRDECL_GRDECLMODEL_H
