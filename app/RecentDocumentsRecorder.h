#ifndef QUARRO_APP_RECENTDOCUMENTSRECORDER_H
#define QUARRO_APP_RECENTDOCUMENTSRECORDER_H

#include "housekeeping/DocumentId.h"
#include "housekeeping/DocumentMessage.h"

#include <QObject>

#include <boost/weak_ptr.hpp>

#include <map>

namespace quarro {
namespace housekeeping {
class AbstractDocument;
class DataSource;
} // namespace housekeeping

namespace app {

// Keeps the host's recent-documents list up to date: a document becomes the most recent entry
// when a file has been loaded into it (the loader's document message of type 2 for a document
// whose data source is new) and when it is saved (record(), called by the save).
//
// An insert into a document that already has its data source adds nothing: the list names the
// files documents were opened from, not every file ever read.
class RecentDocumentsRecorder : public QObject {
    Q_OBJECT
public:
    explicit RecentDocumentsRecorder(QObject* parent = nullptr);
    ~RecentDocumentsRecorder() override;

    // Makes the document's data source the most recent entry; nothing when it has no file. The
    // entry is a copy whose data information is complete for any format but the native one, so
    // that Recent Files reopens it with the reader that read it.
    void record(housekeeping::AbstractDocument const& document);

private slots:
    void handle_message(housekeeping::DocumentMessage& p_message);

private:
    Q_DISABLE_COPY(RecentDocumentsRecorder)

    // The data source each document was last recorded with.
    std::map<housekeeping::DocumentId, boost::weak_ptr<housekeeping::DataSource>> m_recorded;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_RECENTDOCUMENTSRECORDER_H
