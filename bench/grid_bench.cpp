// Speed of the grid value types: walking a grid with IJKIterator against the triple loop a reader
// would otherwise write, and recording split nodes on one pillar.
#include "grid/CellCorner.h"
#include "grid/GridZData.h"
#include "grid/IJKIterator.h"
#include "grid/NodeInfo.h"
#include "model/Point3.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using quarro::import::CellCorner;
using quarro::import::GridZData;
using quarro::import::IJKIterator;
using quarro::import::NodeInfo;

std::uint64_t const walk_ni = 200;
std::uint64_t const walk_nj = 200;
std::uint64_t const walk_nk = 50;

// Each linear index is handed to DoNotOptimize so that neither walk can be folded into a formula
// or vectorised away: both produce every index, one at a time, in the same order.
void BM_IJKIteratorWalk(benchmark::State& state) {
    for (auto _ : state) {
        for (IJKIterator it = IJKIterator::begin(walk_ni, walk_nj, walk_nk),
                         end = IJKIterator::end(walk_ni, walk_nj, walk_nk);
             it != end; ++it) {
            benchmark::DoNotOptimize(*it);
        }
    }
    state.SetItemsProcessed(state.iterations() * walk_ni * walk_nj * walk_nk);
}
BENCHMARK(BM_IJKIteratorWalk)->Unit(benchmark::kMillisecond);

void BM_TripleLoopWalk(benchmark::State& state) {
    for (auto _ : state) {
        for (std::uint64_t i = 0; i < walk_ni; ++i) {
            for (std::uint64_t j = 0; j < walk_nj; ++j) {
                for (std::uint64_t k = 0; k < walk_nk; ++k) {
                    std::uint64_t const linear = i + walk_ni * (j + walk_nj * k);
                    benchmark::DoNotOptimize(linear);
                }
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * walk_ni * walk_nj * walk_nk);
}
BENCHMARK(BM_TripleLoopWalk)->Unit(benchmark::kMillisecond);

// One million split nodes over the 100 node layers of one pillar, taken in turn, so that every
// record searches the levels as a reader walking cells layer by layer would make it.
void BM_AddSplitOnePillar(benchmark::State& state) {
    std::uint64_t const levels = 100;
    std::uint64_t const nodes = 1000000;
    std::vector<NodeInfo> layer_nodes(levels);
    for (std::uint64_t k = 0; k < levels; ++k) {
        layer_nodes[k].setCell(0, 0, k, CellCorner::Corner000);
        layer_nodes[k].setPrimaryCell(0, 0, k, CellCorner::Corner000);
    }
    for (auto _ : state) {
        GridZData pillar(0, 0);
        for (std::uint64_t n = 0; n < nodes; ++n) {
            quarro::model::Point3<float> const position(0.0f, 0.0f, static_cast<float>(n));
            pillar.addSplit(position, layer_nodes[n % levels]);
        }
        benchmark::DoNotOptimize(pillar.numSplits());
    }
    state.SetItemsProcessed(state.iterations() * nodes);
}
BENCHMARK(BM_AddSplitOnePillar)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
