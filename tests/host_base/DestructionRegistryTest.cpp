#include "base/TbrkDestructor.h"
#include "base/brkDestructionPhase.h"
#include "base/brkDestructor.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

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

// A singleton that keeps its tear-down private and lets the registry reach it.
class Singleton {
public:
    static Singleton* create() {
        s_instance = new Singleton;
        return s_instance;
    }
    static Singleton* s_instance;

private:
    friend class brkBase::TbrkDestructor<Singleton>;
    static void destroy_instance() {
        delete s_instance;
        s_instance = nullptr;
    }
};
Singleton* Singleton::s_instance = nullptr;

} // namespace

TEST(DestructionRegistry, RunsPhasesInAscendingOrderAndEachEntryOnce) {
    std::size_t const before = brkDestructor::registered_count();
    std::vector<std::string> order;
    {
        Recorder late_a(5, "5a", &order);
        Recorder early(1, "1", &order);
        Recorder late_b(5, "5b", &order);
        Recorder middle(3, "3", &order);
        EXPECT_EQ(brkDestructor::registered_count(), before + 4);
        EXPECT_FALSE(early.destroyed());

        brkDestructor::destroy_all();
        EXPECT_EQ(order, (std::vector<std::string>{"1", "3", "5a", "5b"}));
        EXPECT_TRUE(late_a.destroyed());
        EXPECT_TRUE(middle.destroyed());

        brkDestructor::destroy_all();
        EXPECT_EQ(order.size(), 4u) << "a second shut-down must not run entries again";

        // An entry registered after a shut-down runs at the next one, and only it.
        Recorder newcomer(0, "new", &order);
        brkDestructor::destroy_all();
        EXPECT_EQ(order, (std::vector<std::string>{"1", "3", "5a", "5b", "new"}));
    }
    EXPECT_EQ(brkDestructor::registered_count(), before) << "destruction unregisters";
}

TEST(DestructionRegistry, DeletedEntriesAreNotCalledAndFailuresDoNotStopOthers) {
    std::vector<std::string> order;
    auto gone = std::make_unique<Recorder>(2, "gone", &order);
    Recorder thrower(1, "thrower", &order);
    thrower.m_throws = true;
    Recorder killer(3, "killer", &order);
    killer.m_victim = std::make_unique<Recorder>(4, "victim", &order);
    Recorder last(6, "last", &order);

    gone.reset();
    brkDestructor::destroy_all();
    EXPECT_EQ(order, (std::vector<std::string>{"thrower", "killer", "last"}));
}

TEST(DestructionRegistry, TemplateEntryCallsTheSingletonsPrivateTearDown) {
    Singleton* const object = Singleton::create();
    brkBase::TbrkDestructor<Singleton> entry(brkDestructionPhase(5), object);
    EXPECT_EQ(entry.object(), object);
    EXPECT_EQ(entry.phase(), brkDestructionPhase(5));
    static_assert(!std::is_convertible<int, brkDestructionPhase>::value,
                  "a bare number must not pass for a phase");

    brkDestructor::destroy_all();
    EXPECT_EQ(Singleton::s_instance, nullptr);
    EXPECT_EQ(entry.object(), nullptr) << "the entry must not hand out the deleted object";
}
