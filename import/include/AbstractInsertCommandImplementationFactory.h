#ifndef QUARRO_IMPORT_ABSTRACTINSERTCOMMANDIMPLEMENTATIONFACTORY_H
#define QUARRO_IMPORT_ABSTRACTINSERTCOMMANDIMPLEMENTATIONFACTORY_H

#include "AbstractInsertCommandImplementation.h"
#include "ProductFactory.h"
#include "QuarroImportExport.h"

namespace quarro {
namespace import {

// Registry of AbstractInsertCommandImplementation products. A library that brings such a product
// derives a concrete factory from this class, passes its key (and whether it is the default
// product) to the constructor and defines one static instance of it.
class QUARRO_IMPORT_EXPORT AbstractInsertCommandImplementationFactory
    : public ProductFactory<AbstractInsertCommandImplementationFactory,
                            AbstractInsertCommandImplementation> {
public:
    static constexpr char const* class_name = "AbstractInsertCommandImplementationFactory";

    ~AbstractInsertCommandImplementationFactory() override;

protected:
    AbstractInsertCommandImplementationFactory(std::string const& key, bool is_default);
};

extern template class ProductFactory<AbstractInsertCommandImplementationFactory,
                                     AbstractInsertCommandImplementation>;

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_ABSTRACTINSERTCOMMANDIMPLEMENTATIONFACTORY_H
