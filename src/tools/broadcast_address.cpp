#include "tools/broadcast_address.h"

#include "core/scanning/broadcast_target.h"
#include "platform/local_address.h"

#include <QHostAddress>
#include <QNetworkAddressEntry>
#include <QNetworkInterface>

namespace {

QString netmaskOf(const QString& address)
{
    const QHostAddress wanted(address);
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces())
        for (const QNetworkAddressEntry& entry : iface.addressEntries())
            if (entry.ip() == wanted && !entry.netmask().isNull())
                return entry.netmask().toString();
    return {};
}

}  // namespace

QString localBroadcastAddress()
{
    const QString local = SystemLocalAddress().address();
    if (local.isEmpty())
        return {};
    const auto target =
        zarnek::scanning::broadcastTarget(local.toStdString(), netmaskOf(local).toStdString());
    return target ? QString::fromStdString(*target) : QString();
}
