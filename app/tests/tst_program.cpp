#include "ProgramWindows.h"
#include "WindowRegistry.h"
#include "frmAbout.h"
#include "frmWelcome.h"
#include "frmZephlan.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace zephlan;
using Kind = WindowRegistry::Kind;

class TestProgram : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowRegistry> m_registry;
    std::unique_ptr<QSignalSpy> m_ended;

    QWidget *start()
    {
        m_registry = std::make_unique<WindowRegistry>();
        m_ended = std::make_unique<QSignalSpy>(m_registry.get(), &WindowRegistry::lastWindowClosed);
        registerProgramWindows(*m_registry);
        QWidget *welcome = m_registry->show(Kind::Welcome);
        if (!QTest::qWaitForWindowExposed(welcome))
            qWarning("welcome window not exposed");
        return welcome;
    }

    void pressContinue()
    {
        QWidget *welcome = m_registry->window(Kind::Welcome);
        QVERIFY(welcome);
        QTest::mouseClick(welcome->findChild<QPushButton *>(QStringLiteral("cmdContinue")), Qt::LeftButton);
        QTest::qWait(0);
    }

    static QList<QWidget *> visibleWindows()
    {
        QList<QWidget *> windows;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible())
                windows << widget;
        }
        return windows;
    }

    QLineEdit *mainInput()
    {
        QWidget *main = m_registry->window(Kind::Main);
        return main ? main->findChild<QLineEdit *>(QStringLiteral("txtCallSign")) : nullptr;
    }

private slots:
    void cleanup()
    {
        QList<QPointer<QWidget>> windows;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (!widget->parentWidget())
                windows << widget;
        }
        qDeleteAll(windows);
        m_ended.reset();
        m_registry.reset();
    }

    void continueLeavesExactlyTheMainWindow()
    {
        start();
        pressContinue();
        QVERIFY(qobject_cast<frmZephlan *>(m_registry->window(Kind::Main)));
        QCOMPARE(visibleWindows(), QList<QWidget *>{m_registry->window(Kind::Main)});
        QVERIFY(!m_registry->window(Kind::Welcome));
        QCOMPARE(m_ended->count(), 0);
    }

    void keyAtStart_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ends");
        QTest::newRow("letter") << int(Qt::Key_X) << "x" << true;
        QTest::newRow("escape") << int(Qt::Key_Escape) << "\x1b" << true;
        QTest::newRow("arrow") << int(Qt::Key_Down) << "" << false;
        QTest::newRow("function key") << int(Qt::Key_F5) << "" << false;
    }
    void keyAtStart()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, ends);
        QWidget *welcome = start();
        QTest::sendKeyEvent(QTest::Click, welcome->focusWidget(), Qt::Key(key), text, Qt::NoModifier);
        QTest::qWait(0);
        QCOMPARE(m_ended->count(), ends ? 1 : 0);
        QCOMPARE(m_registry->window(Kind::Welcome) == nullptr, ends);
        QVERIFY(!m_registry->window(Kind::Main));
        QCOMPARE(visibleWindows().size(), ends ? 0 : 1);
    }

    void helpAgainKeepsTheMainWindowsInputs_data()
    {
        QTest::addColumn<bool>("byContinue");
        QTest::newRow("continue") << true;
        QTest::newRow("key press") << false;
    }
    void helpAgainKeepsTheMainWindowsInputs()
    {
        QFETCH(bool, byContinue);
        start();
        pressContinue();
        auto *main = qobject_cast<frmZephlan *>(m_registry->window(Kind::Main));
        QVERIFY(main && mainInput());
        QTest::keyClicks(mainInput(), QStringLiteral("AFR1234"));

        emit main->helpRequested();
        QWidget *help = m_registry->window(Kind::Welcome);
        QVERIFY(qobject_cast<frmWelcome *>(help));
        QVERIFY(QTest::qWaitForWindowExposed(help));
        emit main->helpRequested();
        QCOMPARE(m_registry->window(Kind::Welcome), help);
        if (byContinue) {
            pressContinue();
        } else {
            QTest::sendKeyEvent(QTest::Click, help->focusWidget(), Qt::Key_H, QStringLiteral("h"), Qt::NoModifier);
            QTest::qWait(0);
        }

        QCOMPARE(m_registry->window(Kind::Main), main);
        QCOMPARE(visibleWindows(), QList<QWidget *>{main});
        QCOMPARE(mainInput()->text(), QStringLiteral("AFR1234"));
        QCOMPARE(m_ended->count(), 0);
    }

    void aboutIsOneWindowBesideTheMainWindow()
    {
        start();
        pressContinue();
        auto *main = qobject_cast<frmZephlan *>(m_registry->window(Kind::Main));
        QVERIFY(main);
        emit main->aboutRequested();
        QWidget *about = m_registry->window(Kind::About);
        QVERIFY(qobject_cast<frmAbout *>(about));
        emit main->aboutRequested();
        QCOMPARE(m_registry->window(Kind::About), about);
        QCOMPARE(visibleWindows().size(), 2);

        QVERIFY(main->close());
        QTest::qWait(0);
        QCOMPARE(m_ended->count(), 0);
        QVERIFY(about->close());
        QTest::qWait(0);
        QCOMPARE(m_ended->count(), 1);
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
