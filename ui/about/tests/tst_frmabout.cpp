#include "ui/about/frmAbout.h"

#include "sysinfo/testing/SysInfoFakes.h"
#include "ui/common/MessageSeam.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace zephlan;

class TestFrmAbout : public QObject, public MessageSeam
{
    Q_OBJECT

    FakeRegistry m_registry;
    FakeMachine m_machine;
    QStringList m_shown;
    QPointer<frmAbout> m_window;

    void showMessage(QWidget *, const QString &text, const QString &title) override { m_shown << text + u'|' + title; }

private slots:
    void init()
    {
        m_shown.clear();
        m_window = new frmAbout(&m_registry, &m_machine, &m_machine, this);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }
    void cleanup() { delete m_window; }

    void captionsAfterLoad()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("About Zephlan"));
        QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Zephlan"));
        QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("Version " ZEPHLAN_VERSION));
    }

    void keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("closes"); // or else presses System Info, which shows the message here
        const Qt::KeyboardModifiers none;
        QTest::newRow("enter") << "cmdOK" << Qt::Key_Return << none << true;
        QTest::newRow("escape on sysinfo") << "cmdSysInfo" << Qt::Key_Escape << none << true;
        QTest::newRow("enter on sysinfo") << "cmdSysInfo" << Qt::Key_Return << none << false;
        QTest::newRow("alt+s") << "cmdOK" << Qt::Key_S << Qt::KeyboardModifiers(Qt::AltModifier) << false;
    }
    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, closes);
        auto *target = m_window->findChild<QPushButton *>(focus);
        QVERIFY(target);
        target->setFocus();
        QTest::keyClick(target, key, modifiers);
        QTest::qWait(250); // an access key presses its button after a short press animation
        QCOMPARE(m_window.isNull(), closes);
        const QStringList message{"System Information Is Unavailable At This Time|Zephlan"};
        QCOMPARE(m_shown, closes ? QStringList{} : message);
    }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
