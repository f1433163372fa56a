#ifndef QUARRO_TESTS_IMPORTMANAGERTESTPEER_H
#define QUARRO_TESTS_IMPORTMANAGERTESTPEER_H

#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"
#include "ImportManager.h"
#include "ScriptedReader.h"

#include <QStringList>

#include <string>
#include <vector>

// Registers a scripted reader under the key `name` offering the filter `text`. Registrations of
// one translation unit happen in the order they are written.
#define REGISTER_READER(name, text)                                                                \
    struct name {                                                                                  \
        static constexpr char const* key = #name;                                                  \
        static constexpr char const* filter = text;                                                \
    };                                                                                             \
    quarro::import::ConcreteProductFactory<quarro::import::AbstractFileReaderFactory,              \
                                           quarro::test::ScriptedReader<name>>                     \
        name##_factory(#name)

namespace quarro::import {

// Reaches the manager's importer selection, which no flow of the user exposes on its own: the
// filter list and indexes built at construction, the importer order, the lookup by filter text
// and the verification of files.
class ImportManagerTestPeer {
public:
    static ImportManager& manager() { return ImportManager::instance(); }
    static std::string const& filters() { return manager().m_filters; }
    static std::string const& last_filter() { return manager().m_last_filter; }
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
};

// A factory that registers its key but hands back no reader, as a broken reader library would.
class NullReaderFactory : public AbstractFileReaderFactory {
public:
    explicit NullReaderFactory(std::string const& key)
        : AbstractFileReaderFactory(key, false) {}

protected:
    boost::shared_ptr<AbstractFileReader> do_create() override { return {}; }
    AbstractFileReader* do_create_unmanaged() override { return nullptr; }
};

} // namespace quarro::import

#endif // QUARRO_TESTS_IMPORTMANAGERTESTPEER_H
