#include "ui/common/ReadingOrder.h"

#include "ui/common/AccessibleTakeover.h"

#include <QAccessibleWidget>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <tuple>

namespace zephlan {
namespace {

const char kRoleProperty[] = "zephlanReadingRole";
const char kFirstStopProperty[] = "zephlanFirstStop";

// Where a control comes in the tab order from firstStop: the first stop at or
// inside it, or for a caption the place of its control.
int tabPlace(const QWidget *control, const QList<const QWidget *> &stops)
{
    if (const auto *caption = qobject_cast<const QLabel *>(control); caption && caption->buddy())
        control = caption->buddy();
    for (int place = 0; place < stops.size(); ++place) {
        if (stops[place] == control || control->isAncestorOf(stops[place]))
            return place;
    }
    return INT_MAX;
}

QList<const QWidget *> tabStopsFrom(const QWidget *firstStop)
{
    QList<const QWidget *> stops;
    if (!firstStop)
        return stops;
    const QWidget *stop = firstStop;
    do {
        if (stop->focusPolicy() & Qt::TabFocus)
            stops << stop;
        stop = stop->nextInFocusChain();
    } while (stop && stop != firstStop);
    return stops;
}

class OrderedContainer : public QAccessibleWidget
{
public:
    OrderedContainer(QWidget *container, QAccessible::Role role)
        : QAccessibleWidget(container, role, groupTitle(container))
    {
    }

    int childCount() const override { return int(ordered().size()); }
    QAccessibleInterface *child(int index) const override { return ordered().value(index); }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return int(ordered().indexOf(const_cast<QAccessibleInterface *>(child)));
    }

private:
    static QString groupTitle(const QWidget *container)
    {
        const auto *group = qobject_cast<const QGroupBox *>(container);
        return group ? group->title() : QString();
    }

    QList<QAccessibleInterface *> ordered() const
    {
        QList<QAccessibleInterface *> children;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i)
            children << QAccessibleWidget::child(i);
        const auto *firstStop = qobject_cast<const QWidget *>(widget()->property(kFirstStopProperty).value<QObject *>());
        const QList<const QWidget *> stops = tabStopsFrom(firstStop);
        const auto key = [&](const QAccessibleInterface *child) {
            const auto *control = qobject_cast<const QWidget *>(child ? child->object() : nullptr);
            if (!control)
                return std::tuple(INT_MAX, 1, INT_MAX, INT_MAX);
            const bool isCaption = qobject_cast<const QLabel *>(control) != nullptr;
            return std::tuple(firstStop ? tabPlace(control, stops) : 0, isCaption ? 0 : 1, control->y(), control->x());
        };
        std::stable_sort(children.begin(), children.end(),
                         [&](const auto *a, const auto *b) { return key(a) < key(b); });
        return children;
    }
};

QAccessibleInterface *orderedContainerFactory(const QString &, QObject *object)
{
    auto *container = qobject_cast<QWidget *>(object);
    if (!container || !container->property(kRoleProperty).isValid())
        return nullptr;
    return new OrderedContainer(container, QAccessible::Role(container->property(kRoleProperty).toInt()));
}

void readInOrder(QWidget *container, QWidget *firstStop, QAccessible::Role role)
{
    container->setProperty(kRoleProperty, int(role));
    container->setProperty(kFirstStopProperty, QVariant::fromValue<QObject *>(firstStop));
    takeOverInterface<OrderedContainer>(container, orderedContainerFactory);
}

} // namespace

void readTopToBottom(QWidget *container, QAccessible::Role role)
{
    readInOrder(container, nullptr, role);
}

void readInTabOrder(QWidget *container, QWidget *firstStop, QAccessible::Role role)
{
    readInOrder(container, firstStop, role);
}

} // namespace zephlan
