// Program start: the windows are created in a fixed order and destroyed in the
// reverse order after the event loop, so the settings are written last (see
// ProgramWindows).
#include "app/settings/settings_file_path.h"
#include "app/shell/program_windows.h"
#include "platform/termination_signals.h"

#include <QApplication>
#include <QWidget>


int main(int argc, char** argv)
{
    // Before the application object, so that a signal that comes early is
    // kept until the event loop can act on it.
    TerminationSignals::install();

    QApplication app(argc, argv);
    // No application display name: Qt would append it to every caption
    // ("Error — ..."), and the captions are the program's own texts.

    // The installed menu entry's id: Wayland desktops find the window's icon
    // and name through it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zarnek.Zarnek"));
    // The main window alone ends the program: closing the settings dialog
    // while the main window sits in the tray must not.
    QApplication::setQuitOnLastWindowClosed(false);

    // A signal that comes while the windows are still being created (the main
    // window's hot key notice may be open) ends the program before the
    // settings file is opened, so nothing is written over it.
    ProgramWindows windows;
    bool running = false;
    bool endedEarly = false;
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::received, &app, [&] {
        if (running) {
            windows.Form1->TerminationRequested();
            return;
        }
        endedEarly = true;
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });

    const ProgramWindows::Start start =
        windows.create(TForm1Platform::system(), settingsFilePath(), [&] { return endedEarly; });
    if (start != ProgramWindows::Start::Running)
        return 0;  // the destructor destroys what exists, in reverse order
    QObject::connect(windows.Form1.get(), &TForm1::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    running = true;
    windows.Form1->show();
    const int result = QApplication::exec();

    running = false;
    windows.destroy();
    return result;
}
