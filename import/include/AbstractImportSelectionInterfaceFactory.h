#ifndef QUARRO_IMPORT_ABSTRACTIMPORTSELECTIONINTERFACEFACTORY_H
#define QUARRO_IMPORT_ABSTRACTIMPORTSELECTIONINTERFACEFACTORY_H

#include "AbstractImportSelectionInterface.h"
#include "ProductFactory.h"
#include "QuarroImportExport.h"

namespace quarro {
namespace import {

// Registry of AbstractImportSelectionInterface products. A library that brings such a product
// derives a concrete factory from this class, passes its key (and whether it is the default
// product) to the constructor and defines one static instance of it.
class QUARRO_IMPORT_EXPORT AbstractImportSelectionInterfaceFactory
    : public ProductFactory<AbstractImportSelectionInterfaceFactory,
                            AbstractImportSelectionInterface> {
public:
    static constexpr char const* class_name = "AbstractImportSelectionInterfaceFactory";

    ~AbstractImportSelectionInterfaceFactory() override;

protected:
    AbstractImportSelectionInterfaceFactory(std::string const& key, bool is_default);
};

extern template class ProductFactory<AbstractImportSelectionInterfaceFactory,
                                     AbstractImportSelectionInterface>;

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_ABSTRACTIMPORTSELECTIONINTERFACEFACTORY_H
