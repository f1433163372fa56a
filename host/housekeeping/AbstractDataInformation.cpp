#include "housekeeping/AbstractDataInformation.h"

#include <utility>

namespace quarro {
namespace housekeeping {

AbstractDataInformation::AbstractDataInformation(std::string key)
    : m_key(std::move(key)) {}

AbstractDataInformation::~AbstractDataInformation() = default;

QVariant AbstractDataInformation::setting(QString const& name, QVariant const& fallback) const {
    return m_settings.value(name, fallback);
}

void AbstractDataInformation::set_setting(QString const& name, QVariant const& value) {
    m_settings.insert(name, value);
}

} // namespace housekeeping
} // namespace quarro
