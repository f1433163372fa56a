// What a reader pays for polling the cancel hook in its inner loop and for reporting progress.
#include "BenchmarkMain.h"
#include "ProgressCancelHook.h"
#include "base/AbstractProgress.h"

#include <QApplication>
#include <QProgressBar>
#include <benchmark/benchmark.h>

#include <climits>

namespace {

using quarro::import::ProgressCancelHook;

// A progress object that shows its value in a real progress bar, as the wizard does.
class BarProgress : public brkBase::AbstractProgress {
public:
    explicit BarProgress(QProgressBar* bar)
        : m_bar(bar) {}
    void set_value(int value) override {
        AbstractProgress::set_value(value);
        m_bar->setValue(value);
    }

private:
    QProgressBar* m_bar;
};

// Adds the time per cancel query to a benchmark whose iteration runs one poll interval.
void reportPerQuery(benchmark::State& state) {
    state.counters["per_query"] = benchmark::Counter(
        51, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// A query that never reaches the poll: the cost inside a reader's loop between two polls.
void BM_CancelQueryWithoutPoll(benchmark::State& state) {
    brkBase::AbstractProgress progress;
    ProgressCancelHook hook(&progress);
    hook.setProgressPoll(INT_MAX);
    CancelHook* cancel = hook.hook();
    for (auto _ : state) {
        benchmark::DoNotOptimize(cancel->isCancelled());
    }
}
BENCHMARK(BM_CancelQueryWithoutPoll);

// Queries at the default interval: one in 51 processes events. Reported per query.
void BM_CancelQueryIdleEventLoop(benchmark::State& state) {
    brkBase::AbstractProgress progress;
    ProgressCancelHook hook(&progress);
    CancelHook* cancel = hook.hook();
    for (auto _ : state) {
        for (int i = 0; i < 51; ++i) {
            benchmark::DoNotOptimize(cancel->isCancelled());
        }
    }
    reportPerQuery(state);
}
BENCHMARK(BM_CancelQueryIdleEventLoop)->Unit(benchmark::kMicrosecond);

// As above, but the bar's value changed since the last poll, so each poll repaints it.
void BM_CancelQueryRepaintPending(benchmark::State& state) {
    QProgressBar bar;
    bar.resize(400, 24);
    bar.show();
    QApplication::processEvents();
    BarProgress progress(&bar);
    ProgressCancelHook hook(&progress);
    CancelHook* cancel = hook.hook();
    int value = 0;
    for (auto _ : state) {
        value = (value + 1) % 100;
        bar.setValue(value);
        for (int i = 0; i < 51; ++i) {
            benchmark::DoNotOptimize(cancel->isCancelled());
        }
    }
    reportPerQuery(state);
}
BENCHMARK(BM_CancelQueryRepaintPending)->Unit(benchmark::kMicrosecond);

// A progress report that passes the gate: the lock, the thread's record and the bar value.
void BM_ProgressCallThroughGate(benchmark::State& state) {
    brkBase::AbstractProgress progress;
    ProgressCancelHook hook(&progress);
    hook.setProgressPoll(0);
    ProgressCancelHook::setSize(4);
    ProgressCancelHook::setFileProgress(1, 100.0);
    CancelHook* cancel = hook.hook();
    double percent = 0.0;
    for (auto _ : state) {
        percent = percent >= 100.0 ? 0.0 : percent + 0.5;
        cancel->progress(percent);
    }
}
BENCHMARK(BM_ProgressCallThroughGate);

// A progress report between two polls, which the gate drops.
void BM_ProgressCallGated(benchmark::State& state) {
    brkBase::AbstractProgress progress;
    ProgressCancelHook hook(&progress);
    CancelHook* cancel = hook.hook();
    for (auto _ : state) {
        cancel->progress(50.0);
    }
}
BENCHMARK(BM_ProgressCallGated);

} // namespace

int main(int argc, char** argv) {
    return quarro::bench::runBenchmarks<QApplication>(argc, argv);
}
