#include "ui/main/MaskedTimeEdit.h"

#include "core/TimeOfDay.h"
#include "ui/main/StorableText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <array>

namespace zephlan {
namespace {

const QString kEmptyTime = QStringLiteral("00:00:00");
constexpr int kTimeLength = 8;
constexpr int kShortLength = 5;

bool isDigitPlace(int position)
{
    return position != 2 && position != 5;
}

int twoDigits(const QString &text, int from)
{
    return text.mid(from, 2).toInt();
}

} // namespace

MaskedTimeEdit::MaskedTimeEdit(QWidget *parent)
    : QLineEdit(parent)
    , m_buffer(kEmptyTime)
{
    setMaxLength(kTimeLength);
    setAcceptDrops(false);
    // Edits that bypass the key handling (middle-click paste, input methods,
    // the context menu) are put back.
    connect(this, &QLineEdit::textEdited, this, [this] { showBuffer(cursorPosition()); });
    refreshDisplay();
}

void MaskedTimeEdit::reapplyPattern()
{
    m_buffer = kEmptyTime;
    m_typedInto = false;
    refreshDisplay();
}

bool MaskedTimeEdit::holdsValidTime() const
{
    return twoDigits(m_buffer, 0) <= 23 && twoDigits(m_buffer, 3) <= 59 && twoDigits(m_buffer, 6) <= 59;
}

bool MaskedTimeEdit::isNavigation(QKeyEvent *event) const
{
    static const std::array kNavigation = {
        QKeySequence::MoveToNextChar,       QKeySequence::MoveToPreviousChar,
        QKeySequence::MoveToNextWord,       QKeySequence::MoveToPreviousWord,
        QKeySequence::MoveToStartOfLine,    QKeySequence::MoveToEndOfLine,
        QKeySequence::MoveToStartOfBlock,   QKeySequence::MoveToEndOfBlock,
        QKeySequence::MoveToStartOfDocument, QKeySequence::MoveToEndOfDocument,
        QKeySequence::SelectNextChar,       QKeySequence::SelectPreviousChar,
        QKeySequence::SelectNextWord,       QKeySequence::SelectPreviousWord,
        QKeySequence::SelectStartOfLine,    QKeySequence::SelectEndOfLine,
        QKeySequence::SelectStartOfBlock,   QKeySequence::SelectEndOfBlock,
        QKeySequence::SelectStartOfDocument, QKeySequence::SelectEndOfDocument,
        QKeySequence::SelectAll,            QKeySequence::Copy};
    return std::any_of(kNavigation.begin(), kNavigation.end(),
                       [event](QKeySequence::StandardKey key) { return event->matches(key); });
}

void MaskedTimeEdit::keyPressEvent(QKeyEvent *event)
{
    if (isNavigation(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteText(QGuiApplication::clipboard()->text());
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        copy();
        clearSelection();
        return;
    }
    if (event->key() == Qt::Key_Backspace) {
        clearBackward();
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        clearForward();
        return;
    }
    const QString text = event->text();
    const bool printable = !text.isEmpty() && text.at(0).isPrint()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (printable)
        typeText(text);
    else
        event->ignore();
}

void MaskedTimeEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    m_clickGaveFocus = event->reason() == Qt::MouseFocusReason;
    showBuffer(cursorPosition());
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

void MaskedTimeEdit::mouseReleaseEvent(QMouseEvent *event)
{
    m_clickGaveFocus = false;
    QLineEdit::mouseReleaseEvent(event);
}

void MaskedTimeEdit::typeText(const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() > 0x7f)
            continue;
        clearSelection();
        if (const auto typed = typeIntoTime({m_buffer.toStdString(), cursorPosition()}, ch.toLatin1()))
            take(*typed);
    }
}

// A refused paste leaves the field, its selection included, as it was.
void MaskedTimeEdit::pasteText(const QString &text)
{
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 0x80; });
    std::string cleared = m_buffer.toStdString();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    for (int position = start; position < std::min(start + int(selectedText().size()), kTimeLength); ++position) {
        if (isDigitPlace(position))
            cleared[position] = '0';
    }
    const std::optional<TimeField> pasted = ascii ? pasteIntoTime({cleared, start}, text.toStdString()) : std::nullopt;
    if (!pasted) {
        showBoxNotice(this, QStringLiteral("Left out, not a time of day: ") + text.simplified());
        return;
    }
    take(*pasted);
}

void MaskedTimeEdit::take(const TimeField &field)
{
    m_buffer = QString::fromStdString(field.text);
    m_typedInto = true;
    showBuffer(field.cursor);
}

void MaskedTimeEdit::clearBackward()
{
    if (clearSelection())
        return;
    int position = cursorPosition() - 1;
    while (position >= 0 && !isDigitPlace(position))
        --position;
    if (position < 0)
        return;
    m_buffer[position] = QLatin1Char('0');
    showBuffer(position);
}

void MaskedTimeEdit::clearForward()
{
    if (clearSelection())
        return;
    int position = cursorPosition();
    while (position < kTimeLength && !isDigitPlace(position))
        ++position;
    if (position >= kTimeLength)
        return;
    m_buffer[position++] = QLatin1Char('0');
    showBuffer(position);
}

bool MaskedTimeEdit::clearSelection()
{
    if (!hasSelectedText())
        return false;
    const int start = selectionStart();
    const int end = std::min(selectionEnd(), kTimeLength);
    for (int position = start; position < end; ++position) {
        if (isDigitPlace(position))
            m_buffer[position] = QLatin1Char('0');
    }
    showBuffer(start);
    return true;
}

void MaskedTimeEdit::showBuffer(int cursor)
{
    setText(m_buffer);
    setCursorPosition(cursor);
}

void MaskedTimeEdit::refreshDisplay()
{
    const bool shortForm = !hasFocus() && holdsValidTime();
    setText(shortForm ? m_buffer.left(kShortLength) : m_buffer);
    setCursorPosition(0);
}

} // namespace zephlan
