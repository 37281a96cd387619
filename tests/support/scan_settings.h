#pragma once

class TForm1;
class TSettings;

// Puts a freshly built window and settings dialog in the known state the scan
// tests start from: no ranges or favourites, default ports, no old protocol,
// no broadcast, the game port chosen and Scan enabled.
void prepareForScan(TForm1& form, TSettings& settings, int delay);

// A row of the ranges list and of the favourites list, as the user adds them.
void addRange(TSettings& settings, const char* from, const char* to, bool checked = true);
void addFavourite(TSettings& settings, const char* host, const char* port);
