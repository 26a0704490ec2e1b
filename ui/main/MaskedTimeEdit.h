#pragma once

#include "core/TimeOfDay.h"

#include <QLineEdit>

namespace zephlan {

// A time field with the pattern "##:##:##": six digit places, fixed colons
// that typing skips, "0" in every place not typed. What each key, paste, cut
// or delete does is decided by TimeField; this box hands it the events and
// shows the result. Unfocused it shows "hh:mm"; focused, or while being typed
// into, all eight characters. The click that brings the focus in leaves the
// selection made on getting the focus, so typing starts where that put it.
class MaskedTimeEdit final : public QLineEdit
{
    Q_OBJECT
public:
    explicit MaskedTimeEdit(QWidget *parent = nullptr);

    // Always the eight characters, e.g. "12:00:00".
    QString timeText() const { return QString::fromStdString(m_field.text()); }
    // Empties the field back to "00:00:00", as if never typed into.
    void reapplyPattern();
    // Whether a digit typed or pasted since construction or reapplyPattern is
    // still there: emptying every digit makes the field untyped again.
    bool typedInto() const { return m_field.typed(); }
    // Keeps the time but counts it as not typed, as when the field is first shown.
    void forgetTyping();

signals:
    // After the field has taken the focus and shows all eight characters.
    void gotFocus();
    // After typedInto() changed, which the text alone may not show: a typed
    // 00:00:00 emptied reads 00:00:00 still.
    void typedIntoChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    template <typename Event> bool edit(Event event);
    void typeText(const QString &text);
    void pasteText(const QString &text);
    void cut();
    int anchor() const;
    void showField();
    void refreshDisplay();

    TimeField m_field;
    // From a focus-in by mouse until that click's button is released.
    bool m_clickGaveFocus = false;
};

} // namespace zephlan
