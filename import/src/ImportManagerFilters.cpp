// The import manager's choice of importers: the order in which the file dialogs offer them, the
// filter list and the indexes built from the registered readers at construction, and the
// verification of files against an importer key.
#include "ImportManager.h"

#include "AbstractFileReaderFactory.h"
#include "StringUtilities.h"
#include "housekeeping/ErrorProtocol.h"
#include "utilities/UrlUtilities.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <bitset>
#include <exception>
#include <map>
#include <string>
#include <vector>

namespace quarro {
namespace import {

namespace {

char const* const source_path = "import/src/ImportManager";
// The log knows this check by its line number, which therefore stays fixed.
constexpr unsigned missing_reader_line = 645;

// Readers whose filter text begins with this are not offered in the file dialogs.
char const* const hidden_filter_prefix = "Check";
char const* const filter_separator = ";;";

// The keys with fixed places in the importer order.
char const* const native_key = "QRO";
char const* const gdf_key = "GDF";
char const* const vbl_key = "VBL";
char const* const never_offered_key = "PETTRANS";

void move_to_front(std::vector<std::string>& keys, std::string const& key) {
    auto const end = std::remove(keys.begin(), keys.end(), key);
    if (end == keys.end()) {
        return;
    }
    keys.erase(end, keys.end());
    keys.insert(keys.begin(), key);
}

bool accepted(std::bitset<4> const& verification) {
    return verification.test(AbstractFileReader::VERIFY_ACCEPTED) ||
           verification.test(AbstractFileReader::VERIFY_READABLE);
}

} // namespace

void ImportManager::sort_importer_order(std::vector<std::string>& p_keys) {
    std::map<std::string, std::string> keys_by_filter;
    for (std::string const& key : p_keys) {
        boost::shared_ptr<AbstractFileReader> const reader = AbstractFileReaderFactory::create(key);
        // A key without a reader keeps a place (under the empty text), so that building the
        // filter list reports it.
        std::string const filter = reader ? reader->file_filter() : std::string();
        keys_by_filter.emplace(filter, key);
    }

    p_keys.clear();
    for (auto const& entry : keys_by_filter) {
        p_keys.push_back(entry.second);
    }

    move_to_front(p_keys, vbl_key);
    move_to_front(p_keys, gdf_key);
    p_keys.erase(std::remove(p_keys.begin(), p_keys.end(), never_offered_key), p_keys.end());
    move_to_front(p_keys, native_key);
}

void ImportManager::register_file_filters() {
    m_filters.clear();
    std::vector<std::string> keys = AbstractFileReaderFactory::products();
    sort_importer_order(keys);
    m_importer_order = keys;

    bool offered_any = false;
    for (std::string const& key : keys) {
        boost::shared_ptr<AbstractFileReader> const reader = AbstractFileReaderFactory::create(key);
        if (!reader) {
            housekeeping::ErrorProtocol::instance().log_assert("p_import.get()", Q_FUNC_INFO,
                                                               source_path, missing_reader_line);
            continue;
        }
        std::string const filter = reader->file_filter();
        if (filter.rfind(hidden_filter_prefix, 0) == 0) {
            continue;
        }
        if (offered_any) {
            m_filters += filter_separator;
        }
        m_filters += filter;
        offered_any = true;
        m_filter_keys.emplace(filter, key);
        if (key == native_key) {
            m_last_filter = filter;
        }
    }
}

void ImportManager::register_file_extensions() {
    std::vector<std::string> const keys = AbstractFileReaderFactory::products();
    // Walked backwards: among readers that declare the same extension, the one registered last
    // comes first in the index.
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        boost::shared_ptr<AbstractFileReader> const reader =
            AbstractFileReaderFactory::create(*key);
        if (!reader) {
            continue;
        }
        for (std::string const& extension : reader->supported_extentions()) {
            m_extension_keys.emplace(extension, *key);
            m_key_extensions[*key].push_back(
                QString::fromStdString(extension).toLower().toStdString());
        }
    }
}

std::string ImportManager::importer_key(std::string const& p_filter) const {
    auto const found = m_filter_keys.find(p_filter);
    return found != m_filter_keys.end() ? found->second : all_files_extension();
}

bool ImportManager::verify_import_key(QStringList const& p_files, std::string const& p_key,
                                      QString& p_message) const {
    for (QString const& file : p_files) {
        if (!verify_import_key(file, p_key, p_message)) {
            return false;
        }
    }
    return true;
}

bool ImportManager::verify_import_key(QString const& p_file, std::string const& p_key,
                                      QString& p_message) const {
    std::string const url = utilities::filesystem_to_url(p_file);
    // Every file gets a reader of its own: a reader serves one import.
    boost::shared_ptr<AbstractFileReader> const reader = AbstractFileReaderFactory::create(p_key);
    if (!reader) {
        housekeeping::ErrorProtocol::instance().log_assert("reader", Q_FUNC_INFO, source_path,
                                                           __LINE__);
        return false;
    }
    return accepted(reader->verify(url, p_message));
}

QString ImportManager::file_problem(QString const& p_path) {
    QFileInfo const info(p_path);
    if (!info.exists()) {
        return QStringLiteral("The file does not exist.");
    }
    if (info.isDir()) {
        return QStringLiteral("This is a folder, not a file.");
    }
    // A pipe or a device would keep a reader waiting.
    if (!info.isFile()) {
        return QStringLiteral("This is not a regular file.");
    }
    // Opened rather than asked about: the permission bits are not all that decides.
    if (QFile file(p_path); !file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("The file cannot be read (no permission).");
    }
    if (info.size() == 0) {
        return QStringLiteral("The file is empty.");
    }
    return QString();
}

std::string ImportManager::importer_for_file(QString const& p_path, QString& p_reasons) const {
    QString const problem = file_problem(p_path);
    if (!problem.isEmpty()) {
        p_reasons = problem;
        return std::string();
    }
    // Each reader is asked once; its answer is kept for the second round, its reason for the
    // user.
    std::map<std::string, bool> fits;
    std::map<std::string, QString> said;
    auto const ask = [&](std::string const& key) {
        auto const known = fits.find(key);
        if (known != fits.end()) {
            return known->second;
        }
        QString message;
        bool fit = false;
        try {
            fit = verify_import_key(p_path, key, message);
        } catch (std::exception const& e) {
            message = QString::fromUtf8(e.what());
        }
        if (!fit && !message.isEmpty()) {
            said.emplace(key, message);
        }
        fits.emplace(key, fit);
        return fit;
    };
    if (std::find(m_importer_order.begin(), m_importer_order.end(), native_key) !=
            m_importer_order.end() &&
        ask(native_key)) {
        return native_key;
    }
    std::string const suffix = QFileInfo(p_path).suffix().toLower().toStdString();
    for (std::string const& key : m_importer_order) {
        auto const extensions = m_key_extensions.find(key);
        if (extensions != m_key_extensions.end() &&
            std::find(extensions->second.begin(), extensions->second.end(), suffix) !=
                extensions->second.end() &&
            ask(key)) {
            return key;
        }
    }
    for (std::string const& key : m_importer_order) {
        if (ask(key)) {
            return key;
        }
    }
    QStringList reasons;
    for (std::string const& key : m_importer_order) {
        auto const reason = said.find(key);
        if (reason != said.end()) {
            reasons << QStringLiteral("%1: %2").arg(QString::fromStdString(key), reason->second);
        }
    }
    p_reasons = reasons.isEmpty() ? QStringLiteral("No importer accepts this file.")
                                  : reasons.join(QLatin1Char('\n'));
    return std::string();
}

} // namespace import
} // namespace quarro
