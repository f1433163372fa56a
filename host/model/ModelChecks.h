#ifndef QUARRO_MODEL_MODELCHECKS_H
#define QUARRO_MODEL_MODELCHECKS_H

#include <QString>

#include <cstddef>

// Internal to the model objects: the checks behind their validating setters, so that every
// object words its errors the same way. Not exported.
namespace quarro {
namespace model {
namespace detail {

[[noreturn]] void throwInvalidArgument(QString const& message);
[[noreturn]] void throwOutOfRange(QString const& message);

// Throws std::invalid_argument ("<what> has <actual> values, expected <expected>") on a mismatch.
void requireCount(QString const& what, std::size_t actual, std::size_t expected);

// Throws std::invalid_argument unless `value` is finite and, when `positive`, greater than zero.
void requireFinite(QString const& what, double value, bool positive = false);

} // namespace detail
} // namespace model
} // namespace quarro

#endif // QUARRO_MODEL_MODELCHECKS_H
