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
    void everyByteRoundTrips()
    {
        std::string all;
        for (int byte = 0; byte < 256; ++byte)
            all.push_back(static_cast<char>(byte));
        const QString text = fromWindows1252(all);
        QCOMPARE(text.size(), 256);
        const auto back = toWindows1252(text);
        QVERIFY(back.has_value());
        QVERIFY(*back == all);
    }

    // The program keeps its own table of the code page; Qt's converter, where
    // it has one, must read every byte the same way.
    void tableAgreesWithQtConverter()
    {
        if (!QStringDecoder("windows-1252").isValid())
            QSKIP("this Qt has no windows-1252 converter");
        for (int byte = 0; byte < 256; ++byte) {
            const char raw = static_cast<char>(byte);
            QStringDecoder decoder("windows-1252");
            const QString expected = decoder.decode(QByteArrayView(&raw, 1));
            QCOMPARE(fromWindows1252(std::string_view(&raw, 1)), expected);
        }
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

    void knownLetters_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("codePoint");
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("left double quote") << 0x93 << 0x201C;
        QTest::newRow("trade mark") << 0x99 << 0x2122;
        QTest::newRow("e acute") << 0xE9 << 0x00E9;
        QTest::newRow("no-break space") << 0xA0 << 0x00A0;
        QTest::newRow("ascii") << 0x41 << 0x0041;
    }

    void knownLetters()
    {
        QFETCH(int, byte);
        QFETCH(int, codePoint);
        const char raw = static_cast<char>(byte);
        QCOMPARE(fromWindows1252(std::string_view(&raw, 1)).at(0).unicode(), codePoint);
    }

    void unwritableCharactersAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("writable");
        QTest::newRow("plain") << QStringLiteral("N541SP") << true;
        QTest::newRow("latin-1") << QStringLiteral("Z\u00fcrich") << true;
        QTest::newRow("euro") << QStringLiteral("\u20ac") << true;
        QTest::newRow("cyrillic") << QStringLiteral("\u0416") << false;
        QTest::newRow("U+0080, whose byte holds the euro") << QString(QChar(0x80)) << false;
        QTest::newRow("cjk") << QStringLiteral("\u6771\u4eac") << false;
        QTest::newRow("emoji") << QStringLiteral("\U0001F600") << false;
    }

    void unwritableCharactersAreRefused()
    {
        QFETCH(QString, text);
        QFETCH(bool, writable);
        QCOMPARE(toWindows1252(text).has_value(), writable);
    }
};

QTEST_GUILESS_MAIN(TestWindows1252)
#include "tst_windows1252.moc"
