#include "QImportWizard.h"

#include "QImportWizardDefaultLoaderSheet.h"
#include "QImportWizardSummarySheet.h"
#include "base/WizardProgress.h"
#include "housekeeping/AbstractDocument.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/gui/AbstractMainWindow.h"
#include "utilities/UrlUtilities.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QPushButton>
#include <QSettings>
#include <QVariant>

namespace quarro {
namespace import {

namespace {

char const* const source_path = "import/src/QImportWizard";
QString const settings_group = QStringLiteral("qimportwizard");

// The main window's notification that an import wizard closes.
constexpr int wizard_closes_notification = 7;

housekeeping::DocumentManager& documents() {
    return housekeeping::DocumentManager::instance();
}

} // namespace

QImportWizard::QImportWizard(std::string const& key, QWidget* parent, Qt::WindowFlags flags)
    : Wizard(parent, flags)
    , m_inserting(false)
    , m_import_key(key)
    , m_summary_sheet(nullptr)
    , m_cancelled(false)
    , m_show_summary(true)
    , m_result(true)
    , m_inserting_on_section(false) {
    // The frame makes the check box in startup(); until then m_show_summary stands in for it.
    m_question_check = nullptr;
}

QImportWizard::~QImportWizard() = default;

void QImportWizard::data_source(boost::shared_ptr<housekeeping::DataSource> ds) {
    m_urls.clear();
    if (ds) {
        m_urls.append(utilities::url_to_filesystem(ds->url()));
    }
    set_sheets_from_datasource(ds);
}

void QImportWizard::set_sheets_from_datasource(boost::shared_ptr<housekeeping::DataSource>) {}

void QImportWizard::insert_into_doc(housekeeping::DocumentId const& id) {
    m_insert_document_id = id;
    m_inserting = true;
}

bool QImportWizard::useSingleBuilder() {
    return false;
}

bool QImportWizard::doNotUseInsertUndo() {
    return false;
}

QString QImportWizard::summary_settings_key() const {
    return QString::fromStdString(m_import_key) + QStringLiteral("hide_summary");
}

void QImportWizard::startup() {
    {
        QSettings settings;
        settings.beginGroup(settings_group);
        // Never stored means "do not hide": a fresh installation shows the summary.
        m_show_summary = !settings.value(summary_settings_key(), QVariant()).toBool();
        settings.endGroup();
    }
    m_previous_document_id = documents().current_document_id();
    Wizard::startup();
    m_question_check->setChecked(m_show_summary);
    m_journal_button->setAutoDefault(false);
}

void QImportWizard::populate_sheets() {
    auto* loader = new QImportWizardDefaultLoaderSheet(this);
    m_summary_sheet = new QImportWizardSummarySheet(this);
    setWindowTitle(tr("Import Wizard"));
    add_sheet(loader);
    add_sheet(m_summary_sheet);
}

void QImportWizard::setupQuestionCheck() {
    m_question_check->setVisible(true);
    m_question_check->setText(tr("Show import summary"));
    m_question_check->setChecked(true);
}

bool QImportWizard::get_show_summary() const {
    if (m_question_check != nullptr) {
        return m_question_check->isChecked();
    }
    return m_show_summary;
}

void QImportWizard::set_show_summary(bool on) {
    if (m_question_check != nullptr) {
        m_question_check->setChecked(on);
        return;
    }
    m_show_summary = on;
}

void QImportWizard::save_summary_settings() {
    QSettings settings;
    settings.beginGroup(settings_group);
    settings.setValue(summary_settings_key(), !get_show_summary());
    settings.endGroup();
}

housekeeping::DocumentId QImportWizard::find_document_id() {
    if (!m_insert_document_id.isNull()) {
        return m_insert_document_id;
    }
    if (!m_document_id.isNull()) {
        return m_document_id;
    }
    housekeeping::DocumentManager& manager = documents();
    if (manager.num_documents() > 0) {
        // The untouched document the application starts with is filled rather than left behind
        // empty.
        housekeeping::DocumentId const current = manager.current_document_id();
        housekeeping::AbstractDocument const* document = manager.document_from_id(current);
        if (current == manager.first_id() && document != nullptr && document->is_blank() &&
            document->document_history().empty()) {
            m_document_id = current;
            return m_document_id;
        }
    }
    housekeeping::DocumentId const created = manager.create_document();
    if (m_summary_sheet != nullptr) {
        if (housekeeping::AbstractDocument const* document = manager.document_from_id(created)) {
            m_summary_sheet->register_document(*document);
        }
    }
    m_document_id = created;
    return m_document_id;
}

quint64 QImportWizard::count_geos(housekeeping::DocumentId const& id) {
    housekeeping::DocumentId counted = id;
    if (!m_insert_document_id.isNull()) {
        counted = m_insert_document_id;
    }
    if (!m_document_id.isNull()) {
        counted = m_document_id;
    }
    if (counted.isNull()) {
        return 0;
    }
    housekeeping::AbstractDocument const* document = documents().document_from_id(counted);
    return document != nullptr ? document->size() : 0;
}

void QImportWizard::register_comment(QString const& text) {
    if (m_summary_sheet != nullptr) {
        m_summary_sheet->register_comment(text);
    }
}

void QImportWizard::set_ready2load_mode(bool next_enabled, bool load_label, bool back_enabled) {
    m_next_button->setEnabled(next_enabled);
    set_sheet_position(load_label, back_enabled);
}

void QImportWizard::set_sheet_position(bool load_label, bool back_enabled) {
    m_next_button->setText(load_label ? tr("Load") : tr("Next"));
    m_back_button->setEnabled(back_enabled);
}

void QImportWizard::set_ready(bool ready) {
    m_next_button->setEnabled(ready);
}

void QImportWizard::set_summary_mode() {
    if (!get_show_summary() && (m_cancelled || m_result)) {
        m_cancel_button->setText(tr("Close"));
        save_summary_settings();
        close();
        return;
    }
    // A failed import shows its summary whatever the user chose.
    if (m_summary_sheet == nullptr) {
        housekeeping::ErrorProtocol::instance().log_assert("m_summary_sheet", Q_FUNC_INFO,
                                                           source_path, 217);
    }
    set_close_button_mode();
    activate_sheet(m_summary_sheet, true);
}

std::string QImportWizard::urlFromString(QString const& in, QString& path) {
    path = QDir::toNativeSeparators(in);
    return utilities::filesystem_to_url(path);
}

QString QImportWizard::summaryText() {
    return QStringLiteral("Loaded %1 objects");
}

void QImportWizard::process_import_successful(boost::shared_ptr<housekeeping::DataSource> ds,
                                              housekeeping::DocumentId const& id, double seconds,
                                              QString const& message) {
    if (m_summary_sheet != nullptr) {
        m_summary_sheet->register_success(id, ds, seconds, message);
    }
    housekeeping::AbstractDocument* document = documents().document_from_id(id);
    // An insert into an existing document never changes where that document came from.
    if (document != nullptr && !document->datasource() && m_insert_document_id.isNull()) {
        document->datasource(ds);
    }
}

void QImportWizard::discard_import_document(housekeeping::DocumentId const& id,
                                            bool p_discard_changes, bool p_quiet,
                                            housekeeping::DocumentId const& p_next_current) {
    housekeeping::DocumentManager& manager = documents();
    manager.set_document_as_closing(id);
    manager.document_busy(id, false);
    manager.destroy_document(id, p_discard_changes, p_quiet, false, p_next_current);
}

bool QImportWizard::process_import_failed(boost::shared_ptr<housekeeping::DataSource> ds,
                                          housekeeping::DocumentId const& id,
                                          QString const& message) {
    m_result = false;
    if (m_summary_sheet != nullptr) {
        m_summary_sheet->register_failure(ds, message);
    }
    // A document made for this import goes with the failure; a target document stays.
    if (id != m_insert_document_id) {
        discard_import_document(id, true, true, housekeeping::DocumentId::null());
    }
    return true;
}

void QImportWizard::process_import_cancelled(boost::shared_ptr<housekeeping::DataSource> ds,
                                             housekeeping::DocumentId const& id) {
    if (m_summary_sheet != nullptr) {
        m_summary_sheet->register_cancel(ds);
    }
    if (id != m_insert_document_id) {
        discard_import_document(id, false, false, housekeeping::DocumentId::null());
    }
}

void QImportWizard::journalButtonClicked() {
    housekeeping::DocumentId const id = find_document_id();
    if (id.isNull() || m_summary_sheet == nullptr) {
        return;
    }
    if (housekeeping::AbstractDocument* document = documents().document_from_id(id)) {
        document->journal(m_summary_sheet->text().toStdString(), false);
    }
}

void QImportWizard::closeEvent(QCloseEvent* event) {
    // A reader still at work notices this the next time it polls.
    if (brkBase::WizardProgress* progress = get_progress()) {
        progress->cancel_progress();
    }
    housekeeping::DocumentManager& manager = documents();
    // Closed before loading ended: the half-filled new document goes, unless it is the only one
    // left (the application keeps one document open).
    bool const in_cancel_mode = m_cancel_button->text() == brkBase::Wizard::tr("Cancel");
    if (!m_cancelled && in_cancel_mode && !m_document_id.isNull() && manager.num_documents() > 1) {
        manager.destroy_document(m_document_id, true, true, false, m_previous_document_id);
    }
    if (!m_document_id.isNull() && manager.document_busy(m_document_id)) {
        manager.document_busy(m_document_id, false);
    } else if (!m_insert_document_id.isNull() && manager.document_busy(m_insert_document_id)) {
        manager.document_busy(m_insert_document_id, false);
    }
    if (housekeeping::gui::AbstractMainWindow* window =
            housekeeping::gui::AbstractMainWindow::instance()) {
        window->notify(wizard_closes_notification);
    }
    save_summary_settings();
    Wizard::closeEvent(event);
}

void QImportWizard::progress_changed_impl(int value) {
    Wizard::progress_changed_impl(value);
}

void QImportWizard::progress_started_impl(bool determinate) {
    Wizard::progress_started_impl(determinate);
}

void QImportWizard::progress_finished_impl() {
    Wizard::progress_finished_impl();
}

} // namespace import
} // namespace quarro
