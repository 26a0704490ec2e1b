#include "ui/common/MessageSeam.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

using namespace zephlan;

// The window system may leave another window active when a dialog closes (Wine
// with a window manager does): the window that opened it takes the keys again,
// in the control that had them.
class TestFocusReturn : public QObject
{
    Q_OBJECT
private slots:
    void messageGivesTheFocusBack()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(new QLineEdit);
        auto *second = new QLineEdit;
        layout->addWidget(second);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        second->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), second);

        QWidget elsewhere;
        QTimer::singleShot(50, &window, [&elsewhere] {
            QWidget *box = QApplication::activeModalWidget();
            QVERIFY(box);
            elsewhere.show();
            box->close();
            elsewhere.activateWindow();
        });
        MessageBoxSeam().showMessage(&window, QStringLiteral("Enter Call Sign"), QStringLiteral("Call Sign"));

        QTRY_COMPARE(QApplication::activeWindow(), &window);
        QCOMPARE(QApplication::focusWidget(), second);
    }
};

QTEST_MAIN(TestFocusReturn)
#include "tst_focusreturn.moc"
