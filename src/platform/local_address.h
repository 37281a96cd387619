#pragma once

// The local host's own IPv4 address, from which the scan derives the
// broadcast address.

#include <QString>
#include <vector>

class LocalAddressProvider {
public:
    virtual ~LocalAddressProvider() = default;
    // Dotted decimal text, or an empty text when there is none.
    virtual QString address() const = 0;
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
};
