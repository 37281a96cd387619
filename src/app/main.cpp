// Program start: the windows are created in a fixed order and destroyed in the
// reverse order after the event loop, so the settings are written last (see
// ProgramWindows).
#include "app/settings/settings_file_path.h"
#include "app/shell/program_windows.h"
#include "platform/termination_signals.h"

#include <QApplication>


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

    ProgramWindows windows;
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::received, &app,
                     [&windows] { windows.terminationSignal(); });

    if (windows.create(TForm1Platform::system(), settingsFilePath()) != ProgramWindows::Start::Running)
        return 0;  // the destructor destroys what exists, in reverse order
    QObject::connect(windows.Form1.get(), &TForm1::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    windows.Form1->show();
    const int result = QApplication::exec();
    windows.destroy();
    return result;
}
