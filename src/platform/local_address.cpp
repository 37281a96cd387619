#include "platform/local_address.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>

namespace {

QString hostNameAddress()
{
    const QString name = QHostInfo::localHostName();
    if (name.isEmpty())
        return {};
    const QHostInfo info = QHostInfo::fromName(name);
    for (const QHostAddress& a : info.addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            return a.toString();
    return {};
}

}  // namespace

QString SystemLocalAddress::address() const
{
    std::vector<InterfaceAddress> found;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        const auto flags = iface.flags();
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            InterfaceAddress a;
            a.up = flags.testFlag(QNetworkInterface::IsUp) &&
                   flags.testFlag(QNetworkInterface::IsRunning);
            a.loopback = flags.testFlag(QNetworkInterface::IsLoopBack) ||
                         entry.ip().isLoopback();
            a.ipv4 = entry.ip().protocol() == QAbstractSocket::IPv4Protocol;
            a.address = a.ipv4 ? entry.ip().toString() : QString();
            found.push_back(a);
        }
    }
    return chooseLocalAddress(found, hostNameAddress);
}

std::vector<zarnek::scanning::LanInterface> SystemLocalAddress::interfaces() const
{
    std::vector<zarnek::scanning::LanInterface> found;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        const auto flags = iface.flags();
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            zarnek::scanning::LanInterface i;
            i.name = iface.name().toStdString();
            i.up = flags.testFlag(QNetworkInterface::IsUp) &&
                   flags.testFlag(QNetworkInterface::IsRunning);
            i.loopback = flags.testFlag(QNetworkInterface::IsLoopBack) || entry.ip().isLoopback();
            i.canBroadcast = flags.testFlag(QNetworkInterface::CanBroadcast) &&
                             !flags.testFlag(QNetworkInterface::IsPointToPoint);
            i.address = entry.ip().toString().toStdString();
            if (!entry.netmask().isNull())
                i.netmask = entry.netmask().toString().toStdString();
            found.push_back(std::move(i));
        }
    }
    return found;
}
