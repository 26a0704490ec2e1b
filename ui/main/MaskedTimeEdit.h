#pragma once

#include <QLineEdit>

namespace zephlan {

// A time field with the pattern "##:##:##": six digit places, fixed colons
// that typing skips, "0" in every place not yet typed. Unfocused and holding
// a valid time it shows "hh:mm"; focused, or while being typed into, it
// shows all eight characters.
class MaskedTimeEdit final : public QLineEdit
{
    Q_OBJECT
public:
    explicit MaskedTimeEdit(QWidget *parent = nullptr);

    // Always the eight characters, e.g. "12:00:00".
    QString timeText() const { return m_buffer; }
    // Empties the field back to "00:00:00".
    void reapplyPattern();
    // Hours 00-23, minutes and seconds 00-59.
    bool holdsValidTime() const;

signals:
    // After the field has taken the focus and shows all eight characters.
    void gotFocus();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool isNavigation(QKeyEvent *event) const;
    void typeText(const QString &text);
    void typeDigit(QChar digit);
    void clearBackward();
    void clearForward();
    bool clearSelection();
    void showBuffer(int cursor);
    void refreshDisplay();

    QString m_buffer;
};

} // namespace zephlan
