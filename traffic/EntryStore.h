#pragma once

#include "traffic/LargeBlocks.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zephlan {

// List entries kept as their bytes, end to end in one buffer, so that a
// million airport codes cost a few bytes each and an entry is copied once,
// from the file into the buffer.
class EntryStore
{
public:
    std::size_t size() const { return m_ends.size(); }
    bool empty() const { return m_ends.empty(); }
    std::string_view at(std::size_t index) const;

    void append(std::string_view entry);
    void reserve(std::size_t entries, std::size_t bytes);
    // Keeps the first count entries.
    void truncate(std::size_t count);

private:
    LargeVector<char> m_bytes;
    LargeVector<std::uint64_t> m_ends;
};

} // namespace zephlan
