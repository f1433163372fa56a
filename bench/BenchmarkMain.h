#ifndef QUARRO_BENCH_BENCHMARKMAIN_H
#define QUARRO_BENCH_BENCHMARKMAIN_H

// The main every benchmark program shares: the cases run inside a Qt application object of the
// kind they need (QApplication for widgets, on the offscreen platform unless another is asked
// for), and an argument Google Benchmark does not know is an error, not silently ignored.

#include <QByteArray>
#include <QtGlobal>
#include <benchmark/benchmark.h>

namespace quarro {
namespace bench {

template <class Application>
int runBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
} // namespace quarro

#endif // QUARRO_BENCH_BENCHMARKMAIN_H
