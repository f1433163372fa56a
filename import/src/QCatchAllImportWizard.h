#ifndef QUARRO_IMPORT_QCATCHALLIMPORTWIZARD_H
#define QUARRO_IMPORT_QCATCHALLIMPORTWIZARD_H

#include "QImportWizard.h"

#include <string>

namespace quarro {
namespace import {

// The import wizard of a key for which no library registered one: the plain loader and summary,
// as a top-level dialog.
class QCatchAllImportWizard : public QImportWizard {
public:
    explicit QCatchAllImportWizard(std::string const& key);
    ~QCatchAllImportWizard() override;

private:
    Q_DISABLE_COPY(QCatchAllImportWizard)
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_QCATCHALLIMPORTWIZARD_H
