#include "housekeeping/RecentDocumentsQueue.h"
#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/ErrorProtocol.h"

#include <QSettings>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <string>

using namespace quarro;
using namespace quarro::housekeeping;

namespace {

// A reader's own data information, registered by key.
class WellsInformation : public AbstractDataInformation {
public:
    WellsInformation()
        : AbstractDataInformation("WELLS") {}
};

boost::shared_ptr<DataSource> source(std::string const& url, std::string const& key,
                                     bool complete) {
    boost::shared_ptr<AbstractDataInformation> information =
        AbstractDataInformationFactory::create(key);
    information->set_complete(complete);
    return boost::make_shared<DataSource>(url, information);
}

std::string url_of(std::size_t index) {
    return RecentDocumentsQueue::instance().at(index)->url();
}

TEST(AbstractDataInformationFactory, PlainUnlessACreatorIsRegistered) {
    EXPECT_EQ("ANY", AbstractDataInformationFactory::create("ANY")->key());
    AbstractDataInformationFactory::register_creator(
        "WELLS", [](std::string const&) { return boost::make_shared<WellsInformation>(); });
    EXPECT_NE(nullptr, dynamic_cast<WellsInformation*>(
                           AbstractDataInformationFactory::create("WELLS").get()));

    // A creator that makes nothing falls back to the plain information, with a line in the log.
    AbstractDataInformationFactory::register_creator(
        "NOTHING", [](std::string const&) { return boost::shared_ptr<AbstractDataInformation>(); });
    ErrorProtocol::instance().clear();
    EXPECT_EQ("NOTHING", AbstractDataInformationFactory::create("NOTHING")->key());
    EXPECT_EQ(1, ErrorProtocol::instance().lines().size());
    EXPECT_TRUE(AbstractDataInformationFactory::unregister_creator("NOTHING"));
    EXPECT_FALSE(AbstractDataInformationFactory::unregister_creator("NOTHING"));
}

TEST(RecentDocumentsQueue, SurvivesAReloadFromTheSettings) {
    RecentDocumentsQueue& queue = RecentDocumentsQueue::instance();
    AbstractDataInformationFactory::register_creator(
        "WELLS", [](std::string const&) { return boost::make_shared<WellsInformation>(); });
    queue.clear();
    queue.add(source("file:///data/a.qro", "QRO", true));
    queue.add(source("file:///data/b wells.las", "WELLS", false));
    queue.add(source("file:///data/c.dxf", "DXF", true));
    queue.add(boost::shared_ptr<DataSource>()); // ignored
    queue.add(source("", "QRO", true));         // ignored: no URL
    // An entry opened again becomes the most recent, once.
    queue.add(source("file:///data/a.qro", "QRO", true));

    queue.load(); // forget the memory, read the settings back
    ASSERT_EQ(3u, queue.size());
    EXPECT_EQ("file:///data/b wells.las", url_of(0));
    EXPECT_EQ("file:///data/c.dxf", url_of(1));
    EXPECT_EQ("file:///data/a.qro", url_of(2)); // the last entry is the most recent
    EXPECT_NE(nullptr, dynamic_cast<WellsInformation*>(queue.at(0)->data_information().get()));
    EXPECT_FALSE(queue.at(0)->data_information()->is_complete());
    EXPECT_EQ("DXF", queue.at(1)->key());
    EXPECT_TRUE(queue.at(1)->data_information()->is_complete());
    EXPECT_FALSE(queue.at(3));
}

TEST(RecentDocumentsQueue, KeepsTheTwentyMostRecent) {
    RecentDocumentsQueue& queue = RecentDocumentsQueue::instance();
    queue.clear();
    for (int i = 0; i < 25; ++i) {
        queue.add(source("file:///data/" + std::to_string(i) + ".qro", "QRO", true));
    }
    ASSERT_EQ(20u, queue.size());
    EXPECT_EQ("file:///data/5.qro", url_of(0));
    EXPECT_EQ("file:///data/24.qro", url_of(19));

    // A settings list written by hand (or by an older version) is cleaned up while loading.
    QSettings settings;
    settings.remove(QStringLiteral("recent_documents"));
    settings.beginGroup(QStringLiteral("recent_documents"));
    settings.beginWriteArray(QStringLiteral("entries"), 30);
    for (int i = 0; i < 30; ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("url"),
                          i == 3 ? QString() : QStringLiteral("file:///x/%1.qro").arg(i % 28));
        settings.setValue(QStringLiteral("key"), QStringLiteral("QRO"));
    }
    settings.endArray();
    settings.endGroup();
    settings.sync();
    queue.load();
    ASSERT_EQ(20u, queue.size());
    EXPECT_EQ("file:///x/1.qro", url_of(19)); // entry 29 repeats entry 1 and is the most recent
    EXPECT_FALSE(queue.at(19)->data_information()->is_complete());
    queue.clear();
    queue.load();
    EXPECT_EQ(0u, queue.size());
}

} // namespace
