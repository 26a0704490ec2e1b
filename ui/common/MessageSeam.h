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

// The real message box.
class MessageBoxSeam final : public MessageSeam
{
public:
    void showMessage(QWidget *parent, const QString &prompt, const QString &title) override;
};

} // namespace zephlan
