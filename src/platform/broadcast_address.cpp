#include "platform/broadcast_address.h"

#include "core/scanning/broadcast_target.h"

#include <QHostAddress>
#include <QNetworkAddressEntry>
#include <QNetworkInterface>

QString interfaceNetmask(const QString& address)
{
    const QHostAddress wanted(address);
    if (wanted.protocol() != QAbstractSocket::IPv4Protocol)
        return {};
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol && entry.ip() == wanted
                && !entry.netmask().isNull())
                return entry.netmask().toString();
        }
    }
    return {};
}

QString scanBroadcastAddress(const QString& localAddress)
{
    const std::string local = localAddress.toStdString();
    const std::string mask = interfaceNetmask(localAddress).toStdString();
    const auto target = zarnek::scanning::broadcastTarget(local, mask);
    return target ? QString::fromStdString(*target) : QString();
}
