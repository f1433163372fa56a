#ifndef QUARRO_IMPORT_PRODUCTFACTORYIMPL_H
#define QUARRO_IMPORT_PRODUCTFACTORYIMPL_H

// Member definitions of ProductFactory. Included only by the sources that instantiate the
// template explicitly, so that the registries exist once, in the import library.

#include "ProductFactory.h"

#include <stdexcept>

namespace quarro {
namespace import {

namespace detail {
inline std::runtime_error no_registered_factories() {
    return std::runtime_error("Abstract factory has no registered concrete factory classes. "
                              "Please contact Brennick with a bug-report.");
}
} // namespace detail

template <class Factory, class Product>
ProductFactory<Factory, Product>::ProductFactory(std::string const& key, bool is_default) {
    bool const inserted = registry().insert(std::make_pair(key, this)).second;
    if (!inserted) {
        throw std::runtime_error("Two products with name '" + key +
                                 "' are attempting to register with abstract factory '" +
                                 Factory::class_name +
                                 "'. Please contact Brennick with a bug-report.");
    }
    registry_str().push_back(key);
    if (is_default) {
        default_product() = key;
    }
}

template <class Factory, class Product>
ProductFactory<Factory, Product>::ProductFactory(ProductFactory const& other)
    : brkBase::brkAbstractFactory(other) {}

template <class Factory, class Product>
ProductFactory<Factory, Product>&
ProductFactory<Factory, Product>::operator=(ProductFactory const& other) {
    brkBase::brkAbstractFactory::operator=(other);
    return *this;
}

// The registry keeps its entry: a concrete factory must outlive every lookup, which a static
// instance in a library that stays loaded does.
template <class Factory, class Product>
ProductFactory<Factory, Product>::~ProductFactory() = default;

// The two containers are made on the heap and never destroyed, so that they are valid whichever
// library's static initialisation or tear-down touches them first or last.
template <class Factory, class Product>
typename ProductFactory<Factory, Product>::Registry& ProductFactory<Factory, Product>::registry() {
    static Registry* map = new Registry;
    return *map;
}

template <class Factory, class Product>
std::vector<std::string>& ProductFactory<Factory, Product>::registry_str() {
    static std::vector<std::string>* keys = new std::vector<std::string>;
    return *keys;
}

template <class Factory, class Product>
std::string& ProductFactory<Factory, Product>::default_product() {
    static std::string key;
    return key;
}

template <class Factory, class Product>
ProductFactory<Factory, Product>* ProductFactory<Factory, Product>::find(std::string const& key) {
    Registry const& map = registry();
    if (map.empty()) {
        throw detail::no_registered_factories();
    }
    auto const found = map.find(key);
    if (found != map.end()) {
        return found->second;
    }
    // An unregistered key quietly yields the default product when there is one.
    std::string const& fallback = default_product();
    if (!fallback.empty()) {
        auto const by_default = map.find(fallback);
        if (by_default != map.end()) {
            return by_default->second;
        }
    }
    throw std::runtime_error(std::string("Abstract factory '") + Factory::class_name +
                             "' does not have the required product name '" + key +
                             "' registered. Please contact Brennick with a bug-report");
}

template <class Factory, class Product>
ProductFactory<Factory, Product>* ProductFactory<Factory, Product>::find_default() {
    Registry const& map = registry();
    if (map.empty()) {
        throw detail::no_registered_factories();
    }
    std::string const& fallback = default_product();
    if (fallback.empty()) {
        return map.begin()->second;
    }
    auto const by_default = map.find(fallback);
    if (by_default == map.end()) {
        throw detail::no_registered_factories();
    }
    return by_default->second;
}

template <class Factory, class Product>
boost::shared_ptr<Product> ProductFactory<Factory, Product>::create(std::string const& key) {
    return find(key)->do_create();
}

template <class Factory, class Product>
boost::shared_ptr<Product> ProductFactory<Factory, Product>::create() {
    return find_default()->do_create();
}

template <class Factory, class Product>
Product* ProductFactory<Factory, Product>::create_unmanaged(std::string const& key) {
    return find(key)->do_create_unmanaged();
}

template <class Factory, class Product>
Product* ProductFactory<Factory, Product>::create_unmanaged() {
    return find_default()->do_create_unmanaged();
}

template <class Factory, class Product>
std::vector<std::string> ProductFactory<Factory, Product>::products() {
    return registry_str();
}

template <class Factory, class Product>
typename ProductFactory<Factory, Product>::const_iterator
ProductFactory<Factory, Product>::products_begin() {
    return registry_str().cbegin();
}

template <class Factory, class Product>
typename ProductFactory<Factory, Product>::const_iterator
ProductFactory<Factory, Product>::products_end() {
    return registry_str().cend();
}

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_PRODUCTFACTORYIMPL_H
