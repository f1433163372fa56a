#ifndef QUARRO_IMPORT_QIMPORTWIZARDSHEET_H
#define QUARRO_IMPORT_QIMPORTWIZARDSHEET_H

#include "QuarroImportExport.h"
#include "base/AbstractSheet.h"

#include <QObject>
#include <QWidget>

namespace quarro {
namespace import {

class QImportWizard;

// The common base of the import wizard's sheets: a sheet that is its own page, and knows the
// wizard that owns it.
class QUARRO_IMPORT_EXPORT QImportWizardSheet : public QWidget, public brkBase::AbstractSheet {
    Q_OBJECT

public:
    // `wizard` may be null (a sheet shown on its own); the frame takes the sheet when it is added.
    explicit QImportWizardSheet(QImportWizard* wizard);
    ~QImportWizardSheet() override;

protected:
    QImportWizard* m_wizard;

private:
    Q_DISABLE_COPY(QImportWizardSheet)
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_QIMPORTWIZARDSHEET_H
