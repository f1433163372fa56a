// Subscription to and delivery of readers' dialog requests, at once and through the queue.
#include "RequestDialogMessage.h"
#include "FakeFileReader.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/MessageHandler.h"

#include <QPointer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarro {
namespace test {

// Shows dialogs on request; records every request it was sent.
class DialogProvider : public QObject {
    Q_OBJECT
public:
    struct Request {
        import::AbstractFileReader* reader;
        std::string key;
        housekeeping::AbstractDataInformation* information;
    };
    std::vector<Request> requests;

public slots:
    void handle_message(import::RequestDialogMessage& p_message) {
        requests.push_back({p_message.abstract_file_reader(), p_message.key(),
                            p_message.abstract_data_information()});
    }
};

// Has no slot for the message.
class Bystander : public QObject {
    Q_OBJECT
};

} // namespace test
} // namespace quarro

namespace {

using namespace quarro;
using import::RequestDialogMessage;

struct Las {
    static constexpr char const* text = "LAS (*.las)";
};

TEST(RequestDialogMessage, SubscribersGetEachMessageInOrderUntilTheyUnsubscribe) {
    test::DialogProvider first;
    test::DialogProvider second;
    test::Bystander bystander;
    EXPECT_TRUE(RequestDialogMessage::subscribe(&first, Qt::DirectConnection));
    EXPECT_TRUE(RequestDialogMessage::subscribe(
        &second, "1handle_message(import::RequestDialogMessage&)", Qt::AutoConnection));
    EXPECT_FALSE(RequestDialogMessage::subscribe(&bystander, Qt::DirectConnection));

    test::FakeFileReader<Las> reader_a;
    test::FakeFileReader<Las> reader_b;
    auto units = housekeeping::AbstractDataInformationFactory::create("WELLS");
    auto grid = housekeeping::AbstractDataInformationFactory::create("GRDECL");

    RequestDialogMessage* message = RequestDialogMessage::instance();
    message->init(&reader_a, "units", units.get());
    housekeeping::Message::dispatch(message);
    message = RequestDialogMessage::instance();
    message->init(&reader_b, "mapaxes", grid.get());
    housekeeping::Message::dispatch(message);

    ASSERT_EQ(2u, first.requests.size());
    EXPECT_EQ(&reader_a, first.requests[0].reader);
    EXPECT_EQ("units", first.requests[0].key);
    EXPECT_EQ(units.get(), first.requests[0].information);
    EXPECT_EQ(&reader_b, first.requests[1].reader);
    EXPECT_EQ("mapaxes", first.requests[1].key);
    EXPECT_EQ(grid.get(), first.requests[1].information);
    EXPECT_EQ(2u, second.requests.size());

    EXPECT_TRUE(RequestDialogMessage::unsubscribe(&first));
    message = RequestDialogMessage::instance();
    message->init(&reader_a, "again", units.get());
    housekeeping::Message::dispatch(message);
    EXPECT_EQ(2u, first.requests.size());
    EXPECT_EQ(3u, second.requests.size());
    EXPECT_TRUE(RequestDialogMessage::unsubscribe(&second));
}

TEST(RequestDialogMessage, PostedMessagesArriveFromTheEventLoopAndAreDeleted) {
    test::DialogProvider provider;
    ASSERT_TRUE(RequestDialogMessage::subscribe(&provider, Qt::AutoConnection));
    test::FakeFileReader<Las> reader;

    QPointer<RequestDialogMessage> message = RequestDialogMessage::instance();
    message->init(&reader, "units", nullptr);
    message->post();
    EXPECT_TRUE(provider.requests.empty()) << "posting does not deliver at once";
    EXPECT_FALSE(message.isNull());

    housekeeping::MessageHandler::instance().flush();
    ASSERT_EQ(1u, provider.requests.size());
    EXPECT_EQ("units", provider.requests[0].key);
    EXPECT_TRUE(message.isNull()) << "the handler deletes what it delivered";
    RequestDialogMessage::unsubscribe(&provider);
}

} // namespace

#include "RequestDialogMessageTest.moc"
