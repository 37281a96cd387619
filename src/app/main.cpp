// Program start: the windows are created in a fixed order (the main window
// first, then the settings dialog, which opens the settings file) and destroyed
// in the reverse order after the event loop, so the settings are written last.
#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"
#include "platform/termination_signals.h"

#include <QApplication>
#include <QWidget>
#include <memory>


int main(int argc, char** argv)
{
    // Before the application object, so that a signal that comes early is
    // kept until the event loop can act on it.
    TerminationSignals::install();

    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Zarnek_v1.98"));
    // The main window alone ends the program: closing the settings dialog
    // while the main window sits in the tray must not.
    QApplication::setQuitOnLastWindowClosed(false);

    // A signal that comes while the main window is still being created (its
    // hot key notice may be open) ends the program before the settings file
    // is opened, so nothing is written over it.
    TForm1* created = nullptr;
    bool endedEarly = false;
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::received, &app, [&] {
        if (created) {
            created->TerminationRequested();
            return;
        }
        endedEarly = true;
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });

    auto form1 = std::make_unique<TForm1>(TForm1Platform::system());
    if (form1->SecondInstance() || endedEarly)
        return 0;
    // The second window: opens zarnek.ini and loads every setting.
    auto settings = std::make_unique<TSettings>(*form1, settingsFilePath());
    form1->Settings = settings.get();
    if (endedEarly)
        return 0;  // in reverse order of creation, so the settings are written
    QObject::connect(form1.get(), &TForm1::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    created = form1.get();

    form1->show();
    const int result = QApplication::exec();

    // Reverse order of creation: the settings dialog writes the settings file
    // before the main window goes.
    settings.reset();
    form1->Settings = nullptr;
    created = nullptr;
    form1.reset();
    return result;
}
