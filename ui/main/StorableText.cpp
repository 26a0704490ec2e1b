#include "ui/main/StorableText.h"

#include "ui/common/Windows1252.h"

#include <QLineEdit>
#include <QStringList>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace zephlan {

namespace {

constexpr int kNoticeMilliseconds = 5000;
constexpr qsizetype kNamedAtMost = 4;

// Each character once, with its code point, since the screen may have no font that shows it.
QString namesOf(const QString &leftOut)
{
    QList<char32_t> distinct;
    for (const char32_t ch : leftOut.toUcs4()) {
        if (!distinct.contains(ch))
            distinct << ch;
    }
    QStringList names;
    for (const char32_t ch : distinct.first(std::min(distinct.size(), kNamedAtMost)))
        names << QStringLiteral("%1 (U+%2)").arg(QString::fromUcs4(&ch, 1),
                                                 QString::number(ch, 16).toUpper().rightJustified(4, u'0'));
    if (distinct.size() > kNamedAtMost)
        names << QStringLiteral("...");
    return names.join(QStringLiteral(", "));
}

} // namespace

// The text before holds storable characters only, so wherever the common head
// and tail are taken to end, the characters left out are the same.
StorableEdit storableEdit(const QString &before, const QString &after, int cursor, int maxLength)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;

    StorableEdit edit;
    QString inserted;
    for (const QChar ch : after.mid(head, after.size() - head - tail)) {
        if (isWindows1252(ch))
            inserted += ch;
        else
            edit.leftOut += ch;
    }
    inserted.truncate(std::max<qsizetype>(0, maxLength - head - tail));
    edit.text = before.left(head) + inserted + before.right(tail);
    edit.cursor = edit.text == after ? cursor : static_cast<int>(head + inserted.size());
    return edit;
}

StorableTextValidator::StorableTextValidator(QLineEdit *box, int maxLength, const QString &longerOnly)
    : QValidator(box)
    , m_maxLength(maxLength)
    , m_longerOnly(longerOnly)
    , m_accepted(box->text())
{
    connect(box, &QLineEdit::textChanged, this, &StorableTextValidator::settle);
    // A refused edit is undone after this signal, back to the text last accepted.
    connect(box, &QLineEdit::inputRejected, this, &StorableTextValidator::tellLeftOut);
}

QValidator::State StorableTextValidator::validate(QString &input, int &cursor) const
{
    StorableEdit edit = storableEdit(m_accepted, input, cursor, m_maxLength);
    if (!m_longerOnly.isEmpty() && edit.text.size() < m_longerOnly.size()) {
        const StorableEdit longer = storableEdit(m_accepted, input, cursor, int(m_longerOnly.size()));
        if (longer.text == m_longerOnly)
            edit = longer;
    }
    m_leftOut += edit.leftOut;
    if (edit.text == input)
        return Acceptable;
    // Nothing of the edit is kept: refused, so the box undoes it and keeps its undo history.
    if (edit.text == m_accepted)
        return Invalid;
    input = edit.text;
    cursor = edit.cursor;
    return Acceptable;
}

void StorableTextValidator::settle(const QString &text)
{
    m_accepted = text;
    tellLeftOut();
}

void StorableTextValidator::tellLeftOut()
{
    if (m_leftOut.isEmpty())
        return;
    const QString leftOut = std::exchange(m_leftOut, QString());
    emit charactersLeftOut(leftOut);
}

void keepStorableText(QLineEdit *box, int maxLength, const QString &longerOnly)
{
    auto *validator = new StorableTextValidator(box, maxLength, longerOnly);
    box->setValidator(validator);
    QObject::connect(validator, &StorableTextValidator::charactersLeftOut, box, [box](const QString &leftOut) {
        showBoxNotice(box, QStringLiteral("Left out, as a flight plan cannot hold them: ") + namesOf(leftOut));
    });
}

void showBoxNotice(QLineEdit *box, const QString &notice)
{
    QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), notice, box, QRect(), kNoticeMilliseconds);
}

} // namespace zephlan
