// Refresh ("RF"): the servers of the last completed scan are asked again
// without walking the ranges, and their answers rebuild the server list.
//
// The loop pumps events before every entry, and answers that arrive there add
// rows and enable RF again, so a second refresh (or a scan) can run to its end
// inside the first; the outer one then carries on with the count it started
// with, reading each entry of the table as it is when its turn comes. A
// nested scan may have left fewer entries; the refresh then ends at the
// table's end instead of asking servers that are no longer in it.

#include "app/scanning/known_servers.h"
#include "app/scanning/probe_loop.h"
#include "app/shell/main_window.h"
#include "core/protocol/text_helpers.h"
#include "platform/event_pump.h"

#include <QPushButton>
#include <QTreeWidget>

namespace {

// A pause before the list is emptied. Nothing is handled during it: answers
// that arrive meanwhile wait in the endpoint and are listed by the first pump.
constexpr int kPauseMilliseconds = 300;

}  // namespace

void TForm1::SBRefreshClick()
{
    if (!Settings)
        return;
    if (!AutoConnectOn)
        SBAuto->setEnabled(false);
    SBRefresh->setEnabled(false);
    SBPlay->setEnabled(false);

    // Rows that came in after the scan completed join the table; a list that
    // has shrunk (servers that stopped answering a refresh) leaves it alone,
    // so those servers are asked again next time.
    if (LW->topLevelItemCount() > KnownServers.count)
        rememberKnownServers(*this);

    ProbeLoop loop(*this);
    loop.sleep(kPauseMilliseconds);
    clearServerList();
    LWPlayers->clear();

    const int count = KnownServers.count;
    for (int i = 0; i < count; ++i) {
        if (i >= KnownServers.count)
            break;
        // The table's ports are cells the decoders made, always decimal; an
        // entry that is not is skipped rather than sent to a port nobody
        // chose.
        const QString address = KnownServers.address[i];
        const auto port = zarnek::protocol::ParsePort(KnownServers.port[i].toStdString());
        if (!loop.pump())
            return;
        if (!port)
            continue;
        loop.sendInfo(address, *port);
        loop.sendOldInfoIfOn(address, *port);
    }
    if (!loop.alive())
        return;

    SBRefresh->setEnabled(true);
    setStatusText(0, QStringLiteral(" Refresh complete"));
}
