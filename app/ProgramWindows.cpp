#include "app/ProgramWindows.h"

#include "ui/about/frmAbout.h"
#include "ui/main/frmZephlan.h"
#include "ui/welcome/frmWelcome.h"

namespace zephlan {

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
        return main;
    });
    registry.setFactory(Kind::About, [] { return new frmAbout; });
}

} // namespace zephlan
