#pragma once

#include "traffic/LargeBlocks.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

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
    // The first entry that is these very bytes, or -1.
    int findBytes(std::string_view bytes) const;
    // The first entry equal to these bytes when case is ignored, or -1.
    int findIgnoringCase(std::string_view bytes) const;

private:
    bool restMatches(std::size_t row, std::string_view folded) const;

    // The first entry equal to the folded text (and, when given, to `bytes`
    // themselves), or the first that begins with it.
    int firstMatch(std::string_view folded, bool exact, std::string_view bytes = {}) const;

    const EntryStore *m_store = nullptr;
    // The rows grouped by their first case-folded byte, in list order within
    // a group; group b holds positions m_groupStart[b] to m_groupStart[b + 1].
    std::array<std::uint32_t, 257> m_groupStart{};
    LargeVector<std::uint32_t> m_rows;
    // Per position its entry's first three bytes case-folded, the first in the
    // lowest eight bits, and its length (at most 255) in the highest eight.
    LargeVector<std::uint32_t> m_heads;
};

} // namespace zephlan
