// Frames of the application's views on large objects: the log view of the well that gen_las.py
// writes by default (200,000 depth steps, 9 curves beside the depth) and the map of the
// 100 x 100 x 100 grid of gen_grdecl.py coloured by a property. The files are made once per
// build folder (bench-data/, shared with las_bench and grdecl_bench).
#include "BenchmarkMain.h"
#include "GrdeclGridBuilder.h"
#include "GrdeclParser.h"
#include "GridLayerItem.h"
#include "LasParser.h"
#include "LasWell.h"
#include "LogView.h"
#include "MapSceneBuilder.h"
#include "model/CornerPointGrid.h"
#include "model/ValueRange.h"
#include "model/Well.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

using namespace quarro;

namespace {

// The generated file bench-data/name, made on first use by the generator script of the tools
// folder; empty (with `error` set) when it cannot be had.
QByteArray generated(QString const& script_name, QString const& name, std::string& error) {
    QString const path = QStringLiteral(QUARRO_BENCH_DATA_DIR "/") + name;
    if (!QFileInfo::exists(path)) {
        QString script;
        for (QString const& folder :
             {QStringLiteral("/tools/"), QStringLiteral("/../shared/tools/")}) {
            if (QFileInfo::exists(QStringLiteral(QUARRO_SOURCE_DIR) + folder + script_name)) {
                script = QStringLiteral(QUARRO_SOURCE_DIR) + folder + script_name;
                break;
            }
        }
        QDir().mkpath(QFileInfo(path).path());
        QString const partial = path + QStringLiteral(".part");
        // The python3 on the PATH may lack numpy (gen_grdecl.py needs it); Debian's has it.
        bool made = false;
        for (QString const& python :
             {QStringLiteral("python3"), QStringLiteral("/usr/bin/python3")}) {
            if (!script.isEmpty() && QProcess::execute(python, {script, partial}) == 0) {
                made = true;
                break;
            }
        }
        if (!made || !QFile::rename(partial, path)) {
            error = "cannot make " + path.toStdString() + " with " + script_name.toStdString();
            return QByteArray();
        }
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::shared_ptr<model::Well const> benchmark_well(std::string& error) {
    static std::shared_ptr<model::Well const> well;
    if (!well) {
        QByteArray const bytes =
            generated(QStringLiteral("gen_las.py"), QStringLiteral("gen_las_200000x10.las"), error);
        if (bytes.isEmpty()) {
            return nullptr;
        }
        readers::LasParser::Result result =
            readers::LasParser().parse(std::string_view(bytes.constData(), bytes.size()));
        well = readers::makeWell(result.file, QStringLiteral("bench.las"));
    }
    return well;
}

std::shared_ptr<model::CornerPointGrid const> benchmark_grid(std::string& error) {
    static std::shared_ptr<model::CornerPointGrid const> grid;
    if (!grid) {
        QByteArray const bytes = generated(QStringLiteral("gen_grdecl.py"),
                                           QStringLiteral("gen_grdecl_100x100x100.grdecl"), error);
        if (bytes.isEmpty()) {
            return nullptr;
        }
        readers::GrdeclParser::Result parsed =
            readers::GrdeclParser().parse(std::string_view(bytes.constData(), bytes.size()));
        readers::GrdeclGridBuilder::Result built =
            readers::GrdeclGridBuilder(std::move(parsed.deck))
                .build(QStringLiteral("bench"), QString());
        if (!built.ok) {
            error = "the grid was not built";
            return nullptr;
        }
        // gen_grdecl.py writes geometry and ACTNUM only: the map colours a property made up
        // here, smooth across the grid like a porosity trend.
        if (built.grid->propertyNames().isEmpty()) {
            std::vector<double> values(built.grid->cellCount());
            for (std::size_t n = 0; n < values.size(); ++n) {
                double const i = static_cast<double>(n % built.grid->ni());
                double const j = static_cast<double>((n / built.grid->ni()) % built.grid->nj());
                values[n] = 0.2 + 0.1 * std::sin(i / 9.0) * std::cos(j / 13.0);
            }
            built.grid->addProperty(QStringLiteral("TREND"), std::move(values));
        }
        grid = std::move(built.grid);
    }
    return grid;
}

// A frame of the log view at 1000 x 800 pixels, every curve in a track of its own. Argument 0
// shows the whole well (200,000 samples on some 700 pixel rows); argument 1 shows a twentieth of
// it and scrolls by a tenth of a window each frame, as the wheel does.
void BM_LogViewFrame(benchmark::State& state) {
    std::string error;
    std::shared_ptr<model::Well const> const well = benchmark_well(error);
    if (!well) {
        state.SkipWithError(error.c_str());
        return;
    }
    app::LogView view;
    view.resize(1000, 800);
    // The view shares the well; the benchmark keeps it alive.
    view.set_well(boost::shared_ptr<model::Well const>(well.get(), [](model::Well const*) {}));
    bool const scrolling = state.range(0) == 1;
    if (scrolling) {
        view.set_depth_window(view.top_depth(),
                              view.top_depth() + (view.bottom_depth() - view.top_depth()) / 20);
    }
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        if (scrolling) {
            view.scroll_by(view.bottom_depth() >= well->depthRange().max() ? -100.0 : 0.1);
        }
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["curves"] = well->curveCount();
    state.counters["samples"] = static_cast<double>(well->sampleCount());
}
BENCHMARK(BM_LogViewFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Tracing one curve of the whole well onto 700 pixel rows: the part of a log view frame that
// grows with the samples.
void BM_LogCurveTrace(benchmark::State& state) {
    std::string error;
    std::shared_ptr<model::Well const> const well = benchmark_well(error);
    if (!well) {
        state.SkipWithError(error.c_str());
        return;
    }
    app::LogTrackRenderer const renderer(*well);
    model::ValueRange const depths = well->depthRange();
    std::vector<QPolygonF> runs;
    for (auto _ : state) {
        renderer.trace(0, false, depths.min(), depths.max(), QRectF(0, 0, 100, 700), runs);
        benchmark::DoNotOptimize(runs.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * well->sampleCount()));
}
BENCHMARK(BM_LogCurveTrace)->Unit(benchmark::kMillisecond)->UseRealTime();

// A frame of the map at 1000 x 800 pixels showing the whole grid, its top layer coloured by its
// first property, with the grid's edge over it.
void BM_GridPropertyMapFrame(benchmark::State& state) {
    std::string error;
    std::shared_ptr<model::CornerPointGrid const> const grid = benchmark_grid(error);
    if (!grid || grid->propertyNames().isEmpty()) {
        state.SkipWithError(grid ? "the grid has no property" : error.c_str());
        return;
    }
    QGraphicsScene scene;
    app::MapSceneBuilder builder(scene);
    builder.set_grid_colouring(grid->propertyNames().front(), 0);
    builder.add_object(*grid, 0);
    QImage image(1000, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        scene.render(&painter, QRectF(image.rect()), builder.data_rect(), Qt::KeepAspectRatio);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["cells"] = static_cast<double>(grid->cellCount());
}
BENCHMARK(BM_GridPropertyMapFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Building the coloured layer of the same grid, once per change of property or layer.
void BM_GridPropertyLayerBuild(benchmark::State& state) {
    std::string error;
    std::shared_ptr<model::CornerPointGrid const> const grid = benchmark_grid(error);
    if (!grid || grid->propertyNames().isEmpty()) {
        state.SkipWithError(grid ? "the grid has no property" : error.c_str());
        return;
    }
    for (auto _ : state) {
        app::GridLayerItem item(*grid, grid->propertyNames().front(), 0);
        benchmark::DoNotOptimize(item.cell_count());
    }
}
BENCHMARK(BM_GridPropertyLayerBuild)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return quarro::bench::runBenchmarks<QApplication>(argc, argv);
}
