#ifndef QUARRO_TESTS_IMPORTMANAGERTESTPEER_H
#define QUARRO_TESTS_IMPORTMANAGERTESTPEER_H

#include "ImportManager.h"

#include <QString>
#include <QStringList>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quarro {
namespace import {

// Reaches the manager's importer selection, which no flow of the user exposes on its own: the
// filter list and indexes built at construction, the importer order, the lookup by filter text,
// the verification of files and the lock check.
class ImportManagerTestPeer {
public:
    static ImportManager& manager() { return ImportManager::instance(); }

    static std::string const& filters() { return manager().m_filters; }
    static std::map<std::string, std::string> const& filter_keys() {
        return manager().m_filter_keys;
    }
    static std::string const& last_filter() { return manager().m_last_filter; }

    // The extension index in its order, so that equal extensions show their order too.
    static std::vector<std::pair<std::string, std::string>> extension_keys() {
        auto const& index = manager().m_extension_keys;
        return {index.begin(), index.end()};
    }

    static std::vector<std::string> sorted(std::vector<std::string> keys) {
        manager().sort_importer_order(keys);
        return keys;
    }

    static std::string importer_key(std::string const& filter) {
        return manager().importer_key(filter);
    }

    static bool verify(QStringList const& files, std::string const& key, QString& message) {
        return manager().verify_import_key(files, key, message);
    }
    static bool verify(QString const& file, std::string const& key, QString& message) {
        return manager().verify_import_key(file, key, message);
    }

    static bool current_document_locked() { return manager().current_document_locked(); }
};

} // namespace import
} // namespace quarro

#endif // QUARRO_TESTS_IMPORTMANAGERTESTPEER_H
