#pragma once

#include <QPointer>
#include <QWidget>

namespace zephlan {

// Held while a modal dialog runs: when it goes, the window that opened it is the
// active one again and the control that had the focus has it back. Left to the
// window system, Wine with some window managers leaves the window inactive and
// the keys typed next go nowhere.
class FocusReturn
{
public:
    explicit FocusReturn(QWidget *parent);
    ~FocusReturn();
    FocusReturn(const FocusReturn &) = delete;
    FocusReturn &operator=(const FocusReturn &) = delete;

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_focus;
};

} // namespace zephlan
