#include "ui/common/Windows1252.h"

#include "core/CodePage.h"

#include <array>

namespace zephlan {
namespace {

// The code page's table as screen characters, decoded once for speed.
const std::array<QChar, 256> &screenCharacters()
{
    static const std::array<QChar, 256> table = [] {
        std::array<QChar, 256> characters{};
        for (int byte = 0; byte < 256; ++byte)
            characters[static_cast<std::size_t>(byte)] =
                QChar(static_cast<char16_t>(windows1252CodePoint(static_cast<unsigned char>(byte))));
        return characters;
    }();
    return table;
}

} // namespace

QString fromWindows1252(std::string_view bytes)
{
    const std::array<QChar, 256> &table = screenCharacters();
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes)
        *out++ = table[static_cast<unsigned char>(byte)];
    return text;
}

std::optional<std::string> toWindows1252(const QString &text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        const std::optional<char> byte = windows1252Byte(ch.unicode());
        if (!byte)
            return std::nullopt;
        bytes.push_back(*byte);
    }
    return bytes;
}

bool isWindows1252(QChar ch)
{
    return windows1252Byte(ch.unicode()).has_value();
}

} // namespace zephlan
