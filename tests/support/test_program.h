#pragma once

// The main window and the settings dialog, created in the program's order with
// fake adapters and a settings file of the test's choosing, and destroyed in
// reverse order (so the settings are written) by end().

#include "app/settings/settings_dialog.h"
#include "tests/support/test_form.h"

#include <QString>
#include <memory>

struct TestProgram {
    TestForm window;
    std::unique_ptr<TSettings> settings;

    explicit TestProgram(const QString& iniPath, const TestFormOptions& options = {});
    ~TestProgram();
    // Destroys the settings dialog (which writes the file), then the window.
    void end();

    TForm1* operator->() const { return window.form.get(); }
    TForm1& form() const { return *window.form; }
};
