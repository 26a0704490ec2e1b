#include "core/CodePage.h"

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
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (std::size_t i = 0; i < kHighBytes.size(); ++i) {
        if (kHighBytes[i] == codePoint)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

char32_t windows1252CodePoint(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHighBytes[byte - 0x80] : char32_t(byte);
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
