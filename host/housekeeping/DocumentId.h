#ifndef QUARRO_HOUSEKEEPING_DOCUMENTID_H
#define QUARRO_HOUSEKEEPING_DOCUMENTID_H

#include "QuarroHostExport.h"

#include <QHashFunctions>
#include <QMetaType>

#include <cstddef>
#include <functional>
#include <iosfwd>

namespace quarro {
namespace housekeeping {

// Names one document of the document manager. Ids are handed out once per process and never
// reused, so an id kept after its document was destroyed names nothing rather than a newer
// document. The value 0 is the null id: no document.
class QUARRO_HOST_EXPORT DocumentId {
public:
    DocumentId() = default;
    explicit DocumentId(int value)
        : m_value(value) {}

    static DocumentId null() { return DocumentId(); }

    int value() const { return m_value; }
    bool isNull() const { return m_value == 0; }

    friend bool operator==(DocumentId const& a, DocumentId const& b) {
        return a.m_value == b.m_value;
    }
    friend bool operator!=(DocumentId const& a, DocumentId const& b) { return !(a == b); }
    friend bool operator<(DocumentId const& a, DocumentId const& b) {
        return a.m_value < b.m_value;
    }

private:
    int m_value = 0;
};

// Writes "Document 3", or "Document <null>" for the null id.
QUARRO_HOST_EXPORT std::ostream& operator<<(std::ostream& os, DocumentId const& id);

inline uint qHash(DocumentId const& id, uint seed = 0) noexcept {
    return ::qHash(id.value(), seed);
}

} // namespace housekeeping
} // namespace quarro

namespace std {
template <>
struct hash<quarro::housekeeping::DocumentId> {
    std::size_t operator()(quarro::housekeeping::DocumentId const& id) const noexcept {
        return std::hash<int>()(id.value());
    }
};
} // namespace std

Q_DECLARE_METATYPE(quarro::housekeeping::DocumentId)

#endif // QUARRO_HOUSEKEEPING_DOCUMENTID_H
