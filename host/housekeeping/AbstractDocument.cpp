#include "housekeeping/AbstractDocument.h"

#include "housekeeping/DataSource.h"
#include "housekeeping/ErrorProtocol.h"
#include "utilities/UrlUtilities.h"

#include <QDateTime>

#include <utility>

namespace quarro {
namespace housekeeping {

AbstractDocument::AbstractDocument(DocumentId const& id, QObject* parent)
    : QObject(parent)
    , m_id(id)
    , m_history(&m_undo_stack) {
    connect(&m_undo_stack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

AbstractDocument::~AbstractDocument() {
    // Clearing the undo stack on its way out reports a clean state; nobody may hear of it from a
    // document that is half destroyed.
    disconnect(&m_undo_stack, nullptr, this, nullptr);
}

void AbstractDocument::datasource(boost::shared_ptr<DataSource> source) {
    m_datasource = std::move(source);
    emit datasourceChanged();
}

bool AbstractDocument::is_blank() const {
    return size() == 0 && !m_datasource && !is_modified();
}

bool AbstractDocument::is_modified() const {
    return !m_undo_stack.isClean();
}

void AbstractDocument::set_ascii_import_mode(int mode) {
    m_ascii_import_mode = mode;
}

void AbstractDocument::begin_load() {
    ++m_load_depth;
}

void AbstractDocument::end_load() {
    if (m_load_depth == 0) {
        ErrorProtocol::instance().log_assert("is_loading()", Q_FUNC_INFO,
                                             "host/housekeeping/AbstractDocument", __LINE__);
        return;
    }
    --m_load_depth;
    if (m_load_depth == 0 && m_changed_during_load) {
        m_changed_during_load = false;
        emit changed();
    }
}

bool AbstractDocument::is_locked() const {
    return m_locked;
}

void AbstractDocument::journal(std::string const& text, bool p_replace) {
    if (p_replace) {
        m_journal = text;
    } else {
        // Each entry is headed by the time it was added, so the journal tells when each import
        // happened; a replaced journal (one read back from a file) keeps its own headings.
        QString const stamp =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        m_journal += "<p><b>" + stamp.toStdString() + "</b></p>\n" + text;
    }
    emit journalChanged();
}

void AbstractDocument::set_modified(bool modified) {
    // The undo stack's clean state is the modified mark; cleanChanged() reports the change.
    if (modified) {
        m_undo_stack.resetClean();
    } else {
        m_undo_stack.setClean();
    }
}

QString AbstractDocument::display_name() const {
    if (m_datasource) {
        QString const name = QString::fromStdString(utilities::file_from_url(m_datasource->url()));
        if (!name.isEmpty()) {
            return name;
        }
    }
    return tr("Untitled %1").arg(m_id.value());
}

void AbstractDocument::content_changed() {
    if (is_loading()) {
        m_changed_during_load = true;
        return;
    }
    emit changed();
}

} // namespace housekeeping
} // namespace quarro
