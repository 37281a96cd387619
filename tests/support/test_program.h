#pragma once

// The program's windows, created and destroyed by the program's own
// ProgramWindows, with fake adapters and a settings file of the test's
// choosing. end() destroys them in reverse order (so the settings are
// written).

#include "app/shell/program_windows.h"
#include "tests/support/test_form.h"

#include <QString>

struct TestProgram {
    // The fakes inside the main window (TestForm::form stays empty: the
    // window belongs to windows).
    TestForm fakes;
    ProgramWindows windows;
    TSettings* settings = nullptr;

    explicit TestProgram(const QString& iniPath, const TestFormOptions& options = {});
    // Destroys the windows in the program's order.
    void end();

    TForm1* operator->() const { return windows.Form1.get(); }
    TForm1& form() const { return *windows.Form1; }
};
