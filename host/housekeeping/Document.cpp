#include "housekeeping/Document.h"

#include "housekeeping/ErrorProtocol.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace quarro {
namespace housekeeping {

Document::Document(DocumentId const& id, QObject* parent)
    : AbstractDocument(id, parent) {}

Document::~Document() = default;

quint64 Document::size() const {
    return m_objects.size();
}

std::size_t Document::index_of(ObjectPtr const& object) const {
    auto const found = std::find(m_objects.begin(), m_objects.end(), object);
    return found == m_objects.end() ? npos : static_cast<std::size_t>(found - m_objects.begin());
}

void Document::add_object(ObjectPtr object) {
    insert_object(m_objects.size(), std::move(object));
}

void Document::insert_object(std::size_t index, ObjectPtr object) {
    if (!accepts(object)) {
        return;
    }
    auto const position =
        m_objects.begin() + static_cast<std::ptrdiff_t>(std::min(index, m_objects.size()));
    m_objects.insert(position, std::move(object));
    content_changed();
}

bool Document::remove_object(ObjectPtr const& object) {
    std::size_t const index = index_of(object);
    if (index == npos) {
        return false;
    }
    take_object(index);
    return true;
}

Document::ObjectPtr Document::take_object(std::size_t index) {
    if (index >= m_objects.size()) {
        return ObjectPtr();
    }
    auto const position = m_objects.begin() + static_cast<std::ptrdiff_t>(index);
    ObjectPtr taken = std::move(*position);
    m_objects.erase(position);
    content_changed();
    return taken;
}

bool Document::accepts(ObjectPtr const& object) const {
    if (!object) {
        ErrorProtocol::instance().log_assert("object", Q_FUNC_INFO, "host/housekeeping/Document",
                                             __LINE__);
        return false;
    }
    if (index_of(object) != npos) {
        ErrorProtocol::instance().log_assert("index_of(object) == npos", Q_FUNC_INFO,
                                             "host/housekeeping/Document", __LINE__);
        return false;
    }
    return true;
}

} // namespace housekeeping
} // namespace quarro
