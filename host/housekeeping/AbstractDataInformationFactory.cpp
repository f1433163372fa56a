#include "housekeeping/AbstractDataInformationFactory.h"

#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/ErrorProtocol.h"

#include <boost/make_shared.hpp>

#include <map>
#include <mutex>
#include <utility>

namespace quarro {
namespace housekeeping {

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, AbstractDataInformationFactory::Creator> creators;
};

// Reader libraries register while they are loaded, possibly before anything else of the host ran:
// the registry is made on first use and lives until the process ends.
Registry& registry() {
    static Registry* const instance = new Registry;
    return *instance;
}

} // namespace

boost::shared_ptr<AbstractDataInformation>
AbstractDataInformationFactory::create(std::string const& key) {
    Creator creator;
    {
        std::lock_guard<std::mutex> lock(registry().mutex);
        auto const found = registry().creators.find(key);
        if (found != registry().creators.end()) {
            creator = found->second;
        }
    }
    if (creator) {
        if (boost::shared_ptr<AbstractDataInformation> made = creator(key)) {
            return made;
        }
        ErrorProtocol::instance().log_message("The data information creator for '" + key +
                                              "' made nothing; using a plain one");
    }
    return boost::make_shared<AbstractDataInformation>(key);
}

void AbstractDataInformationFactory::register_creator(std::string const& key, Creator creator) {
    if (!creator) {
        return;
    }
    std::lock_guard<std::mutex> lock(registry().mutex);
    registry().creators[key] = std::move(creator);
}

bool AbstractDataInformationFactory::unregister_creator(std::string const& key) {
    std::lock_guard<std::mutex> lock(registry().mutex);
    return registry().creators.erase(key) > 0;
}

bool AbstractDataInformationFactory::is_registered(std::string const& key) {
    std::lock_guard<std::mutex> lock(registry().mutex);
    return registry().creators.count(key) > 0;
}

} // namespace housekeeping
} // namespace quarro
