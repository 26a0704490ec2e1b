#include "ui/welcome/RunOfSpaces.h"

#include <QLabel>
#include <QTextLayout>

namespace zephlan {

namespace {

constexpr int kMostStretchChange = 40;

// Where the word after the first run of two or more spaces starts; -1 without one.
qsizetype wordAfterRun(const QString &text)
{
    const qsizetype run = text.indexOf(QLatin1String("  "));
    if (run < 0)
        return -1;
    qsizetype word = run;
    while (word < text.size() && text[word] == u' ')
        ++word;
    return word < text.size() ? word : -1;
}

// Lays the text out as a word-wrapping label does and tells whether its
// second line, the last, starts at word.
bool secondLineStartsAt(const QString &text, const QFont &font, int width, qsizetype word)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    bool startsThere = false;
    for (QTextLine line = layout.createLine(); line.isValid() && lines < 3; line = layout.createLine()) {
        line.setLineWidth(width);
        startsThere = startsThere || (lines == 1 && line.textStart() == word);
        ++lines;
    }
    layout.endLayout();
    return lines == 2 && startsThere;
}

} // namespace

void startSecondLineAfterRun(QLabel *label)
{
    const qsizetype word = wordAfterRun(label->text());
    if (word < 0)
        return;
    QFont font = label->font();
    const int width = label->contentsRect().width();
    for (int change = 0; change <= kMostStretchChange; ++change) {
        for (const int stretch : {100 - change, 100 + change}) {
            font.setStretch(stretch);
            if (secondLineStartsAt(label->text(), font, width, word)) {
                label->setFont(font);
                return;
            }
        }
    }
}

} // namespace zephlan
