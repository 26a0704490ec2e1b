#pragma once

#include <cstddef>
#include <cstdlib>
#include <limits>
#include <new>
#include <vector>

namespace zephlan {

// Room for size bytes, to be freed with std::free; null when there is none.
// A block of a large page or more starts on a large page, fills whole ones
// and asks for large pages: here the system maps fresh memory in one small
// page at a time far more slowly than it is then filled.
char *allocateLarge(std::size_t size);

// For containers that can grow to megabytes, such as a million list entries.
template <typename T>
class LargeBlockAllocator
{
public:
    using value_type = T;

    LargeBlockAllocator() = default;
    template <typename U>
    LargeBlockAllocator(const LargeBlockAllocator<U> &) noexcept
    {
    }

    T *allocate(std::size_t count)
    {
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(T))
            throw std::bad_array_new_length();
        char *const block = allocateLarge(count * sizeof(T));
        if (block == nullptr)
            throw std::bad_alloc();
        return reinterpret_cast<T *>(block);
    }
    void deallocate(T *block, std::size_t) noexcept { std::free(block); }

    friend bool operator==(const LargeBlockAllocator &, const LargeBlockAllocator &) noexcept { return true; }
};

template <typename T>
using LargeVector = std::vector<T, LargeBlockAllocator<T>>;

} // namespace zephlan
