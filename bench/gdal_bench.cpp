// Speed of the GDAL reader on a 10,000 x 10,000 Float32 GeoTIFF (400 MB, strips
// of one row, no compression), against `gdalinfo -stats` on the same file: GDAL
// reading every cell and little else, the floor for any import of it. The file
// is made once per build folder (bench-data/) with gdal_create from gdal-bin;
// QUARRO_GDAL_BENCH_FILE names another GeoTIFF to read instead.
//
// Besides the import's speed: how often the progress bar moves during an
// import, and how long the import takes to return once the user cancels halfway
// through.
#include "GdalReader.h"
#include "ProgressCancelHook.h"
#include "base/AbstractProgress.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
#include "utilities/UrlUtilities.h"

#include "ImportFileBench.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

using namespace quarro;

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The benchmark file, made on first use; empty (with `error` set) when it
// cannot be had.
QString benchmarkFile(std::string& error) {
    QString const given = qEnvironmentVariable("QUARRO_GDAL_BENCH_FILE");
    if (!given.isEmpty()) {
        return given;
    }
    QString const path = QStringLiteral(QUARRO_BENCH_DATA_DIR "/gdal_10000x10000_float32.tif");
    if (QFileInfo::exists(path)) {
        return path;
    }
    QDir().mkpath(QFileInfo(path).path());
    QString const partial = path + QStringLiteral(".part");
    QStringList const arguments = {QStringLiteral("-q"),        QStringLiteral("-of"),
                                   QStringLiteral("GTiff"),     QStringLiteral("-outsize"),
                                   QStringLiteral("10000"),     QStringLiteral("10000"),
                                   QStringLiteral("-ot"),       QStringLiteral("Float32"),
                                   QStringLiteral("-burn"),     QStringLiteral("1512.25"),
                                   QStringLiteral("-a_nodata"), QStringLiteral("-9999"),
                                   QStringLiteral("-a_srs"),    QStringLiteral("EPSG:32632"),
                                   QStringLiteral("-a_ullr"),   QStringLiteral("500000"),
                                   QStringLiteral("6800000"),   QStringLiteral("600000"),
                                   QStringLiteral("6700000"),   partial};
    if (QProcess::execute(QStringLiteral("gdal_create"), arguments) != 0 ||
        !QFile::rename(partial, path)) {
        error = "gdal_create (Debian package gdal-bin) could not make " + path.toStdString() +
                "; or set QUARRO_GDAL_BENCH_FILE";
        return QString();
    }
    return path;
}

// Watches the bar: how often it moved and the longest wait between two moves.
class WatchedProgress : public brkBase::AbstractProgress {
public:
    void set_value(int value) override {
        AbstractProgress::set_value(value);
        Clock::time_point const now = Clock::now();
        if (m_updates > 0) {
            m_longestGap = std::max(m_longestGap, now - m_last);
        }
        m_last = now;
        ++m_updates;
    }
    int m_updates = 0;
    Clock::duration m_longestGap{};
    Clock::time_point m_last;
};

// Runs `body` once per iteration with a fresh document and reader, the bar's
// share set for one file.
template <class Body>
void importLoop(benchmark::State& state, Body body) {
    std::string error;
    QString const path = benchmarkFile(error);
    import::ProgressCancelHook::setSize(1);
    import::ProgressCancelHook::setFileProgress(0, 100.0);
    bench::importFileLoop<readers::GdalReader>(state, path, error, body, [](auto const&) {});
}

// gdalinfo computing the band's statistics: GDAL reads every cell and sums it.
// Statistics kept beside the file (.aux.xml) would let it skip the reading, so
// GDAL is told to keep none.
void BM_GdalinfoStats(benchmark::State& state) {
    std::string error;
    QString const path = benchmarkFile(error);
    if (path.isEmpty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        QProcess gdalinfo;
        gdalinfo.setStandardOutputFile(QProcess::nullDevice());
        gdalinfo.setStandardErrorFile(QProcess::nullDevice());
        gdalinfo.start(QStringLiteral("gdalinfo"),
                       {QStringLiteral("-stats"), QStringLiteral("--config"),
                        QStringLiteral("GDAL_PAM_ENABLED"), QStringLiteral("NO"), path});
        if (!gdalinfo.waitForFinished(-1) || gdalinfo.exitCode() != 0) {
            state.SkipWithError("gdalinfo -stats failed (Debian package gdal-bin)");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * QFileInfo(path).size());
}
BENCHMARK(BM_GdalinfoStats)->Unit(benchmark::kMillisecond)->UseRealTime();

// The import as the loader runs it, without a progress bar: GeoTIFF to a
// surface in a document.
void BM_GdalGeoTiffImport(benchmark::State& state) {
    importLoop(state, [](readers::GdalReader& reader, auto const& source, auto const& id) {
        return reader.import_data(source, id, true, nullptr, false) ==
               import::AbstractFileReader::IMPORT_OK;
    });
}
BENCHMARK(BM_GdalGeoTiffImport)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same with a progress bar: how often it moves and the longest it stands
// still.
void BM_GdalGeoTiffImportWithBar(benchmark::State& state) {
    double updates = 0.0;
    double longestGap = 0.0;
    importLoop(state, [&](readers::GdalReader& reader, auto const& source, auto const& id) {
        WatchedProgress progress;
        bool const read = reader.import_data(source, id, true, &progress, false) ==
                          import::AbstractFileReader::IMPORT_OK;
        updates += progress.m_updates;
        longestGap = std::max(longestGap, milliseconds(progress.m_longestGap));
        return read;
    });
    state.counters["bar_updates"] = benchmark::Counter(updates, benchmark::Counter::kAvgIterations);
    state.counters["longest_still_ms"] = longestGap;
}
BENCHMARK(BM_GdalGeoTiffImportWithBar)->Unit(benchmark::kMillisecond)->UseRealTime();

// The user cancels once the bar shows half: the time from the cancel (made from
// another thread, as a click lands at any moment) until import_data returns,
// with nothing added.
void BM_GdalGeoTiffCancel(benchmark::State& state) {
    importLoop(state, [&](readers::GdalReader& reader, auto const& source, auto const& id) {
        brkBase::AbstractProgress progress;
        std::atomic<bool> done{false};
        Clock::time_point cancelledAt{};
        std::thread user([&] {
            while (!done && progress.value() < 50) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
            cancelledAt = Clock::now();
            progress.cancel();
        });
        bool const cancelled = reader.import_data(source, id, true, &progress, false) ==
                               import::AbstractFileReader::IMPORT_CANCELLED;
        Clock::time_point const returned = Clock::now();
        done = true;
        user.join();
        state.SetIterationTime(std::chrono::duration<double>(returned - cancelledAt).count());
        return cancelled && reader.document_size(id) == 0;
    });
}
BENCHMARK(BM_GdalGeoTiffCancel)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

int main(int argc, char** argv) {
    return quarro::bench::runBenchmarks<QCoreApplication>(argc, argv);
}
