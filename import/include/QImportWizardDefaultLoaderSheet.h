#ifndef QUARRO_IMPORT_QIMPORTWIZARDDEFAULTLOADERSHEET_H
#define QUARRO_IMPORT_QIMPORTWIZARDDEFAULTLOADERSHEET_H

#include "AbstractFileReader.h"
#include "QImportWizardSheet.h"
#include "QuarroImportExport.h"

#include <QObject>
#include <QString>
#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

class QTextBrowser;

namespace quarro {
namespace housekeeping {
class AbstractDataInformation;
class DataSource;
} // namespace housekeeping

namespace import {

// The first sheet of every import wizard. It has nothing to fill in: as soon as it comes up it
// reads all of the wizard's files into the import's document, file by file (or all at once when
// the wizard asks for a single builder), reports each outcome to the wizard and then hands over
// to the wizard's summary mode. It loads once; afterwards it is complete and cannot be entered
// again.
class QUARRO_IMPORT_EXPORT QImportWizardDefaultLoaderSheet : public QImportWizardSheet {
    Q_OBJECT

public:
    explicit QImportWizardDefaultLoaderSheet(QImportWizard* wizard);
    ~QImportWizardDefaultLoaderSheet() override;

    // Runs the whole load, then the wizard's summary mode.
    void activate() override;
    bool isComplete() const override;
    bool isAvailable() const override;

protected:
    // Make the reader, the data information and the data source for the wizard's importer key;
    // a subclass may build its own. A key nobody registered throws the factory's error.
    virtual void
    create_importer(std::vector<std::string> const& urls,
                    boost::shared_ptr<AbstractFileReader>& reader,
                    boost::shared_ptr<housekeeping::AbstractDataInformation>& information,
                    boost::shared_ptr<housekeeping::DataSource>& source);
    virtual void
    create_importer(std::string const& url, boost::shared_ptr<AbstractFileReader>& reader,
                    boost::shared_ptr<housekeeping::AbstractDataInformation>& information,
                    boost::shared_ptr<housekeeping::DataSource>& source);
    // Reads the wizard's files.
    virtual void do_loading();

private:
    Q_DISABLE_COPY(QImportWizardDefaultLoaderSheet)

    // The state of one load, shared by both ways of reading.
    class Run;

    bool m_available;
    QTextBrowser* m_text_browser;
    QString m_log;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_QIMPORTWIZARDDEFAULTLOADERSHEET_H
