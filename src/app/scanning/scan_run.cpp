#include "app/scanning/scan_run.h"

#include "app/scanning/scan_lists.h"
#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "core/protocol/text_helpers.h"
#include "core/scanning/broadcast_plan.h"
#include "core/scanning/range_walk.h"
#include "platform/event_pump.h"
#include "platform/local_address.h"
#include "platform/udp_endpoint.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTreeWidget>

namespace {

const char kStopped[] = " Scan stoped.";

}  // namespace

ScanRun::ScanRun(TForm1& form) : m_form(&form), m_settings(form.Settings) {}

bool ScanRun::alive() const
{
    return m_form && m_settings && !m_form->udp()->isClosed();
}

void ScanRun::sendInfo()
{
    const auto info = m_form->protocol().Queries().InfoQuery();
    m_form->udp()->send(reinterpret_cast<const char*>(info.data()), int(info.size()));
}

void ScanRun::sendOldInfoIfOn()
{
    if (!m_settings->CBOld->isChecked())
        return;
    const auto old = m_form->protocol().Queries().OldInfoQuery();
    m_form->udp()->send(reinterpret_cast<const char*>(old.data()), int(old.size()));
}

void ScanRun::sleep(int milliseconds)
{
    if (milliseconds > 0)
        m_form->pump()->sleep(milliseconds);
}

int ScanRun::delay() const
{
    return m_settings->SEDelay->value();
}

bool ScanRun::stopped()
{
    if (!m_form->StopRequested)
        return false;
    m_form->setStatusText(0, QLatin1String(kStopped));
    return true;
}

bool ScanRun::pumpAndCount(const QString& destination)
{
    m_form->pump()->pump();
    if (!alive())
        return false;
    m_form->setStatusText(0, QLatin1Char(' ') + destination);
    count();
    return true;
}

void ScanRun::count()
{
    m_form->setStatusText(1, QString::number(m_form->statusText(1).toInt() + 1));
}

int ScanRun::scanPort(std::optional<int> portAtClick) const
{
    int port = m_form->udp()->remotePort();
    const int choice = m_form->RGIndex();
    if (choice == 0 || choice == 1) {
        const QLineEdit* edit = choice == 1 ? m_settings->HLTVport : m_settings->CSport;
        const auto now = zarnek::protocol::ParsePort(edit->text().toStdString());
        port = now.value_or(portAtClick.value_or(port));
    }
    return port;
}

// Each favourite at its own port, the pause split around the info request.
bool ScanRun::probeFavourites()
{
    const ListEntries favourites(m_settings->LVFav);
    for (int i = 0; i < favourites.size(); ++i) {
        const auto row = favourites.rowOf(i);
        if (!row)
            continue;
        const auto favourite = favouriteAt(m_settings->LVFav, *row);
        if (!favourite || !favourite->port)
            continue;
        m_form->udp()->setRemoteHost(favourite->host);
        m_form->udp()->setRemotePort(*favourite->port);
        const int half = delay() / 2;
        sleep(half);
        sendInfo();
        sleep(half);
        sendOldInfoIfOn();
        if (stopped() || !pumpAndCount(favourite->host))
            return false;
    }
    return true;
}

// The directed broadcast of every network the machine is on, at the scan
// port and the ports LAN servers use, paced like the ranges; the pump and the
// Stop checkpoint come between two networks, not after each port,
// and the phase is one probe on the counter without an activity text. With no
// such network the one target of the local address gets the two requests at
// once, as it always did.
bool ScanRun::probeBroadcast(int scanPort)
{
    if (!m_settings->CBBroadcast->isChecked())
        return true;
    const LocalAddressProvider* local = m_form->localAddress();
    const auto destinations = zarnek::scanning::broadcastDestinations(
        local->interfaces(), local->address().toStdString(), std::uint16_t(scanPort));
    for (std::size_t k = 0; k < destinations.size(); ++k) {
        if (k > 0) {
            m_form->pump()->pump();
            if (!alive() || stopped())
                return false;
        }
        const auto& destination = destinations[k];
        const QString host = QString::fromStdString(destination.address);
        for (const std::uint16_t port : destination.ports) {
            // Set both again for every port: a server selected inside the
            // pump has pointed the shared endpoint at itself.
            m_form->udp()->setRemoteHost(host);
            m_form->udp()->setRemotePort(port);
            sendInfo();
            if (!destination.localAddressOnly)
                sleep(delay());
            sendOldInfoIfOn();
        }
    }
    count();
    return true;
}

bool ScanRun::probeRanges(int scanPort)
{
    const ListEntries ranges(m_settings->LWranges);
    for (int r = 0; r < ranges.size(); ++r) {
        const auto row = ranges.rowOf(r);
        if (!row)
            continue;
        const auto range = rangeAt(m_settings->LWranges, *row);
        if (!range || !range->checked)
            continue;
        auto walk = zarnek::scanning::walkRange(range->from.toStdString(), range->to.toStdString());
        if (!walk)
            continue;
        while (const auto address = walk->next()) {
            const QString text = QString::fromStdString(zarnek::scanning::quadText(*address));
            m_form->udp()->setRemoteHost(text);
            // The endpoint is shared: a server selected inside the pump has
            // had its detail queries sent to its own port, and the rest of the
            // range must not be probed there.
            m_form->udp()->setRemotePort(scanPort);
            sendInfo();
            sleep(delay());
            sendOldInfoIfOn();
            if (stopped() || !pumpAndCount(text))
                return false;
            // A range deleted inside the pump is walked no further; the
            // entry that followed it comes next.
            if (!ranges.rowOf(r))
                break;
        }
    }
    return true;
}
