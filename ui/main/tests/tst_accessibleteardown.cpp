// The main window's accessible interfaces, made as a screen reader's first
// question makes them, must each be deleted once, whichever goes first: the
// window or the application. A fault here is a crash or a leak at exit, so
// each case runs as a process of its own (named on the command line).
#include "ui/main/frmZephlan.h"
#include "ui/main/testing/SeamDoubles.h"

#include <QAccessible>
#include <QApplication>
#include <QListView>

#include <cstdio>
#include <cstring>
#include <vector>

using namespace zephlan;

namespace {

// Every interface in the window's tree, the lists' rows and labels included.
void collectIds(QAccessibleInterface *node, std::vector<QAccessible::Id> &ids, int depth = 0)
{
    if (!node || depth > 12)
        return;
    ids.push_back(QAccessible::uniqueId(node));
    for (const auto &[label, relation] : node->relations(QAccessible::Label))
        ids.push_back(QAccessible::uniqueId(label));
    for (int i = 0; i < node->childCount(); ++i)
        collectIds(node->child(i), ids, depth + 1);
}

std::vector<QAccessible::Id> askForEveryInterface(frmZephlan &window)
{
    std::vector<QAccessible::Id> ids;
    collectIds(QAccessible::queryAccessibleInterface(&window), ids);
    for (QListView *list : window.findChildren<QListView *>())
        collectIds(QAccessible::queryAccessibleInterface(list), ids);
    return ids;
}

// The window outlives the application object, as a benchmark's or a test's window may.
int applicationEndsFirst(int argc, char **argv)
{
    static ScriptedDialogs dialogs;
    static RecordingMessages messages;
    static frmZephlan *outliving = nullptr;
    QApplication app(argc, argv);
    outliving = new frmZephlan(&dialogs, &messages);
    outliving->show();
    QApplication::processEvents();
    return askForEveryInterface(*outliving).empty() ? 1 : 0;
}

// Two windows, one after the other: every interface of the first is gone with it.
int windowBuiltTwice(int argc, char **argv)
{
    QApplication app(argc, argv);
    ScriptedDialogs dialogs;
    RecordingMessages messages;
    for (int round = 1; round <= 2; ++round) {
        auto *window = new frmZephlan(&dialogs, &messages);
        window->show();
        QApplication::processEvents();
        const std::vector<QAccessible::Id> ids = askForEveryInterface(*window);
        delete window;
        for (const QAccessible::Id id : ids) {
            if (QAccessibleInterface *left = QAccessible::accessibleInterface(id)) {
                std::fprintf(stderr, "round %d: an interface (role %d) outlived the window\n", round,
                             int(left->role()));
                return 1;
            }
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const char *const which = argc > 1 ? argv[1] : "";
    if (std::strcmp(which, "applicationEndsFirst") == 0)
        return applicationEndsFirst(argc, argv);
    if (std::strcmp(which, "windowBuiltTwice") == 0)
        return windowBuiltTwice(argc, argv);
    std::fprintf(stderr, "usage: %s applicationEndsFirst|windowBuiltTwice\n", argv[0]);
    return 2;
}
