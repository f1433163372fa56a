// The cancel poll gate and the mapping of reported percentages onto the progress bar.
#include "ProgressCancelHook.h"
#include "base/AbstractProgress.h"

#include <gtest/gtest.h>

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

// Opens the calling thread's scaling record, so that a test can start from the start values.
// (Records live as long as the process, and a new thread may reuse an ended thread's id.)
struct Record : ProgressCancelHook {
    static void reset() { data() = quarro::import::ProgressCancelHookData(); }
};

// Runs f on a thread of its own, starting from a fresh scaling record.
template <class F>
void onFreshThread(F f) {
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
    CancelHook* cancel = hook.hook();

    progress.cancel_requested = true;
    for (int i = 0; i < 50; ++i) {
        EXPECT_FALSE(cancel->isCancelled());
    }
    EXPECT_EQ(0, progress.asked);
    EXPECT_TRUE(cancel->isCancelled()) << "the 51st query polls";
    EXPECT_EQ(1, progress.asked);

    // The answer is repeated until the next poll, even after the user changed his mind.
    progress.cancel_requested = false;
    for (int i = 0; i < 50; ++i) {
        EXPECT_TRUE(cancel->isCancelled());
    }
    EXPECT_FALSE(cancel->isCancelled());
    EXPECT_EQ(2, progress.asked);

    ProgressCancelHook eager(&progress);
    eager.setProgressPoll(0);
    progress.cancel_requested = true;
    EXPECT_TRUE(eager.hook()->isCancelled());
    EXPECT_TRUE(eager.hook()->isCancelled());
    EXPECT_EQ(4, progress.asked) << "interval 0 asks at every query";
}

TEST(ProgressCancelHook, ProgressReachesTheBarOnlyAtTheQueryBeforeAPoll) {
    onFreshThread([] {
        ProgressCancelHook::setSize(1);
        ProgressCancelHook::setFileProgress(0, 100.0);
        WatchedProgress progress;
        ProgressCancelHook hook(&progress);
        hook.setProgressPoll(2);
        CancelHook* cancel = hook.hook();
        std::vector<int> queries_before_update;
        for (int i = 0; i < 9; ++i) {
            std::size_t const before = progress.shown.size();
            cancel->progress(10.0 * i);
            if (progress.shown.size() != before) {
                queries_before_update.push_back(i);
            }
            cancel->isCancelled();
        }
        // One update in every interval + 1 queries: after 2, 5 and 8 queries.
        EXPECT_EQ((std::vector<int>{2, 5, 8}), queries_before_update);
        EXPECT_EQ((std::vector<int>{20, 50, 80}), progress.shown);
    });
}

TEST(ProgressCancelHook, FileAndStageModesScaleClampAndTruncate) {
    onFreshThread([] {
        EXPECT_EQ(0, shownFor(75.0)) << "a fresh record has limit 0";
        ProgressCancelHook::setSize(4);
        ProgressCancelHook::setFileProgress(2, 100.0);
        EXPECT_EQ(62, shownFor(50.0)) << "62.5 truncated";
        EXPECT_EQ(50, shownFor(0.0));
        EXPECT_EQ(75, shownFor(100.0));
        ProgressCancelHook::setSize(0);
        EXPECT_EQ(0, shownFor(50.0)) << "no files, no shares";
    });
    onFreshThread([] {
        ProgressCancelHook::setStageProgress(30.0);
        EXPECT_EQ(15, shownFor(50.0));
        ProgressCancelHook::setStageProgress(50.0);
        EXPECT_EQ(80, shownFor(100.0)) << "the first stage's 30 are done";
        EXPECT_EQ(55, shownFor(50.0));
    });
    onFreshThread([] {
        ProgressCancelHook::setStageProgress(100.0);
        EXPECT_EQ(100, shownFor(130.0));
        EXPECT_EQ(0, shownFor(-5.0));
        EXPECT_EQ(0, shownFor(std::numeric_limits<double>::quiet_NaN()));
    });
}

TEST(ProgressCancelHook, EachThreadKeepsItsOwnRecord) {
    ProgressCancelHook::setSize(2);
    ProgressCancelHook::setFileProgress(1, 100.0);
    onFreshThread([] {
        ProgressCancelHook::setSize(10);
        ProgressCancelHook::setFileProgress(9, 100.0);
        EXPECT_EQ(95, shownFor(50.0));
    });
    EXPECT_EQ(75, shownFor(50.0));
}

TEST(ProgressCancelHook, MissingProgressOrUserIsHarmless) {
    ProgressCancelHook hook(nullptr);
    hook.setProgressPoll(0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(hook.hook()->isCancelled());
        hook.hook()->progress(50.0);
    }
    EXPECT_FALSE(ProgressCancelHook::isCancelled(nullptr));
    ProgressCancelHook::progress(nullptr, 50.0);
}

TEST(ProgressCancelHook, ACopyCallsBackIntoItself) {
    WatchedProgress progress;
    CountingHook original(&progress);
    CountingHook copy(original);
    copy.hook()->isCancelled();
    EXPECT_EQ(1, copy.queries);
    EXPECT_EQ(0, original.queries);

    CountingHook assigned(nullptr);
    assigned = original;
    assigned.hook()->isCancelled();
    EXPECT_EQ(1, assigned.queries);
    EXPECT_EQ(0, original.queries);
}

} // namespace
