#include "base/brkDestructor.h"

#include <QtDebug>

#include <algorithm>
#include <exception>
#include <mutex>
#include <vector>

namespace brkBase {

namespace {

struct Registry {
    std::mutex mutex;
    std::vector<brkDestructor*> entries;
    std::uint64_t next_sequence = 0;
};

// Created on first use and never destroyed: entries held by static objects of other libraries may
// unregister during static destruction, after a registry with static storage would already be gone.
Registry& registry() {
    static Registry* const instance = new Registry;
    return *instance;
}

} // namespace

brkDestructor::brkDestructor(brkDestructionPhase phase)
    : m_phase(phase)
    , m_sequence(0)
    , m_destroyed(false) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    m_sequence = r.next_sequence++;
    r.entries.push_back(this);
}

brkDestructor::~brkDestructor() {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.entries.erase(std::remove(r.entries.begin(), r.entries.end(), this), r.entries.end());
}

bool brkDestructor::destroyed() const {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return m_destroyed;
}

void brkDestructor::destroy_all() {
    Registry& r = registry();
    // One entry at a time, chosen afresh each round: destroy() may delete or register entries, so
    // no list of pointers taken before the call can be trusted after it.
    for (;;) {
        brkDestructor* next = nullptr;
        {
            std::lock_guard<std::mutex> lock(r.mutex);
            for (brkDestructor* entry : r.entries) {
                if (entry->m_destroyed) {
                    continue;
                }
                if (next == nullptr || entry->m_phase < next->m_phase ||
                    (entry->m_phase == next->m_phase && entry->m_sequence < next->m_sequence)) {
                    next = entry;
                }
            }
            if (next == nullptr) {
                return;
            }
            next->m_destroyed = true;
        }
        try {
            next->destroy();
        } catch (std::exception const& e) {
            qWarning("brkDestructor::destroy_all: an entry threw during shut-down: %s", e.what());
        } catch (...) {
            qWarning("brkDestructor::destroy_all: an entry threw an unknown exception during "
                     "shut-down");
        }
    }
}

std::size_t brkDestructor::registered_count() {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.entries.size();
}

} // namespace brkBase
