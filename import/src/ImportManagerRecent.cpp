// The import manager's Recent Files submenu, the Revert action and the enabling of the document
// actions as the host's documents come and go.
#include "ImportManager.h"

#include "AbstractFileReaderFactory.h"
#include "base/brkProductInfo.h"
#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/AbstractDocument.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/RecentDocumentsQueue.h"
#include "housekeeping/gui/AbstractMainWindow.h"
#include "utilities/UrlUtilities.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QVariant>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace quarro {
namespace import {

namespace {

// Whatever importer reopens a recent file, the next dialog offers the native format.
char const* const native_key = "QRO";
char const* const native_filter = "QRO Format (*.qro *.quarro *.qroz)";

housekeeping::DocumentManager& documents() {
    return housekeeping::DocumentManager::instance();
}

std::string local_path(boost::shared_ptr<housekeeping::DataSource> const& p_source) {
    return utilities::url_to_filesystem(p_source->url()).toStdString();
}

// Only a document read from a native file can be read again from it.
bool is_native(housekeeping::AbstractDocument const* p_document) {
    if (p_document == nullptr) {
        return false;
    }
    boost::shared_ptr<housekeeping::DataSource> const source = p_document->datasource();
    if (!source || source->url().empty()) {
        return false;
    }
    std::string const key = source->key();
    return key == "QRO" || key == "QUARRO";
}

void set_enabled(QAction* p_action, bool p_enabled) {
    if (p_action != nullptr) {
        p_action->setEnabled(p_enabled);
    }
}

} // namespace

void ImportManager::slot_update_recent_file_names() {
    housekeeping::RecentDocumentsQueue const& recent =
        housekeeping::RecentDocumentsQueue::instance();
    // The submenu has twenty entries; a longer list shows its most recent twenty.
    std::size_t const n = recent.size();
    std::size_t const shown = std::min(n, recent_file_count);
    for (std::size_t i = 1; i <= shown; ++i) {
        std::size_t const index = n - i;
        QAction* const action = m_recent_actions[i - 1];
        boost::shared_ptr<housekeeping::DataSource> const source = recent.at(index);
        if (action == nullptr || !source) {
            continue;
        }
        // Doubled, so that the menu shows an ampersand instead of taking it as a mnemonic.
        QString path = utilities::url_to_filesystem(source->url());
        path.replace(QLatin1Char('&'), QLatin1String("&&"));
        // The number is the entry's mnemonic.
        action->setText(tr("&%1  %2").arg(i).arg(QFileInfo(path).fileName()));
        action->setData(static_cast<int>(index));
        action->setStatusTip(path);
        action->setVisible(true);
        action->setEnabled(true);
    }
    for (std::size_t i = shown; i < recent_file_count; ++i) {
        if (QAction* const action = m_recent_actions[i]) {
            action->setVisible(false);
            action->setEnabled(false);
        }
    }
}

void ImportManager::slot_open_recent_file() {
    auto const* const action = qobject_cast<QAction const*>(sender());
    if (action == nullptr) {
        return;
    }
    open_recent_file(action->data().toInt());
}

void ImportManager::open_recent_file(int p_index) {
    if (current_document_locked()) {
        return;
    }
    housekeeping::RecentDocumentsQueue const& recent =
        housekeeping::RecentDocumentsQueue::instance();
    if (p_index < 0 || static_cast<std::size_t>(p_index) >= recent.size()) {
        return;
    }
    boost::shared_ptr<housekeeping::DataSource> const source =
        recent.at(static_cast<std::size_t>(p_index));
    if (!source) {
        return;
    }
    std::string const url = source->url();
    if (is_open(url)) {
        return;
    }
    boost::shared_ptr<housekeeping::AbstractDataInformation> const information =
        source->data_information();
    if (information && information->is_complete()) {
        open_data_source(source);
    } else {
        open_url(local_path(source), std::string());
    }
    remember_chosen_files(utilities::url_to_filesystem(url), QString::fromLatin1(native_filter));
}

void ImportManager::slot_revert() {
    if (documents().current_document_id().isNull() || current_document_locked()) {
        return;
    }
    revert_document();
}

void ImportManager::revert_document() {
    housekeeping::AbstractDocument const* const document = documents().current_document();
    if (document == nullptr) {
        return;
    }
    housekeeping::DocumentId const id = document->id();
    boost::shared_ptr<housekeeping::DataSource> const source = document->datasource();
    if (!source) {
        return;
    }
    std::string const key = reopen_key(*source);
    if (key.empty()) {
        return;
    }
    // The user may keep a modified document when asked; then nothing is read again.
    if (documents().destroy_document(id, false, false, true, housekeeping::DocumentId::null())) {
        open_urls_using_key(QStringList(QString::fromStdString(local_path(source))), key,
                            housekeeping::DocumentId::null());
    }
}

void ImportManager::revert_document(housekeeping::DocumentId const& p_id,
                                    boost::shared_ptr<housekeeping::DataSource> p_ds) {
    if (!p_ds) {
        return;
    }
    std::string const key = reopen_key(*p_ds);
    if (key.empty()) {
        return;
    }
    // The user has agreed to lose the changes already: nobody is asked again.
    housekeeping::DocumentId const id = p_id;
    if (documents().destroy_document(id, true, false, false, housekeeping::DocumentId::null())) {
        open_urls_using_key(QStringList(QString::fromStdString(local_path(p_ds))), key,
                            housekeeping::DocumentId::null());
    }
}

std::string ImportManager::reopen_key(housekeeping::DataSource const& p_ds) const {
    // The importer that read the document reads it again; the native one when that importer is
    // native, unknown or gone from this installation.
    std::string key = p_ds.key();
    std::vector<std::string> const registered = AbstractFileReaderFactory::products();
    if (key.empty() || key == "QUARRO" ||
        std::find(registered.begin(), registered.end(), key) == registered.end()) {
        key = native_key;
    }
    QString const path = utilities::url_to_filesystem(p_ds.url());
    QString reason = file_problem(path);
    if (reason.isEmpty() && !verify_files(QStringList(path), key, reason) && reason.isEmpty()) {
        reason = QStringLiteral("The importer %1 no longer accepts it.")
                     .arg(QString::fromStdString(key));
    }
    if (reason.isEmpty()) {
        return key;
    }
    QMessageBox::warning(
        housekeeping::gui::AbstractMainWindow::instance(),
        QString::fromStdString(brkBase::brkProductInfo::instance().product_name()),
        QStringLiteral("'%1' cannot be read again; the document stays as it is.\n\n%2")
            .arg(QDir::toNativeSeparators(path), reason),
        QMessageBox::Ok, QMessageBox::NoButton);
    return std::string();
}

void ImportManager::enable_document_actions(bool p_enable) {
    bool enable = p_enable;
    bool native = false;
    if (documents().num_documents() == 0) {
        enable = false;
    } else {
        native = is_native(documents().current_document());
    }
    set_enabled(m_open_action, enable);
    set_enabled(m_insert_action, enable);
    set_enabled(m_revert_action, enable && native);
    if (m_recent_menu != nullptr) {
        m_recent_menu->setEnabled(enable);
    }
}

void ImportManager::handle_message(housekeeping::DocumentMessage& p_message) {
    switch (p_message.doc_change_type()) {
    case housekeeping::DocumentMessage::CurrentChanged:
        set_enabled(m_insert_action, true);
        set_enabled(m_revert_action, is_native(documents().current_document()));
        return;
    case housekeeping::DocumentMessage::AboutToBeDestroyed:
        // The last document is on its way out.
        if (documents().num_documents() == 1) {
            set_enabled(m_insert_action, false);
            set_enabled(m_revert_action, false);
        }
        return;
    case housekeeping::DocumentMessage::LastDocumentClosed:
        enable_document_actions(false);
        return;
    case housekeeping::DocumentMessage::Created:
        enable_document_actions(true);
        return;
    default:
        return;
    }
}

} // namespace import
} // namespace quarro
