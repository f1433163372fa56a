#ifndef BRKBASE_BRKDESTRUCTIONPHASE_H
#define BRKBASE_BRKDESTRUCTIONPHASE_H

namespace brkBase {

// The moment of shut-down at which a registered destructor runs: lower phases go first. A distinct
// type rather than a bare int so that a phase cannot be mixed up with other numbers by accident.
class brkDestructionPhase {
public:
    constexpr explicit brkDestructionPhase(int value)
        : m_value(value) {}

    constexpr int value() const { return m_value; }

    friend constexpr bool operator==(brkDestructionPhase a, brkDestructionPhase b) {
        return a.m_value == b.m_value;
    }
    friend constexpr bool operator!=(brkDestructionPhase a, brkDestructionPhase b) {
        return a.m_value != b.m_value;
    }
    friend constexpr bool operator<(brkDestructionPhase a, brkDestructionPhase b) {
        return a.m_value < b.m_value;
    }
    friend constexpr bool operator>(brkDestructionPhase a, brkDestructionPhase b) { return b < a; }
    friend constexpr bool operator<=(brkDestructionPhase a, brkDestructionPhase b) {
        return !(b < a);
    }
    friend constexpr bool operator>=(brkDestructionPhase a, brkDestructionPhase b) {
        return !(a < b);
    }

private:
    int m_value;
};

} // namespace brkBase

#endif // BRKBASE_BRKDESTRUCTIONPHASE_H
