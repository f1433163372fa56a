#include "housekeeping/AbstractCommand.h"

#include <utility>

namespace quarro {
namespace housekeeping {

AbstractCommand::AbstractCommand(DocumentId const& document, std::string const& description)
    : m_document(document)
    , m_description(description) {}

AbstractCommand::AbstractCommand(AbstractCommand const& other) = default;

AbstractCommand& AbstractCommand::operator=(AbstractCommand const& other) = default;

AbstractCommand::~AbstractCommand() = default;

quint64 AbstractCommand::size() const {
    return m_geo_count;
}

void AbstractCommand::rememberGeo(quint64 count) {
    m_geo_count = count;
}

void AbstractCommand::rollback() {}

bool AbstractCommand::stackWith(boost::shared_ptr<AbstractCommand> /*other*/) {
    return false;
}

void AbstractCommand::remember() {}

void AbstractCommand::finished(bool /*ok*/) {}

bool AbstractCommand::keep_in_history() const {
    return true;
}

void AbstractCommand::setDescription(std::string description) {
    m_description = std::move(description);
}

} // namespace housekeeping
} // namespace quarro
