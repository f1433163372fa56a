// A reader plugin as a format library would write one: its static factory registers the reader
// while the library loads. Its reader fails by throwing the host's exception, which the loading
// side must be able to catch by type.
#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"
#include "ImportException.h"

namespace {

using namespace quarro;

class PluginReader : public import::AbstractFileReader {
public:
    std::string data_type() override { return "Plugin"; }
    std::string file_filter() override { return "Plugin files (*.plg)"; }
    ImportState import_data(boost::shared_ptr<housekeeping::DataSource>,
                            housekeeping::DocumentId const&, bool, brkBase::AbstractProgress*,
                            bool) override {
        throw import::ImportException(42, "plugin reader failed", __FILE__, __LINE__, "a.plg");
    }
};

import::ConcreteProductFactory<import::AbstractFileReaderFactory, PluginReader> s_factory("PLUGIN");

} // namespace
