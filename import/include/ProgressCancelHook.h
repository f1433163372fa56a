#ifndef QUARRO_IMPORT_PROGRESSCANCELHOOK_H
#define QUARRO_IMPORT_PROGRESSCANCELHOOK_H

#include "ProgressCancelHookData.h"
#include "QuarroImportExport.h"
#include "importwidgets/CancelHook.h"

#include <QMap>
#include <QMutex>

namespace brkBase {
class AbstractProgress;
}

namespace quarro {
namespace import {

// Lets reading code that cannot see the wizard ask whether the user cancelled and report its own
// progress. A reader wraps the progress object it was given and hands hook() to its inner loops.
//
// Cancel queries are cheap: only every (poll interval + 1)th query processes pending events, so
// that the window stays responsive, and asks the progress object; the queries between repeat the
// last answer. Reported percentages are mapped onto the whole bar by the calling thread's
// ProgressCancelHookData, which the loader sets before each file.
//
// Copies are complete: a copy's hook calls back into the copy.
class QUARRO_IMPORT_EXPORT ProgressCancelHook {
public:
    explicit ProgressCancelHook(brkBase::AbstractProgress* progress);
    ProgressCancelHook(ProgressCancelHook const& other);
    ProgressCancelHook& operator=(ProgressCancelHook const& other);

    // Not meant to be deleted through a pointer to this class: it has no virtual destructor.
    ~ProgressCancelHook() = default;

    virtual void setProgressPoll(int interval);

    CancelHook* hook() { return &m_hook; }

    // The two callbacks of the CancelHook; `user` is the ProgressCancelHook (null answers false
    // and does nothing).
    static bool isCancelled(void* user);
    static void progress(void* user, double percent);

    // Set the calling thread's scaling record, each under the lock.
    static void setSize(int n);
    static void setFileProgress(int file_no, double limit);
    static void setStageProgress(double limit);

protected:
    virtual bool isCancelledMethod();
    virtual void progress(double percent);

    // References into the calling thread's record; they do not lock.
    static int& size();
    static double& progressLimit();
    static double& progressTotal();
    static int& progressNo();
    static int& progressType();
    static ProgressCancelHookData& data();

private:
    // The bar value for `percent` under the calling thread's record, before clamping.
    static double scaled(double percent);

    brkBase::AbstractProgress* m_progress;
    CancelHook m_hook;
    bool m_cancelled = false;
    int m_calls = 0;
    int m_progress_poll = 50;

    static QMap<void*, ProgressCancelHookData> m_map;
    static QMutex m_mutex;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_PROGRESSCANCELHOOK_H
