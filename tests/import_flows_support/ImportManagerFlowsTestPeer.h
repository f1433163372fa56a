#ifndef QUARRO_TESTS_IMPORT_FLOWS_IMPORTMANAGERFLOWSTESTPEER_H
#define QUARRO_TESTS_IMPORT_FLOWS_IMPORTMANAGERFLOWSTESTPEER_H

#include "ImportManager.h"

#include <QString>
#include <QStringList>

#include <string>

namespace quarro {
namespace import {

// Reaches the two inserts by key that the host and reader libraries call and no menu offers.
class ImportManagerFlowsTestPeer {
public:
    static bool insert_urls(QStringList const& files, std::string const& key, QString& message) {
        return ImportManager::instance().insert_urls(files, key, message);
    }
    static bool insert_urls_using_key(QStringList const& files, std::string const& key) {
        return ImportManager::instance().insert_urls_using_key(files, key);
    }
};

} // namespace import
} // namespace quarro

#endif // QUARRO_TESTS_IMPORT_FLOWS_IMPORTMANAGERFLOWSTESTPEER_H
