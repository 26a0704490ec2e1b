#include "app/ProgramWindows.h"
#include "app/WindowRegistry.h"

#include <QtTest>

#include <windows.h>

using namespace zephlan;
using Kind = WindowRegistry::Kind;

namespace {

// Windows gives a visible window a task-bar button when it asks for one, or
// when it is neither a tool window nor owned by another window.
bool hasTaskBarButton(const QWidget *window)
{
    const auto handle = reinterpret_cast<HWND>(window->winId());
    const LONG_PTR extended = ::GetWindowLongPtrW(handle, GWL_EXSTYLE);
    if (!::IsWindowVisible(handle))
        return false;
    if ((extended & WS_EX_APPWINDOW) != 0)
        return true;
    return (extended & WS_EX_TOOLWINDOW) == 0 && ::GetWindow(handle, GW_OWNER) == nullptr;
}

} // namespace

// The program's windows as Windows itself sees them: runs on the windows platform.
class TestTaskBar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("windows")); }

    void onlyTheMainWindowHasAButton_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("button");
        QTest::newRow("welcome") << Kind::Welcome << false;
        QTest::newRow("main") << Kind::Main << true;
        QTest::newRow("about") << Kind::About << false;
    }
    void onlyTheMainWindowHasAButton()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, button);
        WindowRegistry registry;
        registerProgramWindows(registry);
        QWidget *window = registry.show(kind);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(hasTaskBarButton(window), button);
        window->close();
    }
};

QTEST_MAIN(TestTaskBar)
#include "tst_taskbar.moc"
