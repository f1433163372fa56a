#include "AbstractFileReaderFactory.h"

#include "ProductFactoryImpl.h"

namespace quarro {
namespace import {

template class ProductFactory<AbstractFileReaderFactory, AbstractFileReader>;

AbstractFileReaderFactory::AbstractFileReaderFactory(std::string const& key, bool is_default)
    : ProductFactory<AbstractFileReaderFactory, AbstractFileReader>(key, is_default) {}

AbstractFileReaderFactory::~AbstractFileReaderFactory() = default;

} // namespace import
} // namespace quarro
