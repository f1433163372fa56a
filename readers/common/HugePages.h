#ifndef QUARRO_READERS_COMMON_HUGEPAGES_H
#define QUARRO_READERS_COMMON_HUGEPAGES_H

#include <cstddef>

namespace quarro {
namespace readers {

// Asks the system to back a large buffer that is about to be filled with huge pages. Filling the
// 64 MB of ZCORN of a million-cell grid otherwise costs some 16,000 page faults, which on a
// virtual machine take longer than decoding the values (see bench/README.md). Only a hint; does
// nothing where the system has no such hint.
class HugePages {
public:
    static void advise(void* data, std::size_t bytes);

private:
    HugePages() = delete;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_COMMON_HUGEPAGES_H
