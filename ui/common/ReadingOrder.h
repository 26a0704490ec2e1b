#pragma once

#include <QAccessible>

class QWidget;

namespace zephlan {

// A screen reader meets a container's controls in the order they were made,
// which here also decides which one is painted over another where they
// overlap. These give the reader the order a sighted user follows instead.

// Top to bottom, then left to right; the container itself has the given role.
void readTopToBottom(QWidget *container, QAccessible::Role role = QAccessible::Client);

// The window's tab order from firstStop on, each caption just before its
// control; controls the Tab key never reaches come last, top to bottom.
void readInTabOrder(QWidget *container, QWidget *firstStop, QAccessible::Role role = QAccessible::Client);

} // namespace zephlan
