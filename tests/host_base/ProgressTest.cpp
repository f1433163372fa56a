#include "base/AbstractProgress.h"

#include <gtest/gtest.h>

#include <vector>

using brkBase::AbstractProgress;

namespace {

// What a reader's test double looks like: it watches the values and leaves the rest to the base.
class ValueWatcher : public AbstractProgress {
public:
    void set_value(int value) override {
        m_reported.push_back(value);
        AbstractProgress::set_value(value);
    }
    std::vector<int> m_reported;
};

} // namespace

TEST(AbstractProgress, ClampsValuesToPercent) {
    AbstractProgress progress;
    progress.set_value(42);
    EXPECT_EQ(progress.value(), 42);
    progress.set_value(-5);
    EXPECT_EQ(progress.value(), 0);
    progress.set_value(150);
    EXPECT_EQ(progress.value(), 100);
}

TEST(AbstractProgress, StartFinishCancelAndPause) {
    AbstractProgress progress;
    EXPECT_FALSE(progress.is_running());
    EXPECT_FALSE(progress.cancelled());
    progress.set_caption(QStringLiteral("Reading file 1 of 3"));
    EXPECT_EQ(progress.caption(), QStringLiteral("Reading file 1 of 3"));
    progress.set_value(70);
    progress.cancel();
    EXPECT_TRUE(progress.cancelled()) << "a cancel is remembered even without running work";

    progress.start(false);
    EXPECT_TRUE(progress.is_running());
    EXPECT_FALSE(progress.cancelled()) << "new work starts uncancelled";
    EXPECT_FALSE(progress.is_determinate());
    EXPECT_EQ(progress.value(), 0);

    progress.pause();
    EXPECT_TRUE(progress.is_paused());
    progress.set_value(10);
    EXPECT_FALSE(progress.is_paused()) << "reported progress ends a pause";

    progress.cancel();
    progress.finish();
    EXPECT_FALSE(progress.is_running());
    EXPECT_TRUE(progress.cancelled()) << "the loader asks after the work ended";
    EXPECT_EQ(progress.value(), 10);
}

TEST(AbstractProgress, SubclassOverridesOnlyWhatItWatches) {
    ValueWatcher watcher;
    AbstractProgress& progress = watcher;
    progress.start(true);
    progress.set_value(25);
    progress.set_value(250);
    EXPECT_EQ(watcher.m_reported, (std::vector<int>{25, 250}));
    EXPECT_EQ(progress.value(), 100);
    EXPECT_TRUE(progress.is_running());
}
