#pragma once

class QCheckBox;
class QString;
class QWidget;

namespace zephlan {

// True when the caption of a label, check box, button or frame lies wholly
// inside the control's box in its current font (labels wrap at words).
bool captionFits(const QWidget *control);

// The substitute for the dialog font can run wider than the face the layout
// was made for; a caption that does not fit is narrowed step by step.
void fitCaption(QWidget *control);

// Sets head followed by tail as the check box's caption, narrowed as by
// fitCaption; when it still does not fit, head is shortened with an ellipsis
// so that tail always shows whole. True when head had to be shortened.
bool fitCaptionKeepingTail(QCheckBox *box, const QString &head, const QString &tail);

} // namespace zephlan
