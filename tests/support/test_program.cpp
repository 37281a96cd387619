#include "tests/support/test_program.h"

TestProgram::TestProgram(const QString& iniPath, const TestFormOptions& options)
    : window(makeTestForm(options))
{
    settings = std::make_unique<TSettings>(*window.form, iniPath);
    window.form->Settings = settings.get();
}

TestProgram::~TestProgram() { end(); }

void TestProgram::end()
{
    if (settings) {
        settings.reset();
        if (window.form)
            window.form->Settings = nullptr;
    }
    window.form.reset();
}
