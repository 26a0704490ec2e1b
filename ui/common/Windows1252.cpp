#include "Windows1252.h"

#include <QHash>
#include <QStringDecoder>

#include <array>

namespace zephlan {
namespace {

// The code page's own letters in 0x80..0x9F; the five unassigned bytes keep
// their C1 control code points so that they survive a round trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct CodePage
{
    std::array<QChar, 256> toUnicode{};
    QHash<char16_t, char> toByte;

    CodePage()
    {
        for (int byte = 0; byte < 256; ++byte)
            toUnicode[byte] = QChar(static_cast<char16_t>(byte));
        for (int i = 0; i < 32; ++i)
            toUnicode[0x80 + i] = QChar(kHighControls[i]);
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
