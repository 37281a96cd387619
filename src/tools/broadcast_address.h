#pragma once

#include <QString>

// Where the scan's broadcast probe goes: the directed broadcast of the
// network of the interface that holds the local address, as the window's
// broadcast step does; an empty text when there is no local address.
QString localBroadcastAddress();
