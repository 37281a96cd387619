// Program start: the windows are created in a fixed order (the main window
// first, then the settings dialog, which opens the settings file) and destroyed
// in the reverse order after the event loop, so the settings are written last.
#include "app/shell/main_window.h"
#include "platform/termination_signals.h"

#include <QApplication>
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

    auto form1 = std::make_unique<TForm1>(TForm1Platform::system());
    if (form1->SecondInstance())
        return 0;
    QObject::connect(form1.get(), &TForm1::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::received, form1.get(),
                     &TForm1::TerminationRequested);

    form1->show();
    const int result = QApplication::exec();

    form1.reset();
    return result;
}
