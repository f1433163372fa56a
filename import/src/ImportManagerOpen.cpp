// The import manager's open flows: files chosen in the Open dialog, dropped on the main window or
// named by other libraries become one run of the import wizard.
#include "ImportManager.h"

#include "AbstractFileReaderFactory.h"
#include "housekeeping/DataSource.h"

namespace quarro {
namespace import {

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

// The flows below run the import wizard; until it is in place they open nothing.

void ImportManager::slot_open() {}

void ImportManager::slot_dynamic_open(const utilities::UrlList& /*p_url_list*/) {}

bool ImportManager::open_urls(QStringList const& /*p_files*/, std::string const& /*p_key*/) {
    return false;
}

bool ImportManager::open_url(std::string const& /*p_path*/, std::string const& /*p_key*/) {
    return false;
}

bool ImportManager::open_urls_using_key(QStringList const& /*p_files*/,
                                        std::string const& /*p_key*/,
                                        housekeeping::DocumentId const& /*p_target*/) {
    return false;
}

void ImportManager::open_data_source(boost::shared_ptr<housekeeping::DataSource> /*p_ds*/) {}

bool ImportManager::is_open(std::string const& /*p_path*/) {
    return false;
}

} // namespace import
} // namespace quarro
