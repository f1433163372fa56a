#include "model/ModelChecks.h"

#include <cmath>
#include <stdexcept>

namespace quarro {
namespace model {
namespace detail {

void throwInvalidArgument(QString const& message) {
    throw std::invalid_argument(message.toStdString());
}

void throwOutOfRange(QString const& message) {
    throw std::out_of_range(message.toStdString());
}

void requireCount(QString const& what, std::size_t actual, std::size_t expected) {
    if (actual == expected) {
        return;
    }
    throwInvalidArgument(QStringLiteral("%1 has %2 values, expected %3")
                             .arg(what)
                             .arg(static_cast<qulonglong>(actual))
                             .arg(static_cast<qulonglong>(expected)));
}

void requireFinite(QString const& what, double value, bool positive) {
    if (!std::isfinite(value)) {
        throwInvalidArgument(QStringLiteral("%1 must be a finite number").arg(what));
    }
    if (positive && value <= 0.0) {
        throwInvalidArgument(
            QStringLiteral("%1 must be greater than zero, not %2").arg(what).arg(value));
    }
}

} // namespace detail
} // namespace model
} // namespace quarro
