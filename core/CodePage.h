#pragma once

#include <string>
#include <string_view>

namespace zephlan {

// The Unicode character a Windows-1252 byte stands for. The five bytes the
// code page leaves unassigned stand for their C1 control code points, so
// every byte value round-trips.
char32_t windows1252CodePoint(unsigned char byte);

// UTF-8 text as Windows-1252 bytes for a message box. A character the code
// page lacks, or a byte that is not valid UTF-8, becomes one '?'.
std::string utf8ToWindows1252(std::string_view utf8);

} // namespace zephlan
