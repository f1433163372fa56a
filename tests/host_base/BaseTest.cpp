// The host's base library without the wizard frame: destruction registry and progress objects (the
// unit selector and the cancel hook are tested with the import library's sheets and readers).
#include "base/AbstractProgress.h"
#include "base/brkDestructionPhase.h"
#include "base/brkDestructor.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using brkBase::AbstractProgress;
using brkBase::brkDestructionPhase;
using brkBase::brkDestructor;

namespace {

// A registry entry that notes its name when destroyed and can be made to misbehave.
class Recorder : public brkDestructor {
public:
    Recorder(int phase, std::string name, std::vector<std::string>* out)
        : brkDestructor(brkDestructionPhase(phase))
        , m_name(std::move(name))
        , m_out(out) {}
    void destroy() override {
        m_out->push_back(m_name);
        if (m_throws) {
            throw std::runtime_error("broken shut-down");
        }
        m_victim.reset();
    }
    bool m_throws = false;
    // Deleted from destroy(): an entry that takes another one down with it.
    std::unique_ptr<Recorder> m_victim;

private:
    std::string m_name;
    std::vector<std::string>* m_out;
};

} // namespace

TEST(DestructionRegistry, RunsPhasesInAscendingOrderEachEntryOnceWhateverEntriesDo) {
    std::size_t const before = brkDestructor::registered_count();
    std::vector<std::string> order;
    {
        Recorder late_a(5, "5a", &order);
        Recorder thrower(1, "1", &order);
        thrower.m_throws = true;
        Recorder late_b(5, "5b", &order);
        auto gone = std::make_unique<Recorder>(2, "gone", &order);
        Recorder killer(3, "3", &order);
        killer.m_victim = std::make_unique<Recorder>(4, "victim", &order);
        gone.reset();
        brkDestructor::destroy_all();
        EXPECT_EQ(order, (std::vector<std::string>{"1", "3", "5a", "5b"}));
        brkDestructor::destroy_all();
        EXPECT_EQ(order.size(), 4u) << "a second shut-down must not run entries again";
        // An entry registered after a shut-down runs at the next one, and only it.
        Recorder newcomer(0, "new", &order);
        brkDestructor::destroy_all();
        EXPECT_EQ(order, (std::vector<std::string>{"1", "3", "5a", "5b", "new"}));
    }
    EXPECT_EQ(brkDestructor::registered_count(), before) << "destruction unregisters";
}

TEST(AbstractProgress, ClampsStartsFinishesCancelsAndPauses) {
    AbstractProgress progress;
    progress.set_value(-5);
    EXPECT_EQ(progress.value(), 0);
    progress.set_value(150);
    EXPECT_EQ(progress.value(), 100);
    progress.cancel();
    EXPECT_TRUE(progress.cancelled()) << "a cancel is remembered even without running work";
    progress.start(false);
    EXPECT_TRUE(progress.is_running() && !progress.cancelled()) << "new work starts uncancelled";
    EXPECT_EQ(progress.value(), 0);
    progress.pause();
    EXPECT_TRUE(progress.is_paused());
    progress.set_value(10);
    EXPECT_FALSE(progress.is_paused()) << "reported progress ends a pause";
    progress.cancel();
    progress.finish();
    EXPECT_TRUE(!progress.is_running() && progress.cancelled())
        << "the loader asks after the work ended";
}
