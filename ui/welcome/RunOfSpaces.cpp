#include "ui/welcome/RunOfSpaces.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace zephlan {

namespace {

constexpr int kMostSpacingChange = 40;

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

// Widths scale with the spacing, so the first line ends at the run from the
// spacing at which the text before the run still fits and the word after it
// no longer does, while what follows the run fits one line. Of those, the one
// closest to the label's own.
int likelySpacing(const QString &text, const QFont &font, int width, qsizetype word)
{
    const QFontMetricsF metrics(font);
    const qsizetype run = text.indexOf(QLatin1String("  "));
    qsizetype wordEnd = text.indexOf(u' ', word);
    if (wordEnd < 0)
        wordEnd = text.size();
    const qreal before = metrics.horizontalAdvance(text.left(run));
    const qreal through = metrics.horizontalAdvance(text.left(wordEnd));
    const qreal after = metrics.horizontalAdvance(text.mid(word).trimmed());
    if (before <= 0 || through <= 0 || after <= 0)
        return 100;
    const int narrowest = static_cast<int>(std::floor(100 * width / through)) + 1;
    const int widest = static_cast<int>(std::floor(100 * width / std::max(before, after)));
    return narrowest > widest ? 100 : std::clamp(100, narrowest, widest);
}

} // namespace

void startSecondLineAfterRun(QLabel *label)
{
    const QString text = label->text();
    const qsizetype word = wordAfterRun(text);
    if (word < 0)
        return;
    QFont font = label->font();
    const int width = label->contentsRect().width();
    // Spacing, unlike a stretched face, needs no font of its own, so trying a
    // step is only a layout; the likely step is worked out first all the same.
    const int likely = likelySpacing(text, font, width, word);
    for (int change = 0; change <= kMostSpacingChange; ++change) {
        for (const int spacing : {likely - change, likely + change}) {
            if (spacing < 100 - kMostSpacingChange || spacing > 100 + kMostSpacingChange)
                continue;
            font.setLetterSpacing(QFont::PercentageSpacing, spacing);
            if (secondLineStartsAt(text, font, width, word)) {
                label->setFont(font);
                return;
            }
        }
    }
}

} // namespace zephlan
