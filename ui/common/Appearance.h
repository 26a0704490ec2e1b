#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

class QLabel;
class QWidget;

namespace zephlan {

// The grey behind windows, labels, frames and buttons.
inline const QColor kLightGrey{192, 192, 192};

// Window layouts are given in twips; fifteen make one device-independent pixel.
int twips(int value);
QRect twipsRect(int left, int top, int width, int height);

// The dialog font: "MS Sans Serif" or its substitute at the given size.
QFont dialogFont(double pointSize = 8.25, bool bold = false);

// Gives a window, label, frame, check box, option or button the light grey background.
void paintLightGrey(QWidget *widget);

// A label as every window has them: grey, plain text, top left, wrapped at word boundaries.
QLabel *makeCaptionLabel(QWidget *parent, const QString &name, const QRect &place, const QFont &font,
                         const QString &caption = {});

// The kind of window the welcome and about windows are, kept out of the task bar:
// on Windows only tool windows are; elsewhere an unowned dialog is (the window
// system treats it as a transient of the program).
#ifdef Q_OS_WIN
inline constexpr Qt::WindowType kOutOfTaskBarWindow = Qt::Tool;
#else
inline constexpr Qt::WindowType kOutOfTaskBarWindow = Qt::Dialog;
#endif

// The flags of a window the user can neither resize nor maximise. Equal minimum and maximum
// sizes say so to an X window manager; Windows gives every window with a border a sizing one
// unless it is asked for the thin dialog frame, and Wine passes that on as "resizable".
constexpr Qt::WindowFlags withFixedBorder(Qt::WindowFlags flags)
{
    return (flags | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowMaximizeButtonHint;
}

// Moves a top-level window, frame included, to the middle of its screen.
void centreOnScreen(QWidget *window);
// The same, once, when the window is first shown and its frame is known.
void centreWhenFirstShown(QWidget *window);

// Program-wide look: one style on every system, the dialog font's substitutes
// and the program's icon on every window that has one.
// Call once, after the application object exists.
void applyApplicationLook();

} // namespace zephlan
