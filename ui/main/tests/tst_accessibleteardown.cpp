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
#include <string_view>
#include <vector>

using namespace zephlan;

namespace {

// Every interface in the tree, the lists' rows and labels included.
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
    window.show();
    QApplication::processEvents();
    std::vector<QAccessible::Id> ids;
    collectIds(QAccessible::queryAccessibleInterface(&window), ids);
    for (QListView *list : window.findChildren<QListView *>())
        collectIds(QAccessible::queryAccessibleInterface(list), ids);
    return ids;
}

} // namespace

int main(int argc, char **argv)
{
    static ScriptedDialogs dialogs;
    static RecordingMessages messages;
    const std::string_view which = argc > 1 ? argv[1] : "";
    QApplication app(argc, argv);
    // The window outlives the application object, as a benchmark's or a test's window may.
    if (which == "applicationEndsFirst") {
        static frmZephlan *outliving = new frmZephlan(&dialogs, &messages);
        return askForEveryInterface(*outliving).empty() ? 1 : 0;
    }
    // Two windows, one after the other: every interface of the first is gone with it.
    for (int round = 1; which == "windowBuiltTwice" && round <= 2; ++round) {
        auto *window = new frmZephlan(&dialogs, &messages);
        const std::vector<QAccessible::Id> ids = askForEveryInterface(*window);
        delete window;
        for (const QAccessible::Id id : ids) {
            if (QAccessible::accessibleInterface(id)) {
                std::fprintf(stderr, "round %d: an interface outlived the window\n", round);
                return 1;
            }
        }
    }
    return which == "windowBuiltTwice" ? 0 : 2;
}
