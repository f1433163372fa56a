#ifndef BRKBASE_ABSTRACTPROGRESS_H
#define BRKBASE_ABSTRACTPROGRESS_H

#include "QuarroHostExport.h"

#include <QMutex>
#include <QString>

#include <atomic>

namespace brkBase {

// The progress of one piece of work as the user sees it: a caption, a percentage, whether the work
// runs and whether the user asked to cancel it. Every operation has a working default that keeps
// the state, so a subclass overrides only what it wants to watch or show and calls the base.
//
// Reading code may poll cancelled() and report set_value() from a worker thread: the flags and the
// value are atomic and the caption is guarded. Showing the state is the subclass's business.
class QUARRO_HOST_EXPORT AbstractProgress {
public:
    AbstractProgress();
    virtual ~AbstractProgress();

    virtual void set_caption(QString const& caption);
    virtual QString caption() const;

    // Percentage done, clamped to 0..100. Reporting progress ends a pause.
    virtual void set_value(int value);
    virtual int value() const;

    // Begins (or restarts) the work: running, not cancelled, value 0. An indeterminate progress
    // has no meaningful percentage (a busy indicator).
    virtual void start(bool determinate);
    // Ends the work; a cancellation asked for stays visible through cancelled().
    virtual void finish();

    // Asks the work to stop; the work notices through cancelled().
    virtual void cancel();
    virtual bool cancelled() const;

    virtual bool is_running() const;

    virtual void set_determinate(bool determinate);
    virtual bool is_determinate() const;

    // The work waits (for the user, say) and makes no progress until the next set_value, start or
    // finish.
    virtual void pause();
    virtual bool is_paused() const;

private:
    Q_DISABLE_COPY(AbstractProgress)

    mutable QMutex m_caption_mutex;
    QString m_caption;
    std::atomic<int> m_value;
    std::atomic<bool> m_running;
    std::atomic<bool> m_cancelled;
    std::atomic<bool> m_determinate;
    std::atomic<bool> m_paused;
};

} // namespace brkBase

#endif // BRKBASE_ABSTRACTPROGRESS_H
