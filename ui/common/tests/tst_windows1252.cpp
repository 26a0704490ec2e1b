#include "ui/common/Windows1252.h"

#include <QStringDecoder>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace zephlan;

class TestWindows1252 : public QObject
{
    Q_OBJECT

private slots:
    // The program keeps its own table of the code page: every byte reads as one character, as
    // Qt's converter (where this Qt has one) reads it, and writes back as itself.
    void everyByteReadsAsTheCodePageAndWritesBack()
    {
        std::string all;
        for (int byte = 0; byte < 256; ++byte)
            all.push_back(static_cast<char>(byte));
        const QString text = fromWindows1252(all);
        QCOMPARE(text.size(), 256);
        QVERIFY(toWindows1252(text) == all);
        QStringDecoder decoder("windows-1252");
        if (!decoder.isValid())
            QSKIP("this Qt has no windows-1252 converter");
        QCOMPARE(text, decoder.decode(QByteArrayView(all.data(), qsizetype(all.size()))));
    }

#ifdef Q_OS_WIN
    // On Windows the table is the system's ANSI code page: every byte reads as Windows itself reads it.
    void tableIsTheSystemCodePage()
    {
        for (int byte = 0; byte < 256; ++byte) {
            const char raw = static_cast<char>(byte);
            wchar_t expected = 0;
            QCOMPARE(::MultiByteToWideChar(CP_ACP, 0, &raw, 1, &expected, 1), 1);
            QCOMPARE(fromWindows1252(std::string_view(&raw, 1)), QString(QChar(expected)));
        }
    }

    // These tests run on a Western system, where that code page is Windows-1252.
    void systemIsWestern() { QCOMPARE(::GetACP(), 1252u); }
#endif

    // Characters outside the code page are refused, U+0080 too, though its byte holds the euro.
    void unwritableCharactersAreRefused()
    {
        for (const QString &text :
             {QStringLiteral("\u0416"), QString(QChar(0x80)), QStringLiteral("A\u6771"), QStringLiteral("\U0001F600")})
            QVERIFY2(!toWindows1252(text).has_value(), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestWindows1252)
#include "tst_windows1252.moc"
