// The cancel poll gate and the mapping of reported percentages onto the progress bar.
#include "ProgressCancelHook.h"
#include "base/AbstractProgress.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <thread>
#include <vector>

namespace {

using quarro::import::ProgressCancelHook;

// A progress object that records what the hook asks and shows.
class WatchedProgress : public brkBase::AbstractProgress {
public:
    bool cancelled() const override {
        ++asked;
        return cancel_requested;
    }
    void set_value(int value) override {
        shown.push_back(value);
        AbstractProgress::set_value(value);
    }
    mutable int asked = 0;
    bool cancel_requested = false;
    std::vector<int> shown;
};

// Counts the queries that reach this object, to tell a copy from its original.
class CountingHook : public ProgressCancelHook {
public:
    using ProgressCancelHook::ProgressCancelHook;
    int queries = 0;

protected:
    bool isCancelledMethod() override {
        ++queries;
        return ProgressCancelHook::isCancelledMethod();
    }
};

// Runs f on a thread of its own, starting from a fresh scaling record (records live as long as
// the process, and a new thread may reuse an ended thread's id).
struct Record : ProgressCancelHook {
    static void reset() { data() = quarro::import::ProgressCancelHookData(); }
};
void onFreshThread(std::function<void()> const& f) {
    std::thread worker([&f] {
        Record::reset();
        f();
    });
    worker.join();
}

// What the bar shows for `percent` when the gate is open (poll interval 0).
int shownFor(double percent) {
    WatchedProgress progress;
    ProgressCancelHook hook(&progress);
    hook.setProgressPoll(0);
    hook.hook()->progress(percent);
    return progress.shown.empty() ? -1 : progress.shown.back();
}

TEST(ProgressCancelHook, AsksTheProgressObjectOnlyEveryFiftyFirstQuery) {
    WatchedProgress progress;
    ProgressCancelHook hook(&progress);
    progress.cancel_requested = true;
    std::vector<bool> answers;
    for (int i = 0; i < 102; ++i) {
        answers.push_back(hook.hook()->isCancelled());
        if (i == 50) {
            progress.cancel_requested = false; // repeated until the next poll
        }
    }
    std::vector<bool> expected(102, false);
    std::fill(expected.begin() + 50, expected.begin() + 101, true);
    EXPECT_EQ(expected, answers);
    EXPECT_EQ(2, progress.asked);

    ProgressCancelHook eager(&progress);
    eager.setProgressPoll(0);
    eager.hook()->isCancelled();
    eager.hook()->isCancelled();
    EXPECT_EQ(4, progress.asked) << "interval 0 asks at every query";

    ProgressCancelHook nobody(nullptr);
    nobody.setProgressPoll(0);
    EXPECT_FALSE(nobody.hook()->isCancelled());
    nobody.hook()->progress(50.0);
    EXPECT_FALSE(ProgressCancelHook::isCancelled(nullptr));
}

// Each run starts on a fresh thread; a step sets the file count, the file number and a stage's
// share where given (not negative, not 0), then reads what the bar shows for a percentage.
TEST(ProgressCancelHook, FileAndStageModesScaleClampAndTruncate) {
    struct Step {
        int size, file;
        double stage, percent;
        int shown;
    };
    double const nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<std::vector<Step>> const runs = {
        {{-1, -1, 0, 75, 0},
         {4, 2, 0, 50, 62},
         {-1, -1, 0, 0, 50},
         {-1, -1, 0, 100, 75},
         {0, -1, 0, 50, 0}},
        {{-1, -1, 30, 50, 15}, {-1, -1, 50, 100, 80}, {-1, -1, 0, 50, 55}},
        {{-1, -1, 100, 130, 100}, {-1, -1, 0, -5, 0}, {-1, -1, 0, nan, 0}},
        {{10, 9, 0, 50, 95}},
    };
    ProgressCancelHook::setSize(2);
    ProgressCancelHook::setFileProgress(1, 100.0);
    for (auto const& run : runs) {
        onFreshThread([&run] {
            for (Step const& step : run) {
                if (step.size >= 0) {
                    ProgressCancelHook::setSize(step.size);
                }
                if (step.file >= 0) {
                    ProgressCancelHook::setFileProgress(step.file, 100.0);
                }
                if (step.stage > 0) {
                    ProgressCancelHook::setStageProgress(step.stage);
                }
                EXPECT_EQ(step.shown, shownFor(step.percent)) << step.percent;
            }
        });
    }
    EXPECT_EQ(75, shownFor(50.0)) << "each thread keeps its own record";
}

TEST(ProgressCancelHook, ACopyCallsBackIntoItself) {
    WatchedProgress progress;
    CountingHook original(&progress);
    CountingHook copy(original), assigned(nullptr);
    assigned = original;
    copy.hook()->isCancelled();
    assigned.hook()->isCancelled();
    EXPECT_EQ(std::vector<int>({1, 1, 0}),
              std::vector<int>({copy.queries, assigned.queries, original.queries}));
}

} // namespace
