#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace zephlan {

class EntryStore;

// Finds the list entry a search box asks for: the entry equal to the text
// (ignoring case) wins, else the first entry in list order that begins with
// it (ignoring case); empty text finds nothing.
class AirportSearch
{
public:
    // Indexes the entries once; the store must outlive the search.
    void rebuild(const EntryStore &store);

    // The row found, or -1.
    int find(const QString &text) const;

private:
    bool restMatches(std::size_t row, const std::vector<char16_t> &folded) const;

    const EntryStore *m_store = nullptr;
    // Per entry its first four case-folded UTF-16 units, one per 16 bits.
    std::vector<std::uint64_t> m_heads;
};

} // namespace zephlan
