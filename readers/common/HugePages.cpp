#include "HugePages.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace quarro {
namespace readers {

void HugePages::advise(void* data, std::size_t bytes) {
#ifdef __linux__
    constexpr std::uintptr_t hugePage = 2 * 1024 * 1024;
    std::uintptr_t const first = reinterpret_cast<std::uintptr_t>(data);
    std::uintptr_t const begin = (first + hugePage - 1) & ~(hugePage - 1);
    std::uintptr_t const end = (first + bytes) & ~(hugePage - 1);
    if (end > begin) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
#else
    (void)data;
    (void)bytes;
#endif
}

} // namespace readers
} // namespace quarro
