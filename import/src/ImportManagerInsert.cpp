// The import manager's insert flows: files and data sources put into an existing document, and the
// two flags the loader sheet keeps here while it loads.
#include "ImportManager.h"

#include "InsertCommand.h"
#include "InsertCommandConstructionException.h"
#include "housekeeping/AbstractCommand.h"
#include "housekeeping/CommandManager.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/ErrorHandler.h"
#include "housekeeping/ErrorProtocol.h"
#include "utilities/Exception.h"
#include "utilities/UrlUtilities.h"

#include <QMessageBox>

#include <exception>

namespace quarro {
namespace import {

namespace {
char const* const source_path = "import/src/ImportManager";
// The log knows this catch by its line number, which therefore stays fixed.
constexpr unsigned insert_construction_line = 827;

char const* const native_key = "QRO";
char const* const raster_key = "DEMRaster";

// The only filter of the image dialog. "*.png" stands in it twice and it ends with a line feed, as
// the raster importers have always offered it.
char const* const raster_filter = "GIS Data - Raster Files (including images) ( "
                                  "*.adf *.blx *.xlb *.bag *.bmp *.dem *.doq "
                                  "*.dt0 *.dt1 *.dt2 "
                                  "*.grb *.hdr *.ers *.kap *.bt "
                                  "*.gif *.img *.mpr *.jpg *.jp2 *.j2k "
                                  "*.tif *.png *.im* *.jp* *.png *.xpm )\n";
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

void ImportManager::slot_insert() {
    housekeeping::DocumentManager const& documents = housekeeping::DocumentManager::instance();
    if (documents.current_document_id().isNull() || current_document_locked()) {
        return;
    }
    QString selected_filter = QString::fromStdString(m_last_filter);
    QStringList const files = ask_for_files(QStringLiteral("Insert: Select one or more files"),
                                            QString::fromStdString(m_filters), selected_filter);
    if (files.isEmpty()) {
        return;
    }
    // Unlike Open, the selected filter alone decides: a native file inserted under another
    // importer's filter is read by that importer.
    std::string key = importer_key(selected_filter.toStdString());
    if (key.empty()) {
        key = native_key;
    }
    QString message;
    if (!verify_files(files, key, message) ||
        !open_urls_using_key(files, key, documents.current_document_id())) {
        warn_unable_to_import(message, QStringLiteral("\n\n%1"));
    }
    remember_chosen_files(files.first(), selected_filter);
}

void ImportManager::insert_image_on_section() {
    QString selected_filter = QString::fromStdString(m_last_filter);
    QStringList const files = ask_for_files(QStringLiteral("Insert: Select image"),
                                            QString::fromLatin1(raster_filter), selected_filter);
    if (files.isEmpty()) {
        return;
    }
    // Set before anything is verified: the loader clears it when its load ends.
    m_insert_on_section = true;
    QString message;
    if (!verify_files(files, raster_key, message) ||
        !open_urls_using_key(files, raster_key,
                             housekeeping::DocumentManager::instance().current_document_id())) {
        warn_unable_to_import(message, QStringLiteral("\n\n %1"));
    }
    remember_chosen_files(files.first(), selected_filter);
}

void ImportManager::handle_message(housekeeping::FilesInsertMessage& p_message) {
    // A copy: is_open may ask the user, and the message lives only while it is delivered.
    utilities::UrlList const urls = p_message.files();
    QStringList files;
    for (std::string const& url : urls) {
        QString const path = utilities::url_to_filesystem(url);
        if (!path.isEmpty() && !is_open(path.toStdString())) {
            files << path;
        }
    }
    if (files.isEmpty()) {
        return;
    }
    // The host asked; a refusal is not the user's to read.
    QString message;
    if (verify_files(files, native_key, message)) {
        open_urls_using_key(files, native_key,
                            housekeeping::DocumentManager::instance().current_document_id());
    }
}

bool ImportManager::insert_urls(QStringList const& p_files, std::string const& p_key,
                                QString& p_message) {
    std::string const key = p_key.empty() ? std::string(native_key) : p_key;
    if (!verify_files(p_files, key, p_message)) {
        return false;
    }
    return open_urls_using_key(p_files, key,
                               housekeeping::DocumentManager::instance().current_document_id());
}

bool ImportManager::insert_urls_using_key(QStringList const& p_files, std::string const& p_key) {
    return open_urls_using_key(p_files, p_key,
                               housekeeping::DocumentManager::instance().current_document_id());
}

} // namespace import
} // namespace quarro
