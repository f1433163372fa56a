#ifndef QUARRO_IMPORT_REQUESTDIALOGMESSAGE_H
#define QUARRO_IMPORT_REQUESTDIALOGMESSAGE_H

#include "QuarroImportExport.h"
#include "housekeeping/Message.h"

#include <string>

namespace quarro {
namespace housekeeping {
class AbstractDataInformation;
class MessageSubscription;
} // namespace housekeeping

namespace import {

class AbstractFileReader;

// A reader's request for a dialog: it names what it asks for by a key and carries the reader and
// the data information the request concerns (neither is owned; both must outlive the delivery).
// A component that can show such dialogs subscribes to the class; the reader fills a message made
// by instance() and posts it (delivered later from the event loop) or dispatches it (at once).
class QUARRO_IMPORT_EXPORT RequestDialogMessage : public housekeeping::Message {
    Q_OBJECT
public:
    RequestDialogMessage();
    RequestDialogMessage(RequestDialogMessage const& other);
    ~RequestDialogMessage() override;

    // A new message on the heap; the caller hands it on with post() or Message::dispatch().
    static RequestDialogMessage* instance();

    void init(AbstractFileReader* reader, std::string key,
              housekeeping::AbstractDataInformation* information);

    AbstractFileReader* abstract_file_reader() const { return m_reader; }
    housekeeping::AbstractDataInformation* abstract_data_information() const {
        return m_information;
    }
    std::string key() const { return m_key; }

    void dispatch() override;
    void post() override;

    // Connect receivers to the class's signal by signature string; the parameter of a subscriber's
    // slot is spelled "import::RequestDialogMessage&".
    static bool subscribe(QObject const* receiver, char const* member, Qt::ConnectionType type);
    static bool subscribe(QObject const* receiver, Qt::ConnectionType type);
    static bool unsubscribe(QObject const* receiver);

signals:
    void message_dispatched(import::RequestDialogMessage& p_message);

private:
    static RequestDialogMessage* class_instance();
    static housekeeping::MessageSubscription subscription();
    void class_instance_dispatch(RequestDialogMessage* p_message);

    std::string m_key;
    AbstractFileReader* m_reader = nullptr;
    housekeeping::AbstractDataInformation* m_information = nullptr;
};

} // namespace import
} // namespace quarro

#endif // QUARRO_IMPORT_REQUESTDIALOGMESSAGE_H
