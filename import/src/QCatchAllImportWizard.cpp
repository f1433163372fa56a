#include "QCatchAllImportWizard.h"

namespace quarro {
namespace import {

QCatchAllImportWizard::QCatchAllImportWizard(std::string const& key)
    : QImportWizard(key, nullptr,
                    Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {}

QCatchAllImportWizard::~QCatchAllImportWizard() = default;

} // namespace import
} // namespace quarro
