#pragma once

class QAbstractButton;
class QAbstractItemView;
class QLabel;
class QLineEdit;

namespace zephlan {

// Habits of an ordinary dialog that the window's controls lack by themselves.

// In a list with nothing selected, Down selects the entry the focus marks (the
// first one when none is marked) rather than the one after it, and Home selects
// the first entry even when the focus already marks it.
void selectOnFirstMove(QAbstractItemView *list);

// Alt with a character key types nothing: it is an access key or nothing.
// Ctrl+Alt is left alone, as AltGr arrives as that on Windows.
void refuseAltCharacters(QLineEdit *box);

// An access key clicks its button at once and leaves the focus where it was,
// instead of moving it to the button for an animated press during which keys
// typed next would reach the button and be lost.
void clickAtOnceOnAccessKey(QAbstractButton *button);

// A click on the caption beside an option button selects that button.
void selectOnCaptionClick(QLabel *caption, QAbstractButton *option);

} // namespace zephlan
