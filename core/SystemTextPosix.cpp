#include "core/SystemText.h"

#include "core/CodePage.h"

namespace zephlan {

// Files here are in Windows-1252 whatever the locale.
std::optional<std::array<char32_t, 256>> systemCodePoints()
{
    return std::nullopt;
}

// The system's messages are UTF-8.
std::string systemText(const std::string &text)
{
    return utf8ToWindows1252(text);
}

} // namespace zephlan
