// Speed of the LAS reader on the file that gen_las.py writes by default:
// 200,000 depth steps of 10 curves, about 30 MB. The file is made once per
// build folder (bench-data/) by running the generator with python3;
// QUARRO_LAS_BENCH_FILE names another file to read instead.
#include "LasParser.h"
#include "LasReader.h"
#include "LasWell.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
#include "model/Well.h"
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
    for (char const* relative : {"/tools/gen_las.py", "/../shared/tools/gen_las.py"}) {
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
    QString const given = qEnvironmentVariable("QUARRO_LAS_BENCH_FILE");
    if (!given.isEmpty()) {
        return given;
    }
    QString const path = QStringLiteral(QUARRO_BENCH_DATA_DIR "/gen_las_200000x10.las");
    if (QFileInfo::exists(path)) {
        return path;
    }
    QString const script = generatorScript();
    if (script.isEmpty()) {
        error = "gen_las.py not found; run: python3 gen_las.py " + path.toStdString() +
                " (or set QUARRO_LAS_BENCH_FILE)";
        return QString();
    }
    QDir().mkpath(QFileInfo(path).path());
    if (QProcess::execute(QStringLiteral("python3"), {script, path}) != 0) {
        error = "python3 " + script.toStdString() + " failed";
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

// Text to well objects, from text already in memory.
void BM_LasParseToWell(benchmark::State& state) {
    std::string error;
    QByteArray const& bytes = benchmarkBytes(error);
    if (bytes.isEmpty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::string_view const text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    for (auto _ : state) {
        readers::LasParser::Result result = readers::LasParser().parse(text);
        std::unique_ptr<model::Well> well = readers::makeWell(result.file, QStringLiteral("b.las"));
        benchmark::DoNotOptimize(well->sampleCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
}
BENCHMARK(BM_LasParseToWell)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole import as the loader runs it: file to a well in a document.
void BM_LasImport(benchmark::State& state) {
    std::string error;
    QString const path = benchmarkFile(error);
    bench::importFileLoop<readers::LasReader>(state, path, error);
}
BENCHMARK(BM_LasImport)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return quarro::bench::runBenchmarks<QCoreApplication>(argc, argv);
}
