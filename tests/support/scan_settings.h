#pragma once

#include "app/settings/settings_dialog.h"
#include "app/shell/main_window.h"

#include <QString>
#include <memory>

// Puts a freshly built window and settings dialog in the known state the scan
// tests start from: no ranges or favourites, default ports, no old protocol,
// no broadcast, the game port chosen and Scan enabled.
void prepareForScan(TForm1& form, TSettings& settings, int delay);

// A row of the ranges list and of the favourites list, as the user adds them.
void addRange(TSettings& settings, const char* from, const char* to, bool checked = true);
void addFavourite(TSettings& settings, const char* host, const char* port);

// The main window and the settings dialog a scan test works on, made from the
// platform given (the dialog reads iniPath) and prepared by prepareForScan.
void openScanWindow(std::unique_ptr<TForm1>& form, std::unique_ptr<TSettings>& settings,
                    TForm1Platform platform, const QString& iniPath, int delay);
// Destroys them in the program's order: the dialog writes its file and lets go
// of the window before the window goes.
void closeScanWindow(std::unique_ptr<TForm1>& form, std::unique_ptr<TSettings>& settings);
