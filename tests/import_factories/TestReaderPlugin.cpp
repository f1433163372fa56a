// A reader plugin as a format library would write one: its static factory registers the reader
// while the library loads. Its reader fails by throwing the host's exception, which the loading
// side must be able to catch by type.
#include "AbstractFileReaderFactory.h"
#include "ConcreteProductFactory.h"
#include "ImportException.h"
#include "utilities/UrlUtilities.h"

#include <QFile>

namespace {

using namespace quarro;

class PluginReader : public import::AbstractFileReader {
public:
    std::string data_type() override { return "Plugin"; }
    std::string file_filter() override { return "Plugin files (*.plg)"; }
    std::vector<std::string> supported_extentions() const override { return {"plg"}; }

    // Accepts files that start with the word PLUGIN and says why it refuses the others.
    std::bitset<4> verify(std::string const& url, QString& message) override {
        std::bitset<4> bits = AbstractFileReader::verify(url, message);
        QFile file(utilities::url_to_filesystem(url));
        if (file.open(QIODevice::ReadOnly) && file.read(6) == "PLUGIN") {
            bits.set(VERIFY_ACCEPTED);
        } else {
            bits.reset(VERIFY_READABLE);
            message = QStringLiteral("not a plugin file");
        }
        return bits;
    }

    ImportState import_data(boost::shared_ptr<housekeeping::DataSource>,
                            housekeeping::DocumentId const&, bool, brkBase::AbstractProgress*,
                            bool) override {
        throw import::ImportException(42, "plugin reader failed", __FILE__, __LINE__, "a.plg");
    }
};

import::ConcreteProductFactory<import::AbstractFileReaderFactory, PluginReader> s_factory("PLUGIN");

} // namespace
