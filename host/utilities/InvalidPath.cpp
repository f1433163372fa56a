#include "utilities/InvalidPath.h"

#include <utility>

namespace quarro {
namespace utilities {

InvalidPath::InvalidPath(unsigned code, std::string message, char const* file, unsigned line)
    : Exception(code, std::move(message), file, line) {}

InvalidPath::InvalidPath(InvalidPath const& other) = default;

InvalidPath& InvalidPath::operator=(InvalidPath const& other) = default;

InvalidPath::~InvalidPath() = default;

} // namespace utilities
} // namespace quarro
