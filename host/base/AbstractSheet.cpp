#include "base/AbstractSheet.h"

#include "base/AbstractSheetHandler.h"

namespace brkBase {

AbstractSheet::AbstractSheet(AbstractSheetHandler* handler)
    : m_previous_step(nullptr)
    , m_handler(handler) {}

AbstractSheet::~AbstractSheet() = default;

void AbstractSheet::startup() {}

void AbstractSheet::shutdown() {}

void AbstractSheet::resume() {}

void AbstractSheet::suspend() {}

void AbstractSheet::activate() {}

void AbstractSheet::deactivate() {}

void AbstractSheet::restart() {}

void AbstractSheet::update() {
    if (m_handler == nullptr) {
        return;
    }
    m_handler->update_navigation();
}

bool AbstractSheet::isComplete() const {
    return true;
}

bool AbstractSheet::isAvailable() const {
    return true;
}

QString AbstractSheet::title() const {
    if (m_widget.isNull()) {
        return QString();
    }
    return m_widget->windowTitle();
}

void AbstractSheet::description(QString const& text) {
    m_description = text;
}

QString AbstractSheet::description() const {
    return m_description;
}

QString AbstractSheet::helpkey() const {
    return m_helpkey;
}

void AbstractSheet::setHelpKey(QString const& key) {
    m_helpkey = key;
}

} // namespace brkBase
