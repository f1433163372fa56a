#ifndef QUARRO_IMPORT_PRODUCTFACTORY_H
#define QUARRO_IMPORT_PRODUCTFACTORY_H

#include "QuarroImportExport.h"
#include "base/brkAbstractFactory.h"

#include <boost/shared_ptr.hpp>

#include <map>
#include <string>
#include <vector>

namespace quarro {
namespace import {

// The registry shared by the import library's product factories.
//
// A library that brings an importer defines one concrete factory per product and one static
// instance of it; constructing that instance registers its key, so every product is known as soon
// as its library is loaded. Callers then make products by key, or the default product, without
// knowing the concrete classes.
//
// `Factory` is the abstract factory class deriving from this template (it names itself in the
// error messages through a `static constexpr char const* class_name`), `Product` the product it
// makes. The static registries live in the import library only: every member is defined there and
// instantiated explicitly, so a reader plugin that registers and the manager that looks up see
// the same map, whatever the order in which libraries are loaded.
template <class Factory, class Product>
class QUARRO_IMPORT_EXPORT ProductFactory : public brkBase::brkAbstractFactory {
public:
    // The map holds the registering objects as this base: they register from this constructor,
    // before they are complete Factory objects.
    using Registry = std::map<std::string, ProductFactory*>;
    using product_type = Product;
    using const_iterator = std::vector<std::string>::const_iterator;

    ~ProductFactory() override;

    // The product of `key`, or the default product for a key that nobody registered.
    static boost::shared_ptr<Product> create(std::string const& key);
    // The default product, or the product whose key sorts first when there is no default.
    static boost::shared_ptr<Product> create();
    // As create(), but the caller owns and deletes the product.
    static Product* create_unmanaged(std::string const& key);
    static Product* create_unmanaged();

    // The keys in registration order (library loading order, then static initialisation order).
    static std::vector<std::string> products();
    static const_iterator products_begin();
    static const_iterator products_end();

protected:
    // Registers this factory under `key`; throws std::runtime_error when the key is taken, in
    // which case the first registration stays in force.
    ProductFactory(std::string const& key, bool is_default);
    // Copies are not registered: only the constructor above registers.
    ProductFactory(ProductFactory const& other);
    ProductFactory& operator=(ProductFactory const& other);

    virtual boost::shared_ptr<Product> do_create() = 0;
    virtual Product* do_create_unmanaged() = 0;

    static Registry& registry();
    static std::vector<std::string>& registry_str();
    static std::string& default_product();

private:
    // The factory that serves `key` under the lookup rules, or throws the lookup error.
    static ProductFactory* find(std::string const& key);
    static ProductFactory* find_default();
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_PRODUCTFACTORY_H
