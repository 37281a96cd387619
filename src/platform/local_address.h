#pragma once

// The local host's own IPv4 address and its network interfaces, from which
// the scan derives where its broadcast goes.

#include "core/scanning/broadcast_target.h"

#include <QString>
#include <vector>

class LocalAddressProvider {
public:
    virtual ~LocalAddressProvider() = default;
    // Dotted decimal text, or an empty text when there is none.
    virtual QString address() const = 0;
    // Every IPv4 address of every interface, read anew at each call: cables,
    // Wi-Fi and VPNs come and go while the program runs. One that cannot tell
    // lists none, and the broadcast then goes where the address alone says.
    virtual std::vector<zarnek::scanning::LanInterface> interfaces() const { return {}; }
};

// One address of one interface, as the choice below needs it.
struct InterfaceAddress {
    bool up = false;
    bool loopback = false;
    bool ipv4 = false;
    QString address;
};

// The first IPv4 address of an interface that is up and not loopback; failing
// that, the resolution of the host name (given, as it costs a lookup, as a
// function); failing that, an empty text.
template <typename HostLookup>
QString chooseLocalAddress(const std::vector<InterfaceAddress>& interfaces,
                           HostLookup&& hostNameAddress)
{
    for (const InterfaceAddress& a : interfaces)
        if (a.up && !a.loopback && a.ipv4 && !a.address.isEmpty())
            return a.address;
    return hostNameAddress();
}

// Reads the system's interfaces and host name.
class SystemLocalAddress : public LocalAddressProvider {
public:
    QString address() const override;
    std::vector<zarnek::scanning::LanInterface> interfaces() const override;
};
