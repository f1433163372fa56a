#include "base/AbstractProgress.h"

#include <QMutexLocker>

#include <algorithm>

namespace brkBase {

AbstractProgress::AbstractProgress()
    : m_value(0)
    , m_running(false)
    , m_cancelled(false)
    , m_determinate(true)
    , m_paused(false) {}

AbstractProgress::~AbstractProgress() = default;

void AbstractProgress::set_caption(QString const& caption) {
    QMutexLocker lock(&m_caption_mutex);
    m_caption = caption;
}

QString AbstractProgress::caption() const {
    QMutexLocker lock(&m_caption_mutex);
    return m_caption;
}

void AbstractProgress::set_value(int value) {
    m_value = std::clamp(value, 0, 100);
    m_paused = false;
}

int AbstractProgress::value() const {
    return m_value;
}

void AbstractProgress::start(bool determinate) {
    m_value = 0;
    m_determinate = determinate;
    m_cancelled = false;
    m_paused = false;
    m_running = true;
}

void AbstractProgress::finish() {
    m_running = false;
    m_paused = false;
}

void AbstractProgress::cancel() {
    m_cancelled = true;
}

bool AbstractProgress::cancelled() const {
    return m_cancelled;
}

bool AbstractProgress::is_running() const {
    return m_running;
}

void AbstractProgress::set_determinate(bool determinate) {
    m_determinate = determinate;
}

bool AbstractProgress::is_determinate() const {
    return m_determinate;
}

void AbstractProgress::pause() {
    m_paused = true;
}

bool AbstractProgress::is_paused() const {
    return m_paused;
}

} // namespace brkBase
