#include "core/SystemText.h"

#include "core/CodePage.h"

#include <algorithm>

#include <windows.h>

namespace zephlan {

// Files on Windows are in the system's ANSI code page. Only a single-byte one
// can be a byte-for-byte table; a multi-byte one (Chinese, Japanese, Korean,
// UTF-8) keeps Windows-1252. A byte the code page leaves undefined stands for a
// private-use character of its own, so every byte still round-trips.
std::optional<std::array<char32_t, 256>> systemCodePoints()
{
    CPINFO info{};
    if (!::GetCPInfo(CP_ACP, &info) || info.MaxCharSize != 1)
        return std::nullopt;
    std::array<char32_t, 256> codePoints{};
    for (std::size_t byte = 0; byte < codePoints.size(); ++byte) {
        const char raw = static_cast<char>(byte);
        wchar_t wide = 0;
        const bool defined = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &raw, 1, &wide, 1) == 1;
        codePoints[byte] = defined && (wide < 0xD800 || wide > 0xDFFF) ? char32_t(wide) : char32_t(0xF700 + byte);
        if (byte < 0x80 && codePoints[byte] != byte)
            return std::nullopt;
    }
    std::array<char32_t, 256> sorted = codePoints;
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end())
        return std::nullopt;
    return codePoints;
}

// The system's messages come in its ANSI code page: the table's own bytes when
// that is a single-byte code page; otherwise each character the table lacks
// becomes '?', as in a path.
std::string systemText(const std::string &text)
{
    const int size = static_cast<int>(text.size());
    const int length = text.empty() ? 0 : ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    std::string bytes;
    for (const wchar_t ch : wide)
        bytes += windows1252Byte(static_cast<char32_t>(ch)).value_or('?');
    return bytes;
}

} // namespace zephlan
