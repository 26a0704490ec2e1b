#include "ui/common/FocusReturn.h"

#include <QApplication>

namespace zephlan {

FocusReturn::FocusReturn(QWidget *parent)
    : m_window(parent ? parent->window() : nullptr)
    , m_focus(QApplication::focusWidget())
{
}

FocusReturn::~FocusReturn()
{
    if (m_window.isNull() || !m_window->isVisible())
        return;
    m_window->activateWindow();
    if (!m_focus.isNull() && m_focus->window() == m_window)
        m_focus->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace zephlan
