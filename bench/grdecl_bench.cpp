// Speed of the GRDECL reader on the grid that gen_grdecl.py writes by default:
// 100 x 100 x 100 cells with three faults, about 73 MB of text. The file is
// made once per build folder (bench-data/) by running the generator with
// python3 (it needs numpy, Debian's python3-numpy); QUARRO_GRDECL_BENCH_FILE
// names another file to read instead.
#include "GrdeclGridBuilder.h"
#include "GrdeclParser.h"
#include "GrdeclReader.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
#include "model/CornerPointGrid.h"
#include "utilities/UrlUtilities.h"

#include "ImportFileBench.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <boost/make_shared.hpp>

#include <string>

using namespace quarro;

namespace {

// Where the generator lives: the project's tools/ folder, or the shared tools
// beside the project.
QString generatorScript() {
    for (char const* relative : {"/tools/gen_grdecl.py", "/../shared/tools/gen_grdecl.py"}) {
        QString const path = QStringLiteral(QUARRO_SOURCE_DIR) + QLatin1String(relative);
        if (QFileInfo::exists(path)) {
            return path;
        }
    }
    return QString();
}

// The benchmark file, made on first use; empty (with `error` set) when it
// cannot be had.
QString benchmarkFile(std::string& error) {
    QString const given = qEnvironmentVariable("QUARRO_GRDECL_BENCH_FILE");
    if (!given.isEmpty()) {
        return given;
    }
    QString const path = QStringLiteral(QUARRO_BENCH_DATA_DIR "/gen_grdecl_100x100x100.grdecl");
    if (QFileInfo::exists(path)) {
        return path;
    }
    QString const script = generatorScript();
    if (script.isEmpty()) {
        error = "gen_grdecl.py not found; run: python3 gen_grdecl.py " + path.toStdString() +
                " (or set QUARRO_GRDECL_BENCH_FILE)";
        return QString();
    }
    QDir().mkpath(QFileInfo(path).path());
    // The python3 on the PATH may be one without numpy (pyenv, say); Debian's has
    // it.
    QString const partial = path + QStringLiteral(".part");
    bool made = false;
    for (QString const& python : {QStringLiteral("python3"), QStringLiteral("/usr/bin/python3")}) {
        if (QProcess::execute(python, {script, partial}) == 0) {
            made = true;
            break;
        }
    }
    if (!made || !QFile::rename(partial, path)) {
        error = "python3 " + script.toStdString() + " failed (does python3 have numpy?)";
        return QString();
    }
    return path;
}

QByteArray const& benchmarkBytes(std::string& error) {
    static QByteArray bytes;
    if (bytes.isEmpty()) {
        QFile file(benchmarkFile(error));
        if (file.open(QIODevice::ReadOnly)) {
            bytes = file.readAll();
        }
    }
    return bytes;
}

// Text to the grid object and its description, from text already in memory.
void BM_GrdeclParseToGrid(benchmark::State& state) {
    std::string error;
    QByteArray const& bytes = benchmarkBytes(error);
    if (bytes.isEmpty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::string_view const text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    for (auto _ : state) {
        readers::GrdeclParser::Result parsed = readers::GrdeclParser().parse(text);
        readers::GrdeclGridBuilder::Result built =
            readers::GrdeclGridBuilder(std::move(parsed.deck))
                .build(QStringLiteral("bench"), QString());
        if (!built.ok) {
            state.SkipWithError("the grid was not built");
            break;
        }
        benchmark::DoNotOptimize(built.grid->activeCellCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
}
BENCHMARK(BM_GrdeclParseToGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

// The parse alone: text to the deck of arrays.
void BM_GrdeclParse(benchmark::State& state) {
    std::string error;
    QByteArray const& bytes = benchmarkBytes(error);
    if (bytes.isEmpty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::string_view const text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    for (auto _ : state) {
        readers::GrdeclParser::Result parsed = readers::GrdeclParser().parse(text);
        benchmark::DoNotOptimize(parsed.deck.cellArrays.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
}
BENCHMARK(BM_GrdeclParse)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole import as the loader runs it: file to a grid in a document.
void BM_GrdeclImport(benchmark::State& state) {
    std::string error;
    QString const path = benchmarkFile(error);
    bench::importFileLoop<readers::GrdeclReader>(state, path, error);
}
BENCHMARK(BM_GrdeclImport)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return quarro::bench::runBenchmarks<QCoreApplication>(argc, argv);
}
