#ifndef BRKBASE_BRKDESTRUCTOR_H
#define BRKBASE_BRKDESTRUCTOR_H

#include "QuarroHostExport.h"
#include "base/brkDestructionPhase.h"

#include <QtGlobal>

#include <cstddef>
#include <cstdint>

namespace brkBase {

// An entry of the process-wide destruction registry. Singletons that must go away in a defined
// order at shut-down (before the libraries they use are unloaded) register one of these; the
// application calls destroy_all() once its event loop has ended.
//
// Constructing an object registers it, destroying it unregisters it. destroy_all() calls destroy()
// of every registered entry exactly once, phase by phase in ascending order and, within a phase,
// in registration order. An entry may delete itself or other entries from destroy(); an entry
// deleted before its turn is simply not called.
class QUARRO_HOST_EXPORT brkDestructor {
public:
    virtual ~brkDestructor();

    // The phase operation: tears down whatever this entry stands for.
    virtual void destroy() = 0;

    brkDestructionPhase phase() const { return m_phase; }

    // Whether destroy_all() has already called (or is calling) this entry.
    bool destroyed() const;

    // Runs destroy() of every registered entry that has not run yet, in phase order. Calling it
    // again runs only entries registered since; exceptions thrown by an entry are reported as
    // warnings and do not stop the others.
    static void destroy_all();

    // Number of entries currently registered.
    static std::size_t registered_count();

protected:
    explicit brkDestructor(brkDestructionPhase phase);

private:
    Q_DISABLE_COPY(brkDestructor)

    brkDestructionPhase m_phase;
    std::uint64_t m_sequence;
    bool m_destroyed;
};

} // namespace brkBase

#endif // BRKBASE_BRKDESTRUCTOR_H
