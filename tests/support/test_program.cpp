#include "tests/support/test_program.h"

TestProgram::TestProgram(const QString& iniPath, const TestFormOptions& options)
{
    windows.create(makeFakePlatform(fakes, options), iniPath);
    settings = windows.Settings.get();
}

void TestProgram::end()
{
    windows.destroy();
    settings = nullptr;
}
