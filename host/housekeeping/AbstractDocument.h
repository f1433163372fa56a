#ifndef QUARRO_HOUSEKEEPING_ABSTRACTDOCUMENT_H
#define QUARRO_HOUSEKEEPING_ABSTRACTDOCUMENT_H

#include "QuarroHostExport.h"
#include "housekeeping/DocumentHistory.h"
#include "housekeeping/DocumentId.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <boost/shared_ptr.hpp>

#include <string>

namespace quarro {
namespace housekeeping {

class DataSource;

// The host's document interface: what every library may ask of a document and tell it.
//
// The modified mark follows the document's undo stack: recording a command modifies the
// document, undoing back to the state it was saved or loaded in clears the mark. set_modified(true)
// marks a change that no command can undo (the document then stays modified until
// set_modified(false)).
//
// While a load runs (begin_load() ... end_load()), changed() is held back and sent once at the end.
class QUARRO_HOST_EXPORT AbstractDocument : public QObject {
    Q_OBJECT
public:
    ~AbstractDocument() override;

    DocumentId const& id() const { return m_id; }

    boost::shared_ptr<DataSource> datasource() const { return m_datasource; }
    void datasource(boost::shared_ptr<DataSource> source);

    DocumentHistory const& document_history() const { return m_history; }
    QUndoStack* undo_stack() { return &m_undo_stack; }

    // The document's interface; the order of these operations is part of it.

    // True when a load may reuse this document: no objects, no data source, not modified.
    virtual bool is_blank() const;
    // The number of geological objects.
    virtual quint64 size() const = 0;
    virtual bool is_modified() const;
    virtual void set_ascii_import_mode(int mode);
    virtual void begin_load();
    virtual void end_load();
    // True while user flows must leave the document alone.
    virtual bool is_locked() const;
    // Appends text (UTF-8) to the document's journal, or replaces the journal with it.
    virtual void journal(std::string const& text, bool p_replace);

    void set_modified(bool modified);
    void set_locked(bool locked) { m_locked = locked; }
    int ascii_import_mode() const { return m_ascii_import_mode; }
    bool is_loading() const { return m_load_depth > 0; }
    std::string const& journal_text() const { return m_journal; }

    // The file name of the data source, else "Untitled N".
    QString display_name() const;

signals:
    // Objects were added or removed.
    void changed();
    void modifiedChanged(bool modified);
    // The data source (and with it the display name) changed.
    void datasourceChanged();
    // Text was added to the journal, or the journal was replaced.
    void journalChanged();

protected:
    explicit AbstractDocument(DocumentId const& id, QObject* parent = nullptr);

    // Subclasses call this after adding or removing objects.
    void content_changed();

private:
    Q_DISABLE_COPY(AbstractDocument)

    DocumentId m_id;
    boost::shared_ptr<DataSource> m_datasource;
    QUndoStack m_undo_stack;
    DocumentHistory m_history;
    bool m_locked = false;
    int m_ascii_import_mode = 0;
    int m_load_depth = 0;
    bool m_changed_during_load = false;
    std::string m_journal;
};

} // namespace housekeeping
} // namespace quarro

#endif // QUARRO_HOUSEKEEPING_ABSTRACTDOCUMENT_H
