#include "ui/about/frmAbout.h"
#include "ui/common/Appearance.h"
#include "ui/main/frmZephlan.h"
#include "ui/welcome/frmWelcome.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include <functional>
#include <memory>

using namespace zephlan;

namespace {

using WindowFactory = std::function<QWidget *()>;

// Roles that only hold other controls; a screen reader passes through them.
bool isPlainContainer(QAccessible::Role role)
{
    return role == QAccessible::Client || role == QAccessible::Pane || role == QAccessible::Border;
}

bool hasCaptionLabel(const QWidget *control)
{
    const QList<QLabel *> labels = control->window()->findChildren<QLabel *>();
    return std::any_of(labels.begin(), labels.end(), [control](const QLabel *label) { return label->buddy() == control; });
}

bool showsOwnText(const QWidget *control)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return !button->text().trimmed().isEmpty();
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return !label->text().trimmed().isEmpty();
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return !frame->title().isEmpty();
    return false;
}

// A control the user meets without words of its own: it takes the focus or shows a picture.
bool needsDescription(const QWidget *control)
{
    if (control->isWindow() || qobject_cast<const QMenuBar *>(control) || qobject_cast<const QMenu *>(control))
        return false;
    const auto *label = qobject_cast<const QLabel *>(control);
    const bool picture = label && !label->pixmap().isNull();
    const bool takesFocus = control->focusPolicy() != Qt::NoFocus;
    return (picture || takesFocus) && !showsOwnText(control) && !hasCaptionLabel(control);
}

QString describeObject(const QAccessibleInterface *node)
{
    const QObject *object = node->object();
    return object ? QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(object->metaObject()->className()),
                                                  object->objectName())
                  : QStringLiteral("a child of role %1").arg(int(node->role()));
}

// Walks the tree a screen reader sees. The inner parts of a control the user can never reach
// (hidden and disabled) are left out; the control itself is still checked.
void collectFaults(QAccessibleInterface *node, QStringList &faults)
{
    if (!node)
        return;
    const bool isWindow = node->object() && node->object()->isWidgetType()
                          && static_cast<QWidget *>(node->object())->isWindow();
    const QString name = node->text(QAccessible::Name);
    if ((isWindow || !isPlainContainer(node->role())) && name.trimmed().isEmpty())
        faults << describeObject(node) + QStringLiteral(" has no name");
    if (name != name.trimmed())
        faults << describeObject(node) + QStringLiteral(" has a name with blanks at its ends");
    if (auto *widget = qobject_cast<QWidget *>(node->object());
        widget && needsDescription(widget) && node->text(QAccessible::Description).trimmed().isEmpty())
        faults << describeObject(node) + QStringLiteral(" has no description");
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
        if (child && (isPlainContainer(child->role()) || child->role() == QAccessible::Grouping))
            readingOrder(child, names);
    }
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> m_window;

    frmZephlan *showMain()
    {
        auto *main = new frmZephlan;
        m_window.reset(main);
        main->show();
        main->activateWindow();
        if (!QTest::qWaitForWindowActive(main))
            return nullptr;
        return main;
    }

private slots:
    void initTestCase() { applyApplicationLook(); }
    void cleanup() { m_window.reset(); }

    void everyControlIsNamed_data()
    {
        QTest::addColumn<WindowFactory>("create");
        QTest::newRow("main") << WindowFactory([] { return new frmZephlan; });
        QTest::newRow("welcome") << WindowFactory([] { return new frmWelcome; });
        QTest::newRow("about") << WindowFactory([] { return new frmAbout; });
    }

    void everyControlIsNamed()
    {
        QFETCH(WindowFactory, create);
        m_window.reset(create());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QStringList faults;
        collectFaults(QAccessible::queryAccessibleInterface(m_window.get()), faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    }

    void captionNamesItsControl_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("control");
        const char *const pairs[][2] = {
            {"Label1", "txtDeparture"},       {"Label2", "txtArrival"},      {"Label3", "lstAircraft"},
            {"Label4", "lstDuration"},        {"Label6", "optIFR"},          {"Label7", "optVFR"},
            {"Label14", "optCallSign"},       {"Label15", "optFlightNumber"}, {"Label8", "mskDepartureTime"},
            {"Label9", "mskReturnTime"},      {"Label10", "txtCallSign"},    {"Label11", "txtFlightNo"},
            {"Label12", "txtFlightLevel"},    {"Label5", "txtPercent"},
        };
        for (const auto &pair : pairs)
            QTest::newRow(pair[1]) << QString::fromLatin1(pair[0]) << QString::fromLatin1(pair[1]);
    }

    void captionNamesItsControl()
    {
        QFETCH(QString, caption);
        QFETCH(QString, control);
        frmZephlan main;
        auto *label = main.findChild<QLabel *>(caption);
        auto *named = main.findChild<QWidget *>(control);
        QVERIFY(label && named);
        QCOMPARE(label->buddy(), named);
        QCOMPARE(QAccessible::queryAccessibleInterface(named)->text(QAccessible::Name).trimmed(),
                 label->text().trimmed());
    }

    // The main window reads in its tab order (as the Tab key walks it), each caption just before
    // its control; the welcome window reads its steps 1 to 9, and is read as a window.
    void readingOrderIsTheOrderASightedUserFollows()
    {
        frmZephlan *main = showMain();
        QVERIFY(main);
        QStringList stops{QApplication::focusWidget()->objectName()};
        for (QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); QApplication::focusWidget()->objectName() != stops[0];
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            stops << QApplication::focusWidget()->objectName();
        QStringList read;
        readingOrder(QAccessible::queryAccessibleInterface(main), read);
        QStringList readStops;
        for (const QString &name : read) {
            if (stops.contains(name))
                readStops << name;
            const auto *caption = main->findChild<QLabel *>(name);
            if (caption && caption->buddy())
                QCOMPARE(read.value(read.indexOf(name) + 1), caption->buddy()->objectName());
        }
        QCOMPARE(readStops, stops);
        QCOMPARE(QAccessible::queryAccessibleInterface(main->findChild<QWidget *>(QStringLiteral("chkDestTNG")))
                     ->text(QAccessible::Name),
                 QStringLiteral("TNG at destination"));

        m_window.reset(new frmWelcome);
        QAccessibleInterface *welcome = QAccessible::queryAccessibleInterface(m_window.get());
        QCOMPARE(welcome->role(), QAccessible::Window);
        read.clear();
        readingOrder(welcome, read);
        QStringList steps;
        for (const QString &name : read) {
            const QString text = m_window->findChild<QLabel *>(name) ? m_window->findChild<QLabel *>(name)->text() : QString();
            if (text.size() > 1 && text[0].isDigit() && text[1] == u'.')
                steps << text.left(1);
        }
        QCOMPARE(steps.join(QString()), QStringLiteral("123456789"));
    }

    void altShowsTheFirstMenuTitle()
    {
        frmZephlan *main = showMain();
        QVERIFY(main);
        QWidget *search = QApplication::focusWidget();
        const QImage before = main->menuBar()->grab().toImage();
        QTest::keyPress(search, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(search, Qt::Key_Alt, Qt::NoModifier);
        QCOMPARE(main->menuBar()->activeAction(), main->findChild<QMenu *>(QStringLiteral("mnuFile"))->menuAction());
        QCOMPARE(QApplication::focusWidget(), main->menuBar());
        QVERIFY(main->menuBar()->grab().toImage() != before);
    }

    void menuBarFromKeyboard_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::newRow("Alt, then Down") << QList<int>{Qt::Key_Alt, Qt::Key_Down};
        QTest::newRow("F10, then Down, as on Windows") << QList<int>{Qt::Key_F10, Qt::Key_Down};
    }

    void menuBarFromKeyboard()
    {
        QFETCH(QList<int>, keys);
        frmZephlan *main = showMain();
        QVERIFY(main);
        QWidget *focus = main->focusWidget();
        QCOMPARE(focus->objectName(), QStringLiteral("txtDeparture"));
        for (const int key : keys) {
            QWidget *target = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                                 : QApplication::focusWidget();
            if (key == Qt::Key_Alt) {
                QTest::keyPress(target, Qt::Key_Alt, Qt::AltModifier);
                QTest::keyRelease(target, Qt::Key_Alt, Qt::NoModifier);
            } else {
                QTest::keyClick(target, Qt::Key(key));
            }
        }
        auto *file = main->findChild<QMenu *>(QStringLiteral("mnuFile"));
        QTRY_COMPARE(QApplication::activePopupWidget(), file);
        QTest::keyClick(file, Qt::Key_Escape);
        QTest::keyClick(main->menuBar(), Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QTRY_COMPARE(QApplication::focusWidget(), focus);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
