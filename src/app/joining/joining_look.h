#pragma once

// The look the password prompt and the auto-connect dialog share: their
// pictures, painted in code like the program's other pictures, and their
// layout.

#include <QPixmap>

class QDialog;
class QLabel;
class QLayout;
class QPushButton;

// A padlock, for the password prompt.
QPixmap paintPadlockPicture(int size);
// A stopwatch over a server, for the auto-connect dialog.
QPixmap paintAutoConnectPicture(int size);

// OK (the default button: Enter) and Cancel, named BitBtn1 and BitBtn2.
void makeOkCancel(QDialog& dialog, QPushButton*& ok, QPushButton*& cancel);

// The picture at the top left, the fields beside it, OK and Cancel at the
// bottom right; the dialog keeps the size its contents need.
void layOutJoiningDialog(QDialog& dialog, QLabel* picture, QLayout* fields, QPushButton* ok,
                         QPushButton* cancel);
