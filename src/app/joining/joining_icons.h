#pragma once

// The pictures of the password prompt and the auto-connect dialog, painted in
// code like the program's other pictures.

#include <QPixmap>

// A padlock, for the password prompt.
QPixmap paintPadlockPicture(int size);
// A stopwatch over a server, for the auto-connect dialog.
QPixmap paintAutoConnectPicture(int size);
