#include "ui/main/CaptionFit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace zephlan {
namespace {

constexpr int kNarrowestStretch = 70;
constexpr int kStretchStep = 5;
constexpr int kButtonFrame = 3;
constexpr int kFrameTitleMargin = 8;

bool fitsWidth(const QWidget *control, const QString &caption, int room)
{
    return QFontMetrics(control->font()).horizontalAdvance(caption) <= room;
}

int checkCaptionRoom(const QCheckBox *check)
{
    const QStyle *style = check->style();
    return check->width() - style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, check)
        - style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, check);
}

bool labelFits(const QLabel *label)
{
    if (label->text().isEmpty())
        return true;
    const QRect box = label->contentsRect();
    const QRect needed = QFontMetrics(label->font())
                             .boundingRect(QRect(0, 0, box.width(), 1 << 20),
                                           Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, label->text());
    return needed.width() <= box.width() && needed.height() <= box.height();
}

} // namespace

bool captionFits(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return labelFits(label);
    if (const auto *check = qobject_cast<const QCheckBox *>(control))
        return fitsWidth(check, check->text(), checkCaptionRoom(check));
    if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        QString caption = button->text();
        caption.remove(QLatin1Char('&'));
        return fitsWidth(button, caption, button->width() - 2 * kButtonFrame);
    }
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return fitsWidth(frame, frame->title(), frame->width() - 2 * kFrameTitleMargin);
    return true;
}

void fitCaption(QWidget *control)
{
    QFont font = control->font();
    font.setStretch(QFont::Unstretched);
    control->setFont(font);
    for (int stretch = 100 - kStretchStep; !captionFits(control) && stretch >= kNarrowestStretch;
         stretch -= kStretchStep) {
        font.setStretch(stretch);
        control->setFont(font);
    }
}

bool fitCaptionKeepingTail(QCheckBox *box, const QString &head, const QString &tail)
{
    box->setText(head + tail);
    fitCaption(box);
    if (captionFits(box))
        return false;
    const QFontMetrics metrics(box->font());
    for (int room = checkCaptionRoom(box) - metrics.horizontalAdvance(tail); room >= 0; --room) {
        box->setText(metrics.elidedText(head, Qt::ElideRight, room) + tail);
        if (captionFits(box))
            break;
    }
    return true;
}

} // namespace zephlan
