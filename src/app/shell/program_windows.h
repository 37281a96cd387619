#pragma once

// The program's windows, created in a fixed order and destroyed in the
// reverse order. The main window comes first; the settings dialog second,
// because it opens zarnek.ini and loads into the main window; the windows
// that read the settings come after it. Destroying in reverse order means the
// settings dialog writes the settings file after every later window is gone
// and while the main window still holds the size to store.
//
// A new window is one member, one line in create() and one in destroy().

#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"

#include <QString>
#include <memory>

class ProgramWindows {
public:
    enum class Start {
        Running,         // every window exists; show Form1 and run the event loop
        SecondInstance,  // another instance was asked to restore; end now
        Ended,           // a termination signal came during start-up; end now
    };

    ProgramWindows() = default;
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;
    ~ProgramWindows();

    // Creates the windows in order. A termination signal that came while a
    // window was being created (the main window's hot key notice may be
    // open) stops the creation, so the program ends before the settings file
    // is opened. Whatever was created is destroyed by destroy() or the
    // destructor, in reverse order.
    Start create(TForm1Platform platform, const QString& settingsPath);

    // SIGTERM, SIGINT or SIGHUP. While the program runs, the main window
    // closes as if the close had been accepted (so the event loop ends and
    // the settings are written). During start-up and once the program is
    // ending, an open box is closed instead, since it would hold the end up.
    // Either way a failed write of the settings goes to standard error.
    void terminationSignal();

    // Reverse order of creation; the settings dialog writes the settings file.
    // Safe to call more than once.
    void destroy();

    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TSettings> Settings;

private:
    bool m_running = false;
    bool m_signalled = false;
};
