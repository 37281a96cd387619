#pragma once

#include <QString>

// The settings file of this run: zarnek.ini next to the executable, or, when
// that folder cannot take it and holds none (an installed program),
// $XDG_CONFIG_HOME/zarnek/zarnek.ini (default ~/.config/zarnek/), the folder
// created.
QString settingsFilePath();
