#ifndef QUARRO_NATIVE_READMONITOR_H
#define QUARRO_NATIVE_READMONITOR_H

class CancelHook;

namespace quarro {
namespace native {

// Thrown by ReadMonitor when the user cancelled; DocumentReader catches it. Deliberately not a
// std::exception, so that no handler for real errors takes a cancel for a failure.
class ReadCancelled {};

// Progress and cancel polling of one read. The read is cut into stages (inflating, parsing,
// decoding); each stage fills its own span of the progress bar in units of its own work (bytes,
// characters), and the bar never goes back.
class ReadMonitor {
public:
    // `hook` may be null: nothing is reported and nothing cancels.
    explicit ReadMonitor(CancelHook const* hook);

    // The work that follows fills [start, start + span] percent, in `total` units.
    void beginStage(double start, double span, double total);
    // `units` more units of the stage are done: reports the progress and asks whether the user
    // cancelled. Throws ReadCancelled when so.
    void advance(double units);

    // The read is done: shows 100 percent, without asking to cancel.
    void finish();

private:
    CancelHook const* m_hook;
    double m_start = 0.0;
    double m_span = 0.0;
    double m_total = 1.0;
    double m_done = 0.0;
    double m_shown = 0.0;
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_READMONITOR_H
