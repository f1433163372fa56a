#ifndef QUARRO_APP_DOCUMENTINSERTIMPLEMENTATION_H
#define QUARRO_APP_DOCUMENTINSERTIMPLEMENTATION_H

#include "AbstractFileReader.h"
#include "AbstractInsertCommandImplementation.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentId.h"

#include <QString>

#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <vector>

namespace brkBase {
class AbstractProgress;
}

namespace quarro {
namespace housekeeping {
class DataSource;
}

namespace app {

// What the application's undoable inserts do: the import library's insert commands forward to
// this, registered under "InsertCommandImplementation" (an insert by data source: the reader is
// made for the source's key) and "INQuarro" (an insert with the reader the loader made).
//
// The first do_command() has the reader read the source into the document and keeps the objects
// that arrived; undo takes exactly those out again, and redo puts the same objects back where they
// were. A read that fails or is cancelled leaves the document as it was (nothing half read stays)
// and reports its state and the reader's summary, which says why.
class DocumentInsertImplementation : public import::AbstractInsertCommandImplementation {
public:
    DocumentInsertImplementation();
    ~DocumentInsertImplementation() override;

    void init(boost::shared_ptr<housekeeping::DataSource> source,
              boost::shared_ptr<import::AbstractFileReader> reader,
              housekeeping::DocumentId const& document, bool importing, bool inserting,
              import::InsertCommand const* command, brkBase::AbstractProgress* progress) override;
    void init(boost::shared_ptr<housekeeping::DataSource> source,
              housekeeping::DocumentId const& document, bool importing, bool inserting,
              import::InsertCommand const* command, brkBase::AbstractProgress* progress) override;

    void do_command() override;
    void undo_command() override;
    void remember() override;
    void rollback() override;
    void finished(bool ok) override;
    QString summary() override;
    import::AbstractFileReader::ImportState import_state() override;

    // Registers this implementation under both keys, unless a plugin registered them already
    // (which is logged). Call before the first insert; later calls do nothing.
    static void register_products();

    // The objects the insert added, in document order.
    std::vector<housekeeping::Document::ObjectPtr> const& added() const { return m_added; }

private:
    Q_DISABLE_COPY(DocumentInsertImplementation)

    housekeeping::Document* document() const;
    void read(housekeeping::Document& document);
    // The places of the objects that were not in the document before the read.
    std::vector<std::size_t> new_positions(housekeeping::Document const& document) const;
    // Takes those objects out of the document again.
    void remove_new_objects(housekeeping::Document& document);

    boost::shared_ptr<housekeeping::DataSource> m_source;
    boost::shared_ptr<import::AbstractFileReader> m_reader;
    housekeeping::DocumentId m_document;
    bool m_importing = false;
    bool m_inserting = false;
    brkBase::AbstractProgress* m_progress = nullptr;

    bool m_read = false;
    import::AbstractFileReader::ImportState m_state = import::AbstractFileReader::IMPORT_FAILED;
    QString m_summary;
    // The document's objects before the first read (for telling them apart only), and the objects
    // the read brought with their places.
    std::vector<model::GeoObject const*> m_before;
    std::vector<housekeeping::Document::ObjectPtr> m_added;
    std::vector<std::size_t> m_positions;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_DOCUMENTINSERTIMPLEMENTATION_H
