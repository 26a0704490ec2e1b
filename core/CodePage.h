#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zephlan {

// Windows-1252, the one text encoding of every file the program reads or
// writes; on Windows, the system's ANSI code page when that is a single-byte
// one. This is the program's only table of it.

// The Unicode character a byte stands for. The bytes the code page leaves
// unassigned stand for characters of their own (in Windows-1252 the C1 control
// code points), so every byte value round-trips.
char32_t windows1252CodePoint(unsigned char byte);

// The byte that stands for a Unicode character, or nothing when the code
// page has none.
std::optional<char> windows1252Byte(char32_t codePoint);

// UTF-8 text as Windows-1252 bytes for a message box. A character the code
// page lacks, or a byte that is not valid UTF-8, becomes one '?'.
std::string utf8ToWindows1252(std::string_view utf8);

} // namespace zephlan
