#include "QImportWizardFactory.h"

#include "ProductFactoryImpl.h"

namespace quarro {
namespace import {

template class ProductFactory<QImportWizardFactory, QImportWizard>;

QImportWizardFactory::QImportWizardFactory(std::string const& key, bool is_default)
    : ProductFactory<QImportWizardFactory, QImportWizard>(key, is_default) {}

QImportWizardFactory::~QImportWizardFactory() = default;

} // namespace import
} // namespace quarro
