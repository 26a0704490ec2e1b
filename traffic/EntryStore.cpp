#include "traffic/EntryStore.h"

namespace zephlan {

std::string_view EntryStore::at(std::size_t index) const
{
    const std::uint64_t begin = index == 0 ? 0 : m_ends[index - 1];
    return std::string_view(m_bytes.data() + begin, m_ends[index] - begin);
}

void EntryStore::append(std::string_view entry)
{
    m_bytes.insert(m_bytes.end(), entry.begin(), entry.end());
    m_ends.push_back(m_bytes.size());
}

void EntryStore::reserve(std::size_t entries, std::size_t bytes)
{
    m_ends.reserve(m_ends.size() + entries);
    m_bytes.reserve(m_bytes.size() + bytes);
}

void EntryStore::truncate(std::size_t count)
{
    if (count >= size())
        return;
    m_ends.resize(count);
    m_bytes.resize(count == 0 ? 0 : m_ends.back());
}

} // namespace zephlan
