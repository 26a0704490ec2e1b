#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

namespace zephlan {

// One edit of a text box as it is kept: the characters the edit put in that a
// flight plan cannot hold (they have no Windows-1252 byte) are taken out, and of
// the rest only as many as the length limit leaves room for are kept.
struct StorableEdit
{
    QString text;
    int cursor = 0;
    QString leftOut;
};

// before is the box's text, after the text the edit would make of it.
StorableEdit storableEdit(const QString &before, const QString &after, int cursor, int maxLength);

// Applies storableEdit to whatever reaches the box: typing, pasting, dropping,
// input-method text. The box's own length limit is not used, as it would cut a
// paste short before the characters left out are taken away.
class StorableTextValidator final : public QValidator
{
    Q_OBJECT
public:
    // longerOnly, when given, is the one longer text the box also takes.
    StorableTextValidator(QLineEdit *box, int maxLength, const QString &longerOnly = QString());

    State validate(QString &input, int &cursor) const override;

signals:
    // After an edit settled that had characters left out.
    void charactersLeftOut(const QString &leftOut);

private:
    void settle(const QString &text);
    void tellLeftOut();

    int m_maxLength;
    QString m_longerOnly;
    QString m_accepted;
    mutable QString m_leftOut;
};

// Installs the validator on the box and shows a short notice below the box
// naming the characters each edit left out.
void keepStorableText(QLineEdit *box, int maxLength, const QString &longerOnly = QString());

// The short notice below a box that tells what an edit left out.
void showBoxNotice(QLineEdit *box, const QString &notice);

} // namespace zephlan
