#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

namespace zephlan {

// Keeps each of the program's windows at most once and tells when the last of them is gone.
// A window is created on first show, comes to the front when shown again, and is destroyed when
// closed; showing it afterwards creates it afresh.
class WindowRegistry : public QObject
{
    Q_OBJECT

public:
    enum class Kind { Welcome, Main, About };
    // Makes a window that deletes itself when closed, as each of the program's windows does.
    using Factory = std::function<QWidget *()>;

    explicit WindowRegistry(QObject *parent = nullptr);

    void setFactory(Kind kind, Factory factory);
    QWidget *show(Kind kind);
    QWidget *window(Kind kind) const;
    int openCount() const;

signals:
    // The program ends here: no window of it is left.
    void lastWindowClosed();

private:
    void forget(QObject *gone);

    std::array<Factory, 3> m_factories;
    std::array<QPointer<QWidget>, 3> m_windows;
};

} // namespace zephlan
