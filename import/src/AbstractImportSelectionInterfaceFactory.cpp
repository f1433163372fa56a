#include "AbstractImportSelectionInterfaceFactory.h"

#include "ProductFactoryImpl.h"

namespace quarro {
namespace import {

template class ProductFactory<AbstractImportSelectionInterfaceFactory,
                              AbstractImportSelectionInterface>;

AbstractImportSelectionInterfaceFactory::AbstractImportSelectionInterfaceFactory(
    std::string const& key, bool is_default)
    : ProductFactory<AbstractImportSelectionInterfaceFactory, AbstractImportSelectionInterface>(
          key, is_default) {}

AbstractImportSelectionInterfaceFactory::~AbstractImportSelectionInterfaceFactory() = default;

} // namespace import
} // namespace quarro
