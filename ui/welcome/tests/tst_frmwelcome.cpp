#include "frmWelcome.h"

#include "Appearance.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace zephlan;

class TestFrmWelcome : public QObject
{
    Q_OBJECT

private:
    QPointer<frmWelcome> m_window;

    frmWelcome *openWindow()
    {
        m_window = new frmWelcome;
        m_window->show();
        m_window->activateWindow();
        if (!QTest::qWaitForWindowExposed(m_window))
            qWarning("welcome window not exposed");
        return m_window;
    }

    QWidget *control(const QString &name) { return m_window->findChild<QWidget *>(name); }

private slots:
    void cleanup() { delete m_window; }

    void labels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("text");
        const QString sans = QStringLiteral("MS Sans Serif");
        const QString arial = QStringLiteral("Arial");
        QTest::newRow("Label1") << "Label1" << twipsRect(600, 240, 7575, 375) << sans << 9.75 << false
                                << "Welcome to Zephlan, a simple way to add simple flight plans to Flight Sim 2004.";
        QTest::newRow("Label2") << "Label2" << twipsRect(600, 720, 5775, 255) << sans << 8.25 << false
                                << "1. Decompile your Traffic.bgl file using TTools";
        QTest::newRow("Label3") << "Label3" << twipsRect(600, 1080, 5055, 255) << sans << 8.25 << false
                                << "2. Goto File Menu, and open the airports.txt file that TTools created";
        QTest::newRow("Label4") << "Label4" << twipsRect(600, 1440, 4935, 255) << sans << 8.25 << false
                                << "3. Goto File Menu and open the  aircrafts.txt file that TTools created";
        QTest::newRow("Label5") << "Label5" << twipsRect(600, 1800, 4935, 255) << sans << 8.25 << false
                                << "4. Search for and select desired departure and destination airports";
        QTest::newRow("Label6") << "Label6" << twipsRect(600, 2160, 4815, 255) << sans << 8.25 << false
                                << "5. Select the aircraft you wish to see as AI Aircraft ";
        QTest::newRow("Label7") << "Label7" << twipsRect(600, 2520, 5415, 255) << sans << 8.25 << false
                                << "6. Select the round trip duration, give enough time for plane and distance";
        QTest::newRow("Label8") << "Label8" << twipsRect(600, 2880, 6015, 495) << sans << 8.25 << false
                                << "7. Select if your flight will be VFR or IFR and choose whether you want ATC "
                                   "to call by     call sign or flight number";
        QTest::newRow("Label9") << "Label9" << twipsRect(600, 3360, 5895, 495) << sans << 8.25 << false
                                << "8. Enter departure time and return flight time in UTC/GMT time, you don't "
                                   "have to         worry about arrival time, Flight Simulator will calculate "
                                   "that for you";
        QTest::newRow("Label10") << "Label10" << twipsRect(600, 3840, 6615, 495) << sans << 8.25 << false
                                 << "9.Enter Call Sign, Flight number (any 3 or 4 digit number), Flight level (ie "
                                    "050 = 5000 ft)                 Enter desired AI percentage";
        QTest::newRow("Label11") << "Label11" << twipsRect(600, 4320, 6255, 1335) << sans << 9.75 << true
                                 << "I wrote this program for my own personal needs. I usually make short and "
                                    "simple flight plans but got tired of typing everything by hand. I decided "
                                    "to share it and I thank you for   trying out Zephlan. If you have any "
                                    "troubles or questions please email me at support@zephlan.example";
        QTest::newRow("lblVersion") << "lblVersion" << twipsRect(5880, 6000, 1815, 255) << sans << 8.25 << true
                                    << "Version 1.0.10";
        QTest::newRow("lblProductName") << "lblProductName" << twipsRect(5880, 6480, 1815, 375) << sans << 8.25
                                        << true << "Zephlan";
        QTest::newRow("lblCopyright") << "lblCopyright" << twipsRect(5280, 5460, 2415, 255) << arial << 8.25
                                      << false << "Freeware, not for resale";
        QTest::newRow("lblCompany") << "lblCompany" << twipsRect(5880, 5790, 2415, 375) << arial << 8.25 << true
                                    << "Zephlan Project 2004";
    }
    void labels()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(QString, family);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(QString, text);
        openWindow();
        auto *label = m_window->findChild<QLabel *>(name);
        QVERIFY(label);
        QCOMPARE(label->parentWidget()->objectName(), QStringLiteral("Frame1"));
        QCOMPARE(label->geometry(), place);
        QCOMPARE(label->font().family(), family);
        QCOMPARE(label->font().pointSizeF(), points);
        QCOMPARE(label->font().bold(), bold);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY(label->wordWrap());
    }

    void everyCaptionIsDrawnWhole_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"Label1", "Label4", "Label8", "Label10", "Label11", "lblVersion", "lblProductName",
                                 "lblCopyright", "lblCompany"})
            QTest::newRow(name) << name;
    }
    void everyCaptionIsDrawnWhole()
    {
        QFETCH(QString, name);
        openWindow();
        auto *label = m_window->findChild<QLabel *>(name);
        QVERIFY(label);
        const auto darkPixels = [](const QImage &image, const QRect &area) {
            int count = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x)
                    count += qAlpha(image.pixel(x, y)) > 0 && qGray(image.pixel(x, y)) < 96;
            }
            return count;
        };
        const QImage alone = label->grab().toImage();
        const QImage onScreen = m_window->grab().toImage();
        const QRect inWindow(label->mapTo(m_window, QPoint(0, 0)), label->size());
        const int own = darkPixels(alone, alone.rect());
        QVERIFY(own > 0);
        QVERIFY2(darkPixels(onScreen, inWindow) >= own, "another control hides part of the caption");
    }

    void windowShape()
    {
        openWindow();
        QCOMPARE(m_window->size(), QSize(559, 462));
        QVERIFY(m_window->windowTitle().isEmpty());
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        QVERIFY(m_window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(control(QStringLiteral("Frame1"))->geometry(), twipsRect(0, 0, 8400, 6930));
        QCOMPARE(control(QStringLiteral("cmdContinue"))->geometry(), twipsRect(3240, 6120, 1935, 495));
        QCOMPARE(m_window->focusWidget(), control(QStringLiteral("cmdContinue")));
        const QPoint screenCentre = m_window->screen()->geometry().center();
        QVERIFY((m_window->geometry().center() - screenCentre).manhattanLength() <= 2);
    }

    void keys_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("letter") << "cmdContinue" << int(Qt::Key_A) << "a" << 0 << true;
        QTest::newRow("digit on a label") << "Label4" << int(Qt::Key_7) << "7" << 0 << true;
        QTest::newRow("punctuation") << "cmdContinue" << int(Qt::Key_Period) << "." << 0 << true;
        QTest::newRow("space") << "cmdContinue" << int(Qt::Key_Space) << " " << 0 << true;
        QTest::newRow("enter") << "cmdContinue" << int(Qt::Key_Return) << "\r" << 0 << true;
        QTest::newRow("escape") << "cmdContinue" << int(Qt::Key_Escape) << "\x1b" << 0 << true;
        QTest::newRow("backspace") << "cmdContinue" << int(Qt::Key_Backspace) << "\b" << 0 << true;
        QTest::newRow("ctrl+letter") << "cmdContinue" << int(Qt::Key_B) << "\x02" << int(Qt::ControlModifier)
                                     << true;
        QTest::newRow("capital") << "Frame1" << int(Qt::Key_Q) << "Q" << int(Qt::ShiftModifier) << true;
        QTest::newRow("arrow") << "cmdContinue" << int(Qt::Key_Left) << "" << 0 << false;
        QTest::newRow("function key") << "cmdContinue" << int(Qt::Key_F1) << "" << 0 << false;
        QTest::newRow("shift alone") << "cmdContinue" << int(Qt::Key_Shift) << "" << int(Qt::ShiftModifier)
                                     << false;
        QTest::newRow("ctrl alone") << "cmdContinue" << int(Qt::Key_Control) << "" << int(Qt::ControlModifier)
                                    << false;
        QTest::newRow("tab") << "cmdContinue" << int(Qt::Key_Tab) << "\t" << 0 << false;
        QTest::newRow("delete") << "cmdContinue" << int(Qt::Key_Delete) << "\x7f" << 0 << false;
        QTest::newRow("alt+letter") << "cmdContinue" << int(Qt::Key_C) << "c" << int(Qt::AltModifier) << false;
    }
    void keys()
    {
        QFETCH(QString, target);
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        openWindow();
        QSignalSpy continued(m_window.data(), &frmWelcome::continueRequested);
        QTest::sendKeyEvent(QTest::Press, control(target), Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
        if (m_window)
            QTest::sendKeyEvent(QTest::Release, control(target), Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
        QTest::qWait(0);
        QCOMPARE(m_window.isNull(), closes);
        QCOMPARE(continued.count(), 0);
    }

    void clicks_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QPoint>("where");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("closes");
        const int left = Qt::LeftButton;
        QTest::newRow("panel background") << "Frame1" << QPoint(20, 440) << left << true;
        QTest::newRow("panel between lines") << "Frame1" << QPoint(540, 60) << left << true;
        QTest::newRow("instruction") << "Label3" << QPoint(10, 5) << left << false;
        QTest::newRow("note") << "Label11" << QPoint(100, 30) << left << false;
        QTest::newRow("version") << "lblVersion" << QPoint(5, 5) << left << false;
        QTest::newRow("right button on panel") << "Frame1" << QPoint(20, 440) << int(Qt::RightButton) << false;
    }
    void clicks()
    {
        QFETCH(QString, target);
        QFETCH(QPoint, where);
        QFETCH(int, button);
        QFETCH(bool, closes);
        openWindow();
        QSignalSpy continued(m_window.data(), &frmWelcome::continueRequested);
        QTest::mouseClick(control(target), Qt::MouseButton(button), {}, where);
        QTest::qWait(0);
        QCOMPARE(m_window.isNull(), closes);
        QCOMPARE(continued.count(), 0);
    }

    void continueAsksFirstAndClosesAfter()
    {
        openWindow();
        bool openWhenAsked = false;
        connect(m_window.data(), &frmWelcome::continueRequested, this,
                [this, &openWhenAsked] { openWhenAsked = m_window && m_window->isVisible(); });
        QTest::mouseClick(control(QStringLiteral("cmdContinue")), Qt::LeftButton);
        QTest::qWait(0);
        QVERIFY(openWhenAsked);
        QVERIFY(m_window.isNull());
    }
};

QTEST_MAIN(TestFrmWelcome)
#include "tst_frmwelcome.moc"
