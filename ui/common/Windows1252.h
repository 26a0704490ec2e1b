#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace zephlan {

// Text files are Windows-1252 bytes; the screen shows Unicode. These convert
// at the window boundary, and every one of the 256 byte values round-trips.
QString fromWindows1252(std::string_view bytes);

// Nothing when some character has no Windows-1252 byte.
std::optional<std::string> toWindows1252(const QString &text);

bool isWindows1252(QChar ch);

} // namespace zephlan
