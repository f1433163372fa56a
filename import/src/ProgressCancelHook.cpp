#include "ProgressCancelHook.h"

#include "base/AbstractProgress.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QThread>

namespace quarro {
namespace import {

QMap<void*, ProgressCancelHookData> ProgressCancelHook::m_map;
QMutex ProgressCancelHook::m_mutex;

ProgressCancelHook::ProgressCancelHook(brkBase::AbstractProgress* progress)
    : m_progress(progress)
    , m_hook(&ProgressCancelHook::isCancelled, &ProgressCancelHook::progress, this) {}

ProgressCancelHook::ProgressCancelHook(ProgressCancelHook const& other)
    : m_progress(other.m_progress)
    , m_hook(&ProgressCancelHook::isCancelled, &ProgressCancelHook::progress, this)
    , m_cancelled(other.m_cancelled)
    , m_calls(other.m_calls)
    , m_progress_poll(other.m_progress_poll) {}

ProgressCancelHook& ProgressCancelHook::operator=(ProgressCancelHook const& other) {
    if (this != &other) {
        m_progress = other.m_progress;
        m_cancelled = other.m_cancelled;
        m_calls = other.m_calls;
        m_progress_poll = other.m_progress_poll;
        // m_hook keeps pointing at this object.
    }
    return *this;
}

void ProgressCancelHook::setProgressPoll(int interval) {
    m_progress_poll = interval;
}

bool ProgressCancelHook::isCancelled(void* user) {
    if (user == nullptr) {
        return false;
    }
    return static_cast<ProgressCancelHook*>(user)->isCancelledMethod();
}

void ProgressCancelHook::progress(void* user, double percent) {
    if (user == nullptr) {
        return;
    }
    static_cast<ProgressCancelHook*>(user)->progress(percent);
}

bool ProgressCancelHook::isCancelledMethod() {
    ++m_calls;
    if (m_calls <= m_progress_poll) {
        return m_cancelled;
    }
    m_calls = 0;
    QCoreApplication::processEvents();
    m_cancelled = m_progress != nullptr && m_progress->cancelled();
    return m_cancelled;
}

void ProgressCancelHook::progress(double percent) {
    // Only the query just before a poll updates the bar: repainting costs more than reading.
    if (m_calls < m_progress_poll || m_progress == nullptr) {
        return;
    }
    double value = 0.0;
    {
        QMutexLocker lock(&m_mutex);
        value = scaled(percent);
    }
    // NaN (a reader dividing by an empty range) shows as 0 too.
    if (!(value > 0.0)) {
        value = 0.0;
    } else if (value > 100.0) {
        value = 100.0;
    }
    m_progress->set_value(static_cast<int>(value));
}

double ProgressCancelHook::scaled(double percent) {
    ProgressCancelHookData const& record = data();
    switch (record.m_progress_type) {
    case ProgressCancelHookData::FileProgress: {
        // No files means no shares: show nothing rather than divide by zero.
        if (record.m_size <= 0) {
            return 0.0;
        }
        double const share = record.m_progress_limit / record.m_size;
        return share * percent / 100.0 + record.m_progress_no * share;
    }
    case ProgressCancelHookData::StageProgress:
        return record.m_progress_limit / 100.0 * percent + record.m_progress_total;
    default:
        return percent;
    }
}

void ProgressCancelHook::setSize(int n) {
    QMutexLocker lock(&m_mutex);
    size() = n;
}

void ProgressCancelHook::setFileProgress(int file_no, double limit) {
    QMutexLocker lock(&m_mutex);
    progressType() = ProgressCancelHookData::FileProgress;
    progressNo() = file_no;
    progressLimit() = limit;
}

void ProgressCancelHook::setStageProgress(double limit) {
    QMutexLocker lock(&m_mutex);
    progressType() = ProgressCancelHookData::StageProgress;
    progressTotal() += progressLimit();
    progressLimit() = limit;
}

ProgressCancelHookData& ProgressCancelHook::data() {
    // QMap::operator[] inserts a record with the start values for a thread seen the first time.
    return m_map[QThread::currentThreadId()];
}

int& ProgressCancelHook::size() {
    return data().m_size;
}
double& ProgressCancelHook::progressLimit() {
    return data().m_progress_limit;
}
double& ProgressCancelHook::progressTotal() {
    return data().m_progress_total;
}
int& ProgressCancelHook::progressNo() {
    return data().m_progress_no;
}
int& ProgressCancelHook::progressType() {
    return data().m_progress_type;
}

} // namespace import
} // namespace quarro
