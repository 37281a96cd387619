// The favourites auto-scan: every tick of TimerFav asks each favourite once.
// The server list is not emptied, so the answers of favourites already listed
// are dropped as repeats and a pass adds rows only for favourites that have
// come up since; a row, once listed, keeps the values of its first answer.

#include "app/scanning/probe_loop.h"
#include "app/scanning/scan_lists.h"
#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"

#include <QPushButton>
#include <QTimer>

namespace {

// Fixed pauses around the info request; the pass does not use the scan's
// Delay setting.
constexpr int kPauseMilliseconds = 3;
// Below this the timer still waits for the first pass after start-up (or
// after the switch was turned on by loading the settings).
constexpr int kPeriodicFloorMilliseconds = 5000;

}  // namespace

void TForm1::TimerFavTimer()
{
    // A scan, its cool-down and an armed auto-connect all hold the Scan
    // button disabled; the pass stays out of their way. A skipped tick keeps
    // a short start-up interval, so the first pass comes as soon as it can.
    if (!Settings || entryCount(Settings->LVFav) == 0 || !SBScanAll->isEnabled())
        return;

    ProbeLoop loop(*this);
    // The favourites listed now; one removed inside a pump is passed over,
    // one added there waits for the next pass.
    const ListEntries favourites(Settings->LVFav);
    for (int i = 0; i < favourites.size(); ++i) {
        const auto row = favourites.rowOf(i);
        const auto favourite = row ? favouriteAt(loop.settings().LVFav, *row) : std::nullopt;
        // A port that is not a decimal port (a hand-edited file) is skipped,
        // as the scan skips it.
        if (!favourite || !favourite->port)
            continue;
        loop.sleep(kPauseMilliseconds);
        loop.sendInfo(favourite->host, *favourite->port);
        loop.sleep(kPauseMilliseconds);
        loop.sendOldInfoIfOn(favourite->host, *favourite->port);
        if (!loop.pump())
            return;
        setStatusText(0, QLatin1Char(' ') + favourite->host);
    }
    if (!loop.alive())
        return;

    setStatusText(0, QStringLiteral(" Autoscan..."));
    if (TimerFav->interval() < kPeriodicFloorMilliseconds)
        TimerFav->setInterval(Settings->SEUpdInterval->value() * 1000);
}
