#include "ui/common/Windows1252.h"
#include "ui/main/AirportSearch.h"
#include "ui/main/EntryListModel.h"
#include "ui/main/FileDialogSeam.h"

#include <QTest>

using namespace zephlan;

class TestListsAndFilters : public QObject
{
    Q_OBJECT
private slots:
    void find_data()
    {
        QTest::addColumn<QByteArrayList>("entries");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");

        QTest::newRow("exact beats an earlier prefix, case ignored")
            << QByteArrayList{"EGLLA", "egll"} << "Egll" << 1;
        QTest::newRow("first prefix in file order, case ignored")
            << QByteArrayList{"KLAX", "kjfk", "KJAX"} << "Kj" << 1;
        QTest::newRow("no match") << QByteArrayList{"KLAX", "KJFK"} << "ZZ" << -1;
        QTest::newRow("empty text selects nothing") << QByteArrayList{"KLAX"} << "" << -1;
        QTest::newRow("shorter entry is no match") << QByteArrayList{"KJ"} << "KJF" << -1;
        QTest::newRow("only the third byte decides") << QByteArrayList{"ABXD", "ABCD"} << "abc" << 1;
        QTest::newRow("only the fourth byte decides") << QByteArrayList{"ABCX", "ABCD"} << "abcd" << 1;
        QTest::newRow("past the indexed head, prefix") << QByteArrayList{"ABCDEF", "ABCDXY"} << "abcdx" << 1;
        QTest::newRow("past the indexed head, exact") << QByteArrayList{"ABCDEFG", "ABCDEF"} << "abcdef" << 1;
        QTest::newRow("code page letters fold") << QByteArrayList{"X", "\x8A" "ABC"}
                                                << QString::fromUtf8("\xC5\xA1" "abc") << 1;
        QTest::newRow("zero byte is part of the entry") << QByteArrayList{QByteArray("A\0", 2), "A"} << "a" << 1;
        QTest::newRow("list order across first letters") << QByteArrayList{"KJFK", "EGLL", "KLAX", "EGKK"} << "eg" << 1;
        QTest::newRow("empty entry matches nothing") << QByteArrayList{"", "A"} << "a" << 1;
        const QByteArray longCode(300, 'A');
        QTest::newRow("long exact beats long prefix") << QByteArrayList{longCode + "B", longCode}
                                                      << QString(300, 'a') << 1;
        QTest::newRow("long prefix") << QByteArrayList{longCode, longCode + "B"} << QString(300, 'a') + "b" << 1;
        // The first and the last of the 256 groups by first byte; \x9F is Y with diaeresis, folding to \xFF.
        QTest::newRow("last group, y with diaeresis") << QByteArrayList{"A", "\xFF"} << QString::fromUtf8("\xC3\xBF") << 1;
        QTest::newRow("last group, folded capital") << QByteArrayList{"\xFF" "B", "\x9F" "A"}
                                                    << QString::fromUtf8("\xC5\xB8" "a") << 1;
        QTest::newRow("first group, zero byte") << QByteArrayList{"A", QByteArray("\0B", 2)} << QString(QChar(0)) << 1;
        QTest::newRow("text the code page lacks") << QByteArrayList{"K"} << QString::fromUtf8("\xE2\x84\xAA") << -1;
    }

    void find()
    {
        QFETCH(QByteArrayList, entries);
        QFETCH(QString, text);
        QFETCH(int, expected);

        EntryStore store;
        for (const QByteArray &entry : entries)
            store.append(std::string_view(entry.constData(), static_cast<std::size_t>(entry.size())));
        AirportSearch search;
        search.rebuild(store);
        QCOMPARE(search.find(text), expected);
    }

    // The file check's lookups: these very bytes, or the same ignoring case, never a prefix.
    void findBytes_data()
    {
        QTest::addColumn<QByteArrayList>("entries");
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<int>("exact");
        QTest::addColumn<int>("ignoringCase");
        QTest::newRow("the later entry is the very code") << QByteArrayList{"egll", "EGLL"} << QByteArray("EGLL") << 1 << 0;
        QTest::newRow("only in another case") << QByteArrayList{"KJFK", "egll"} << QByteArray("EGLL") << -1 << 1;
        QTest::newRow("a prefix is no match") << QByteArrayList{"EGLLX"} << QByteArray("EGLL") << -1 << -1;
        QTest::newRow("code page letters fold") << QByteArrayList{"\xE9gll"} << QByteArray("\xC9GLL") << -1 << 0;
        QTest::newRow("empty code") << QByteArrayList{""} << QByteArray() << -1 << -1;
    }

    void findBytes()
    {
        QFETCH(QByteArrayList, entries);
        QFETCH(QByteArray, code);
        EntryStore store;
        for (const QByteArray &entry : entries)
            store.append(std::string_view(entry.constData(), static_cast<std::size_t>(entry.size())));
        AirportSearch search;
        search.rebuild(store);
        const std::string_view bytes(code.constData(), static_cast<std::size_t>(code.size()));
        QTEST(search.findBytes(bytes), "exact");
        QTEST(search.findIgnoringCase(bytes), "ignoringCase");
    }

    void modelKeepsEveryByte()
    {
        std::vector<std::string> entries;
        EntryStore store;
        for (int byte = 0; byte < 256; ++byte) {
            entries.push_back(std::string(1, static_cast<char>(byte)) + "X");
            store.append(entries.back());
        }
        EntryListModel model;
        model.appendEntries(std::move(store));
        QCOMPARE(model.rowCount(), 256);
        for (int row = 0; row < 256; ++row) {
            const std::string &entry = entries[static_cast<std::size_t>(row)];
            QCOMPARE(model.entryBytes(row), std::string_view(entry));
            QCOMPARE(model.index(row).data().toString(), fromWindows1252(entry));
        }
        QCOMPARE(model.index(0x80).data().toString(), QString::fromUtf8("\xE2\x82\xAC" "X"));
        QVERIFY(!model.index(256).isValid() && !model.index(-1).isValid() && !model.index(0, 1).isValid()
                && !model.index(0, 0, model.index(0)).isValid());

        // A model with a row limit stops there.
        EntryListModel limited;
        limited.setRowLimit(3);
        for (const auto &pair : {std::pair("A", "B"), std::pair("C", "D")}) {
            EntryStore two;
            two.append(pair.first);
            two.append(pair.second);
            limited.appendEntries(std::move(two));
        }
        QCOMPARE(limited.rowCount(), 3);
        QCOMPARE(limited.entryBytes(2), std::string_view("C"));
    }

    void dialogFilters()
    {
        QCOMPARE(qtNameFilters(QStringLiteral("Airports(*.txt)|*.txt")), QStringList{"Airports(*.txt)"});
        QCOMPARE(qtNameFilters(QStringLiteral("A(*.a)|*.a|Lists|*.txt;*.csv")),
                 QStringList({"A(*.a)", "Lists (*.txt *.csv)"}));
    }
};

QTEST_GUILESS_MAIN(TestListsAndFilters)
#include "tst_listsandfilters.moc"
