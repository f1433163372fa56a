#include "QImportWizardDefaultLoaderSheet.h"

#include "AbstractFileReaderFactory.h"
#include "ImportManager.h"
#include "InsertImportCommand.h"
#include "ProgressCancelHook.h"
#include "QImportWizard.h"
#include "base/WizardProgress.h"
#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/AbstractDocument.h"
#include "housekeeping/CommandManager.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/DocumentMessage.h"
#include "housekeeping/ErrorProtocol.h"
#include "utilities/Exception.h"
#include "utilities/UrlUtilities.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <boost/make_shared.hpp>

#include <exception>

namespace quarro {
namespace import {

namespace {

char const* const source_path = "import/src/QImportWizard";

// To be called inside a catch block: writes the exception in flight to the log and returns its
// text for the user.
QString log_current_exception(unsigned line) {
    try {
        throw;
    } catch (quarro::Exception& e) {
        e.caught_here(source_path, line);
        return QString::fromUtf8(e.what());
    } catch (std::exception const& e) {
        housekeeping::ErrorProtocol::instance().log_message(
            std::string("Import: caught exception: ") + e.what());
        return QString::fromUtf8(e.what());
    } catch (...) {
        housekeeping::ErrorProtocol::instance().log_message(
            "Import: caught an exception of unknown type");
        return QString();
    }
}

// The reader, data information and data source of an importer key for one URL or a list.
template <class Urls>
void create_for_key(std::string const& key, Urls const& urls,
                    boost::shared_ptr<AbstractFileReader>& reader,
                    boost::shared_ptr<housekeeping::AbstractDataInformation>& information,
                    boost::shared_ptr<housekeeping::DataSource>& source) {
    reader = AbstractFileReaderFactory::create(key);
    information = housekeeping::AbstractDataInformationFactory::create(key);
    source = boost::make_shared<housekeeping::DataSource>(urls, information);
}

} // namespace

class QImportWizardDefaultLoaderSheet::Run {
public:
    Run(QImportWizardDefaultLoaderSheet& sheet, QImportWizard& wizard)
        : m_sheet(sheet)
        , m_wizard(wizard)
        , m_progress(wizard.get_progress())
        , m_insert_next(wizard.inserting()) {}

    void prepare();
    void read_all_at_once();
    void read_file_by_file();
    void complete();

private:
    Q_DISABLE_COPY(Run)

    // Starts the progress unless it runs (a reader may have finished it).
    void keep_progress_running();
    bool progress_cancelled() const { return m_progress != nullptr && m_progress->cancelled(); }

    // create_importer, with a failure turned into a failed file that names its reason. Returns
    // whether there is a reader to read with.
    template <class Urls>
    bool make_importer(Urls const& urls);
    // A document that a failure (or a close) destroyed cannot take more data.
    bool refuse_lost_document();
    // Reads with the reader, or inserts through an undo command, as the wizard wants.
    void read_all(bool importing);
    void read_one(bool importing);
    // Shows the "caught exception" box for an exception in flight; the file has failed.
    void caught_exception(unsigned line);

    void handle_success();
    // Whether the load goes on with the next file.
    bool handle_failed();
    void handle_cancelled();

    QImportWizardDefaultLoaderSheet& m_sheet;
    QImportWizard& m_wizard;
    brkBase::WizardProgress* m_progress;
    housekeeping::DocumentId m_id;
    boost::shared_ptr<AbstractFileReader> m_reader;
    boost::shared_ptr<housekeeping::AbstractDataInformation> m_information;
    boost::shared_ptr<housekeeping::DataSource> m_source;
    AbstractFileReader::ImportState m_state = AbstractFileReader::IMPORT_FAILED;
    QString m_message;
    QElapsedTimer m_timer;
    bool m_insert_next;
};

void QImportWizardDefaultLoaderSheet::Run::prepare() {
    if (m_progress != nullptr) {
        m_progress->start(true);
    }
    ProgressCancelHook::setSize(m_wizard.urls().size());
    m_id = m_wizard.find_document_id();
    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    manager.document_busy(m_id, true);
    if (housekeeping::AbstractDocument* document = manager.document_from_id(m_id)) {
        document->begin_load();
    }
    m_wizard.setWindowTitle(m_wizard.inserting() ? tr("Importing...") : tr("Loading..."));
}

void QImportWizardDefaultLoaderSheet::Run::keep_progress_running() {
    if (m_progress != nullptr && !m_progress->is_running()) {
        m_progress->start(true);
    }
}

template <class Urls>
bool QImportWizardDefaultLoaderSheet::Run::make_importer(Urls const& urls) {
    // Nothing of the previous file may stand in for this one should the making fail.
    m_reader.reset();
    m_information.reset();
    m_source.reset();
    try {
        m_sheet.create_importer(urls, m_reader, m_information, m_source);
        if (m_reader && m_source) {
            return true;
        }
        m_message = tr("No reader for the importer key %1.")
                        .arg(QString::fromStdString(m_wizard.import_key()))
                        .toHtmlEscaped();
    } catch (...) {
        m_message = log_current_exception(__LINE__).toHtmlEscaped();
    }
    m_message += QStringLiteral("<br />\n");
    // The summary names the file even though nothing could be made for it.
    if (!m_source) {
        m_source = boost::make_shared<housekeeping::DataSource>(urls, m_information);
    }
    m_state = AbstractFileReader::IMPORT_FAILED;
    return false;
}

bool QImportWizardDefaultLoaderSheet::Run::refuse_lost_document() {
    if (housekeeping::DocumentManager::instance().document_exists(m_id)) {
        return false;
    }
    m_state = AbstractFileReader::IMPORT_FAILED;
    m_message =
        tr("Not read: the document of this import no longer exists.") + QStringLiteral("<br />\n");
    return true;
}

void QImportWizardDefaultLoaderSheet::Run::caught_exception(unsigned line) {
    log_current_exception(line);
    m_state = AbstractFileReader::IMPORT_FAILED;
    QMessageBox::warning(nullptr, tr("caught exception"), QString(), QMessageBox::Ok);
}

void QImportWizardDefaultLoaderSheet::Run::read_all(bool importing) {
    try {
        if (m_wizard.inserting()) {
            m_wizard.setWindowTitle(tr("Inserting..."));
            if (m_wizard.doNotUseInsertUndo()) {
                m_state = m_reader->import_data(m_source, m_id, m_wizard.importing(), m_progress,
                                                m_wizard.inserting());
            } else {
                auto command = boost::make_shared<InsertImportCommand>(m_source, m_reader, m_id,
                                                                       true, true, m_progress);
                housekeeping::CommandManager::instance().insert(command, true);
                m_state = command->import_state();
            }
        } else {
            m_wizard.setWindowTitle(tr("Loading..."));
            m_state =
                m_reader->import_data(m_source, m_id, importing, m_progress, m_wizard.inserting());
        }
        m_message = m_reader->import_summary();
    } catch (...) {
        caught_exception(__LINE__);
    }
}

void QImportWizardDefaultLoaderSheet::Run::read_one(bool importing) {
    try {
        if (m_insert_next) {
            m_wizard.setWindowTitle(tr("Importing..."));
            m_state =
                ImportManager::instance().insert(m_source, m_id, importing, m_progress, &m_message);
        } else {
            m_wizard.setWindowTitle(tr("Loading..."));
            m_state =
                m_reader->import_data(m_source, m_id, importing, m_progress, m_wizard.inserting());
            m_message = m_reader->import_summary();
        }
    } catch (...) {
        caught_exception(__LINE__);
    }
}

void QImportWizardDefaultLoaderSheet::Run::read_all_at_once() {
    ProgressCancelHook::setFileProgress(0, 100.0);
    keep_progress_running();
    m_timer.start();
    utilities::UrlList const urls = utilities::filesystem_to_url(m_wizard.urls());
    m_message.clear();
    bool const made = make_importer(urls);
    QGuiApplication::restoreOverrideCursor();
    if (made) {
        m_message.clear();
        if (!refuse_lost_document()) {
            read_all(m_wizard.importing());
        }
    }
    switch (m_state) {
    case AbstractFileReader::IMPORT_CANCELLED:
        // For the key "WELLS" a cancel that the wizard did not ask for counts as a failure.
        if (m_wizard.import_key() == "WELLS" && !m_wizard.cancelled()) {
            handle_failed();
        } else {
            handle_cancelled();
        }
        return;
    case AbstractFileReader::IMPORT_FAILED:
        handle_failed();
        return;
    default:
        if (progress_cancelled()) {
            handle_cancelled();
            return;
        }
        handle_success();
        m_insert_next = true;
    }
}

void QImportWizardDefaultLoaderSheet::Run::read_file_by_file() {
    bool const importing = m_wizard.importing();
    // A reader may change the wizard's list while it works: the count is read for every file.
    for (int i = 0; i < m_wizard.urls().size(); ++i) {
        int const n = m_wizard.urls().size();
        ProgressCancelHook::setFileProgress(i, 100.0);
        keep_progress_running();
        if (m_progress != nullptr) {
            m_progress->set_caption(tr("Reading file %1 of %2").arg(i + 1).arg(n));
            m_progress->set_value(
                static_cast<int>(static_cast<float>(i) / static_cast<float>(n) * 100.0f));
        }
        m_timer.start();
        QString path;
        std::string const url = QImportWizard::urlFromString(m_wizard.urls().at(i), path);
        QString const line = (m_wizard.inserting() ? tr("Importing ") : tr("Loading ")) + path +
                             QStringLiteral(" ...");
        m_sheet.m_log += line + QStringLiteral("<br />");
        // One paragraph more: the browser lays out the new line, not the whole log again, which
        // would make a load of many files slow down with every file.
        QTextCursor cursor(m_sheet.m_text_browser->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(line);
        cursor.insertBlock();
        m_message.clear();
        bool const made = make_importer(url);
        QGuiApplication::restoreOverrideCursor();
        if (made) {
            m_message.clear();
            if (!refuse_lost_document()) {
                read_one(importing);
            }
        }
        if (m_state == AbstractFileReader::IMPORT_FAILED) {
            if (handle_failed()) {
                continue;
            }
            break;
        }
        if (m_state == AbstractFileReader::IMPORT_CANCELLED || progress_cancelled()) {
            handle_cancelled();
            break;
        }
        handle_success();
        // Every later file joins the first one's document as an undoable insert.
        m_insert_next = n > 1;
    }
}

void QImportWizardDefaultLoaderSheet::Run::handle_success() {
    double const seconds = static_cast<double>(m_timer.elapsed()) / 1000.0;
    m_wizard.process_import_successful(m_source, m_id, seconds, m_message);
    ImportManager::instance().inserting_state(true);
}

bool QImportWizardDefaultLoaderSheet::Run::handle_failed() {
    if (m_wizard.process_import_failed(m_source, m_id, m_message)) {
        return true;
    }
    handle_cancelled();
    return false;
}

void QImportWizardDefaultLoaderSheet::Run::handle_cancelled() {
    m_wizard.process_import_cancelled(m_source, m_id);
    ImportManager::instance().inserting_state(false);
}

void QImportWizardDefaultLoaderSheet::Run::complete() {
    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    housekeeping::AbstractDocument* document = manager.document_from_id(m_id);
    if (m_state == AbstractFileReader::IMPORT_OK && document != nullptr) {
        boost::shared_ptr<housekeeping::AbstractDataInformation> const information =
            m_source ? m_source->data_information()
                     : boost::shared_ptr<housekeeping::AbstractDataInformation>();
        QString key;
        if (information) {
            document->set_ascii_import_mode(information->ascii_import_mode());
            key = QString::fromStdString(information->key());
        }
        // A native file opened on its own is the document as saved; anything else is a change.
        if (m_insert_next ||
            (!key.startsWith(QLatin1String("QRO")) && !key.startsWith(QLatin1String("QUARRO")))) {
            document->set_modified(true);
        }
        housekeeping::DocumentMessage* message = housekeeping::DocumentMessage::instance();
        message->doc_change_type(housekeeping::DocumentMessage::ContentChanged);
        message->id(m_id);
        housekeeping::Message::dispatch(message);
    }
    // A subscriber of the message may have closed the document.
    if (housekeeping::AbstractDocument* still_there = manager.document_from_id(m_id)) {
        still_there->end_load();
    }
    manager.document_busy(m_id, false);
    ImportManager::instance().inserting_state(false);
    ImportManager::instance().insert_on_section(false);
    if (m_progress != nullptr) {
        m_progress->finish();
    }
    m_reader.reset();
    m_information.reset();
    m_source.reset();
}

QImportWizardDefaultLoaderSheet::QImportWizardDefaultLoaderSheet(QImportWizard* wizard)
    : QImportWizardSheet(wizard)
    , m_available(true)
    , m_text_browser(new QTextBrowser(this)) {
    auto* layout = new QVBoxLayout;
    layout->addWidget(m_text_browser);
    setLayout(layout);
    setWindowTitle(tr("Loading..."));
}

QImportWizardDefaultLoaderSheet::~QImportWizardDefaultLoaderSheet() = default;

void QImportWizardDefaultLoaderSheet::activate() {
    // Nothing may leave an event handler: a subclass's loading that throws still ends in the
    // summary, and closing the dialog clears what it left busy.
    try {
        do_loading();
    } catch (...) {
        QString const error = log_current_exception(__LINE__);
        if (m_wizard != nullptr) {
            m_wizard->register_comment(error.toHtmlEscaped() + QStringLiteral("<br />\n"));
        }
    }
    m_available = false;
    if (m_wizard != nullptr) {
        m_wizard->set_summary_mode();
    }
}

bool QImportWizardDefaultLoaderSheet::isAvailable() const {
    return m_available;
}

bool QImportWizardDefaultLoaderSheet::isComplete() const {
    return !m_available;
}

void QImportWizardDefaultLoaderSheet::create_importer(
    std::vector<std::string> const& urls, boost::shared_ptr<AbstractFileReader>& reader,
    boost::shared_ptr<housekeeping::AbstractDataInformation>& information,
    boost::shared_ptr<housekeeping::DataSource>& source) {
    create_for_key(m_wizard->import_key(), urls, reader, information, source);
}

void QImportWizardDefaultLoaderSheet::create_importer(
    std::string const& url, boost::shared_ptr<AbstractFileReader>& reader,
    boost::shared_ptr<housekeeping::AbstractDataInformation>& information,
    boost::shared_ptr<housekeeping::DataSource>& source) {
    create_for_key(m_wizard->import_key(), url, reader, information, source);
}

void QImportWizardDefaultLoaderSheet::do_loading() {
    if (m_wizard == nullptr) {
        return;
    }
    Run run(*this, *m_wizard);
    run.prepare();
    if (m_wizard->useSingleBuilder()) {
        run.read_all_at_once();
    } else {
        run.read_file_by_file();
    }
    run.complete();
}

} // namespace import
} // namespace quarro
