#pragma once

// The program's pictures, painted in code so they stay sharp at every size.

#include <QIcon>
#include <QList>

class QPainter;

// The 18 small pictures of the server list and its headers, indexed as the
// rows and headers use them (see core/protocol/server_row.h).
QList<QIcon> paintServerListIcons();
// The seven game pictures at 32 by 32, at the indices of the row icons.
QList<QIcon> paintGameIcons();
// Tray: the normal icon and the alternate one that auto-connect cycles to.
// The normal one is also the window icon.
QList<QIcon> paintTrayIcons();
// The program's own picture (the normal tray icon) on a 16 by 16 grid: the
// build paints the installed menu icons from it, so the menu, the window and
// the tray show one picture.
void paintProgramPicture(QPainter& painter);
// Tabs "Players" and "Rules".
QList<QIcon> paintTabIcons();
