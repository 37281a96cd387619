#pragma once

// Where zarnek.ini lives: next to the executable, as it always has, unless
// that folder cannot take the file (an installed program in /usr/bin), in
// which case it goes to the user's configuration folder.

#include <string>

namespace zarnek::settings {

// The decision alone. xdgConfigHome counts only when it is an absolute path;
// otherwise home + "/.config" is used.
std::string chooseSettingsPath(const std::string& exeDir, bool exeDirWritable, bool fileInExeDir,
                               const std::string& xdgConfigHome, const std::string& home);

// The decision on the real file system and environment: exeDir is checked
// for write access and for a zarnek.ini; the configuration folder is created
// when it is chosen (a failure there shows later as a failed write).
std::string settingsPath(const std::string& exeDir);

}  // namespace zarnek::settings
