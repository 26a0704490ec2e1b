#include "app/ProgramWindows.h"
#include "app/WindowRegistry.h"

#include <QtTest>

#include <windows.h>

using namespace zephlan;
using Kind = WindowRegistry::Kind;

namespace {

LONG_PTR windowLong(const QWidget *window, int index)
{
    return ::GetWindowLongPtrW(reinterpret_cast<HWND>(window->winId()), index);
}

// Windows gives a visible window a task-bar button when it asks for one, or
// when it is neither a tool window nor owned by another window.
bool hasTaskBarButton(const QWidget *window)
{
    const auto handle = reinterpret_cast<HWND>(window->winId());
    const LONG_PTR extended = windowLong(window, GWL_EXSTYLE);
    if (!::IsWindowVisible(handle))
        return false;
    if ((extended & WS_EX_APPWINDOW) != 0)
        return true;
    return (extended & WS_EX_TOOLWINDOW) == 0 && ::GetWindow(handle, GW_OWNER) == nullptr;
}

} // namespace

// The program's windows as Windows itself sees them: runs on the windows platform.
class TestWindowStyles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("windows")); }

    // Only the main window has a task-bar button. No window has a sizing border or a maximise box;
    // the title bar, the system menu (with the close box) and the minimise box stay as each has them.
    void asWindowsSeesThem_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("button");
        QTest::addColumn<LONG_PTR>("titleBar");
        QTest::newRow("welcome") << Kind::Welcome << false << LONG_PTR{0};
        QTest::newRow("main") << Kind::Main << true << LONG_PTR{WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX};
        QTest::newRow("about") << Kind::About << false << LONG_PTR{WS_CAPTION | WS_SYSMENU};
    }
    void asWindowsSeesThem()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, button);
        QFETCH(LONG_PTR, titleBar);
        WindowRegistry registry;
        registerProgramWindows(registry);
        QWidget *window = registry.show(kind);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(hasTaskBarButton(window), button);
        const LONG_PTR style = windowLong(window, GWL_STYLE);
        QCOMPARE(style & WS_THICKFRAME, LONG_PTR{0});
        QCOMPARE(style & WS_MAXIMIZEBOX, LONG_PTR{0});
        QCOMPARE(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), titleBar);
        window->close();
    }
};

QTEST_MAIN(TestWindowStyles)
#include "tst_windowstyles.moc"
