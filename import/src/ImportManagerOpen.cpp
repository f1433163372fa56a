// The import manager's open flows: files chosen in the Open dialog, dropped on the main window or
// named by other libraries become one run of the import wizard.
#include "ImportManager.h"

#include "AbstractFileReaderFactory.h"
#include "QCatchAllImportWizard.h"
#include "QImportWizard.h"
#include "QImportWizardFactory.h"
#include "base/brkProductInfo.h"
#include "housekeeping/AbstractDocument.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/ErrorHandler.h"
#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/gui/AbstractMainWindow.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quarro {
namespace import {

namespace {

// The first chosen file's suffix (lower case) names its importer whatever filter was selected.
struct SuffixKey {
    char const* suffix;
    char const* key;
};
constexpr SuffixKey suffix_keys[] = {
    {"qro", "QRO"}, {"quarro", "QUARRO"}, {"qrod", "QUARRO"}, {"vbl", "VBL"}, {"dxf", "DXF"}};

std::string key_for_first_file(QString const& p_first_file, std::string const& p_filter_key) {
    QString const suffix = QFileInfo(p_first_file.toLower()).suffix();
    for (SuffixKey const& entry : suffix_keys) {
        if (suffix == QLatin1String(entry.suffix)) {
            return entry.key;
        }
    }
    return p_filter_key;
}

// The wizard registered for the key; the catch-all wizard when there is none or making it fails.
std::unique_ptr<QImportWizard> make_wizard(std::string const& p_key) {
    try {
        if (QImportWizard* const wizard = QImportWizardFactory::create_unmanaged(p_key)) {
            return std::unique_ptr<QImportWizard>(wizard);
        }
    } catch (...) {
        // Whatever went wrong, the plain wizard can still read the files.
    }
    return std::make_unique<QCatchAllImportWizard>(p_key);
}

// Whether a document's data source names the file that a caller asks about. The caller passes a
// local path (drops, the files-insert message) or a data source's URL (Recent Files), while the
// wizard records documents under file URLs: the two forms of one file are the same file. Paths are
// compared exactly, without case folding or clean-up.
bool names_file(std::string const& p_source_url, std::string const& p_path) {
    if (p_path.empty()) {
        return false;
    }
    if (p_source_url == p_path) {
        return true;
    }
    QString const source_file = utilities::url_to_filesystem(p_source_url);
    return !source_file.isEmpty() && source_file == utilities::url_to_filesystem(p_path);
}

} // namespace

void ImportManager::slot_open() {
    if (current_document_locked()) {
        return;
    }
    QString selected_filter = QString::fromStdString(m_last_filter);
    QStringList const files = ask_for_files(QStringLiteral("Open: Select one or more files"),
                                            QString::fromStdString(m_filters), selected_filter);
    if (files.isEmpty()) {
        return;
    }
    std::string const key =
        key_for_first_file(files.first(), importer_key(selected_filter.toStdString()));
    open_urls(files, key);
    // Kept whether the files opened or not: the user goes back there to try again.
    remember_chosen_files(files.first(), selected_filter);
}

void ImportManager::slot_dynamic_open(const utilities::UrlList& p_url_list) {
    QStringList files;
    // A copy: answering the revert question runs the event loop.
    utilities::UrlList const urls = p_url_list;
    for (std::string const& url : urls) {
        QString const path = utilities::url_to_filesystem(url);
        // Not a local file: nothing to open.
        if (path.isEmpty()) {
            continue;
        }
        if (!is_open(path.toStdString())) {
            files << path;
        }
    }
    if (!files.isEmpty()) {
        open_urls(files, std::string());
    }
}

bool ImportManager::open_urls(QStringList const& p_files, std::string const& p_key) {
    // No importer named: each file gets the one that fits it.
    if (p_key.empty()) {
        return open_urls_fitting(p_files);
    }
    QString message;
    if (verify_files(p_files, p_key, message)) {
        return open_urls_using_key(p_files, p_key, housekeeping::DocumentId::null());
    }
    warn_unable_to_import(message, QStringLiteral("\n\n %1"));
    return false;
}

bool ImportManager::open_urls_fitting(QStringList const& p_files) {
    std::vector<std::pair<std::string, QStringList>> runs;
    QStringList refused;
    for (QString const& file : p_files) {
        QString reasons;
        std::string const key = importer_for_file(file, reasons);
        if (key.empty()) {
            // One reason follows the name; the readers' reasons go below it, one a line.
            QString const shown = QDir::toNativeSeparators(file);
            refused << (reasons.contains(QLatin1Char('\n'))
                            ? shown + QStringLiteral(":\n  ") +
                                  reasons.split(QLatin1Char('\n')).join(QStringLiteral("\n  "))
                            : shown + QStringLiteral(": ") + reasons);
            continue;
        }
        auto run = std::find_if(runs.begin(), runs.end(),
                                [&key](auto const& entry) { return entry.first == key; });
        if (run == runs.end()) {
            runs.emplace_back(key, QStringList());
            run = runs.end() - 1;
        }
        run->second << file;
    }
    // Told before anything is read, so that the user knows at once which files stay out.
    if (!refused.isEmpty()) {
        warn_unable_to_import(refused.join(QLatin1Char('\n')), QStringLiteral("\n\n %1"));
    }
    bool all = refused.isEmpty();
    for (auto const& run : runs) {
        all = open_urls_using_key(run.second, run.first, housekeeping::DocumentId::null()) && all;
    }
    return all;
}

bool ImportManager::open_url(std::string const& p_path, std::string const& p_key) {
    return open_urls(QStringList(QString::fromStdString(p_path)), p_key);
}

bool ImportManager::open_urls_using_key(QStringList const& p_files, std::string const& p_key,
                                        housekeeping::DocumentId const& p_target) {
    if (current_document_locked()) {
        return false;
    }
    std::unique_ptr<QImportWizard> const wizard = make_wizard(p_key);
    wizard->insertingOnSection(m_insert_on_section);
    wizard->urls(p_files);
    if (!p_target.isNull()) {
        wizard->insert_into_doc(p_target);
    }
    wizard->exec();
    return true;
}

void ImportManager::open_data_source(boost::shared_ptr<housekeeping::DataSource> p_ds) {
    QString const path = utilities::url_to_filesystem(p_ds->url());
    if (!QFileInfo::exists(path)) {
        housekeeping::ErrorProtocol::instance().log_message(
            QStringLiteral("Cannot locate file '%1'").arg(path).toStdString());
        QMessageBox::warning(
            housekeeping::gui::AbstractMainWindow::instance(),
            QString::fromStdString(brkBase::brkProductInfo::instance().product_name()),
            QStringLiteral("This file cannot be located:\n'%1'").arg(path), QMessageBox::Ok,
            QMessageBox::NoButton);
        return;
    }
    std::unique_ptr<QImportWizard> wizard = make_wizard(p_ds->key());
    try {
        wizard->data_source(p_ds);
        wizard->exec();
        wizard.reset();
    } catch (...) {
        // A broken importer must not take the application down; the wizard goes with the
        // holder.
        std::cerr << "ImportManager::open_data_source( boost::shared_ptr<housekeeping::DataSource> "
                     "p_ds) exception"
                  << std::endl;
    }
}

bool ImportManager::is_open(std::string const& p_path) {
    housekeeping::DocumentManager& documents = housekeeping::DocumentManager::instance();
    for (housekeeping::DocumentId const& id : documents.current_documents()) {
        housekeeping::AbstractDocument const* document = documents.document_from_id(id);
        if (document == nullptr) {
            continue;
        }
        boost::shared_ptr<housekeeping::DataSource> const source = document->datasource();
        if (!source || !names_file(source->url(), p_path)) {
            continue;
        }
        documents.current_document(id);
        // Subscribers to the change of the current document may have closed it.
        document = documents.document_from_id(id);
        if (document == nullptr || document->document_history().empty()) {
            return true;
        }
        QMessageBox::StandardButton const answer = housekeeping::ErrorHandler::instance().message(
            QStringLiteral("Information"),
            QStringLiteral("File is already open\n\nRevert and lose changes?"),
            QMessageBox::Yes | QMessageBox::No);
        if (answer == QMessageBox::Yes) {
            revert_document(id, source);
        }
        return true;
    }
    return false;
}

AbstractFileReader::ImportState
ImportManager::open(boost::shared_ptr<housekeeping::DataSource> p_ds,
                    housekeeping::DocumentId const& p_document, bool p_importing,
                    brkBase::AbstractProgress* p_progress, bool p_inserting, QString* p_summary) {
    boost::shared_ptr<AbstractFileReader> const reader =
        AbstractFileReaderFactory::create(p_ds->key());
    AbstractFileReader::ImportState const state =
        reader->import_data(p_ds, p_document, p_importing, p_progress, p_inserting);
    // The caller that inserts asks for the summary and passes somewhere to put it.
    if (p_inserting) {
        *p_summary = reader->import_summary();
    }
    return state;
}

} // namespace import
} // namespace quarro
