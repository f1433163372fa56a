#ifndef QUARRO_TESTS_IMPORT_WIZARD_RECORDINGINSERTIMPLEMENTATION_H
#define QUARRO_TESTS_IMPORT_WIZARD_RECORDINGINSERTIMPLEMENTATION_H

#include "AbstractFileReaderFactory.h"
#include "AbstractInsertCommandImplementation.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"

#include <QString>
#include <QStringList>
#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <vector>

namespace brkBase {
class AbstractProgress;
}

namespace quarro {
namespace import {
class InsertCommand;
}

namespace test {

// What the insert-command implementations were given and asked, in order.
struct InsertJournal {
    struct Init {
        bool with_reader = false;
        housekeeping::DocumentId document;
        bool importing = false;
        bool inserting = false;
        import::InsertCommand const* command = nullptr;
        brkBase::AbstractProgress* progress = nullptr;
        void const* implementation = nullptr;
    };
    std::vector<Init> inits;
    // "remember", "do", "undo", "rollback", "finished true"/"finished false", each followed by
    // the implementation's address, so that tests can tell which object was called.
    QStringList calls;

    void clear() { *this = InsertJournal(); }
};

inline InsertJournal& insertJournal() {
    static InsertJournal journal;
    return journal;
}

// An insert that really changes a document: the first do_command() has a reader (the one it was
// given, else one made for the source's key) read the source into the document and keeps the
// objects that arrived; undo takes them out again and redo puts the same objects back.
class RecordingInsertImplementation : public import::AbstractInsertCommandImplementation {
public:
    void init(boost::shared_ptr<housekeeping::DataSource> source,
              boost::shared_ptr<import::AbstractFileReader> reader,
              housekeeping::DocumentId const& document, bool importing, bool inserting,
              import::InsertCommand const* command, brkBase::AbstractProgress* progress) override {
        m_reader = reader;
        keep(true, source, document, importing, inserting, command, progress);
    }
    void init(boost::shared_ptr<housekeeping::DataSource> source,
              housekeeping::DocumentId const& document, bool importing, bool inserting,
              import::InsertCommand const* command, brkBase::AbstractProgress* progress) override {
        keep(false, source, document, importing, inserting, command, progress);
    }

    void remember() override {
        note(QStringLiteral("remember"));
        m_start = size();
    }
    void do_command() override {
        note(QStringLiteral("do"));
        housekeeping::Document* doc = document();
        if (doc == nullptr) {
            m_state = import::AbstractFileReader::IMPORT_FAILED;
            return;
        }
        if (m_done_once) {
            for (housekeeping::Document::ObjectPtr const& object : m_added) {
                doc->add_object(object);
            }
            return;
        }
        m_done_once = true;
        if (!m_reader && m_source) {
            m_reader = import::AbstractFileReaderFactory::create(m_source->key());
        }
        if (!m_reader) {
            m_state = import::AbstractFileReader::IMPORT_FAILED;
            return;
        }
        m_state = m_reader->import_data(m_source, m_document, m_importing, m_progress, m_inserting);
        m_summary = m_reader->import_summary();
        // The read runs the event loop: the document may have been closed meanwhile.
        doc = document();
        if (doc == nullptr) {
            return;
        }
        auto const& objects = doc->objects();
        if (m_start < objects.size()) {
            m_added.assign(objects.begin() + static_cast<std::ptrdiff_t>(m_start), objects.end());
        }
    }
    void undo_command() override {
        note(QStringLiteral("undo"));
        if (housekeeping::Document* doc = document()) {
            for (housekeeping::Document::ObjectPtr const& object : m_added) {
                doc->remove_object(object);
            }
        }
    }
    void rollback() override { note(QStringLiteral("rollback")); }
    void finished(bool ok) override {
        note(ok ? QStringLiteral("finished true") : QStringLiteral("finished false"));
    }
    QString summary() override { return m_summary; }
    import::AbstractFileReader::ImportState import_state() override { return m_state;
}

private : void
          keep(bool with_reader, boost::shared_ptr<housekeeping::DataSource> source,
               housekeeping::DocumentId const& document, bool importing, bool inserting,
               import::InsertCommand const* command, brkBase::AbstractProgress* progress) {
    m_source = source;
    m_document = document;
    m_importing = importing;
    m_inserting = inserting;
    m_progress = progress;
    insertJournal().inits.push_back(
        {with_reader, document, importing, inserting, command, progress, this});
}
void note(QString const& what) {
    insertJournal().calls << what + QLatin1Char(' ') +
                                 QString::number(reinterpret_cast<quintptr>(this));
}
housekeeping::Document* document() const {
    return dynamic_cast<housekeeping::Document*>(
        housekeeping::DocumentManager::instance().document_from_id(m_document));
}
std::size_t size() const {
    housekeeping::Document const* doc = document();
    return doc != nullptr ? doc->object_count() : 0;
}

boost::shared_ptr<housekeeping::DataSource> m_source;
boost::shared_ptr<import::AbstractFileReader> m_reader;
housekeeping::DocumentId m_document;
bool m_importing = false;
bool m_inserting = false;
brkBase::AbstractProgress* m_progress = nullptr;
std::size_t m_start = 0;
bool m_done_once = false;
std::vector<housekeeping::Document::ObjectPtr> m_added;
QString m_summary;
import::AbstractFileReader::ImportState m_state = import::AbstractFileReader::IMPORT_FAILED;
}; // namespace test

} // namespace quarro
} // namespace quarro

#endif // QUARRO_TESTS_IMPORT_WIZARD_RECORDINGINSERTIMPLEMENTATION_H
