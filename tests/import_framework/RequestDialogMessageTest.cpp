// Subscription to and delivery of readers' dialog requests, at once and through the queue.
#include "RequestDialogMessage.h"
#include "FakeFileReader.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/MessageHandler.h"

#include <QPointer>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace quarro {
namespace test {

using Request =
    std::tuple<import::AbstractFileReader*, std::string, housekeeping::AbstractDataInformation*>;

// Shows dialogs on request; records every request it was sent.
class DialogProvider : public QObject {
    Q_OBJECT
public:
    std::vector<Request> requests;

public slots:
    void handle_message(import::RequestDialogMessage& p_message) {
        requests.emplace_back(p_message.abstract_file_reader(), p_message.key(),
                              p_message.abstract_data_information());
    }
};

} // namespace test
} // namespace quarro

namespace {

using namespace quarro;
using import::RequestDialogMessage;
using Requests = std::vector<test::Request>;

struct Las {
    static constexpr char const* text = "LAS (*.las)";
};

RequestDialogMessage* request(import::AbstractFileReader* reader, std::string const& key,
                              housekeeping::AbstractDataInformation* information) {
    RequestDialogMessage* message = RequestDialogMessage::instance();
    message->init(reader, key, information);
    return message;
}

// A reader's request reaches every subscriber with its reader, key and data, at once or from the
// event loop when posted; the handler deletes what it delivered.
TEST(RequestDialogMessage, SubscribersGetTheReadersRequests) {
    test::DialogProvider first, second;
    EXPECT_TRUE(RequestDialogMessage::subscribe(&first, Qt::DirectConnection));
    EXPECT_TRUE(RequestDialogMessage::subscribe(
        &second, "1handle_message(import::RequestDialogMessage&)", Qt::AutoConnection));
    test::FakeFileReader<Las> reader;
    auto units = housekeeping::AbstractDataInformationFactory::create("WELLS");
    housekeeping::Message::dispatch(request(&reader, "units", units.get()));
    EXPECT_TRUE(RequestDialogMessage::unsubscribe(&first));
    QPointer<RequestDialogMessage> posted = request(&reader, "posted", nullptr);
    posted->post();
    EXPECT_EQ(1u, second.requests.size()) << "posting does not deliver at once";
    housekeeping::MessageHandler::instance().flush();
    EXPECT_EQ(Requests({{&reader, "units", units.get()}}), first.requests);
    EXPECT_EQ(Requests({{&reader, "units", units.get()}, {&reader, "posted", nullptr}}),
              second.requests);
    EXPECT_TRUE(posted.isNull());
    RequestDialogMessage::unsubscribe(&second);
}

} // namespace

#include "RequestDialogMessageTest.moc"
