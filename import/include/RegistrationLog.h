#ifndef QUARRO_IMPORT_REGISTRATIONLOG_H
#define QUARRO_IMPORT_REGISTRATIONLOG_H

#include "QuarroImportExport.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quarro {
namespace import {

// The product registrations that were refused in this process, in order. A registration runs
// while its library loads (ProductRegistration); the plugin loader compares the count before
// and after loading a plugin to tell which plugin had a key refused.
class QUARRO_IMPORT_EXPORT RegistrationLog {
public:
    struct Refusal {
        std::string factory; // the abstract factory's class name
        std::string key;
        std::string reason;
    };

    // Keeps the refusal and writes one line to the error protocol. Never throws: it runs inside a
    // library's static initialisation, where an exception would end the process.
    static void refuse(char const* factory, std::string const& key, char const* reason) noexcept;

    static std::vector<Refusal> refusals();
    static std::size_t count();

    RegistrationLog() = delete;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_REGISTRATIONLOG_H
