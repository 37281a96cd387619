#include "app/shell/program_windows.h"

#include <QApplication>
#include <QWidget>

ProgramWindows::~ProgramWindows() { destroy(); }

ProgramWindows::Start ProgramWindows::create(TForm1Platform platform, const QString& settingsPath)
{
    Form1 = std::make_unique<TForm1>(std::move(platform));
    if (Form1->SecondInstance())
        return Start::SecondInstance;
    if (m_signalled)
        return Start::Ended;

    // Sets Form1->Settings itself before it loads.
    Settings = std::make_unique<TSettings>(*Form1, settingsPath);
    if (m_signalled) {
        Settings->reportWriteFailuresOnStandardError();
        return Start::Ended;
    }

    m_running = true;
    return Start::Running;
}

void ProgramWindows::terminationSignal()
{
    m_signalled = true;
    if (Settings)
        Settings->reportWriteFailuresOnStandardError();
    if (m_running) {
        Form1->TerminationRequested();
        return;
    }
    if (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
}

void ProgramWindows::destroy()
{
    m_running = false;
    // Clears Form1->Settings itself after it wrote the file.
    Settings.reset();
    Form1.reset();
}
