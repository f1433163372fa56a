// Save and load of a native document holding one 100 x 100 x 100 corner-point grid: 10,201
// pillars, 8 million ZCORN values, 1 million active flags and three cell properties (PORO,
// PERMX, NTG), the size of the grid gen_grdecl.py makes. The grid is built in memory, so the
// benchmark needs no generator; the files go to bench-data/ in the build folder.
#include "BenchmarkMain.h"
#include "DocumentReader.h"
#include "DocumentWriter.h"
#include "model/CornerPointGrid.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <benchmark/benchmark.h>

#include <boost/make_shared.hpp>

#include <cmath>

using namespace quarro;

namespace {

constexpr int cellsPerSide = 100;

native::DocumentWriter::Objects const& gridDocument() {
    static native::DocumentWriter::Objects const objects = [] {
        int const n = cellsPerSide;
        auto grid = boost::make_shared<model::CornerPointGrid>();
        grid->setName(QStringLiteral("Benchmark grid"));
        std::vector<model::Pillar> pillars;
        for (int j = 0; j <= n; ++j) {
            for (int i = 0; i <= n; ++i) {
                pillars.push_back(model::Pillar{{i * 50.0, j * 50.0, 2000.0},
                                                {i * 50.0 + 3.0, j * 50.0 - 2.0, 2600.0}});
            }
        }
        std::size_t const cells = static_cast<std::size_t>(n) * n * n;
        std::vector<double> zcorn(8 * cells);
        for (std::size_t c = 0; c < zcorn.size(); ++c) {
            // Depths with full 53-bit mantissas, as simulators write them.
            zcorn[c] = 2000.0 + static_cast<double>(c / (4 * n * n)) * 3.0 +
                       std::sin(static_cast<double>(c)) * 0.731;
        }
        grid->setGeometry(n, n, n, std::move(pillars), std::move(zcorn));
        std::vector<bool> active(cells);
        std::vector<double> poro(cells);
        std::vector<double> permx(cells);
        std::vector<double> ntg(cells);
        for (std::size_t c = 0; c < cells; ++c) {
            active[c] = c % 7 != 0;
            poro[c] = 0.05 + 0.3 * std::fabs(std::sin(c * 0.001));
            permx[c] = std::exp(poro[c] * 20.0);
            ntg[c] = c % 3 == 0 ? 1.0 : 0.8;
        }
        grid->setActiveFlags(std::move(active));
        grid->addProperty(QStringLiteral("PORO"), std::move(poro));
        grid->addProperty(QStringLiteral("PERMX"), std::move(permx));
        grid->addProperty(QStringLiteral("NTG"), std::move(ntg));
        return native::DocumentWriter::Objects{grid};
    }();
    return objects;
}

QString benchmarkFile(bool compressed) {
    QDir().mkpath(QStringLiteral(QUARRO_BENCH_DATA_DIR));
    return QStringLiteral(QUARRO_BENCH_DATA_DIR "/native_grid_1m.%1")
        .arg(compressed ? QStringLiteral("qroz") : QStringLiteral("qro"));
}

void BM_SaveGrid1M(benchmark::State& state) {
    bool const compressed = state.range(0) != 0;
    native::DocumentWriter::Objects const& objects = gridDocument();
    QString const path = benchmarkFile(compressed);
    for (auto _ : state) {
        native::DocumentWriter writer;
        if (!writer.write(objects, std::string(), path)) {
            state.SkipWithError(writer.errorString().toStdString().c_str());
            break;
        }
    }
    state.counters["file_MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_SaveGrid1M)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadGrid1M(benchmark::State& state) {
    bool const compressed = state.range(0) != 0;
    QString const path = benchmarkFile(compressed);
    if (!QFileInfo::exists(path)) {
        native::DocumentWriter writer;
        if (!writer.write(gridDocument(), std::string(), path)) {
            state.SkipWithError(writer.errorString().toStdString().c_str());
            return;
        }
    }
    for (auto _ : state) {
        native::DocumentReader reader;
        if (reader.readFile(path) != native::DocumentReader::Status::Ok) {
            state.SkipWithError(reader.errorString().toStdString().c_str());
            break;
        }
        benchmark::DoNotOptimize(reader.objects().data());
    }
    state.counters["file_MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_LoadGrid1M)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return quarro::bench::runBenchmarks<QCoreApplication>(argc, argv);
}
