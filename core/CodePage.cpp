#include "core/CodePage.h"

#include "core/SystemText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>


namespace zephlan {
namespace {

// The code page's letters in 0x80..0x9F.
constexpr std::array<char32_t, 32> kHighBytes = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char kUnknown = '?';

// What each byte stands for, and the bytes 0x80..0xFF sorted by what they stand for.
// The bytes below 0x80 are ASCII in every code page this table is built from.
struct CodePageTable
{
    std::array<char32_t, 256> codePoints{};
    std::array<std::pair<char32_t, unsigned char>, 128> highByCodePoint{};
};

CodePageTable tableOf(const std::array<char32_t, 256> &codePoints)
{
    CodePageTable table;
    table.codePoints = codePoints;
    for (std::size_t i = 0; i < table.highByCodePoint.size(); ++i)
        table.highByCodePoint[i] = {codePoints[0x80 + i], static_cast<unsigned char>(0x80 + i)};
    std::sort(table.highByCodePoint.begin(), table.highByCodePoint.end());
    return table;
}

std::array<char32_t, 256> windows1252CodePoints()
{
    std::array<char32_t, 256> codePoints{};
    for (std::size_t byte = 0; byte < codePoints.size(); ++byte)
        codePoints[byte] = byte >= 0x80 && byte < 0xA0 ? kHighBytes[byte - 0x80] : char32_t(byte);
    return codePoints;
}


const CodePageTable &codePage()
{
    static const CodePageTable table = tableOf(systemCodePoints().value_or(windows1252CodePoints()));
    return table;
}

// One code point from the front of the text and its length in bytes;
// a malformed sequence gives nothing and a length of one.
std::pair<std::optional<char32_t>, std::size_t> decodeOne(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80)
        return {lead, 1};
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || text.size() < length)
        return {std::nullopt, 1};
    char32_t codePoint = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80)
            return {std::nullopt, 1};
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF || surrogate)
        return {std::nullopt, 1};
    return {codePoint, length};
}

} // namespace

std::optional<char> windows1252Byte(char32_t codePoint)
{
    if (codePoint < 0x80)
        return static_cast<char>(codePoint);
    const auto &high = codePage().highByCodePoint;
    const auto found = std::lower_bound(high.begin(), high.end(), std::pair<char32_t, unsigned char>(codePoint, 0));
    if (found == high.end() || found->first != codePoint)
        return std::nullopt;
    return static_cast<char>(found->second);
}

char32_t windows1252CodePoint(unsigned char byte)
{
    return codePage().codePoints[byte];
}

std::string utf8ToWindows1252(std::string_view utf8)
{
    std::string bytes;
    bytes.reserve(utf8.size());
    while (!utf8.empty()) {
        const auto [codePoint, length] = decodeOne(utf8);
        bytes += codePoint ? windows1252Byte(*codePoint).value_or(kUnknown) : kUnknown;
        utf8.remove_prefix(length);
    }
    return bytes;
}

} // namespace zephlan
