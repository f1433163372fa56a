#include "QImportWizardSheet.h"

#include "QImportWizard.h"

#include <QGuiApplication>

namespace quarro {
namespace import {

QImportWizardSheet::QImportWizardSheet(QImportWizard* wizard)
    : QWidget(nullptr, Qt::WindowFlags())
    , AbstractSheet(wizard)
    , m_wizard(wizard) {
    // Whoever started the import showed a wait cursor; the sheet is on its way to the screen.
    QGuiApplication::restoreOverrideCursor();
    setWidget(this);
    setHelpKey(QStringLiteral("QUARRO_IMPORT_INTRODUCTION"));
}

QImportWizardSheet::~QImportWizardSheet() {
    // Nobody may reach the page through the sheet while this object is being taken apart.
    setWidget(nullptr);
}

} // namespace import
} // namespace quarro
