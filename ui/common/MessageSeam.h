#pragma once

#include <QString>

class QWidget;

namespace zephlan {

// Every message of the program: a prompt, a title, an OK button and no icon.
class MessageSeam
{
public:
    virtual ~MessageSeam() = default;
    virtual void showMessage(QWidget *parent, const QString &prompt, const QString &title) = 0;
};

// Qt's message box, its prompt shown as plain text and modal to the window that
// asks; once it closes, the focus is back in the control that had it.
class MessageBoxSeam final : public MessageSeam
{
public:
    void showMessage(QWidget *parent, const QString &prompt, const QString &title) override;
};

} // namespace zephlan
