#pragma once

#include <array>
#include <optional>
#include <string>

namespace zephlan {

// What each byte of the system's own byte code page stands for, when the system
// has one that can serve as the files' code page; nothing otherwise.
std::optional<std::array<char32_t, 256>> systemCodePoints();

// A text the system wrote (an error message), as the files' bytes.
std::string systemText(const std::string &text);

} // namespace zephlan
