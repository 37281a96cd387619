#pragma once

// The program's pictures, painted in code so they stay sharp at every size.

#include <QIcon>
#include <QList>

// The 18 small pictures of the server list and its headers, indexed as the
// rows and headers use them (see core/protocol/server_row.h).
QList<QIcon> paintServerListIcons();
// The seven game pictures at 32 by 32, at the indices of the row icons.
QList<QIcon> paintGameIcons();
// Tray: the normal icon and the alternate one that auto-connect cycles to.
QList<QIcon> paintTrayIcons();
// Tabs "Players" and "Rules".
QList<QIcon> paintTabIcons();
