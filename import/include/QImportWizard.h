#ifndef QUARRO_IMPORT_QIMPORTWIZARD_H
#define QUARRO_IMPORT_QIMPORTWIZARD_H

#include "QuarroImportExport.h"
#include "base/Wizard.h"
#include "housekeeping/DocumentId.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <boost/shared_ptr.hpp>

#include <string>

class QCloseEvent;

namespace quarro {
namespace housekeeping {
class DataSource;
}

namespace import {

class QImportWizardSummarySheet;

// The modal dialog that runs one import: it reads the given files (or one data source) into a
// document, new or given, and then reports the outcome.
//
// The base class shows two sheets, the loader, which reads everything as soon as it comes up, and
// the summary. Importer libraries may register a subclass with sheets of their own (options,
// units) in front of the loader, or other loading policies.
//
// The caller creates the wizard, hands it the files (urls or data_source) and the target document
// if the data go into an existing one (insert_into_doc), runs exec() and deletes it.
class QUARRO_IMPORT_EXPORT QImportWizard : public brkBase::Wizard {
    Q_OBJECT

public:
    QImportWizard(std::string const& key, QWidget* parent, Qt::WindowFlags flags);
    ~QImportWizard() override;

    std::string const& import_key() const { return m_import_key; }

    // Local paths of the data files, in the order they are read.
    void urls(QStringList const& list) { m_urls = list; }
    QStringList const& urls() const { return m_urls; }

    // Reads exactly the file of `ds`; a subclass may fill its sheets from it.
    void data_source(boost::shared_ptr<housekeeping::DataSource> ds);

    bool inserting() const { return m_inserting; }
    // There is a target document.
    bool importing() { return !m_insert_document_id.isNull(); }

    // Readers put their data onto a section rather than into the model.
    void insertingOnSection(bool const& on) { m_inserting_on_section = on; }
    bool const& insertingOnSection() const { return m_inserting_on_section; }

    bool cancelled() const { return m_cancelled; }
    // False once a file has failed.
    bool result() const { return m_result; }

    // The document the import goes into: the target, or one made (or a blank one reused) on the
    // first call. Every later call returns the same id, even once the document is gone.
    housekeeping::DocumentId find_document_id();
    // The number of objects in the import's document (`id` counts only while the wizard has no
    // document of its own); 0 without a document.
    quint64 count_geos(housekeeping::DocumentId const& id);

    // Appends HTML to the summary.
    void register_comment(QString const& text);

    // Button states for sheets of subclasses.
    void set_ready2load_mode(bool next_enabled, bool load_label, bool back_enabled);
    void set_sheet_position(bool load_label, bool back_enabled);
    void set_ready(bool ready);

    // Loading has ended: closes the dialog when the user does not want the summary and nothing
    // failed, otherwise shows the summary with a Close button.
    void set_summary_mode();

    // The URL of a local path; `path` receives the path with native separators.
    static std::string urlFromString(QString const& in, QString& path);

    void journalButtonClicked() override;

    virtual void insert_into_doc(housekeeping::DocumentId const& id);
    // Loader policies: one reader for all files at once, and inserts without an undo command.
    virtual bool useSingleBuilder();
    virtual bool doNotUseInsertUndo();
    // Per-file outcomes, called by the loader. process_import_failed returns whether the loader
    // goes on with the next file.
    virtual bool process_import_failed(boost::shared_ptr<housekeeping::DataSource> ds,
                                       housekeeping::DocumentId const& id, QString const& message);
    virtual void process_import_successful(boost::shared_ptr<housekeeping::DataSource> ds,
                                           housekeeping::DocumentId const& id, double seconds,
                                           QString const& message);
    virtual void process_import_cancelled(boost::shared_ptr<housekeeping::DataSource> ds,
                                          housekeeping::DocumentId const& id);
    // The totals line; "%1" takes the number of objects loaded.
    virtual QString summaryText();
    // Whether the user wants the summary after a successful import; kept in the settings per
    // importer key.
    virtual void set_show_summary(bool on);
    virtual bool get_show_summary() const;
    virtual void save_summary_settings();

protected:
    virtual void set_sheets_from_datasource(boost::shared_ptr<housekeeping::DataSource> ds);

    void progress_changed_impl(int value) override;
    void progress_started_impl(bool determinate) override;
    void progress_finished_impl() override;
    void setupQuestionCheck() override;

    void closeEvent(QCloseEvent* event) override;
    void startup() override;
    void populate_sheets() override;

    bool m_inserting;
    std::string m_import_key;
    QStringList m_urls;
    // Owned by the frame, like every sheet.
    QImportWizardSummarySheet* m_summary_sheet;
    // No operation of this class sets it; a subclass that cancels the import does.
    bool m_cancelled;
    housekeeping::DocumentId m_insert_document_id;
    housekeeping::DocumentId m_document_id;
    // The user's choice while there is no question check box.
    bool m_show_summary;
    bool m_result;
    bool m_inserting_on_section;
    // Made current again when closing in cancel mode destroys the import's document.
    housekeeping::DocumentId m_previous_document_id;

private:
    Q_DISABLE_COPY(QImportWizard)

    // The settings key of the summary choice: the importer key followed by "hide_summary".
    QString summary_settings_key() const;
    // Closes (and forgets the busy mark of) a document made for this import.
    void discard_import_document(housekeeping::DocumentId const& id, bool p_discard_changes,
                                 bool p_quiet, housekeeping::DocumentId const& p_next_current);
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_QIMPORTWIZARD_H
