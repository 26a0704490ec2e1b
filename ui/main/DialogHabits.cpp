#include "ui/main/DialogHabits.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShortcutEvent>

#include <functional>

namespace zephlan {

namespace {

// Runs a handler for each event of one control; the handler returns true when
// it has taken the event.
class EventHook final : public QObject
{
public:
    EventHook(QObject *control, std::function<bool(QEvent *)> handler)
        : QObject(control)
        , m_handler(std::move(handler))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override { return m_handler(event); }

private:
    std::function<bool(QEvent *)> m_handler;
};

// The key alone, from the main block or the keypad.
bool isKey(QEvent *event, Qt::Key key)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *press = static_cast<QKeyEvent *>(event);
    return press->key() == key && (press->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

void selectOnFirstMove(QAbstractItemView *list)
{
    new EventHook(list, [list](QEvent *event) {
        QItemSelectionModel *selection = list->selectionModel();
        const bool down = isKey(event, Qt::Key_Down);
        if (!(down || isKey(event, Qt::Key_Home)) || selection->hasSelection() || list->model()->rowCount() == 0)
            return false;
        const QModelIndex marked = list->currentIndex();
        const QModelIndex target = down && marked.isValid() ? marked : list->model()->index(0, 0);
        selection->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
        list->scrollTo(target);
        return true;
    });
}

void refuseAltCharacters(QLineEdit *box)
{
    new EventHook(box, [](QEvent *event) {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        return !key->text().isEmpty() && key->modifiers().testFlag(Qt::AltModifier)
            && !key->modifiers().testFlag(Qt::ControlModifier);
    });
}

void clickAtOnceOnAccessKey(QAbstractButton *button)
{
    new EventHook(button, [button](QEvent *event) {
        if (event->type() != QEvent::Shortcut || static_cast<QShortcutEvent *>(event)->isAmbiguous())
            return false;
        button->click();
        return true;
    });
}

void selectOnCaptionClick(QLabel *caption, QAbstractButton *option)
{
    new EventHook(caption, [caption, option](QEvent *event) {
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || !caption->rect().contains(mouse->position().toPoint()))
            return false;
        option->setFocus(Qt::MouseFocusReason);
        option->click();
        return true;
    });
}

} // namespace zephlan
