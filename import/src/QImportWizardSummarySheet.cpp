#include "QImportWizardSummarySheet.h"

#include "QImportWizard.h"
#include "base/brkProductInfo.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/ErrorProtocol.h"
#include "utilities/UrlUtilities.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quarro {
namespace import {

namespace {

char const* const source_path = "import/src/QImportWizard";

// The path (or, for a cancel, the file name) a status line names; empty without a source.
QString local_path_of(boost::shared_ptr<housekeeping::DataSource> const& ds) {
    return ds ? utilities::url_to_filesystem(ds->url()) : QString();
}

QString const ok_line = QStringLiteral(": <b>OK</b><br />\n");
QString const failed_line = QStringLiteral(": <b><font color='red'>Failed</font></b><br />");

// A reader's summary opens with its own line for the file ("a.las: OK", by name); the sheet's
// line names the file already, by its path, so that the reader's would name it twice.
QString without_line_for(QString const& message, QString const& path, QString const& line) {
    QString const own = QFileInfo(path).fileName().toHtmlEscaped() + line;
    return !path.isEmpty() && message.startsWith(own) ? message.mid(own.size()) : message;
}

} // namespace

QImportWizardSummarySheet::QImportWizardSummarySheet(QImportWizard* wizard)
    : QImportWizardSheet(wizard)
    , m_cancelled(false)
    , m_start_count(0)
    , m_loaded_count(0)
    , m_seconds(0.0)
    , m_text_browser(new QTextBrowser(this)) {
    auto* layout = new QVBoxLayout;
    layout->addWidget(m_text_browser);
    setLayout(layout);
    setWindowTitle(tr("Import Summary"));
}

QImportWizardSummarySheet::~QImportWizardSummarySheet() = default;

void QImportWizardSummarySheet::startup() {
    m_start_count =
        m_wizard != nullptr ? m_wizard->count_geos(housekeeping::DocumentId::null()) : 0;
    m_seconds = 0.0;
}

void QImportWizardSummarySheet::register_success(housekeeping::DocumentId const&,
                                                 boost::shared_ptr<housekeeping::DataSource> ds,
                                                 double seconds, QString const& message) {
    QString const path = local_path_of(ds);
    if (!path.isEmpty()) {
        m_text += path + ok_line;
    }
    m_text += without_line_for(message, path, ok_line);
    m_seconds += seconds;
    // Unsigned on purpose: a document that lost objects wraps, as the count always has.
    quint64 const now = m_wizard != nullptr ? m_wizard->count_geos(housekeeping::DocumentId::null())
                                            : m_start_count;
    m_loaded_count = now - m_start_count;
}

void QImportWizardSummarySheet::register_failure(boost::shared_ptr<housekeeping::DataSource> ds,
                                                 QString const& message) {
    QString const path = local_path_of(ds);
    if (!path.isEmpty()) {
        m_text += path + failed_line;
    }
    m_text += without_line_for(message, path, failed_line);
}

void QImportWizardSummarySheet::register_cancel(boost::shared_ptr<housekeeping::DataSource> ds) {
    QString const name =
        ds ? QString::fromStdString(utilities::file_from_url(ds->url())) : QString();
    if (!name.isEmpty()) {
        m_text += name + QStringLiteral(": <b>Canceled</b><br />");
    }
    m_cancelled = true;
}

void QImportWizardSummarySheet::register_comment(QString const& text) {
    m_text += text;
}

void QImportWizardSummarySheet::register_document(housekeeping::AbstractDocument const&) {
    m_start_count = 0;
}

bool QImportWizardSummarySheet::isComplete() const {
    return true;
}

bool QImportWizardSummarySheet::isAvailable() const {
    if (m_previous_step == this) {
        housekeeping::ErrorProtocol::instance().log_assert("m_previous_step != this", Q_FUNC_INFO,
                                                           source_path, 801);
    }
    if (m_previous_step == nullptr) {
        return true;
    }
    // Behind the loader: available once loading has finished.
    return m_previous_step->isComplete();
}

void QImportWizardSummarySheet::activate() {
    bool const into_target = m_wizard != nullptr && m_wizard->importing();
    if (!m_cancelled && (!into_target || m_loaded_count > 0)) {
        QString const time = QStringLiteral("%1").arg(m_seconds, 0, 'f', 2, QLatin1Char(' '));
        QString const summary =
            m_wizard != nullptr ? m_wizard->summaryText() : QStringLiteral("Loaded %1 objects");
        QString const count = summary.arg(m_loaded_count, 0, 10, QLatin1Char(' '));
        m_text += QStringLiteral("<hr /><br />") + count + QStringLiteral(" in ") + time +
                  QStringLiteral(" secs<br />");
    }
    if (brkBase::brkProductInfo::instance().product_name() == "Tavelo") {
        m_text += QStringLiteral("<br />3DViews and SectionViews will not appear in Tavelo.");
        m_text += QStringLiteral("<br />");
    }
    m_text_browser->setText(m_text);
    m_text_browser->setOpenLinks(true);
    m_text_browser->setOpenExternalLinks(true);
}

} // namespace import
} // namespace quarro
