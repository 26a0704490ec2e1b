#include "app/ProgramWindows.h"
#include "ui/about/frmAbout.h"
#include "ui/main/frmZephlan.h"
#include "ui/welcome/frmWelcome.h"

#include "ui/common/Appearance.h"
#include "ui/main/CaptionFit.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace zephlan;
using Kind = WindowRegistry::Kind;

namespace {

// Counts the times a window is brought to the front.
class RaiseCounter final : public QObject
{
public:
    explicit RaiseCounter(QWidget *window) { window->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::ZOrderChange;
        return false;
    }
};

bool takesFocus(const QWidget *control)
{
    return control->focusPolicy() & Qt::TabFocus;
}

bool hasCaption(const QWidget *control)
{
    return qobject_cast<const QLabel *>(control) || qobject_cast<const QCheckBox *>(control)
        || qobject_cast<const QPushButton *>(control) || qobject_cast<const QGroupBox *>(control);
}

// Every shown control of the window that takes the focus or carries a caption, the parts of a
// control that takes the focus left out, with its place in the client area.
QList<std::pair<QWidget *, QRect>> placedControls(QWidget *client)
{
    QList<std::pair<QWidget *, QRect>> placed;
    for (QWidget *control : client->findChildren<QWidget *>()) {
        bool part = false;
        for (QWidget *up = control->parentWidget(); up != client && !part; up = up->parentWidget())
            part = takesFocus(up);
        if (!part && control->isVisibleTo(client) && (takesFocus(control) || hasCaption(control)))
            placed.append({control, QRect(control->mapTo(client, QPoint(0, 0)), control->size())});
    }
    return placed;
}

} // namespace

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
    void initTestCase()
    {
        applyApplicationLook();
        registerProgramWindows(m_registry);
    }
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
        const RaiseCounter helpRaised(help);
        emit main->helpRequested();
        QCOMPARE(window(Kind::Welcome), help);
        QCOMPARE(helpRaised.count, 1);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(pressContinue(), main);

        QCOMPARE(visibleWindows(), QList<QWidget *>{main});
        QCOMPARE(input->text(), QStringLiteral("AFR1234"));

        emit main->aboutRequested();
        QWidget *about = window(Kind::About);
        QVERIFY(qobject_cast<frmAbout *>(about));
        const RaiseCounter aboutRaised(about);
        emit main->aboutRequested();
        QCOMPARE(window(Kind::About), about);
        QCOMPARE(aboutRaised.count, 1);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);

        QVERIFY(main->close());
        QTest::qWait(0);
        QCOMPARE(m_ended.count(), 0);
        QVERIFY(about->close());
        QTest::qWait(0);
        QCOMPARE(m_ended.count(), 1);
    }

    // "Down, Down, Enter" in the File menu after Open Airport was used reaches Open Aircraft:
    // the arrows stop on the greyed item, which Enter cannot choose.
    void menuArrowsStopOnGreyedItems()
    {
        frmZephlan *main = pressContinue();
        auto *file = main->findChild<QMenu *>(QStringLiteral("mnuFile"));
        QStringList path;
        for (QAction *action : file->actions())
            action->setEnabled(action->objectName() != QStringLiteral("mnuAirport"));
        file->popup(main->mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        for (int step = 0; step < 3; ++step) {
            QTest::keyClick(file, Qt::Key_Down);
            path << file->activeAction()->objectName();
        }
        QTest::keyClick(file, Qt::Key_Up);
        QTest::keyClick(file, Qt::Key_Up);
        QTest::keyClick(file, Qt::Key_Return);
        QCOMPARE(path, QStringList({"mnuAirport", "mnuAircraft", "mnuExit"}));
        QVERIFY(file->isVisible());
        file->close();
    }

    // In each window no two controls that take the focus overlap, each control lies inside the
    // client area, and each caption fits its box.
    void everyWindowKeepsItsControlsApartAndWhole()
    {
        frmZephlan *main = pressContinue();
        emit main->helpRequested();
        emit main->aboutRequested();
        for (Kind kind : {Kind::Welcome, Kind::Main, Kind::About}) {
            QWidget *shown = window(kind);
            QVERIFY(QTest::qWaitForWindowExposed(shown));
            auto *framed = qobject_cast<QMainWindow *>(shown);
            QWidget *client = framed ? framed->centralWidget() : shown;
            const auto placed = placedControls(client);
            QVERIFY(placed.size() > 3);
            for (const auto &[control, place] : placed) {
                const QString name = QLatin1String(shown->metaObject()->className()) + '.' + control->objectName();
                QVERIFY2(client->rect().contains(place), qPrintable(name));
                QVERIFY2(captionFits(control), qPrintable(name));
                for (const auto &[other, otherPlace] : placed) {
                    const bool bothTakeFocus = takesFocus(control) && takesFocus(other);
                    QVERIFY2(other == control || !bothTakeFocus || !place.intersects(otherPlace),
                             qPrintable(name + " overlaps " + other->objectName()));
                }
            }
        }
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
