#ifndef QUARRO_HOUSEKEEPING_ABSTRACTDATAINFORMATIONFACTORY_H
#define QUARRO_HOUSEKEEPING_ABSTRACTDATAINFORMATIONFACTORY_H

#include "QuarroHostExport.h"

#include <boost/shared_ptr.hpp>

#include <functional>
#include <string>

namespace quarro {
namespace housekeeping {

class AbstractDataInformation;

// Makes the data information for an importer key. Reader libraries that keep more than the plain
// information register a creator for their key when they are loaded; every other key gets a plain
// AbstractDataInformation. The registry is process-wide and safe to use from any thread.
class QUARRO_HOST_EXPORT AbstractDataInformationFactory {
public:
    using Creator =
        std::function<boost::shared_ptr<AbstractDataInformation>(std::string const& key)>;

    // The registered creator's product for key; a plain data information when nothing is
    // registered for the key or the creator hands back nothing.
    static boost::shared_ptr<AbstractDataInformation> create(std::string const& key);

    // Registers (or replaces) the creator for key. An empty creator is ignored.
    static void register_creator(std::string const& key, Creator creator);

    // Forgets the creator of key; returns whether there was one.
    static bool unregister_creator(std::string const& key);

    static bool is_registered(std::string const& key);

    AbstractDataInformationFactory() = delete;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_ABSTRACTDATAINFORMATIONFACTORY_H
