#include "app/shell/program_windows.h"

ProgramWindows::~ProgramWindows() { destroy(); }

ProgramWindows::Start ProgramWindows::create(TForm1Platform platform, const QString& settingsPath,
                                             const std::function<bool()>& endRequested)
{
    const auto ended = [&] { return endRequested && endRequested(); };

    Form1 = std::make_unique<TForm1>(std::move(platform));
    if (Form1->SecondInstance())
        return Start::SecondInstance;
    if (ended())
        return Start::Ended;

    // Sets Form1->Settings itself before it loads.
    Settings = std::make_unique<TSettings>(*Form1, settingsPath);
    if (ended())
        return Start::Ended;

    // Reads [Password] of the settings file the settings dialog opened.
    FormPass = std::make_unique<TFormPass>(*Form1, *Settings);
    Form1->FormPass = FormPass.get();
    if (ended())
        return Start::Ended;

    FormAuto = std::make_unique<TFormAuto>(*Form1);
    Form1->FormAuto = FormAuto.get();
    if (ended())
        return Start::Ended;

    return Start::Running;
}

void ProgramWindows::destroy()
{
    if (Form1)
        Form1->FormAuto = nullptr;
    FormAuto.reset();
    if (Form1)
        Form1->FormPass = nullptr;
    // Writes [Password] while the settings file is still open.
    FormPass.reset();
    // Clears Form1->Settings itself after it wrote the file.
    Settings.reset();
    Form1.reset();
}
