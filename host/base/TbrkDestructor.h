#ifndef BRKBASE_TBRKDESTRUCTOR_H
#define BRKBASE_TBRKDESTRUCTOR_H

#include "base/brkDestructionPhase.h"
#include "base/brkDestructor.h"

namespace brkBase {

// Registers a singleton of class T for destruction in a given phase. destroy() calls the static
// T::destroy_instance(), which T may keep private by befriending TbrkDestructor<T>.
template <typename T>
class TbrkDestructor : public brkDestructor {
public:
    TbrkDestructor(brkDestructionPhase phase, T* object)
        : brkDestructor(phase)
        , m_object(object) {}

    ~TbrkDestructor() override = default;

    // The registered object; null once destroy() has run, since the object is then gone.
    T* object() const { return m_object; }

    void destroy() override {
        m_object = nullptr;
        T::destroy_instance();
    }

private:
    Q_DISABLE_COPY(TbrkDestructor)

    T* m_object;
};

} // namespace brkBase

#endif // BRKBASE_TBRKDESTRUCTOR_H
