// The window boundary on any bytes: bytes shown on screen and taken back give
// the same bytes; and any screen text that has Windows-1252 bytes comes back
// from them unchanged.
#include "ui/common/Windows1252.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const QString shown = zephlan::fromWindows1252(bytes);
    if (shown.size() != static_cast<qsizetype>(size))
        std::abort();
    for (const QChar ch : shown) {
        if (!zephlan::isWindows1252(ch))
            std::abort();
    }
    const std::optional<std::string> back = zephlan::toWindows1252(shown);
    if (!back || *back != bytes)
        std::abort();

    // The same bytes read as UTF-16 screen text, whatever characters that gives.
    std::vector<char16_t> units(size / sizeof(char16_t));
    if (!units.empty())
        std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    const QString typed = QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
    const std::optional<std::string> typedBytes = zephlan::toWindows1252(typed);
    bool representable = true;
    for (const QChar ch : typed)
        representable = representable && zephlan::isWindows1252(ch);
    if (typedBytes.has_value() != representable || (typedBytes && zephlan::fromWindows1252(*typedBytes) != typed))
        std::abort();
    return 0;
}
