#pragma once

#include <string>
#include <string_view>

namespace zephlan {

// UTF-8 text as Windows-1252 bytes for a message box. A character the code
// page lacks, or a byte that is not valid UTF-8, becomes one '?'.
std::string utf8ToWindows1252(std::string_view utf8);

} // namespace zephlan
