#ifndef QUARRO_IMPORT_CONCRETEPRODUCTFACTORY_H
#define QUARRO_IMPORT_CONCRETEPRODUCTFACTORY_H

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <string>
#include <type_traits>

namespace quarro {
namespace import {

// The concrete factory of one product: a library that brings a reader, wizard, insert-command
// implementation or importer chooser defines one static instance, which registers the product
// while the library loads:
//
//     static ConcreteProductFactory<AbstractFileReaderFactory, LasReader> s_las_factory("WELLS");
//
// A product constructible from its key (an import wizard, say) is given the key it was made for;
// any other product is default-constructed.
template <class AbstractFactory, class Concrete>
class ConcreteProductFactory final : public AbstractFactory {
public:
    using Product = typename AbstractFactory::product_type;

    explicit ConcreteProductFactory(std::string const& key, bool is_default = false)
        : AbstractFactory(key, is_default)
        , m_key(key) {}

    std::string const& key() const { return m_key; }

protected:
    boost::shared_ptr<Product> do_create() override { return boost::shared_ptr<Product>(make()); }
    Product* do_create_unmanaged() override { return make(); }

private:
    Concrete* make() const {
        if constexpr (std::is_constructible<Concrete, std::string const&>::value) {
            return new Concrete(m_key);
        } else {
            return new Concrete();
        }
    }

    std::string m_key;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_CONCRETEPRODUCTFACTORY_H
