#include "app/ProgramWindows.h"

#include "ui/about/frmAbout.h"
#include "ui/check/frmCheckPlans.h"
#include "ui/main/frmZephlan.h"
#include "ui/welcome/frmWelcome.h"

namespace zephlan {

namespace {

// A check window reads the main window's lists, so it closes when they go.
void showCheckWindow(QWidget *main, const QString &path, const PlanCheckLists *lists)
{
    auto *check = new frmCheckPlans(path, lists);
    QObject::connect(main, &QObject::destroyed, check, &QWidget::close);
    check->show();
    check->activateWindow();
}

} // namespace

void registerProgramWindows(WindowRegistry &registry)
{
    using Kind = WindowRegistry::Kind;
    registry.setFactory(Kind::Welcome, [&registry]() -> QWidget * {
        auto *welcome = new frmWelcome;
        QObject::connect(welcome, &frmWelcome::continueRequested, &registry, [&registry] { registry.show(Kind::Main); });
        return welcome;
    });
    registry.setFactory(Kind::Main, [&registry]() -> QWidget * {
        auto *main = new frmZephlan;
        QObject::connect(main, &frmZephlan::helpRequested, &registry, [&registry] { registry.show(Kind::Welcome); });
        QObject::connect(main, &frmZephlan::aboutRequested, &registry, [&registry] { registry.show(Kind::About); });
        QObject::connect(main, &frmZephlan::checkPlansRequested, main,
                         [main](const QString &path, const PlanCheckLists *lists) { showCheckWindow(main, path, lists); });
        return main;
    });
    registry.setFactory(Kind::About, [] { return new frmAbout; });
}

} // namespace zephlan
