#pragma once

// The settings as records: what Load reads out of the document (defaults
// filled in, stored values brought into their controls' ranges) and what the
// writes put back. The settings dialog moves these values into and out of its
// controls; the order in which it applies them is its own.

#include "core/settings/ini_document.h"
#include "core/settings/settings_keys.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zarnek::settings {

struct RangeRow {
    std::string from;
    std::string to;
    bool checked = false;
    bool operator==(const RangeRow&) const = default;
};

struct FavRow {
    std::string address;
    std::string port;
    bool operator==(const FavRow&) const = default;
};

struct SettingsValues {
    int gameType = 0;  // -1 none selected, 0 game port, 1 HLTV port
    std::array<std::string, kGameCount> exePath;
    std::array<std::string, kGameCount> param;
    int height = 351;
    int width = 680;
    int curItem = 0;  // 0..5
    std::string csPort = "27015";
    int favWidth = 103;  // 70..110
    std::string hltvPort = "27020";
    bool scanOld = true;
    int delay = 5;  // 0..30
    bool trans = false;
    bool favAutoScan = false;
    int updInterval = 10;  // 5..60
    int curPage = 0;       // as stored; only 0..2 name a page
    bool broadcast = true;
    std::uint8_t transLevel = 255;
    bool doubleClick = true;
    std::vector<std::string> params;  // the parameter list
    std::vector<RangeRow> ranges;
    std::vector<FavRow> favorites;
};

// The value of an integer or boolean key: the stored whole number or the
// default, then brought into the key's range.
int readKey(const IniDocument& doc, const Key& key);
std::string readTextKey(const IniDocument& doc, const Key& key);

// Load's reading of the whole document.
SettingsValues readSettings(const IniDocument& doc);

// The ranges list of [Ranges]: N rows from the Ranges count (a count that is
// not a whole number gives none), row i checked when character i of Checked
// is "1". A count far beyond the rows the file describes is cut so that a
// stray huge number cannot build millions of empty rows: at most the rows
// that have a key or a Checked character, or 1024 when that is more.
std::vector<RangeRow> readRanges(const IniDocument& doc);
// One row per key of [Favorites] in file order: the address is the key up to
// its first space, the port is the value of that very line.
std::vector<FavRow> readFavorites(const IniDocument& doc);
// The keys of [Params], or the eleven defaults when it has none.
std::vector<std::string> readParams(const IniDocument& doc);

// The writes of SaveRanges into [Ranges].
void writeRanges(IniDocument& doc, const std::vector<RangeRow>& ranges);
// The immediate write of the scan-port choice.
void writeGameType(IniDocument& doc, int index);
// Save at exit: erase [Settings], [Ranges], [Favorites] and [Params] (never
// [Password]) and write them again in the program's order.
void writeAtExit(IniDocument& doc, const SettingsValues& values);

// [Password], kept by the password prompt.
struct PasswordValues {
    std::string lastPass;
    bool showPass = false;
};
PasswordValues readPassword(const IniDocument& doc);
// Erases [Password], then writes LastPass and ShowPass.
void writePassword(IniDocument& doc, const PasswordValues& values);

// "1" or "0" per row, in row order.
std::string checkedText(const std::vector<RangeRow>& ranges);

}  // namespace zarnek::settings
