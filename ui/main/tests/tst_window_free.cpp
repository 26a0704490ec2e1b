#include "AirportSearch.h"
#include "EntryListModel.h"
#include "FileDialogSeam.h"
#include "Windows1252.h"

#include <QTest>

using namespace zephlan;

class WindowFreeTest : public QObject
{
    Q_OBJECT
private slots:
    void find_data();
    void find();
    void modelKeepsEveryByte();
    void modelStopsAtItsRowLimit();
    void dialogFilters_data();
    void dialogFilters();
};

void WindowFreeTest::find_data()
{
    QTest::addColumn<QByteArrayList>("entries");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("exact beats an earlier prefix") << QByteArrayList{"EGLLA", "EGLL"} << "EGLL" << 1;
    QTest::newRow("first prefix in file order") << QByteArrayList{"KLAX", "KJFK", "KJAX"} << "KJ" << 1;
    QTest::newRow("exact ignores case") << QByteArrayList{"EGLLX", "egll", "EGLL"} << "Egll" << 1;
    QTest::newRow("prefix ignores case") << QByteArrayList{"KLAX", "kjfk"} << "KJ" << 1;
    QTest::newRow("no match") << QByteArrayList{"KLAX", "KJFK"} << "ZZ" << -1;
    QTest::newRow("empty text selects nothing") << QByteArrayList{"KLAX"} << "" << -1;
    QTest::newRow("empty list") << QByteArrayList{} << "K" << -1;
    QTest::newRow("shorter entry is no match") << QByteArrayList{"KJ"} << "KJF" << -1;
    QTest::newRow("text past the indexed head, prefix")
        << QByteArrayList{"ABCDEF", "ABCDXY"} << "abcdx" << 1;
    QTest::newRow("text past the indexed head, exact")
        << QByteArrayList{"ABCDEFG", "ABCDEF"} << "abcdef" << 1;
    QTest::newRow("accented capital folds") << QByteArrayList{"\xC9GLL"} << QString::fromUtf8("\xC3\xA9gll") << 0;
    QTest::newRow("code page letter folds") << QByteArrayList{"X", "\x8A" "ABC"}
                                            << QString::fromUtf8("\xC5\xA1" "abc") << 1;
    QTest::newRow("zero byte is part of the entry")
        << QByteArrayList{QByteArray("A\0", 2), "A"} << "a" << 1;
}

void WindowFreeTest::find()
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

void WindowFreeTest::modelKeepsEveryByte()
{
    std::vector<std::string> entries;
    for (int byte = 0; byte < 256; ++byte)
        entries.push_back(std::string(1, static_cast<char>(byte)) + "X");
    EntryListModel model;
    model.appendEntries(entries);
    QCOMPARE(model.rowCount(), 256);
    for (int row = 0; row < 256; ++row) {
        QCOMPARE(model.entryBytes(row), std::string_view(entries[static_cast<std::size_t>(row)]));
        QCOMPARE(model.index(row).data().toString(), fromWindows1252(entries[static_cast<std::size_t>(row)]));
    }
    QCOMPARE(model.index(0x80).data().toString(), QString::fromUtf8("\xE2\x82\xAC" "X"));
}

void WindowFreeTest::modelStopsAtItsRowLimit()
{
    EntryListModel model;
    model.setRowLimit(3);
    model.appendEntries({"A", "B"});
    model.appendEntries({"C", "D"});
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.entryBytes(2), std::string_view("C"));
    QCOMPARE(model.entryBytes(3), std::string_view());
}

void WindowFreeTest::dialogFilters_data()
{
    QTest::addColumn<QString>("pipeFilter");
    QTest::addColumn<QStringList>("qtFilters");

    QTest::newRow("patterns already in the description")
        << "Airports(*.txt)|*.txt" << QStringList{"Airports(*.txt)"};
    QTest::newRow("patterns appended") << "Text files|*.txt" << QStringList{"Text files (*.txt)"};
    QTest::newRow("several patterns") << "Lists|*.txt;*.csv" << QStringList{"Lists (*.txt *.csv)"};
    QTest::newRow("two filters") << "A(*.a)|*.a|B|*.b" << QStringList{"A(*.a)", "B (*.b)"};
}

void WindowFreeTest::dialogFilters()
{
    QFETCH(QString, pipeFilter);
    QFETCH(QStringList, qtFilters);
    QCOMPARE(qtNameFilters(pipeFilter), qtFilters);
}

QTEST_GUILESS_MAIN(WindowFreeTest)
#include "tst_window_free.moc"
