#include "RecentDocumentsRecorder.h"

#include "NativeDocuments.h"

#include "housekeeping/AbstractDataInformation.h"
#include "housekeeping/AbstractDataInformationFactory.h"
#include "housekeeping/AbstractDocument.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/RecentDocumentsQueue.h"

namespace quarro {
namespace app {

RecentDocumentsRecorder::RecentDocumentsRecorder(QObject* parent)
    : QObject(parent) {
    housekeeping::DocumentMessage::subscribe(this);
}

RecentDocumentsRecorder::~RecentDocumentsRecorder() {
    housekeeping::DocumentMessage::unsubscribe(this);
}

void RecentDocumentsRecorder::record(housekeeping::AbstractDocument const& document) {
    boost::shared_ptr<housekeeping::DataSource> const source = document.datasource();
    if (!source || source->url().empty()) {
        return;
    }
    m_recorded[document.id()] = source;
    std::string const key = source->key();
    // A native document is reopened by path with the native reader; any other file needs the
    // reader that read it, which Recent Files uses only when the information is complete. The
    // default import asks the user nothing, so the key is all it needs.
    boost::shared_ptr<housekeeping::AbstractDataInformation> const information =
        housekeeping::AbstractDataInformationFactory::create(key);
    if (boost::shared_ptr<housekeeping::AbstractDataInformation> const original =
            source->data_information()) {
        information->set_settings(original->settings());
        information->set_ascii_import_mode(original->ascii_import_mode());
    }
    information->set_complete(!native_documents::is_native_key(key));
    housekeeping::RecentDocumentsQueue::instance().add(boost::shared_ptr<housekeeping::DataSource>(
        new housekeeping::DataSource(source->urls(), information)));
}

void RecentDocumentsRecorder::handle_message(housekeeping::DocumentMessage& p_message) {
    if (p_message.doc_change_type() != housekeeping::DocumentMessage::ContentChanged) {
        return;
    }
    housekeeping::AbstractDocument const* const document =
        housekeeping::DocumentManager::instance().document_from_id(p_message.id());
    if (document == nullptr) {
        return;
    }
    boost::shared_ptr<housekeeping::DataSource> const source = document->datasource();
    auto const recorded = m_recorded.find(p_message.id());
    if (!source || (recorded != m_recorded.end() && recorded->second.lock() == source)) {
        return;
    }
    record(*document);
}

} // namespace app
} // namespace quarro
