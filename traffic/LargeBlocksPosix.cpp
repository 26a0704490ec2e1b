#include "traffic/LargeBlocks.h"

#include <cstdint>

#include <sys/mman.h>

namespace zephlan {
namespace {

constexpr std::size_t kLargePage = std::size_t(1) << 21;

// Asks for large pages over the whole large pages inside [data, data + size)
// that nothing has touched yet.
void adviseLargePages(void *data, std::size_t size)
{
#ifdef MADV_HUGEPAGE
    const auto first = (reinterpret_cast<std::uintptr_t>(data) + kLargePage - 1) & ~(kLargePage - 1);
    const auto last = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kLargePage - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

} // namespace

char *allocateLarge(std::size_t size)
{
    if (size < kLargePage)
        return static_cast<char *>(std::malloc(size == 0 ? 1 : size));
    const std::size_t rounded = (size + kLargePage - 1) / kLargePage * kLargePage;
    if (rounded < size)
        return nullptr;
    auto *data = static_cast<char *>(std::aligned_alloc(kLargePage, rounded));
    if (data != nullptr)
        adviseLargePages(data, rounded);
    return data;
}

} // namespace zephlan
