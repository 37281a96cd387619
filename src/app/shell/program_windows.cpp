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

    FormAbout = std::make_unique<TFormAbout>(*Form1);
    Form1->FormAbout = FormAbout.get();

    // Reads [Password] of the settings file the settings dialog opened.
    FormPass = std::make_unique<TFormPass>(*Form1, *Settings);
    Form1->FormPass = FormPass.get();
    if (m_signalled)
        return Start::Ended;

    FormAuto = std::make_unique<TFormAuto>(*Form1);
    Form1->FormAuto = FormAuto.get();
    if (m_signalled)
        return Start::Ended;

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
    if (Settings)
        Settings->beginEnding();
    if (Form1)
        Form1->FormAuto = nullptr;
    FormAuto.reset();
    if (Form1)
        Form1->FormPass = nullptr;
    // Writes [Password] while the settings file is still open.
    FormPass.reset();
    if (Form1)
        Form1->FormAbout = nullptr;
    FormAbout.reset();
    // Clears Form1->Settings itself after it wrote the file.
    Settings.reset();
    Form1.reset();
}
