// The check of a flight-plans file end to end on an X server: the program's own windows, the two
// lists and the plans file chosen in Qt's real file dialogs, the menu used with the mouse, and the
// check window read as a screen reader reads it, through the accessibility interface.
#include "app/ProgramWindows.h"
#include "ui/common/Appearance.h"

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace zephlan;
using Kind = WindowRegistry::Kind;

namespace {

// Answers each file dialog with the next path, typed into its name box, and each message with Enter.
class DialogAnswers final : public QObject
{
public:
    QStringList paths;
    QStringList messages;

    DialogAnswers()
    {
        connect(&m_poll, &QTimer::timeout, this, &DialogAnswers::answer);
        m_poll.start(20);
    }

private:
    void answer()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isActiveWindow() || modal == m_answered)
            return;
        m_answered = modal;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->text();
            QTest::keyClick(box, Qt::Key_Return);
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal); dialog && !paths.isEmpty()) {
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            name->selectAll();
            QTest::keyClicks(name, paths.takeFirst());
            QTest::keyClick(name, Qt::Key_Return);
        }
    }

    QTimer m_poll;
    QPointer<QWidget> m_answered;
};

// The program's window whose accessible name is the given one.
QAccessibleInterface *windowNamed(const QString &name)
{
    QAccessibleInterface *application = QAccessible::queryAccessibleInterface(qApp);
    for (int i = 0; i < application->childCount(); ++i) {
        if (application->child(i)->text(QAccessible::Name) == name)
            return application->child(i);
    }
    return nullptr;
}

QAccessibleInterface *childOfRole(QAccessibleInterface *parent, QAccessible::Role role)
{
    for (int i = 0; parent && i < parent->childCount(); ++i) {
        if (parent->child(i)->role() == role)
            return parent->child(i);
    }
    return nullptr;
}

} // namespace

class CheckPlansEndToEnd : public QObject
{
    Q_OBJECT

    WindowRegistry m_registry;
    QTemporaryDir m_dir;

    QString write(const char *name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(QLatin1String(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("could not write %s", name);
        return file.fileName();
    }

    // Clicks File, then the item, as a user does.
    static void chooseFromFileMenu(QMainWindow *main, const char *item)
    {
        QMenuBar *bar = main->menuBar();
        auto *file = main->findChild<QMenu *>(QStringLiteral("mnuFile"));
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
        QVERIFY(QTest::qWaitForWindowExposed(file));
        auto *action = main->findChild<QAction *>(QLatin1String(item));
        QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(action).center());
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), "xcb");
        applyApplicationLook();
        registerProgramWindows(m_registry);
    }

    void aFileWithProblemsThroughTheMenu()
    {
        DialogAnswers answers;
        answers.paths = {write("Airports.txt", "BGGH,N64* 11.44',W51* 40.68',282\r\nBIKF,N63* 59.10',W22* 36.30',171\r\n"),
                         write("Aircraft.txt", "AC#11,450,\"Boeing 737-800 Paint1\"\r\n"),
                         write("Plans.txt", "AC#1,TF-ABC,100%,24Hr,IFR,06:00:00,00:00:00,350,F,101,BIKF,"
                                            "07:00:00,00:00:00,350,F,102,BGGH\r\n"
                                            "AC#2,TF-ABD,100%,24Hr,IFR,06:00:00,00:00:00,350,F,103,BIKX,"
                                            "09:00:00,00:00:00,350,F,104,BGGH\r\n")};
        QTest::mouseClick(m_registry.show(Kind::Welcome)->findChild<QWidget *>(QStringLiteral("cmdContinue")),
                          Qt::LeftButton);
        auto *main = qobject_cast<QMainWindow *>(m_registry.window(Kind::Main));
        QVERIFY(main && QTest::qWaitForWindowActive(main));
        chooseFromFileMenu(main, "mnuAirport");
        QTRY_COMPARE(answers.messages, QStringList{"Open Decompiled Aircrafts.txt from File Menu"});
        chooseFromFileMenu(main, "mnuAircraft");
        chooseFromFileMenu(main, "mnuCheckPlans");
        QVERIFY(answers.paths.isEmpty());

        QAccessibleInterface *check = nullptr;
        QTRY_VERIFY((check = windowNamed(QStringLiteral("Check Flight Plans - Plans.txt"))));
        QAccessibleInterface *sentence = childOfRole(check, QAccessible::StaticText);
        QVERIFY(sentence);
        QCOMPARE(sentence->text(QAccessible::Name), "2 lines, 2 plans: 2 with problems");
        QAccessibleInterface *table = childOfRole(check, QAccessible::Table);
        QVERIFY(table && table->tableInterface());
        QCOMPARE(table->relations(QAccessible::Label).value(0).first->text(QAccessible::Name),
                 sentence->text(QAccessible::Name));
        QAccessibleTableInterface *cells = table->tableInterface();
        QStringList columns;
        for (int column = 0; column < cells->columnCount(); ++column)
            columns << cells->columnDescription(column);
        QCOMPARE(columns.join('|'), "Line|Call Sign|Airports|Period|What Is Wrong");
        QStringList rows;
        for (int row = 0; row < cells->rowCount(); ++row) {
            QStringList texts;
            for (int column = 0; column < cells->columnCount(); ++column)
                texts << cells->cellAt(row, column)->text(QAccessible::Name);
            rows << texts.join('|');
        }
        // BGGH to BIKF, 756 nm at 450 kt: 1 h 41 min, so the return at 07:00 leaves 41 min early.
        QCOMPARE(rows, QStringList({"1|TF-ABC|BGGH -> BIKF -> BGGH|24Hr|leg 2 leaves 41 min before leg 1 has ended",
                                    "2|TF-ABD|BGGH -> BIKX -> BGGH|24Hr|AC#2 is beyond the 1 aircraft of the aircraft "
                                    "list; leg 1 airport \"BIKX\" is not in the airports list"}));
        QVERIFY(main->isEnabled() && main->isVisible());
        QVERIFY(main->close());
        QTRY_VERIFY(!windowNamed(QStringLiteral("Check Flight Plans - Plans.txt")));
    }
};

QTEST_MAIN(CheckPlansEndToEnd)
#include "tst_checkplans_x11.moc"
