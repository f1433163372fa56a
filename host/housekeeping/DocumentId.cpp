#include "housekeeping/DocumentId.h"

#include <ostream>

namespace quarro {
namespace housekeeping {

std::ostream& operator<<(std::ostream& os, DocumentId const& id) {
    if (id.isNull()) {
        return os << "Document <null>";
    }
    return os << "Document " << id.value();
}

} // namespace housekeeping
} // namespace quarro
