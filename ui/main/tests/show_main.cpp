// Shows the main window for a look at it. Given an airports and an aircraft
// file it opens both lists and types in one plan, as a user would.
#include "Appearance.h"
#include "SeamDoubles.h"
#include "frmZephlan.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QTest>

using namespace zephlan;

namespace {

void typeInto(frmZephlan *window, const char *name, const char *text)
{
    auto *control = window->findChild<QWidget *>(QLatin1String(name));
    control->setFocus();
    QTest::keyClicks(control, QLatin1String(text));
}

void typeOnePlan(frmZephlan *window)
{
    window->findChild<QAction *>(QStringLiteral("mnuAirport"))->trigger();
    window->findChild<QAction *>(QStringLiteral("mnuAircraft"))->trigger();
    typeInto(window, "txtDeparture", "kj");
    typeInto(window, "txtArrival", "EGLL");
    auto *aircraft = window->findChild<QListView *>(QStringLiteral("lstAircraft"));
    aircraft->setCurrentIndex(aircraft->model()->index(1, 0));
    window->findChild<QListWidget *>(QStringLiteral("lstDuration"))->setCurrentRow(6);
    window->findChild<QCheckBox *>(QStringLiteral("chkDestTNG"))->setChecked(true);
    typeInto(window, "mskDestTNG", "1530");
    typeInto(window, "mskDepartureTime", "1200");
    typeInto(window, "mskReturnTime", "180000");
    typeInto(window, "txtCallSign", "N541SP");
    typeInto(window, "txtFlightNo", "0429");
    typeInto(window, "txtFlightLevel", "050");
    typeInto(window, "txtPercent", "50");
    window->findChild<QWidget *>(QStringLiteral("txtDeparture"))->setFocus();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    applyApplicationLook();
    ScriptedDialogs dialogs;
    RecordingMessages messages;
    auto *window = argc >= 3 ? new frmZephlan(&dialogs, &messages) : new frmZephlan;
    window->show();
    if (argc >= 3) {
        if (!QTest::qWaitForWindowActive(window))
            qWarning("the window did not become active; time fields keep their long form");
        dialogs.answers = {QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2])};
        typeOnePlan(window);
    }
    return QApplication::exec();
}
