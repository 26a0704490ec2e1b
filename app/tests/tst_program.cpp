#include "app/ProgramWindows.h"
#include "ui/about/frmAbout.h"
#include "ui/check/frmCheckPlans.h"
#include "ui/main/frmZephlan.h"
#include "ui/welcome/frmWelcome.h"

#include "ui/common/Appearance.h"
#include "ui/main/CaptionFit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <optional>

using namespace zephlan;
using Kind = WindowRegistry::Kind;

namespace {

// Counts the times a window is brought to the front.
class RaiseCounter final : public QObject
{
public:
    explicit RaiseCounter(QWidget *window) { window->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override { count += event->type() == QEvent::ZOrderChange; return false; }
    int count = 0;
};

bool takesFocus(const QWidget *control) { return control->focusPolicy() & Qt::TabFocus; }

// The caption a control shows; none for a kind of control that shows none.
std::optional<QString> captionOf(const QWidget *control)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text().trimmed();
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text().trimmed();
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title();
    return std::nullopt;
}

// Every shown control of the window that takes the focus or carries a caption, the parts of a
// control that takes the focus left out, with its place in the client area.
QList<std::pair<QWidget *, QRect>> placedControls(QWidget *client)
{
    QList<std::pair<QWidget *, QRect>> placed;
    for (QWidget *control : client->findChildren<QWidget *>()) {
        bool part = false;
        for (QWidget *up = control->parentWidget(); up != client && !part; up = up->parentWidget())
            part = takesFocus(up);
        if (!part && control->isVisibleTo(client) && (takesFocus(control) || captionOf(control)))
            placed.append({control, QRect(control->mapTo(client, QPoint(0, 0)), control->size())});
    }
    return placed;
}

// A control the user meets without words of its own (it takes the focus or shows a picture, and
// neither shows a caption nor has a caption label) needs a description.
bool needsDescription(const QWidget *control)
{
    if (control->isWindow() || qobject_cast<const QMenuBar *>(control) || qobject_cast<const QMenu *>(control))
        return false;
    const auto *label = qobject_cast<const QLabel *>(control);
    const bool picture = label && !label->pixmap().isNull();
    const QList<QLabel *> labels = control->window()->findChildren<QLabel *>();
    const bool captioned = std::any_of(labels.begin(), labels.end(), [control](const QLabel *caption) {
        return caption->buddy() == control;
    });
    return (picture || control->focusPolicy() != Qt::NoFocus) && captionOf(control).value_or(QString()).isEmpty() && !captioned;
}

// Roles that hold other controls: a screen reader passes through them.
bool holdsOthers(QAccessible::Role role)
{
    return role == QAccessible::Client || role == QAccessible::Pane || role == QAccessible::Grouping;
}

// Walks the tree a screen reader sees; containers that only hold other controls need no name.
// The inner parts of a control the user can never reach (hidden and disabled) are left out.
void collectFaults(QAccessibleInterface *node, QStringList &faults)
{
    if (!node)
        return;
    const QObject *object = node->object();
    const QString what = object ? QLatin1String(object->metaObject()->className()) + " \"" + object->objectName() + '"'
                                : QStringLiteral("a child of role %1").arg(int(node->role()));
    const auto *widget = qobject_cast<const QWidget *>(object);
    const bool container = holdsOthers(node->role()) && node->role() != QAccessible::Grouping;
    const QString name = node->text(QAccessible::Name);
    if ((!container || (widget && widget->isWindow())) && name.trimmed().isEmpty())
        faults << what + " has no name";
    if (name != name.trimmed())
        faults << what + " has a name with blanks at its ends";
    if (widget && needsDescription(widget) && node->text(QAccessible::Description).trimmed().isEmpty())
        faults << what + " has no description";
    // A screen reader takes a frame for a window of its own.
    if ((node->role() == QAccessible::Window || node->role() == QAccessible::Border) && !(widget && widget->isWindow()))
        faults << what + " reads as a window inside a window";
    if (node->role() == QAccessible::List && node->relations(QAccessible::Label).isEmpty())
        faults << what + " has no caption as its label";
    if (node->state().invisible && node->state().disabled)
        return;
    for (int i = 0; i < node->childCount(); ++i)
        collectFaults(node->child(i), faults);
}

// The controls in the order a screen reader walks the tree, each as its object name.
void readingOrder(QAccessibleInterface *node, QStringList &names)
{
    for (int i = 0; node && i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        if (child && child->object() && !child->object()->objectName().isEmpty())
            names << child->object()->objectName();
        if (child && holdsOthers(child->role()))
            readingOrder(child, names);
    }
}

// Lists that know no airport and no aircraft.
class NoLists final : public PlanCheckLists
{
public:
    bool hasAirports() const override { return false; }
    ListedAirport airport(std::string_view) const override { return {}; }
    std::size_t aircraftCount() const override { return 0; }
    std::optional<int> cruiseKnots(std::size_t) const override { return std::nullopt; }
};

// The squared distance between two boxes; zero when they touch or overlap.
int gap(const QRect &a, const QRect &b)
{
    const int across = std::max({0, a.left() - b.right(), b.left() - a.right()});
    const int down = std::max({0, a.top() - b.bottom(), b.top() - a.bottom()});
    return across * across + down * down;
}

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

    WindowRegistry m_registry;
    QSignalSpy m_ended{&m_registry, &WindowRegistry::lastWindowClosed};

    QWidget *window(Kind kind) const { return m_registry.window(kind); }

    frmZephlan *pressContinue()
    {
        QTest::mouseClick(window(Kind::Welcome)->findChild<QWidget *>(QStringLiteral("cmdContinue")), Qt::LeftButton);
        QTest::qWait(0);
        return qobject_cast<frmZephlan *>(window(Kind::Main));
    }

    static QList<QWidget *> visibleWindows()
    {
        QList<QWidget *> windows = QApplication::topLevelWidgets();
        windows.removeIf([](QWidget *widget) { return !widget->isVisible(); });
        return windows;
    }

private slots:
    void initTestCase()
    {
        applyApplicationLook();
        registerProgramWindows(m_registry);
    }
    void init()
    {
        QVERIFY(QTest::qWaitForWindowExposed(m_registry.show(Kind::Welcome)));
        m_ended.clear();
    }
    void cleanup()
    {
        for (Kind kind : {Kind::Welcome, Kind::Main, Kind::About})
            delete window(kind);
    }

    // Continue swaps the welcome window for the main one. Help and About open beside it without
    // blocking it, once each, and come to the front when asked for again. The program ends when
    // its last window closes, here the about box.
    void continueThenHelpAndAboutThenAboutClosedLast()
    {
        frmZephlan *main = pressContinue();
        QVERIFY(main);
        QCOMPARE(visibleWindows(), QList<QWidget *>{main});
        for (const auto &[kind, request] :
             {std::pair{Kind::Welcome, &frmZephlan::helpRequested}, {Kind::About, &frmZephlan::aboutRequested}}) {
            emit(main->*request)();
            QWidget *opened = window(kind);
            QVERIFY(opened && QTest::qWaitForWindowExposed(opened));
            const RaiseCounter raised(opened);
            emit(main->*request)();
            QCOMPARE(window(kind), opened);
            QCOMPARE(raised.count, 1);
            QCOMPARE(QApplication::activeModalWidget(), nullptr);
        }
        QVERIFY(qobject_cast<frmWelcome *>(window(Kind::Welcome)) && qobject_cast<frmAbout *>(window(Kind::About)));
        QCOMPARE(pressContinue(), main);
        QCOMPARE(visibleWindows().size(), 2);
        QVERIFY(!window(Kind::Welcome));

        QVERIFY(main->close());
        QTest::qWait(0);
        QCOMPARE(m_ended.count(), 0);
        QVERIFY(window(Kind::About)->close());
        QTest::qWait(0);
        QCOMPARE(m_ended.count(), 1);
    }

    // A check window opens beside the main window, which stays usable, and closes with it, whose
    // lists it reads; it is named for a screen reader throughout.
    void checkWindowLivesNoLongerThanTheMainWindow()
    {
        frmZephlan *main = pressContinue();
        QTemporaryDir dir;
        QFile plans(dir.filePath(QStringLiteral("Plans.txt")));
        QVERIFY(plans.open(QIODevice::WriteOnly) && plans.write("AC#1,N1,50%,24Hr,IFR,12:00:00\r\n,\r\n") > 0);
        plans.close();
        const NoLists lists;
        emit main->checkPlansRequested(plans.fileName(), &lists);
        QPointer<frmCheckPlans> check;
        for (QWidget *shown : visibleWindows()) {
            if (auto *found = qobject_cast<frmCheckPlans *>(shown))
                check = found;
        }
        QVERIFY(check && QTest::qWaitForWindowExposed(check));
        QCOMPARE(check->windowTitle(), "Check Flight Plans - Plans.txt");
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(main->isEnabled());
        QStringList faults;
        collectFaults(QAccessible::queryAccessibleInterface(check.data()), faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        QVERIFY(main->close());
        QTRY_VERIFY(check.isNull());
        QCOMPARE(m_ended.count(), 1);
    }

    // "Down, Down, Enter" in the File menu after Open Airport was used reaches Open Aircraft:
    // the arrows stop on the greyed item, which Enter cannot choose.
    void menuArrowsStopOnGreyedItems()
    {
        frmZephlan *main = pressContinue();
        auto *file = main->findChild<QMenu *>(QStringLiteral("mnuFile"));
        QStringList path;
        for (QAction *action : file->actions())
            action->setEnabled(action->objectName() != QStringLiteral("mnuAirport"));
        file->popup(main->mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        for (int step = 0; step < 3; ++step) {
            QTest::keyClick(file, Qt::Key_Down);
            path << file->activeAction()->objectName();
        }
        QTest::keyClick(file, Qt::Key_Up);
        QTest::keyClick(file, Qt::Key_Up);
        QTest::keyClick(file, Qt::Key_Return);
        QCOMPARE(path, QStringList({"mnuAirport", "mnuAircraft", "mnuCheckPlans"}));
        QVERIFY(file->isVisible());
        file->close();
    }

    // Alt alone, or F10 as on Windows, highlights the first menu title and takes the keys; Down
    // opens that menu, and Escape twice gives the keys back to the control that had them.
    void menuBarFromKeyboard_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Alt") << Qt::Key_Alt;
        QTest::newRow("F10") << Qt::Key_F10;
    }
    void menuBarFromKeyboard()
    {
        QFETCH(Qt::Key, key);
        frmZephlan *main = pressContinue();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QWidget *focus = QApplication::focusWidget();
        QMenuBar *bar = main->menuBar();
        const QImage before = bar->grab().toImage();
        QTest::keyPress(focus, key, key == Qt::Key_Alt ? Qt::AltModifier : Qt::NoModifier);
        QTest::keyRelease(focus, key, Qt::NoModifier);
        auto *file = main->findChild<QMenu *>(QStringLiteral("mnuFile"));
        QCOMPARE(bar->activeAction(), file->menuAction());
        QCOMPARE(QApplication::focusWidget(), bar);
        QVERIFY(bar->grab().toImage() != before);
        QTest::keyClick(bar, Qt::Key_Down);
        QTRY_COMPARE(QApplication::activePopupWidget(), file);
        QTest::keyClick(file, Qt::Key_Escape);
        QTest::keyClick(bar, Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QTRY_COMPARE(QApplication::focusWidget(), focus);
    }

    // The main window reads in its tab order (as the Tab key walks it), each caption just before
    // the control nearest to it, which it names for a screen reader (and labels, for a list); the welcome window reads its
    // steps 1 to 9, and is read as a window.
    void readingOrderIsTheOrderASightedUserFollows()
    {
        QAccessibleInterface *welcome = QAccessible::queryAccessibleInterface(window(Kind::Welcome));
        QCOMPARE(welcome->role(), QAccessible::Window);
        QStringList read;
        readingOrder(welcome, read);
        QString steps;
        for (const QString &name : read) {
            const auto *label = window(Kind::Welcome)->findChild<QLabel *>(name);
            if (label && label->text().size() > 1 && label->text()[0].isDigit() && label->text()[1] == u'.')
                steps += label->text()[0];
        }
        QCOMPARE(steps, QStringLiteral("123456789"));

        frmZephlan *main = pressContinue();
        const auto place = [main](const QWidget *widget) { return QRect(widget->mapTo(main, QPoint()), widget->size()); };
        QList<QWidget *> controls = main->findChildren<QWidget *>();
        controls.removeIf([main](QWidget *control) { return !takesFocus(control) || !control->isVisibleTo(main); });
        QVERIFY(QTest::qWaitForWindowActive(main));
        QStringList stops{QApplication::focusWidget()->objectName()};
        for (QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
             QApplication::focusWidget()->objectName() != stops[0]; QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            stops << QApplication::focusWidget()->objectName();
        read.clear();
        readingOrder(QAccessible::queryAccessibleInterface(main), read);
        QStringList readStops;
        qsizetype captions = 0;
        for (int i = 0; i < read.size(); ++i) {
            if (stops.contains(read[i]))
                readStops << read[i];
            const auto *caption = main->findChild<QLabel *>(read[i]);
            if (!caption || !caption->buddy())
                continue;
            ++captions;
            QCOMPARE(read.value(i + 1), caption->buddy()->objectName());
            const auto nearest = std::min_element(controls.begin(), controls.end(), [&](QWidget *one, QWidget *other) {
                return gap(place(caption), place(one)) < gap(place(caption), place(other));
            });
            QCOMPARE((*nearest)->objectName(), caption->buddy()->objectName());
            QCOMPARE(QAccessible::queryAccessibleInterface(caption->buddy())->text(QAccessible::Name).trimmed(),
                     caption->text().trimmed());
        }
        QCOMPARE(readStops, stops);
        const QList<QLabel *> labels = main->findChildren<QLabel *>();
        QCOMPARE(captions, std::count_if(labels.begin(), labels.end(), [](const QLabel *label) { return label->buddy(); }));
        QCOMPARE(QAccessible::queryAccessibleInterface(main->findChild<QWidget *>(QStringLiteral("chkDestTNG")))
                     ->text(QAccessible::Name),
                 QStringLiteral("TNG at destination"));
        for (const auto &[list, caption] : {std::pair{"lstDeparture", "Departure"}, {"lstArrival", "Destination"},
                                            {"lstAircraft", "FS9 Aircraft"}, {"lstDuration", "Repeat Schedule"}}) {
            auto *view = main->findChild<QAbstractItemView *>(QLatin1String(list));
            QAccessibleInterface *read = QAccessible::queryAccessibleInterface(view);
            const auto labels = read->relations(QAccessible::Label);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels[0].first->text(QAccessible::Name), QLatin1String(caption));
            QCOMPARE(read->childCount(), view->model()->rowCount());
            QVERIFY(read->childCount() == 0 || read->child(0)->parent() == read);
        }
    }

    // In each window every control a screen reader meets is named, no two controls that take the
    // focus overlap, each control lies inside the client area, and each caption fits its box.
    void everyWindowIsNamedAndKeepsItsControlsApartAndWhole()
    {
        frmZephlan *main = pressContinue();
        emit main->helpRequested();
        emit main->aboutRequested();
        for (Kind kind : {Kind::Welcome, Kind::Main, Kind::About}) {
            QWidget *shown = window(kind);
            QVERIFY(shown && QTest::qWaitForWindowExposed(shown));
            QStringList faults;
            collectFaults(QAccessible::queryAccessibleInterface(shown), faults);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
            auto *framed = qobject_cast<QMainWindow *>(shown);
            QWidget *client = framed ? framed->centralWidget() : shown;
            const auto placed = placedControls(client);
            QVERIFY(placed.size() > 3);
            for (const auto &[control, place] : placed) {
                const QString name = QLatin1String(shown->metaObject()->className()) + '.' + control->objectName();
                QVERIFY2(client->rect().contains(place), qPrintable(name));
                QVERIFY2(captionFits(control), qPrintable(name));
                for (const auto &[other, otherPlace] : placed) {
                    const bool bothTakeFocus = takesFocus(control) && takesFocus(other);
                    QVERIFY2(other == control || !bothTakeFocus || !place.intersects(otherPlace),
                             qPrintable(name + " overlaps " + other->objectName()));
                }
            }
        }
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
