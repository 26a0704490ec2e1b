#include "frmAbout.h"

#include "Appearance.h"
#include "MessageSeam.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace zephlan;

namespace {

class NoRegistry final : public Registry
{
public:
    int opens = 0;
    RegistryOpenResult open(std::uint32_t, const std::string &, std::uint32_t, std::uint32_t) override
    {
        ++opens;
        return {kErrorFileNotFound, 0};
    }
    RegistryQueryResult queryValue(RegistryHandle, const std::string &, std::span<unsigned char>) override
    {
        return {kErrorFileNotFound, 0, 0};
    }
    RegistryStatus close(RegistryHandle) override { return kErrorSuccess; }
};

class NoFiles final : public FileFinder
{
public:
    std::string findFirst(const std::string &) override { return {}; }
};

class NoPrograms final : public ProgramStarter
{
public:
    bool start(const std::string &) override { return false; }
};

class RecordedMessages final : public MessageSeam
{
public:
    QStringList shown;
    void showMessage(QWidget *, const QString &prompt, const QString &title) override
    {
        shown << prompt + QLatin1Char('|') + title;
    }
};

} // namespace

class TestFrmAbout : public QObject
{
    Q_OBJECT

private:
    NoRegistry m_registry;
    NoFiles m_files;
    NoPrograms m_programs;
    RecordedMessages m_messages;
    QPointer<frmAbout> m_window;

    frmAbout *openWindow()
    {
        m_registry.opens = 0;
        m_messages.shown.clear();
        m_window = new frmAbout(&m_registry, &m_files, &m_programs, &m_messages);
        m_window->show();
        m_window->activateWindow();
        if (!QTest::qWaitForWindowActive(m_window))
            qWarning("about window did not become active");
        return m_window;
    }

private slots:
    void cleanup() { delete m_window; }

    void captionsAfterLoad_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::newRow("window") << QString() << "About Zephlan";
        QTest::newRow("title") << "lblTitle" << "Zephlan";
        QTest::newRow("version") << "lblVersion" << "Version 1.0.10";
        QTest::newRow("ok") << "cmdOK" << "OK";
        QTest::newRow("sysinfo") << "cmdSysInfo" << "&System Info...";
    }
    void captionsAfterLoad()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        frmAbout *window = openWindow();
        if (control.isEmpty()) {
            QCOMPARE(window->windowTitle(), text);
        } else if (auto *label = window->findChild<QLabel *>(control)) {
            QCOMPARE(label->text(), text);
        } else {
            auto *button = window->findChild<QPushButton *>(control);
            QVERIFY(button);
            QCOMPARE(button->text(), text);
        }
    }

    void descriptionEndsWithTheSupportAddress()
    {
        auto *label = openWindow()->findChild<QLabel *>(QStringLiteral("lblDescription"));
        QVERIFY(label);
        QVERIFY(label->text().startsWith(QLatin1String("Zephlan is an application for adding simple flight plans "
                                                      "to aircraft/airports in Flight Simulator 2004. Help is")));
        QVERIFY(label->text().contains(QLatin1String("feel free to contact me at support@")));
    }

    void placesInTwips_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("place");
        QTest::newRow("client") << QString() << twipsRect(2340, 1935, 5730, 3555);
        QTest::newRow("picIcon") << "picIcon" << twipsRect(240, 240, 540, 540);
        QTest::newRow("cmdOK") << "cmdOK" << twipsRect(4245, 2625, 1260, 345);
        QTest::newRow("cmdSysInfo") << "cmdSysInfo" << twipsRect(4260, 3075, 1245, 345);
        QTest::newRow("lblDescription") << "lblDescription" << twipsRect(1050, 1125, 3885, 1170);
        QTest::newRow("lblTitle") << "lblTitle" << twipsRect(1050, 240, 3885, 480);
        QTest::newRow("lblVersion") << "lblVersion" << twipsRect(1050, 780, 3885, 225);
        QTest::newRow("lblDisclaimer") << "lblDisclaimer" << twipsRect(255, 2625, 3870, 825);
    }
    void placesInTwips()
    {
        QFETCH(QString, control);
        QFETCH(QRect, place);
        frmAbout *window = openWindow();
        QWidget *widget = control.isEmpty() ? window : window->findChild<QWidget *>(control);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), place);
    }

    void keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("startsLookup");
        QTest::newRow("escape") << "cmdOK" << int(Qt::Key_Escape) << 0 << true << false;
        QTest::newRow("enter") << "cmdOK" << int(Qt::Key_Return) << 0 << true << false;
        QTest::newRow("keypad enter") << "cmdOK" << int(Qt::Key_Enter) << 0 << true << false;
        QTest::newRow("escape on sysinfo") << "cmdSysInfo" << int(Qt::Key_Escape) << 0 << true << false;
        QTest::newRow("enter on sysinfo") << "cmdSysInfo" << int(Qt::Key_Return) << 0 << false << true;
        QTest::newRow("alt+s") << "cmdOK" << int(Qt::Key_S) << int(Qt::AltModifier) << false << true;
        QTest::newRow("letter") << "cmdOK" << int(Qt::Key_X) << 0 << false << false;
    }
    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        QFETCH(bool, startsLookup);
        frmAbout *window = openWindow();
        auto *target = window->findChild<QPushButton *>(focus);
        QVERIFY(target);
        target->setFocus();
        QCOMPARE(window->focusWidget(), target);

        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        // An access key presses its button after a short press animation.
        QTest::qWait(250);

        QCOMPARE(m_window.isNull(), closes);
        QCOMPARE(m_registry.opens > 0, startsLookup);
        const QStringList expected =
            startsLookup ? QStringList{QStringLiteral("System Information Is Unavailable At This Time|Zephlan")}
                         : QStringList{};
        QCOMPARE(m_messages.shown, expected);
    }

    void okHasTheFocusWhenOpened() { QCOMPARE(openWindow()->focusWidget()->objectName(), QStringLiteral("cmdOK")); }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
