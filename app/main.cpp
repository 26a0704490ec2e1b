#include "Appearance.h"
#include "ProgramWindows.h"
#include "WindowRegistry.h"

#include <QApplication>
#include <QFile>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    zephlan::applyApplicationLook();

    QIcon icon;
    for (const QString &file : {QStringLiteral(":/zephlan/icon.png"), QStringLiteral(":/zephlan/icon16.png")}) {
        if (QFile::exists(file))
            icon.addFile(file);
    }
    if (!icon.isNull())
        QApplication::setWindowIcon(icon);

    // The program ends when the last of its own windows is gone, whatever kind of window that is.
    QApplication::setQuitOnLastWindowClosed(false);
    zephlan::WindowRegistry windows;
    QObject::connect(&windows, &zephlan::WindowRegistry::lastWindowClosed, &app, &QCoreApplication::quit);
    zephlan::registerProgramWindows(windows);
    windows.show(zephlan::WindowRegistry::Kind::Welcome);
    return QApplication::exec();
}
