#include "app/WindowRegistry.h"

#include <algorithm>

namespace zephlan {

namespace {

std::size_t slot(WindowRegistry::Kind kind)
{
    return static_cast<std::size_t>(kind);
}

} // namespace

WindowRegistry::WindowRegistry(QObject *parent) : QObject(parent) {}

void WindowRegistry::setFactory(Kind kind, Factory factory)
{
    m_factories[slot(kind)] = std::move(factory);
}

QWidget *WindowRegistry::show(Kind kind)
{
    QPointer<QWidget> &window = m_windows[slot(kind)];
    const bool wasOpen = !window.isNull();
    if (!wasOpen) {
        const Factory &factory = m_factories[slot(kind)];
        if (!factory)
            return nullptr;
        window = factory();
        connect(window, &QObject::destroyed, this, &WindowRegistry::forget);
    }
    window->show();
    if (wasOpen)
        window->raise();
    window->activateWindow();
    return window;
}

QWidget *WindowRegistry::window(Kind kind) const
{
    return m_windows[slot(kind)];
}

int WindowRegistry::openCount() const
{
    return static_cast<int>(std::count_if(m_windows.begin(), m_windows.end(),
                                          [](const QPointer<QWidget> &window) { return !window.isNull(); }));
}

void WindowRegistry::forget(QObject *gone)
{
    const bool anyLeft = std::any_of(m_windows.begin(), m_windows.end(), [gone](const QPointer<QWidget> &window) {
        return !window.isNull() && window.data() != gone;
    });
    if (!anyLeft)
        emit lastWindowClosed();
}

} // namespace zephlan
