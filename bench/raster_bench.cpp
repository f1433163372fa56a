// Speed of the ASCII grid reader on a generated 4000 x 4000 grid (about 140
// MB): the parser alone on text in memory, and the whole import through the
// DEMRaster reader (file read, parse, surface added to a document).
//
// The grid is made here, so the benchmark needs no outside tools: a smooth
// surface of heights with three decimals ("1234.567"), a NODATA margin of -9999
// around it, rows on lines of their own.
#include "AsciiGridParser.h"
#include "DemRasterReader.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
#include "utilities/UrlUtilities.h"

#include "ImportFileBench.h"
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

using quarro::readers::AsciiGridParser;

constexpr int side = 4000;

std::string makeGrid() {
    std::string text = "ncols        4000\nnrows        4000\nxllcorner    500000.0\n"
                       "yllcorner    6700000.0\ncellsize     25.0\nNODATA_value -9999\n";
    text.reserve(static_cast<std::size_t>(side) * side * 9 + 200);
    char buffer[32];
    for (int row = 0; row < side; ++row) {
        for (int col = 0; col < side; ++col) {
            if (row < 100 || col < 100) {
                text += "-9999";
            } else {
                double const height = 1500.0 +
                                      200.0 * std::sin(row * 0.002) * std::cos(col * 0.003) +
                                      (row * 31 + col * 17) % 1000 * 0.001;
                auto const result = std::to_chars(buffer, buffer + sizeof buffer, height,
                                                  std::chars_format::fixed, 3);
                text.append(buffer, result.ptr);
            }
            text += col + 1 < side ? ' ' : '\n';
        }
    }
    return text;
}

std::string const& grid() {
    static std::string const text = makeGrid();
    return text;
}

// The grid as a file, written once; the text itself is not kept, so that the
// import's peak memory can be measured on its own.
QString const& gridFile() {
    static QTemporaryDir folder;
    static QString const path = [] {
        QString const name = folder.filePath(QStringLiteral("bench.asc"));
        std::string const text = makeGrid();
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(text.data(), static_cast<qint64>(text.size())) !=
                static_cast<qint64>(text.size())) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
        }
        return name;
    }();
    return path;
}

void BM_AsciiGridParse(benchmark::State& state) {
    std::string const& text = grid();
    for (auto _ : state) {
        AsciiGridParser parser;
        if (parser.parse(text) != AsciiGridParser::Outcome::Read || !parser.comments().isEmpty()) {
            state.SkipWithError("the generated grid did not parse cleanly");
            return;
        }
        benchmark::DoNotOptimize(parser.surface().heights().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_AsciiGridParse)->Unit(benchmark::kMillisecond);

void BM_AsciiGridImport(benchmark::State& state) {
    using namespace quarro;
    QString const& path = gridFile();
    bench::importFileLoop<readers::DemRasterReader>(state, path);
    state.counters["file_MiB"] = static_cast<double>(QFile(path).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_AsciiGridImport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return quarro::bench::runBenchmarks<QCoreApplication>(argc, argv);
}
