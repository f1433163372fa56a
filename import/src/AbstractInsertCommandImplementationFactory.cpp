#include "AbstractInsertCommandImplementationFactory.h"

#include "ProductFactoryImpl.h"

namespace quarro {
namespace import {

template class ProductFactory<AbstractInsertCommandImplementationFactory,
                              AbstractInsertCommandImplementation>;

AbstractInsertCommandImplementationFactory::AbstractInsertCommandImplementationFactory(
    std::string const& key, bool is_default)
    : ProductFactory<AbstractInsertCommandImplementationFactory,
                     AbstractInsertCommandImplementation>(key, is_default) {}

AbstractInsertCommandImplementationFactory::~AbstractInsertCommandImplementationFactory() = default;

} // namespace import
} // namespace quarro
