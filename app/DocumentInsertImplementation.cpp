#include "DocumentInsertImplementation.h"

#include "AbstractFileReaderFactory.h"
#include "AbstractInsertCommandImplementationFactory.h"
#include "ConcreteProductFactory.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/ErrorProtocol.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <unordered_set>
#include <utility>

namespace quarro {
namespace app {

namespace {

using Factory = import::ConcreteProductFactory<import::AbstractInsertCommandImplementationFactory,
                                               DocumentInsertImplementation>;

// Registration objects live as long as the process: the factories keep pointers to them.
void register_key(char const* key) {
    static std::vector<std::unique_ptr<Factory>> registrations;
    try {
        registrations.push_back(std::make_unique<Factory>(key));
    } catch (std::exception const& e) {
        housekeeping::ErrorProtocol::instance().log_message(
            std::string("The application's insert command is not registered under ") + key + ": " +
            e.what());
    }
}

std::vector<model::GeoObject const*>
identities(std::vector<housekeeping::Document::ObjectPtr> const& objects) {
    std::vector<model::GeoObject const*> result;
    result.reserve(objects.size());
    for (housekeeping::Document::ObjectPtr const& object : objects) {
        result.push_back(object.get());
    }
    return result;
}

} // namespace

DocumentInsertImplementation::DocumentInsertImplementation() = default;

DocumentInsertImplementation::~DocumentInsertImplementation() = default;

void DocumentInsertImplementation::register_products() {
    static bool registered = false;
    if (registered) {
        return;
    }
    registered = true;
    register_key("InsertCommandImplementation");
    register_key("INQuarro");
}

void DocumentInsertImplementation::init(boost::shared_ptr<housekeeping::DataSource> source,
                                        boost::shared_ptr<import::AbstractFileReader> reader,
                                        housekeeping::DocumentId const& document, bool importing,
                                        bool inserting, import::InsertCommand const* command,
                                        brkBase::AbstractProgress* progress) {
    m_reader = std::move(reader);
    init(std::move(source), document, importing, inserting, command, progress);
}

void DocumentInsertImplementation::init(boost::shared_ptr<housekeeping::DataSource> source,
                                        housekeeping::DocumentId const& document, bool importing,
                                        bool inserting, import::InsertCommand const* /*command*/,
                                        brkBase::AbstractProgress* progress) {
    m_source = std::move(source);
    m_document = document;
    m_importing = importing;
    m_inserting = inserting;
    m_progress = progress;
}

housekeeping::Document* DocumentInsertImplementation::document() const {
    return dynamic_cast<housekeeping::Document*>(
        housekeeping::DocumentManager::instance().document_from_id(m_document));
}

void DocumentInsertImplementation::remember() {
    if (housekeeping::Document const* const target = document(); target != nullptr && !m_read) {
        m_before = identities(target->objects());
    }
}

void DocumentInsertImplementation::do_command() {
    housekeeping::Document* const target = document();
    if (target == nullptr) {
        m_state = import::AbstractFileReader::IMPORT_FAILED;
        m_summary = QStringLiteral("The document to insert into is closed.<br />");
        return;
    }
    if (!m_read) {
        m_read = true;
        read(*target);
        return;
    }
    // Redo: the same objects, back in their places.
    for (std::size_t i = 0; i < m_added.size(); ++i) {
        target->insert_object(m_positions[i], m_added[i]);
    }
}

void DocumentInsertImplementation::read(housekeeping::Document& target) {
    if (!m_reader && m_source) {
        m_reader = import::AbstractFileReaderFactory::create(m_source->key());
    }
    if (!m_reader || !m_source) {
        m_state = import::AbstractFileReader::IMPORT_FAILED;
        m_summary = QStringLiteral("Nothing to insert.<br />");
        return;
    }
    if (m_before.empty()) {
        m_before = identities(target.objects());
    }
    m_state = m_reader->import_data(m_source, m_document, m_importing, m_progress, m_inserting);
    m_summary = m_reader->import_summary();
    // The reader runs the event loop while it reads: the document may have gone meanwhile.
    housekeeping::Document* const after = document();
    if (after == nullptr) {
        return;
    }
    if (m_state != import::AbstractFileReader::IMPORT_OK) {
        remove_new_objects(*after);
        return;
    }
    std::vector<housekeeping::Document::ObjectPtr> const& objects = after->objects();
    for (std::size_t const position : new_positions(*after)) {
        m_added.push_back(objects[position]);
        m_positions.push_back(position);
    }
}

std::vector<std::size_t>
DocumentInsertImplementation::new_positions(housekeeping::Document const& target) const {
    std::vector<housekeeping::Document::ObjectPtr> const& objects = target.objects();
    std::vector<std::size_t> positions;
    std::size_t const before = m_before.size();
    // Readers append: when the last object from before is still in its place, whatever follows
    // it is new. Looking each object up among those before would make every insert cost as much
    // as the document is large, and a load of many files slow down with each file.
    if (objects.size() >= before && (before == 0 || objects[before - 1].get() == m_before.back())) {
        for (std::size_t i = before; i < objects.size(); ++i) {
            positions.push_back(i);
        }
        return positions;
    }
    std::unordered_set<model::GeoObject const*> const old(m_before.begin(), m_before.end());
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (old.count(objects[i].get()) == 0) {
            positions.push_back(i);
        }
    }
    return positions;
}

void DocumentInsertImplementation::remove_new_objects(housekeeping::Document& target) {
    std::vector<std::size_t> const positions = new_positions(target);
    // From the back, so that the positions still to come stay valid.
    for (auto position = positions.rbegin(); position != positions.rend(); ++position) {
        target.take_object(*position);
    }
}

void DocumentInsertImplementation::undo_command() {
    housekeeping::Document* const target = document();
    if (target == nullptr) {
        return;
    }
    for (housekeeping::Document::ObjectPtr const& object : m_added) {
        target->remove_object(object);
    }
}

void DocumentInsertImplementation::rollback() {
    // A read that threw may have left part of the file in the document.
    if (housekeeping::Document* const target = document()) {
        remove_new_objects(*target);
    }
    m_added.clear();
    m_positions.clear();
    m_state = import::AbstractFileReader::IMPORT_FAILED;
}

void DocumentInsertImplementation::finished(bool /*ok*/) {}

QString DocumentInsertImplementation::summary() {
    return m_summary;
}

import::AbstractFileReader::ImportState DocumentInsertImplementation::import_state(){return m_state;
} // namespace app

} // namespace quarro
} // namespace quarro
