#include "core/settings/settings_path.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace zarnek::settings {

namespace {

constexpr const char* kFileName = "zarnek.ini";

std::string joined(const std::string& dir, const std::string& name)
{
    if (!dir.empty() && dir.back() == '/')
        return dir + name;
    return dir + '/' + name;
}

std::string configFolder(const std::string& xdgConfigHome, const std::string& home)
{
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/')
        return joined(xdgConfigHome, "zarnek");
    return joined(joined(home, ".config"), "zarnek");
}

std::string homeFolder()
{
    if (const char* h = std::getenv("HOME"); h && *h)
        return h;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/";
}

}  // namespace

std::string chooseSettingsPath(const std::string& exeDir, bool exeDirWritable, bool fileInExeDir,
                               const std::string& xdgConfigHome, const std::string& home)
{
    if (exeDirWritable || fileInExeDir)
        return joined(exeDir, kFileName);
    return joined(configFolder(xdgConfigHome, home), kFileName);
}

std::string settingsPath(const std::string& exeDir)
{
    const std::string nextToExe = joined(exeDir, kFileName);
    std::error_code ec;
    const bool fileThere = std::filesystem::exists(nextToExe, ec);
    const bool writable = ::access(exeDir.c_str(), W_OK | X_OK) == 0;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string path =
        chooseSettingsPath(exeDir, writable, fileThere, xdg ? xdg : "", homeFolder());
    if (path != nextToExe)
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    return path;
}

}  // namespace zarnek::settings
