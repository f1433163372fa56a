#ifndef QUARRO_UTILITIES_INVALIDPATH_H
#define QUARRO_UTILITIES_INVALIDPATH_H

#include "QuarroHostExport.h"
#include "utilities/Exception.h"

#include <string>

namespace quarro {
namespace utilities {

// A folder or file that the application needs does not exist or cannot be used.
class QUARRO_HOST_EXPORT InvalidPath : public quarro::Exception {
public:
    // The code that the utilities library uses when it throws this exception itself.
    static constexpr unsigned error_code = 1001;

    InvalidPath(unsigned code, std::string message, char const* file, unsigned line);
    InvalidPath(InvalidPath const& other);
    InvalidPath& operator=(InvalidPath const& other);
    ~InvalidPath() override;
};

} // namespace utilities
} // namespace quarro

#endif // QUARRO_UTILITIES_INVALIDPATH_H
