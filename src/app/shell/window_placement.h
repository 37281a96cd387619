#pragma once

class QSize;
class QWidget;

// Moves a window, frame included, to the centre of the screen it is on. The
// windows call it on their first show, once their frame size is known. A
// window larger than the screen keeps its top-left corner (and its title bar)
// on the screen, so it can still be moved and resized.
void centreOnScreen(QWidget& window);
// centreOnScreen on the window's first show only: later shows keep the place
// the user moved it to. `centred` is the window's own record of that show.
void centreOnFirstShow(QWidget& window, bool& centred);

// Shown, on top and with the focus: a window opened from a menu or a button
// that came up behind others would look as if nothing happened.
void showInFront(QWidget& window);

// The size a window takes when a stored size is applied: within the space the
// screen offers, and not below the window's minimum size. A size from a
// hand-edited or foreign settings file could otherwise make a window that
// covers no screen and takes gigabytes for its pixels.
QSize sizeOnScreen(const QWidget& window, const QSize& wanted);
