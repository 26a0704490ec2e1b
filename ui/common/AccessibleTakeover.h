#pragma once

#include <QAccessible>

namespace zephlan {

// Has factory answer the next question for object's interface: Qt keeps each
// factory once, and an interface already made (say, for an event while the
// window was built) is dropped unless it is already one of ours.
template <typename Ours>
void takeOverInterface(QObject *object, QAccessible::InterfaceFactory factory)
{
    QAccessible::installFactory(factory);
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(object);
    if (!dynamic_cast<Ours *>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

} // namespace zephlan
