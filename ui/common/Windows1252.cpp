#include "Windows1252.h"

#include "CodePage.h"

#include <QHash>
#include <QStringDecoder>

#include <array>

namespace zephlan {
namespace {

struct CodePage
{
    std::array<QChar, 256> toUnicode{};
    QHash<char16_t, char> toByte;

    CodePage()
    {
        for (int byte = 0; byte < 256; ++byte)
            toUnicode[byte] = QChar(static_cast<char16_t>(windows1252CodePoint(static_cast<unsigned char>(byte))));
        takeFromSystemConverter();
        for (int byte = 0; byte < 256; ++byte)
            toByte.insert(toUnicode[byte].unicode(), static_cast<char>(byte));
    }

    // Where the platform's converter knows the code page, its mapping wins
    // for every byte it maps one to one.
    void takeFromSystemConverter()
    {
        QStringDecoder decoder("windows-1252");
        if (!decoder.isValid())
            return;
        for (int byte = 0; byte < 256; ++byte) {
            const char raw = static_cast<char>(byte);
            QStringDecoder one("windows-1252");
            const QString decoded = one.decode(QByteArrayView(&raw, 1));
            if (decoded.size() == 1 && !one.hasError() && decoded.at(0) != QChar::ReplacementCharacter)
                toUnicode[byte] = decoded.at(0);
        }
    }
};

const CodePage &codePage()
{
    static const CodePage page;
    return page;
}

} // namespace

QString fromWindows1252(std::string_view bytes)
{
    const CodePage &page = codePage();
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes)
        *out++ = page.toUnicode[static_cast<unsigned char>(byte)];
    return text;
}

std::optional<std::string> toWindows1252(const QString &text)
{
    const CodePage &page = codePage();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        const auto found = page.toByte.constFind(ch.unicode());
        if (found == page.toByte.cend())
            return std::nullopt;
        bytes.push_back(*found);
    }
    return bytes;
}

bool isWindows1252(QChar ch)
{
    return codePage().toByte.contains(ch.unicode());
}

} // namespace zephlan
