#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/ErrorProtocol.h"
#include "housekeeping/RecentDocumentsQueue.h"
#include "utilities/UrlUtilities.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <string>
#include <utility>

using namespace quarro;
using namespace quarro::housekeeping;

TEST(UrlUtilities, PathsAndUrlsConvertBothWays) {
    // Local paths survive the round trip; URLs are written as Qt writes them, in UTF-8, with the
    // characters that would change a URL's meaning escaped.
    using Written = std::pair<char const*, char const*>;
    for (auto const& [path, written] :
         {Written{"/data/my wells/a.las", "file:///data/my wells/a.las"},
          Written{"/data/g\xc3\xa9o/\xe5\x9c\xb0.las", "file:///data/g\xc3\xa9o/\xe5\x9c\xb0.las"},
          Written{"/data/x#y%.las", "file:///data/x%23y%25.las"}}) {
        SCOPED_TRACE(path);
        std::string const url = utilities::filesystem_to_url(QString::fromUtf8(path));
        EXPECT_EQ(written, url);
        EXPECT_EQ(QString::fromUtf8(path), utilities::url_to_filesystem(url));
        EXPECT_EQ(QFileInfo(QString::fromUtf8(path)).fileName().toStdString(),
                  utilities::file_from_url(url));
    }
    // Escaped forms written by other programs are read; bare paths are taken as they are; other
    // schemes name no local file.
    EXPECT_EQ(QString::fromUtf8("/data/g\xc3\xa9o a.las"),
              utilities::url_to_filesystem("file:///data/g%C3%A9o%20a.las"));
    EXPECT_EQ(QStringLiteral("/data/a b%20c#d.las"),
              utilities::url_to_filesystem("/data/a b%20c#d.las"));
    EXPECT_TRUE(utilities::url_to_filesystem("http://example.com/a.las").isEmpty());
    EXPECT_TRUE(utilities::file_from_url("file:///data/folder/").empty());
}

namespace {

// A reader's own data information, registered by key.
class WellsInformation : public AbstractDataInformation {
public:
    WellsInformation()
        : AbstractDataInformation("WELLS") {}
};

boost::shared_ptr<DataSource> source(std::string const& url, std::string const& key,
                                     bool complete = true) {
    boost::shared_ptr<AbstractDataInformation> information =
        AbstractDataInformationFactory::create(key);
    information->set_complete(complete);
    return boost::make_shared<DataSource>(url, information);
}

std::string url_of(std::size_t index) {
    return RecentDocumentsQueue::instance().at(index)->url();
}

TEST(RecentDocumentsQueue, SurvivesAReloadAndKeepsTheTwentyMostRecent) {
    AbstractDataInformationFactory::register_creator(
        "WELLS", [](std::string const&) { return boost::make_shared<WellsInformation>(); });
    // A creator that makes nothing falls back to the plain information, with a line in the log.
    AbstractDataInformationFactory::register_creator(
        "NOTHING", [](std::string const&) { return boost::shared_ptr<AbstractDataInformation>(); });
    ErrorProtocol::instance().clear();
    EXPECT_EQ("NOTHING", AbstractDataInformationFactory::create("NOTHING")->key());
    EXPECT_EQ(1, ErrorProtocol::instance().lines().size());
    EXPECT_TRUE(AbstractDataInformationFactory::unregister_creator("NOTHING"));

    RecentDocumentsQueue& queue = RecentDocumentsQueue::instance();
    queue.clear();
    queue.add(source("file:///data/a.qro", "QRO"));
    queue.add(source("file:///data/b wells.las", "WELLS", false));
    queue.add(source("file:///data/c.dxf", "DXF"));
    queue.add(boost::shared_ptr<DataSource>()); // ignored
    queue.add(source("", "QRO"));               // ignored: no URL
    // An entry opened again becomes the most recent, once.
    queue.add(source("file:///data/a.qro", "QRO"));
    queue.load(); // forget the memory, read the settings back
    ASSERT_EQ(3u, queue.size());
    EXPECT_EQ("file:///data/b wells.las", url_of(0));
    EXPECT_EQ("file:///data/c.dxf", url_of(1));
    EXPECT_EQ("file:///data/a.qro", url_of(2)) << "the last entry is the most recent";
    EXPECT_NE(nullptr, dynamic_cast<WellsInformation*>(queue.at(0)->data_information().get()));
    EXPECT_FALSE(queue.at(0)->data_information()->is_complete());
    EXPECT_EQ("DXF", queue.at(1)->key());
    EXPECT_TRUE(queue.at(1)->data_information()->is_complete());
    EXPECT_FALSE(queue.at(3));

    for (int i = 0; i < 25; ++i) {
        queue.add(source("file:///data/" + std::to_string(i) + ".qro", "QRO"));
    }
    ASSERT_EQ(20u, queue.size());
    EXPECT_EQ("file:///data/5.qro", url_of(0)) << "the twenty most recent are kept";
    EXPECT_EQ("file:///data/24.qro", url_of(19));
}

} // namespace
