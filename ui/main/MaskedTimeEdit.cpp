#include "ui/main/MaskedTimeEdit.h"

#include "ui/main/StorableText.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace zephlan {
namespace {

constexpr int kTimeLength = 8;
constexpr int kShortLength = 5;

QString clipboardText(QClipboard::Mode mode = QClipboard::Clipboard)
{
    return QGuiApplication::clipboard()->text(mode);
}

QString withShortcut(const QString &caption, QKeySequence::StandardKey key)
{
    return caption + QLatin1Char('\t') + QKeySequence(key).toString(QKeySequence::NativeText);
}

} // namespace

MaskedTimeEdit::MaskedTimeEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setMaxLength(kTimeLength);
    setAcceptDrops(false);
    // Whatever else edits the text behind the field's back is put back.
    connect(this, &QLineEdit::textEdited, this, [this] { showField(); });
    refreshDisplay();
}

void MaskedTimeEdit::reapplyPattern()
{
    const bool wasTyped = m_field.typed();
    m_field.clear();
    refreshDisplay();
    if (wasTyped)
        emit typedIntoChanged();
}

void MaskedTimeEdit::forgetTyping()
{
    const bool wasTyped = m_field.typed();
    m_field.forgetTyping();
    if (wasTyped)
        emit typedIntoChanged();
}

// Hands the event the caret and selection the box shows, then shows what it made of
// them; a refused event leaves the box as it was.
template <typename Event> bool MaskedTimeEdit::edit(Event event)
{
    m_field.select(anchor(), cursorPosition());
    const bool wasTyped = m_field.typed();
    if (!event(m_field))
        return false;
    showField();
    if (m_field.typed() != wasTyped)
        emit typedIntoChanged();
    return true;
}

void MaskedTimeEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteText(clipboardText());
    } else if (event->matches(QKeySequence::Cut)) {
        cut();
    } else if (event->key() == Qt::Key_Backspace) {
        edit([](TimeField &field) { return field.backspace(); });
    } else if (event->key() == Qt::Key_Delete) {
        edit([](TimeField &field) { return field.deleteForward(); });
    } else if (!event->text().isEmpty() && event->text().at(0).isPrint()
               && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        typeText(event->text());
    } else {
        // Moving, selecting and copying are the box's own; an edit it would make is put back.
        QLineEdit::keyPressEvent(event);
    }
}

void MaskedTimeEdit::inputMethodEvent(QInputMethodEvent *event)
{
    typeText(event->commitString());
    event->accept();
}

void MaskedTimeEdit::contextMenuEvent(QContextMenuEvent *event)
{
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool selected = hasSelectedText();
    QAction *action = menu->addAction(withShortcut(tr("Cu&t"), QKeySequence::Cut));
    action->setEnabled(selected);
    connect(action, &QAction::triggered, this, &MaskedTimeEdit::cut);
    action = menu->addAction(withShortcut(tr("&Copy"), QKeySequence::Copy));
    action->setEnabled(selected);
    connect(action, &QAction::triggered, this, &QLineEdit::copy);
    action = menu->addAction(withShortcut(tr("&Paste"), QKeySequence::Paste));
    action->setEnabled(!clipboardText().isEmpty());
    connect(action, &QAction::triggered, this, [this] { pasteText(clipboardText()); });
    action = menu->addAction(tr("Delete"));
    action->setEnabled(selected);
    connect(action, &QAction::triggered, this,
            [this] { edit([](TimeField &field) { return field.deleteForward(); }); });
    menu->addSeparator();
    action = menu->addAction(withShortcut(tr("Select All"), QKeySequence::SelectAll));
    connect(action, &QAction::triggered, this, &QLineEdit::selectAll);
    menu->popup(event->globalPos());
}

void MaskedTimeEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    m_clickGaveFocus = event->reason() == Qt::MouseFocusReason;
    m_field.select(cursorPosition(), cursorPosition());
    showField();
    emit gotFocus();
}

void MaskedTimeEdit::focusOutEvent(QFocusEvent *event)
{
    m_clickGaveFocus = false;
    QLineEdit::focusOutEvent(event);
    refreshDisplay();
}

// The focus arrives before the press that brought it; left to itself the
// press would put the caret where it landed, in the short "hh:mm" form.
void MaskedTimeEdit::mousePressEvent(QMouseEvent *event)
{
    if (m_clickGaveFocus) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void MaskedTimeEdit::mouseMoveEvent(QMouseEvent *event)
{
    if (m_clickGaveFocus) {
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

// The middle button pastes the X11 selection where it pressed, as any paste.
void MaskedTimeEdit::mouseReleaseEvent(QMouseEvent *event)
{
    m_clickGaveFocus = false;
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        pasteText(clipboardText(QClipboard::Selection));
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void MaskedTimeEdit::typeText(const QString &text)
{
    for (const QChar ch : text) {
        if (ch == QLatin1Char(':') || ch == QLatin1Char('.'))
            edit([](TimeField &field) { return field.typeSeparator(); });
        else
            edit([ch](TimeField &field) { return field.typeDigit(ch.toLatin1()); });
    }
}

void MaskedTimeEdit::pasteText(const QString &text)
{
    if (!edit([&text](TimeField &field) { return field.paste(text.toStdString()); }))
        showBoxNotice(this, QStringLiteral("Left out, not a time of day: ") + text.simplified());
}

void MaskedTimeEdit::cut()
{
    if (!hasSelectedText())
        return;
    copy();
    edit([](TimeField &field) { return field.deleteForward(); });
}

// QLineEdit tells where the selection starts and ends, not which end the caret is at.
int MaskedTimeEdit::anchor() const
{
    if (!hasSelectedText())
        return cursorPosition();
    return cursorPosition() == selectionStart() ? selectionEnd() : selectionStart();
}

void MaskedTimeEdit::showField()
{
    setText(timeText());
    setSelection(m_field.anchor(), m_field.cursor() - m_field.anchor());
}

void MaskedTimeEdit::refreshDisplay()
{
    setText(hasFocus() ? timeText() : timeText().left(kShortLength));
    setCursorPosition(0);
}

} // namespace zephlan
