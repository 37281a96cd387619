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

    FormAbout = std::make_unique<TFormAbout>(*Form1);
    Form1->FormAbout = FormAbout.get();

    return Start::Running;
}

void ProgramWindows::destroy()
{
    if (FormAbout) {
        Form1->FormAbout = nullptr;
        FormAbout.reset();
    }
    // Clears Form1->Settings itself after it wrote the file.
    Settings.reset();
    Form1.reset();
}
