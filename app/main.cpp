#include "app/ProgramWindows.h"
#include "app/WindowRegistry.h"
#include "ui/common/Appearance.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    zephlan::applyApplicationLook();

    // The program ends when the last of its own windows is gone, whatever kind of window that is.
    QApplication::setQuitOnLastWindowClosed(false);
    zephlan::WindowRegistry windows;
    QObject::connect(&windows, &zephlan::WindowRegistry::lastWindowClosed, &app, &QCoreApplication::quit);
    zephlan::registerProgramWindows(windows);
    windows.show(zephlan::WindowRegistry::Kind::Welcome);
    return QApplication::exec();
}
