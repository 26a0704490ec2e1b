#include "core/PlanFileCheck.h"
#include "ui/check/frmCheckPlans.h"
#include "ui/common/MessageSeam.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace zephlan;

namespace {

// Two airports and one aircraft of 450 kt.
class TwoAirports final : public PlanCheckLists
{
public:
    bool hasAirports() const override { return true; }
    ListedAirport airport(std::string_view code) const override
    {
        if (code == "KJFK")
            return {true, GeoPoint{40.6398, -73.7789}, {}};
        if (code == "KBOS")
            return {true, GeoPoint{42.3656, -71.0096}, {}};
        return {};
    }
    std::size_t aircraftCount() const override { return 1; }
    std::optional<int> cruiseKnots(std::size_t) const override { return 450; }
};

struct RecordedMessages final : MessageSeam
{
    QStringList shown;
    void showMessage(QWidget *, const QString &prompt, const QString &title) override { shown << title + '|' + prompt; }
};

const QByteArray kGood = "AC#1,N541SP,50%,24Hr,IFR,12:00:00,00:00:00,050,R,0429,KBOS,14:00:00,00:00:00,050,R,430,KJFK";
// Line 2 names an aircraft beyond the list, line 4 an airport not in it, in Windows-1252.
const QByteArray kFile = kGood + "\r\n" + QByteArray(kGood).replace("AC#1,N541SP", "AC#2,N542SP") + "\r\n\r\n"
    + QByteArray(kGood).replace("N541SP", "N543SP").replace("KBOS", "K\xC9OS") + "\r\n";

} // namespace

class CheckPlansWindowTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    TwoAirports m_lists;
    RecordedMessages m_messages;
    QPointer<frmCheckPlans> m_window;

    QString writePlans(const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(QStringLiteral("FlightPlans.txt")));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("could not write the plans");
        return file.fileName();
    }
    QTableView *table() const { return m_window->findChild<QTableView *>(QStringLiteral("grdLines")); }
    QString sentence() const { return m_window->findChild<QLabel *>(QStringLiteral("lblSummary"))->text(); }
    QString cell(int row, int column) const { return table()->model()->index(row, column).data().toString(); }
    void key(QKeySequence keys) { QTest::keySequence(QApplication::focusWidget(), keys); }

private slots:
    void init()
    {
        m_messages.shown.clear();
        m_window = new frmCheckPlans(writePlans(kFile), &m_lists, &m_messages);
        m_window->show();
        QApplication::setActiveWindow(m_window);
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }
    void cleanup() { delete m_window; }

    void showsTheFileAndItsProblems()
    {
        QCOMPARE(m_window->windowTitle(), "Check Flight Plans - FlightPlans.txt");
        const QPoint offCentre = m_window->frameGeometry().center() - m_window->screen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 1);
        QCOMPARE(sentence(), "4 lines, 3 plans: 2 with problems");
        QCOMPARE(QApplication::focusWidget(), table());
        QCOMPARE(table()->model()->rowCount(), 2);
        QStringList headers;
        for (int column = 0; column < table()->model()->columnCount(); ++column)
            headers << table()->model()->headerData(column, Qt::Horizontal).toString();
        QCOMPARE(headers.join('|'), "Line|Call Sign|Airports|Period|What Is Wrong");
        QCOMPARE(cell(0, 0) + '|' + cell(0, 1) + '|' + cell(0, 2) + '|' + cell(0, 3), "2|N542SP|KJFK -> KBOS -> KJFK|24Hr");
        QCOMPARE(cell(0, 4), "AC#2 is beyond the 1 aircraft of the aircraft list");
        QCOMPARE(cell(1, 2), QString::fromUtf8("KJFK -> K\xC3\x89OS -> KJFK"));
        QCOMPARE(cell(1, 4), QString::fromUtf8("leg 1 airport \"K\xC3\x89OS\" is not in the airports list"));
    }

    // Enter shows the current row's whole line, Ctrl+C copies the selected rows, Esc closes.
    void keyboard()
    {
        key(QKeySequence(Qt::Key_Down));
        key(QKeySequence(Qt::Key_Return));
        QCOMPARE(m_messages.shown, QStringList{"Line 4|" + QString::fromLatin1(kFile.split('\n').at(3).trimmed())
                                               + "\n\n" + cell(1, 4)});
        QApplication::clipboard()->clear();
        key(QKeySequence(Qt::SHIFT | Qt::Key_Up));
        key(QKeySequence::Copy);
        const QStringList copied = QApplication::clipboard()->text().split('\n');
        QCOMPARE(copied.size(), 3);
        QCOMPARE(copied.at(0), "2\tN542SP\tKJFK -> KBOS -> KJFK\t24Hr\tAC#2 is beyond the 1 aircraft of the aircraft list");
        QVERIFY(copied.at(1).startsWith("4\tN543SP\t"));
        key(QKeySequence(Qt::Key_Escape));
        QTRY_VERIFY(m_window.isNull());
    }

    // F5 and the button read the file again; a file gone says so and leaves the table empty.
    void checkAgain()
    {
        writePlans(kGood + "\n" + kGood + "\n");
        key(QKeySequence(Qt::Key_F5));
        QCOMPARE(sentence(), "2 lines, 2 plans: no problems found");
        QCOMPARE(cell(0, 4), "call sign N541SP is also on line 2");
        writePlans(kFile);
        QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("cmdCheckAgain")), Qt::LeftButton);
        QCOMPARE(sentence(), "4 lines, 3 plans: 2 with problems");
        QVERIFY(QFile::remove(m_dir.filePath(QStringLiteral("FlightPlans.txt"))));
        key(QKeySequence(Qt::Key_F5));
        QVERIFY2(sentence().startsWith("FlightPlans.txt could not be read: "), qPrintable(sentence()));
        QCOMPARE(table()->model()->rowCount(), 0);
    }

    // What a screen reader meets: the sentence, then the table named by it, with its column names.
    void screenReader()
    {
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_window.data());
        QStringList order;
        for (int i = 0; i < window->childCount(); ++i)
            order << window->child(i)->object()->objectName();
        QCOMPARE(order.mid(0, 2), QStringList({"lblSummary", "grdLines"}));
        QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(table());
        QCOMPARE(grid->role(), QAccessible::Table);
        const auto labels = grid->relations(QAccessible::Label);
        QVERIFY(!labels.isEmpty() && labels.first().first->text(QAccessible::Name) == sentence());
        QAccessibleTableInterface *cells = grid->tableInterface();
        QCOMPARE(cells->rowCount(), 2);
        QCOMPARE(cells->columnDescription(4), "What Is Wrong");
        QCOMPARE(cells->cellAt(1, 1)->text(QAccessible::Name), "N543SP");
    }
};

QTEST_MAIN(CheckPlansWindowTest)
#include "tst_frmcheckplans.moc"
