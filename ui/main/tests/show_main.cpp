// Shows the main window for a look at it: with an airports and an aircraft
// file given, both lists are opened and the first plan's inputs typed in.
#include "Appearance.h"
#include "SeamDoubles.h"
#include "frmZephlan.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QTest>

using namespace zephlan;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    applyApplicationLook();
    ScriptedDialogs dialogs;
    RecordingMessages messages;
    if (argc >= 3)
        dialogs.answers = {QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2])};
    auto *window = new frmZephlan(&dialogs, &messages);
    window->show();
    if (argc >= 3) {
        window->findChild<QAction *>(QStringLiteral("mnuAirport"))->trigger();
        window->findChild<QAction *>(QStringLiteral("mnuAircraft"))->trigger();
        QTest::keyClicks(window->findChild<QLineEdit *>(QStringLiteral("txtDeparture")), QStringLiteral("kj"));
        QTest::keyClicks(window->findChild<QLineEdit *>(QStringLiteral("txtArrival")), QStringLiteral("EGLL"));
        window->findChild<QListWidget *>(QStringLiteral("lstDuration"))->setCurrentRow(6);
    }
    return QApplication::exec();
}
