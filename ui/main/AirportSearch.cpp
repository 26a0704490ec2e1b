#include "ui/main/AirportSearch.h"

#include "core/CodePage.h"
#include "traffic/EntryStore.h"
#include "ui/common/Windows1252.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <string>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zephlan {
namespace {

constexpr std::size_t kHeadBytes = 3;
constexpr std::size_t kLengthShift = 24;
constexpr std::size_t kLongest = 255;

// Each byte of the code page as the byte of its case-folded letter. A letter
// whose folded form the code page lacks stays itself: no text that the boxes
// take can hold that form either.
const std::array<unsigned char, 256> &foldedBytes()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> folded{};
        for (int byte = 0; byte < 256; ++byte) {
            const char32_t letter = windows1252CodePoint(static_cast<unsigned char>(byte));
            const char32_t lower = QChar::toCaseFolded(letter);
            folded[static_cast<std::size_t>(byte)] =
                static_cast<unsigned char>(windows1252Byte(lower).value_or(static_cast<char>(byte)));
        }
        return folded;
    }();
    return table;
}

std::uint32_t packHead(std::string_view folded, std::size_t length)
{
    std::uint32_t head = static_cast<std::uint32_t>(std::min(length, kLongest)) << kLengthShift;
    for (std::size_t i = 0; i < std::min(folded.size(), kHeadBytes); ++i)
        head |= std::uint32_t{static_cast<unsigned char>(folded[i])} << (8 * i);
    return head;
}

std::uint32_t bytesMask(std::size_t count)
{
    return (std::uint32_t{1} << (8 * std::min(count, kHeadBytes))) - 1;
}

std::string foldedText(std::string_view bytes)
{
    const auto &fold = foldedBytes();
    std::string folded(bytes.size(), '\0');
    std::transform(bytes.begin(), bytes.end(), folded.begin(),
                   [&fold](char byte) { return static_cast<char>(fold[static_cast<unsigned char>(byte)]); });
    return folded;
}

// Calls visit(position) for each position from first to last whose masked
// head equals key, in order, until visit returns true.
template <typename Visit>
void forEachHeadMatch(const std::uint32_t *heads, std::size_t first, std::size_t last, std::uint32_t mask,
                      std::uint32_t key, Visit visit)
{
    std::size_t at = first;
#ifdef __SSE2__
    const __m128i masks = _mm_set1_epi32(static_cast<int>(mask));
    const __m128i keys = _mm_set1_epi32(static_cast<int>(key));
    for (; at + 4 <= last; at += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i *>(heads + at));
        auto hits = static_cast<unsigned>(
            _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(_mm_and_si128(four, masks), keys))));
        for (; hits != 0; hits &= hits - 1) {
            if (visit(at + static_cast<std::size_t>(std::countr_zero(hits))))
                return;
        }
    }
#endif
    for (; at < last; ++at) {
        if ((heads[at] & mask) == key && visit(at))
            return;
    }
}

} // namespace

// Counted by group first, so that each head is written once, straight into its group.
void AirportSearch::rebuild(const EntryStore &store)
{
    const auto &fold = foldedBytes();
    m_store = &store;
    m_groupStart.fill(0);
    for (std::size_t row = 0; row < store.size(); ++row) {
        const std::string_view entry = store.at(row);
        ++m_groupStart[entry.empty() ? 1u : fold[static_cast<unsigned char>(entry[0])] + 1u];
    }
    for (std::size_t group = 1; group < m_groupStart.size(); ++group)
        m_groupStart[group] += m_groupStart[group - 1];
    std::array<std::uint32_t, 257> next = m_groupStart;
    m_heads.resize(store.size());
    m_rows.resize(store.size());
    for (std::size_t row = 0; row < store.size(); ++row) {
        const std::string_view entry = store.at(row);
        std::uint32_t head = static_cast<std::uint32_t>(std::min(entry.size(), kLongest)) << kLengthShift;
        for (std::size_t i = 0; i < std::min(entry.size(), kHeadBytes); ++i)
            head |= std::uint32_t{fold[static_cast<unsigned char>(entry[i])]} << (8 * i);
        const std::uint32_t at = next[head & 0xFF]++;
        m_rows[at] = static_cast<std::uint32_t>(row);
        m_heads[at] = head;
    }
}

int AirportSearch::find(const QString &text) const
{
    // Entries hold code-page bytes only, so text the code page cannot hold matches none.
    const std::optional<std::string> bytes = toWindows1252(text);
    if (!bytes || bytes->empty() || m_store == nullptr)
        return -1;
    const std::string folded = foldedText(*bytes);
    const int exact = firstMatch(folded, true);
    return exact >= 0 ? exact : firstMatch(folded, false);
}

int AirportSearch::findBytes(std::string_view bytes) const
{
    if (bytes.empty() || m_store == nullptr)
        return -1;
    return firstMatch(foldedText(bytes), true, bytes);
}

int AirportSearch::findIgnoringCase(std::string_view bytes) const
{
    if (bytes.empty() || m_store == nullptr)
        return -1;
    return firstMatch(foldedText(bytes), true);
}

// An exact match compares the length too, so most entries are passed over on
// their head alone; a prefix search usually stops at its first candidate.
int AirportSearch::firstMatch(std::string_view folded, bool exact, std::string_view bytes) const
{
    const std::size_t length = folded.size();
    const std::uint32_t lengthMask = exact ? std::uint32_t{0xFF} << kLengthShift : 0;
    const std::uint32_t mask = bytesMask(length) | lengthMask;
    const std::uint32_t key = packHead(folded, length) & mask;
    const auto group = static_cast<unsigned char>(folded[0]);
    int found = -1;
    forEachHeadMatch(m_heads.data(), m_groupStart[group], m_groupStart[group + 1u], mask, key, [&](std::size_t at) {
        const std::size_t row = m_rows[at];
        const std::size_t entryLength = m_store->at(row).size();
        if ((exact ? entryLength != length : entryLength < length) || !restMatches(row, folded)
            || (!bytes.empty() && m_store->at(row) != bytes))
            return false;
        found = static_cast<int>(row);
        return true;
    });
    return found;
}

bool AirportSearch::restMatches(std::size_t row, std::string_view folded) const
{
    const std::string_view entry = m_store->at(row);
    const auto &fold = foldedBytes();
    for (std::size_t i = kHeadBytes; i < folded.size(); ++i) {
        if (fold[static_cast<unsigned char>(entry[i])] != static_cast<unsigned char>(folded[i]))
            return false;
    }
    return true;
}

} // namespace zephlan
