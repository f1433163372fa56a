#ifndef QUARRO_IMPORT_ABSTRACTFILEREADERFACTORY_H
#define QUARRO_IMPORT_ABSTRACTFILEREADERFACTORY_H

#include "AbstractFileReader.h"
#include "ProductFactory.h"
#include "QuarroImportExport.h"

namespace quarro {
namespace import {

// Registry of AbstractFileReader products. A library that brings such a product derives a concrete
// factory from this class, passes its key (and whether it is the default product) to the
// constructor and defines one static instance of it.
class QUARRO_IMPORT_EXPORT AbstractFileReaderFactory
    : public ProductFactory<AbstractFileReaderFactory, AbstractFileReader> {
public:
    static constexpr char const* class_name = "AbstractFileReaderFactory";

    ~AbstractFileReaderFactory() override;

protected:
    AbstractFileReaderFactory(std::string const& key, bool is_default);
};

extern template class ProductFactory<AbstractFileReaderFactory, AbstractFileReader>;

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_ABSTRACTFILEREADERFACTORY_H
