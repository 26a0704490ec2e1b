#include "ui/main/AirportSearch.h"

#include "traffic/EntryStore.h"
#include "ui/common/Windows1252.h"

#include <algorithm>

namespace zephlan {
namespace {

constexpr std::size_t kHeadUnits = 4;

// Each byte of the code page, decoded and case-folded.
const std::array<char16_t, 256> &foldedBytes()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> folded{};
        for (int byte = 0; byte < 256; ++byte) {
            const char raw = static_cast<char>(byte);
            folded[static_cast<std::size_t>(byte)] =
                fromWindows1252(std::string_view(&raw, 1)).at(0).toCaseFolded().unicode();
        }
        return folded;
    }();
    return table;
}

std::uint64_t packHead(const char16_t *units, std::size_t count)
{
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < std::min(count, kHeadUnits); ++i)
        head |= std::uint64_t{units[i]} << (16 * i);
    return head;
}

} // namespace

void AirportSearch::rebuild(const EntryStore &store)
{
    const auto &fold = foldedBytes();
    m_store = &store;
    m_heads.assign(store.size(), 0);
    for (std::size_t row = 0; row < store.size(); ++row) {
        const std::string_view entry = store.at(row);
        std::array<char16_t, kHeadUnits> units{};
        const std::size_t count = std::min(entry.size(), kHeadUnits);
        for (std::size_t i = 0; i < count; ++i)
            units[i] = fold[static_cast<unsigned char>(entry[i])];
        m_heads[row] = packHead(units.data(), count);
    }
}

int AirportSearch::find(const QString &text) const
{
    if (text.isEmpty() || m_store == nullptr)
        return -1;
    std::vector<char16_t> folded;
    folded.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text)
        folded.push_back(ch.toCaseFolded().unicode());
    const std::size_t length = folded.size();
    const std::size_t headCount = std::min(length, kHeadUnits);
    const std::uint64_t mask = headCount == kHeadUnits ? ~std::uint64_t{0}
                                                       : (std::uint64_t{1} << (16 * headCount)) - 1;
    const std::uint64_t key = packHead(folded.data(), headCount);

    int firstPrefix = -1;
    for (std::size_t row = 0; row < m_heads.size(); ++row) {
        if ((m_heads[row] & mask) != key)
            continue;
        const std::size_t entryLength = m_store->at(row).size();
        if (entryLength < length)
            continue;
        if (length > kHeadUnits && !restMatches(row, folded))
            continue;
        if (entryLength == length)
            return static_cast<int>(row);
        if (firstPrefix < 0)
            firstPrefix = static_cast<int>(row);
    }
    return firstPrefix;
}

bool AirportSearch::restMatches(std::size_t row, const std::vector<char16_t> &folded) const
{
    const std::string_view entry = m_store->at(row);
    const auto &fold = foldedBytes();
    for (std::size_t i = kHeadUnits; i < folded.size(); ++i) {
        if (fold[static_cast<unsigned char>(entry[i])] != folded[i])
            return false;
    }
    return true;
}

} // namespace zephlan
