#ifndef QUARRO_IMPORT_PRODUCTREGISTRATION_H
#define QUARRO_IMPORT_PRODUCTREGISTRATION_H

#include "ConcreteProductFactory.h"
#include "RegistrationLog.h"

#include <exception>
#include <optional>
#include <string>

namespace quarro {
namespace import {

// How a plugin registers a product: one static instance per product, made while the library loads.
//
//     static ProductRegistration<AbstractFileReaderFactory, LasReader> s_las("WELLS");
//
// The concrete factory is made inside a handler. When the key is taken already (the same plugin
// loaded under a second file name, two plugins claiming one key) the factory throws; escaping a
// static initialiser, that exception would end the whole application. Here the refusal is kept
// and logged by RegistrationLog, the first registration stays in force and the library goes on
// loading.
template <class AbstractFactory, class Concrete>
class ProductRegistration final {
public:
    using Factory = ConcreteProductFactory<AbstractFactory, Concrete>;

    explicit ProductRegistration(std::string const& key, bool is_default = false) noexcept {
        try {
            m_factory.emplace(key, is_default);
        } catch (std::exception const& error) {
            RegistrationLog::refuse(AbstractFactory::class_name, key, error.what());
        } catch (...) {
            RegistrationLog::refuse(AbstractFactory::class_name, key, "unknown exception");
        }
    }

    // The registry points at the factory inside this object: it must not move.
    ProductRegistration(ProductRegistration const&) = delete;
    ProductRegistration& operator=(ProductRegistration const&) = delete;

    // Whether this registration is the one in force for its key.
    bool registered() const { return m_factory.has_value(); }

private:
    std::optional<Factory> m_factory;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_PRODUCTREGISTRATION_H
