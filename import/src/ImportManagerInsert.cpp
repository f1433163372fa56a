// The import manager's insert flows: files and data sources put into an existing document, and the
// two flags the loader sheet keeps here while it loads.
#include "ImportManager.h"

#include "InsertCommand.h"
#include "InsertCommandConstructionException.h"
#include "housekeeping/AbstractCommand.h"
#include "housekeeping/CommandManager.h"
#include "housekeeping/ErrorHandler.h"
#include "housekeeping/ErrorProtocol.h"
#include "utilities/Exception.h"

#include <QMessageBox>

#include <exception>

namespace quarro {
namespace import {

namespace {
char const* const source_path = "import/src/ImportManager";
// The log knows this catch by its line number, which therefore stays fixed.
constexpr unsigned insert_construction_line = 827;
} // namespace

AbstractFileReader::ImportState
ImportManager::insert(boost::shared_ptr<housekeeping::DataSource> p_ds,
                      housekeeping::DocumentId const& p_document, bool p_importing,
                      brkBase::AbstractProgress* p_progress, QString* p_summary) {
    try {
        boost::shared_ptr<InsertCommand> const command(
            new InsertCommand(p_ds, p_document, p_importing, true, p_progress));
        housekeeping::CommandManager::instance().insert(command, true);
        if (p_summary != nullptr) {
            *p_summary = command->summary();
        }
        return command->import_state();
    } catch (InsertCommandConstructionException& e) {
        e.caught_here(source_path, insert_construction_line);
        housekeeping::ErrorHandler::instance().message(
            QStringLiteral("Error"),
            QStringLiteral(
                "Unable to run Insert file.\n\n Please contact Brennick with an error log."),
            QMessageBox::Ok);
        return AbstractFileReader::IMPORT_FAILED;
    } catch (quarro::Exception& e) {
        // The loader reports the failed file; the log keeps the reason.
        e.caught_here(source_path, __LINE__);
        return AbstractFileReader::IMPORT_FAILED;
    } catch (std::exception const& e) {
        housekeeping::ErrorProtocol::instance().log_message(std::string("ImportManager::insert: ") +
                                                            e.what());
        return AbstractFileReader::IMPORT_FAILED;
    } catch (...) {
        return AbstractFileReader::IMPORT_FAILED;
    }
}

void ImportManager::insert_on_section(bool p_on) {
    m_insert_on_section = p_on;
}

bool ImportManager::insert_on_section() const {
    return m_insert_on_section;
}

void ImportManager::inserting_state(bool p_on) {
    m_inserting_state = p_on;
}

bool ImportManager::inserting_state() const {
    return m_inserting_state;
}

// The Insert action, the image insert, the host's files-insert message and the inserts by key need
// the wizard's open flow; until it is in place they insert nothing.

void ImportManager::slot_insert() {}

void ImportManager::insert_image_on_section() {}

void ImportManager::handle_message(housekeeping::FilesInsertMessage& /*p_message*/) {}

bool ImportManager::insert_urls(QStringList const& /*p_files*/, std::string const& /*p_key*/,
                                QString& /*p_message*/) {
    return false;
}

bool ImportManager::insert_urls_using_key(QStringList const& /*p_files*/,
                                          std::string const& /*p_key*/) {
    return false;
}

} // namespace import
} // namespace quarro
