#include "RegistrationLog.h"

#include "housekeeping/ErrorProtocol.h"

#include <mutex>

namespace quarro {
namespace import {

namespace {

std::mutex& refusals_mutex() {
    static std::mutex mutex;
    return mutex;
}

// Made on the heap and never destroyed, like the factories' registries, so that a library's static
// initialisation or tear-down finds it whatever the order.
std::vector<RegistrationLog::Refusal>& kept_refusals() {
    static auto* refusals = new std::vector<RegistrationLog::Refusal>;
    return *refusals;
}

} // namespace

void RegistrationLog::refuse(char const* factory, std::string const& key,
                             char const* reason) noexcept {
    try {
        Refusal refusal{factory != nullptr ? factory : "", key, reason != nullptr ? reason : ""};
        housekeeping::ErrorProtocol::instance().log_message(
            "Registration of '" + refusal.key + "' with " + refusal.factory +
            " refused, the first registration stays in force: " + refusal.reason);
        std::lock_guard<std::mutex> const lock(refusals_mutex());
        kept_refusals().push_back(std::move(refusal));
    } catch (...) {
        // Out of memory while reporting: the refusal itself has already left nothing behind.
    }
}

std::vector<RegistrationLog::Refusal> RegistrationLog::refusals() {
    std::lock_guard<std::mutex> const lock(refusals_mutex());
    return kept_refusals();
}

std::size_t RegistrationLog::count() {
    std::lock_guard<std::mutex> const lock(refusals_mutex());
    return kept_refusals().size();
}

} // namespace import
} // namespace quarro
