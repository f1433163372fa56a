#ifndef QUARRO_IMPORT_ABSTRACTFILEREADER_H
#define QUARRO_IMPORT_ABSTRACTFILEREADER_H

#include "QuarroImportExport.h"

#include <QString>
#include <QtGlobal>
#include <boost/shared_ptr.hpp>

#include <bitset>
#include <string>
#include <vector>

namespace brkBase {
class AbstractProgress;
}

namespace quarro {
namespace housekeeping {
class DataSource;
class DocumentId;
} // namespace housekeeping

namespace import {

class QImportWizard;

// Base class of every file reader. Readers live in plugin libraries and are made by key through
// AbstractFileReaderFactory. The import manager asks a reader for its extensions, its file-dialog
// filter and whether it accepts a file; the loader has it read a data source into a document and
// then collects the HTML summary the reader built while it worked. A reader object serves one
// import: nothing resets its summary or counters.
class QUARRO_IMPORT_EXPORT AbstractFileReader {
public:
    // The result of every read and insert.
    enum ImportState { IMPORT_FAILED = 0, IMPORT_OK = 1, IMPORT_CANCELLED = 2 };

    // Bits of the verification result.
    enum VerifyBit {
        VERIFY_ACCEPTED = 0, // the reader takes the file
        VERIFY_READABLE = 3  // the file opens and its first characters can be read
    };

    virtual ~AbstractFileReader();

    // The reader's name for the kind of data it reads ("Insert " + this + " Data" names an insert).
    virtual std::string data_type() = 0;

    // Reads the data source into the document.
    virtual ImportState import_data(boost::shared_ptr<housekeeping::DataSource> source,
                                    housekeeping::DocumentId const& document, bool importing,
                                    brkBase::AbstractProgress* progress, bool inserting) = 0;

    // The reader's entry in the file dialogs' filter list, also the text importers are ordered by.
    // A text beginning with "Check" keeps the reader out of the filter list.
    virtual std::string file_filter() = 0;

    // File extensions without the dot; by default the single entry "dat".
    virtual std::vector<std::string> supported_extentions() const;

    // Sets bit 3 when the file opens and up to its first 1024 characters read without error; a
    // reader that recognises the content sets bit 0 and may explain a refusal in `message`. The
    // base never touches `message` and never throws.
    virtual std::bitset<4> verify(std::string const& url, QString& message);

    virtual QString import_summary() const;
    virtual void register_success(QString const& name);
    virtual void register_failure(QString const& name, QString const& reason);
    virtual void register_comment(QString const& text);

    // The number of objects in a document, 0 for a document that does not exist.
    quint64 document_size(housekeeping::DocumentId const& id) const;

    void setWizard(QImportWizard* wizard) { m_wizard = wizard; }
    QImportWizard* wizard() const { return m_wizard; }

    int failures() const { return m_failures; }
    int successes() const { return m_successes; }

protected:
    AbstractFileReader();

private:
    Q_DISABLE_COPY(AbstractFileReader)

    QString m_summary;
    QImportWizard* m_wizard = nullptr;
    qint32 m_failures = 0;
    qint32 m_successes = 0;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_ABSTRACTFILEREADER_H
