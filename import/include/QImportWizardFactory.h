#ifndef QUARRO_IMPORT_QIMPORTWIZARDFACTORY_H
#define QUARRO_IMPORT_QIMPORTWIZARDFACTORY_H

#include "ProductFactory.h"
#include "QImportWizard.h"
#include "QuarroImportExport.h"

namespace quarro {
namespace import {

// Registry of QImportWizard products. A library that brings such a product derives a concrete
// factory from this class, passes its key (and whether it is the default product) to the
// constructor and defines one static instance of it.
class QUARRO_IMPORT_EXPORT QImportWizardFactory
    : public ProductFactory<QImportWizardFactory, QImportWizard> {
public:
    static constexpr char const* class_name = "QImportWizardFactory";

    ~QImportWizardFactory() override;

protected:
    QImportWizardFactory(std::string const& key, bool is_default);
};

extern template class ProductFactory<QImportWizardFactory, QImportWizard>;

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_QIMPORTWIZARDFACTORY_H
