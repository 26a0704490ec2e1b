#pragma once

#include <QLineEdit>

namespace zephlan {
struct TimeField;
}

namespace zephlan {

// A time field with the pattern "##:##:##": six digit places, fixed colons
// that typing skips, "0" in every place not yet typed. It only ever holds a
// time of day: keys and pastes that would make another are refused. Unfocused and holding
// a valid time it shows "hh:mm"; focused, or while being typed into, it
// shows all eight characters. The click that brings the focus in leaves the
// selection made on getting the focus, so typing starts where that put it.
class MaskedTimeEdit final : public QLineEdit
{
    Q_OBJECT
public:
    explicit MaskedTimeEdit(QWidget *parent = nullptr);

    // Always the eight characters, e.g. "12:00:00".
    QString timeText() const { return m_buffer; }
    // Empties the field back to "00:00:00", as if never typed into.
    void reapplyPattern();
    // Whether a digit was typed or pasted since construction or reapplyPattern.
    bool typedInto() const { return m_typedInto; }
    // Keeps the time but counts it as not typed, as when the field is first shown.
    void forgetTyping() { m_typedInto = false; }
    // Hours 00-23, minutes and seconds 00-59.
    bool holdsValidTime() const;

signals:
    // After the field has taken the focus and shows all eight characters.
    void gotFocus();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool isNavigation(QKeyEvent *event) const;
    void typeText(const QString &text);
    void pasteText(const QString &text);
    void take(const TimeField &field);
    void clearBackward();
    void clearForward();
    bool clearSelection();
    void showBuffer(int cursor);
    void refreshDisplay();

    QString m_buffer;
    bool m_typedInto = false;
    // From a focus-in by mouse until that click's button is released.
    bool m_clickGaveFocus = false;
};

} // namespace zephlan
