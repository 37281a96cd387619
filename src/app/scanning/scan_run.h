#pragma once

// One scan of the main window, from the start of its first phase to its end:
// the probes and pauses it is made of, and its three phases. Every phase runs
// the event pump, inside which any other handler runs, the settings dialog may
// be edited or closed and the window may close; a phase therefore reads each
// list entry when its turn comes and checks after every pump that the window,
// the settings dialog and the endpoint are still there.

#include <QPointer>
#include <QString>

#include <optional>

class TForm1;
class TSettings;

class ScanRun {
public:
    explicit ScanRun(TForm1& form);

    // Each phase returns false when the scan ended inside it: stopped, or
    // what it works on went away. The remaining phases are then skipped.
    bool probeFavourites();
    bool probeBroadcast(int scanPort);
    bool probeRanges(int scanPort);

    // The port of the broadcast and ranges, read again after the favourites;
    // should the user have emptied it meanwhile, the one checked at the click
    // serves.
    int scanPort(std::optional<int> portAtClick) const;

    bool alive() const;

    // The info request to the endpoint's current destination, and the
    // old-protocol one when that setting is on.
    void sendInfo();
    void sendOldInfoIfOn();
    void sleep(int milliseconds);
    int delay() const;

    // The checkpoint after a probe: true when Stop was clicked, and the
    // activity text then says so.
    bool stopped();
    // The pump, then the activity text and the probe counter of the
    // destination just probed. False when the scan must end at once.
    bool pumpAndCount(const QString& destination);
    // One more probe on the counter.
    void count();

private:
    QPointer<TForm1> m_form;
    QPointer<TSettings> m_settings;
};
