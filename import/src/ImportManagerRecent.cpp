// The import manager's Recent Files submenu, the Revert action and the enabling of the document
// actions as the host's documents come and go.
#include "ImportManager.h"

namespace quarro {
namespace import {

// These flows reopen documents through the import wizard; until it is in place they do nothing.

void ImportManager::slot_revert() {}

void ImportManager::slot_open_recent_file() {}

void ImportManager::slot_update_recent_file_names() {}

void ImportManager::open_recent_file(int /*p_index*/) {}

void ImportManager::revert_document() {}

void ImportManager::revert_document(housekeeping::DocumentId const& /*p_id*/,
                                    boost::shared_ptr<housekeeping::DataSource> /*p_ds*/) {}

void ImportManager::enable_document_actions(bool /*p_enable*/) {}

void ImportManager::handle_message(housekeeping::DocumentMessage& /*p_message*/) {}

} // namespace import
} // namespace quarro
