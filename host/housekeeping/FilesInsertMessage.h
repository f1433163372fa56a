#ifndef QUARRO_HOUSEKEEPING_FILESINSERTMESSAGE_H
#define QUARRO_HOUSEKEEPING_FILESINSERTMESSAGE_H

#include "QuarroHostExport.h"
#include "housekeeping/Message.h"
#include "housekeeping/MessageSubscription.h"
#include "utilities/UrlUtilities.h"

#include <QObject>

namespace quarro {
namespace housekeeping {

// Asks whoever inserts files (the import manager) to insert these files into the current document.
class QUARRO_HOST_EXPORT FilesInsertMessage : public Message {
    Q_OBJECT
public:
    FilesInsertMessage();
    FilesInsertMessage(FilesInsertMessage const& other);
    ~FilesInsertMessage() override;

    // A new message on the heap, each call; hand it to Message::dispatch or post().
    static FilesInsertMessage* instance();

    using Message::dispatch;
    void dispatch() override;

    // The files as URLs (see utilities::filesystem_to_url).
    utilities::UrlList const& files() const { return m_files; }
    void files(utilities::UrlList const& files) { m_files = files; }

    // See MessageSubscription; the default slot is
    // handle_message(housekeeping::FilesInsertMessage&).
    static bool subscribe(QObject const* receiver, char const* member,
                          Qt::ConnectionType type = Qt::AutoConnection);
    static bool subscribe(QObject const* receiver, Qt::ConnectionType type = Qt::AutoConnection);
    static bool unsubscribe(QObject const* receiver);

signals:
    void message_dispatched(housekeeping::FilesInsertMessage& p_message);

private:
    static FilesInsertMessage* class_instance();
    static MessageSubscription subscription();

    utilities::UrlList m_files;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_FILESINSERTMESSAGE_H
