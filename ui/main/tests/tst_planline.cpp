#include "ui/main/frmZephlan.h"
#include "ui/main/testing/SeamDoubles.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

using namespace zephlan;

class PlanLineTest : public QObject
{
    Q_OBJECT

    QString writeFile(const QTemporaryDir &dir, const char *name, const QByteArray &bytes)
    {
        QFile file(dir.filePath(QLatin1String(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return file.fileName();
    }

private slots:
    // The line follows the aircraft picked, and a plan that cannot work is marked
    // by a sign and a colour; the screen reader hears the same words.
    void followsTheInputs()
    {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        RecordingMessages messages;
        frmZephlan window(&dialogs, &messages);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        dialogs.answers = {
            writeFile(dir, "Airports.txt", "EGLL,51.4775,-0.4614,83\r\nKJFK,N40* 38.388',W73* 46.734',13\r\n"),
            writeFile(dir, "Aircraft.txt", "AC#1,490,\"Boeing 747-400\"\r\nAC#2,450,\"Boeing 777\"\r\n")};
        window.findChild<QAction *>(QStringLiteral("mnuAirport"))->trigger();
        window.findChild<QAction *>(QStringLiteral("mnuAircraft"))->trigger();
        auto *line = window.findChild<QLabel *>(QStringLiteral("lblPlan"));
        QVERIFY(line != nullptr);
        QCOMPARE(line->text(), QString());
        const QColor plain = line->palette().color(QPalette::WindowText);

        QTest::keyClicks(window.findChild<QLineEdit *>(QStringLiteral("txtDeparture")), QStringLiteral("EGLL"));
        QTest::keyClicks(window.findChild<QLineEdit *>(QStringLiteral("txtArrival")), QStringLiteral("KJFK"));
        auto *aircraft = window.findChild<QListView *>(QStringLiteral("lstAircraft"));
        aircraft->setCurrentIndex(aircraft->model()->index(0, 0));
        QCOMPARE(line->text(), QStringLiteral("EGLL -> KJFK 2,991 nm; Boeing 747-400 at 490 kt: about 6 h 06 min"));
        aircraft->setCurrentIndex(aircraft->model()->index(1, 0));
        QCOMPARE(line->text(), QStringLiteral("EGLL -> KJFK 2,991 nm; Boeing 777 at 450 kt: about 6 h 39 min"));
        QCOMPARE(line->accessibleName(), QStringLiteral("Plan: ") + line->text());
        QCOMPARE(line->palette().color(QPalette::WindowText), plain);

        auto *arrival = window.findChild<QLineEdit *>(QStringLiteral("txtArrival"));
        arrival->clear();
        QTest::keyClicks(arrival, QStringLiteral("EGLL"));
        QVERIFY2(line->text().startsWith(QStringLiteral("\u26A0 Departure and destination are the same airport.")),
                 qPrintable(line->text()));
        QVERIFY(line->palette().color(QPalette::WindowText) != plain);
    }
};

QTEST_MAIN(PlanLineTest)
#include "tst_planline.moc"
