#ifndef QUARRO_IMPORT_QIMPORTWIZARDSUMMARYSHEET_H
#define QUARRO_IMPORT_QIMPORTWIZARDSUMMARYSHEET_H

#include "QImportWizardSheet.h"
#include "QuarroImportExport.h"
#include "housekeeping/DocumentId.h"

#include <QObject>
#include <QString>
#include <QtGlobal>
#include <boost/shared_ptr.hpp>

class QTextBrowser;

namespace quarro {
namespace housekeeping {
class AbstractDocument;
class DataSource;
} // namespace housekeeping

namespace import {

// The last sheet of every import wizard: collects each file's outcome as HTML while the loader
// works, and shows it with a totals line (objects loaded, time taken) once loading has ended.
class QUARRO_IMPORT_EXPORT QImportWizardSummarySheet : public QImportWizardSheet {
    Q_OBJECT

public:
    explicit QImportWizardSummarySheet(QImportWizard* wizard);
    ~QImportWizardSummarySheet() override;

    void startup() override;
    void activate() override;
    bool isComplete() const override;
    bool isAvailable() const override;

    // A file was read in `seconds`; `message` is the reader's own summary.
    void register_success(housekeeping::DocumentId const& id,
                          boost::shared_ptr<housekeeping::DataSource> ds, double seconds,
                          QString const& message);
    void register_failure(boost::shared_ptr<housekeeping::DataSource> ds, QString const& message);
    // Once a file is cancelled the summary shows no totals.
    void register_cancel(boost::shared_ptr<housekeeping::DataSource> ds);
    void register_comment(QString const& text);
    // A new document was made for the import: every object in it counts as loaded.
    void register_document(housekeeping::AbstractDocument const& document);

    QString const& text() const { return m_text; }

private:
    Q_DISABLE_COPY(QImportWizardSummarySheet)

    bool m_cancelled;
    quint64 m_start_count;
    quint64 m_loaded_count;
    double m_seconds;
    QTextBrowser* m_text_browser;
    QString m_text;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_QIMPORTWIZARDSUMMARYSHEET_H
