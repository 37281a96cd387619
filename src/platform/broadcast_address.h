#pragma once

#include <QString>

// The netmask of the interface that holds `address` (dotted IPv4), as dotted
// text, or an empty text when no interface holds it.
QString interfaceNetmask(const QString& address);

// Where the scan's broadcast probe goes for the local address: the directed
// broadcast of its interface's network, or an empty text when there is no
// local address (the probe is then skipped).
QString scanBroadcastAddress(const QString& localAddress);
