#include "app/ProgramWindows.h"
#include "ui/about/frmAbout.h"
#include "ui/main/frmZephlan.h"
#include "ui/welcome/frmWelcome.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

using namespace zephlan;
using Kind = WindowRegistry::Kind;

class TestProgram : public QObject
{
    Q_OBJECT

    WindowRegistry m_registry;
    QSignalSpy m_ended{&m_registry, &WindowRegistry::lastWindowClosed};

    QWidget *window(Kind kind) const { return m_registry.window(kind); }

    frmZephlan *pressContinue()
    {
        QTest::mouseClick(window(Kind::Welcome)->findChild<QWidget *>(QStringLiteral("cmdContinue")), Qt::LeftButton);
        QTest::qWait(0);
        return qobject_cast<frmZephlan *>(window(Kind::Main));
    }

    static QList<QWidget *> visibleWindows()
    {
        QList<QWidget *> windows = QApplication::topLevelWidgets();
        windows.removeIf([](QWidget *widget) { return !widget->isVisible(); });
        return windows;
    }

private slots:
    void initTestCase() { registerProgramWindows(m_registry); }
    void init()
    {
        QVERIFY(QTest::qWaitForWindowExposed(m_registry.show(Kind::Welcome)));
        m_ended.clear();
    }
    void cleanup()
    {
        for (Kind kind : {Kind::Welcome, Kind::Main, Kind::About})
            delete window(kind);
    }

    void letterAtStartEndsTheProgram()
    {
        QTest::keyClick(window(Kind::Welcome)->focusWidget(), Qt::Key_X);
        QTest::qWait(0);
        QCOMPARE(m_ended.count(), 1);
        QVERIFY(!window(Kind::Main));
        QVERIFY(visibleWindows().isEmpty());
    }

    void continueThenHelpAgainThenAboutClosedLast()
    {
        frmZephlan *main = pressContinue();
        QVERIFY(main);
        QCOMPARE(visibleWindows(), QList<QWidget *>{main});
        QVERIFY(!window(Kind::Welcome));
        auto *input = main->findChild<QLineEdit *>(QStringLiteral("txtCallSign"));
        QVERIFY(input);
        QTest::keyClicks(input, QStringLiteral("AFR1234"));

        emit main->helpRequested();
        QWidget *help = window(Kind::Welcome);
        QVERIFY(qobject_cast<frmWelcome *>(help));
        QVERIFY(QTest::qWaitForWindowExposed(help));
        emit main->helpRequested();
        QCOMPARE(window(Kind::Welcome), help);
        QCOMPARE(pressContinue(), main);

        QCOMPARE(visibleWindows(), QList<QWidget *>{main});
        QCOMPARE(input->text(), QStringLiteral("AFR1234"));

        emit main->aboutRequested();
        QWidget *about = window(Kind::About);
        QVERIFY(qobject_cast<frmAbout *>(about));
        emit main->aboutRequested();
        QCOMPARE(window(Kind::About), about);

        QVERIFY(main->close());
        QTest::qWait(0);
        QCOMPARE(m_ended.count(), 0);
        QVERIFY(about->close());
        QTest::qWait(0);
        QCOMPARE(m_ended.count(), 1);
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
