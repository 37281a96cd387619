#include "core/settings/settings_path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using zarnek::settings::chooseSettingsPath;
using zarnek::settings::settingsPath;
namespace fs = std::filesystem;

TEST(SettingsPath, NextToTheExecutableUnlessThatFolderCannotTakeIt)
{
    struct Case {
        const char* exeDir;
        bool writable;
        bool fileThere;
        const char* xdg;
        const char* expected;
    } cases[] = {
        {"/opt/zarnek", true, false, "/x", "/opt/zarnek/zarnek.ini"},
        {"/opt/zarnek/", true, true, "", "/opt/zarnek/zarnek.ini"},
        {"/usr/bin", false, true, "/x", "/usr/bin/zarnek.ini"},  // a file there is used
        {"/usr/bin", false, false, "/home/ann/cfg", "/home/ann/cfg/zarnek/zarnek.ini"},
        {"/usr/bin", false, false, "", "/home/ann/.config/zarnek/zarnek.ini"},
        {"/usr/bin", false, false, "relative/cfg", "/home/ann/.config/zarnek/zarnek.ini"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseSettingsPath(c.exeDir, c.writable, c.fileThere, c.xdg, "/home/ann"), c.expected)
            << c.exeDir << ' ' << c.writable << ' ' << c.fileThere << ' ' << c.xdg;
}

TEST(SettingsPath, TheConfigurationFolderIsCreatedWhenChosen)
{
    char tmpl[] = "/tmp/zarnek-path-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    const fs::path dir = tmpl;
    EXPECT_EQ(settingsPath(dir.string()), (dir / "zarnek.ini").string());

    // A folder that is no folder (as root no permission bit stops a write).
    std::ofstream((dir / "file").string()) << "x";
    ::setenv("XDG_CONFIG_HOME", (dir / "cfg").c_str(), 1);
    EXPECT_EQ(settingsPath((dir / "file").string()), (dir / "cfg/zarnek/zarnek.ini").string());
    EXPECT_TRUE(fs::is_directory(dir / "cfg/zarnek"));
    ::unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(dir);
}
