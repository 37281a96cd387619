#pragma once

// The translucency of the program's windows, switched by "Transparency" and
// set by the level track bar of the settings dialog (Trans and TransLevel).
// A window is translucent at a level or opaque; the flag is kept on the
// window, because a window left translucent at level 255 looks opaque yet
// must take the next level the user chooses.

class QWidget;
class TSettings;

// Makes the window translucent at level (0..255, 255 opaque) or opaque.
void setWindowTranslucency(QWidget& window, bool translucent, int level);
bool isWindowTranslucent(const QWidget& window);

// What a secondary window does when it is shown: the password prompt, the
// about box and the auto-connect dialog become translucent at TransLevel
// exactly when Trans is on. Call it from the window's show handler; a null
// settings dialog (before start-up made it, or after it is gone) leaves the
// window as it is.
//
// With followsSwitch (password prompt, about box) the settings dialog also
// keeps hold of the window, so that switching translucency off makes it
// opaque at once and a new level reaches it at once. The auto-connect dialog
// takes the settings only when it is shown: pass false.
void applyTranslucencyOnShow(QWidget& window, TSettings* settings, bool followsSwitch = true);

// What the main window and the settings dialog do when shown: translucency is
// switched on when Trans is on, never off, and a translucent window takes
// TransLevel.
void applyTranslucencyKeepingOn(QWidget& window, const TSettings* settings);
