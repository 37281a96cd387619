#pragma once

// Every key of zarnek.ini in one table: section, key, type, default and how a
// stored value outside its control's range is brought into it. Load and the
// save at exit both read it.

#include <array>
#include <string>
#include <string_view>

namespace zarnek::settings {

inline constexpr std::string_view kSectionSettings = "Settings";
inline constexpr std::string_view kSectionRanges = "Ranges";
inline constexpr std::string_view kSectionFavorites = "Favorites";
inline constexpr std::string_view kSectionParams = "Params";
inline constexpr std::string_view kSectionPassword = "Password";

enum class KeyType { Integer, Boolean, Text };

// What a stored integer outside [min, max] becomes.
enum class OutOfRange {
    Keep,        // no range
    Clamp,       // the nearest end of the range
    Default,     // the default
    LowDefault,  // below: the default; above: max
    Byte,        // the stored value modulo 256
};

struct Key {
    std::string_view section;
    std::string_view name;
    KeyType type;
    int defaultInt = 0;            // Integer and Boolean
    std::string_view defaultText;  // Text
    int min = 0;
    int max = 0;
    OutOfRange outOfRange = OutOfRange::Keep;
};

constexpr Key integerKey(std::string_view section, std::string_view name, int fallback,
                         int min = 0, int max = 0, OutOfRange outOfRange = OutOfRange::Keep)
{
    return Key{section, name, KeyType::Integer, fallback, std::string_view{}, min, max, outOfRange};
}
constexpr Key booleanKey(std::string_view section, std::string_view name, bool fallback)
{
    return Key{section, name, KeyType::Boolean, fallback ? 1 : 0, std::string_view{}, 0, 1, OutOfRange::Keep};
}
constexpr Key textKey(std::string_view section, std::string_view name, std::string_view fallback)
{
    return Key{section, name, KeyType::Text, 0, fallback, 0, 0, OutOfRange::Keep};
}

namespace keys {
inline constexpr Key GameType = integerKey(kSectionSettings, "GameType", 0, -1, 1, OutOfRange::Clamp);
inline constexpr Key Height = integerKey(kSectionSettings, "Height", 351);
inline constexpr Key Width = integerKey(kSectionSettings, "Width", 680);
inline constexpr Key CurItem = integerKey(kSectionSettings, "CurItem", 0, 0, 5, OutOfRange::Default);
inline constexpr Key CSPort = textKey(kSectionSettings, "CSPort", "27015");
inline constexpr Key FavWidth = integerKey(kSectionSettings, "FavWidth", 103, 70, 110, OutOfRange::Clamp);
inline constexpr Key HLTVPort = textKey(kSectionSettings, "HLTVPort", "27020");
inline constexpr Key ScanOld = booleanKey(kSectionSettings, "ScanOld", true);
inline constexpr Key Delay = integerKey(kSectionSettings, "Delay", 5, 0, 30, OutOfRange::Clamp);
inline constexpr Key Trans = booleanKey(kSectionSettings, "Trans", false);
inline constexpr Key FavAutoScan = booleanKey(kSectionSettings, "FavAutoScan", false);
inline constexpr Key UpdInterval = integerKey(kSectionSettings, "UpdInterval", 10, 5, 60, OutOfRange::LowDefault);
inline constexpr Key CurPage = integerKey(kSectionSettings, "CurPage", 0);
inline constexpr Key Broadcast = booleanKey(kSectionSettings, "Broadcast", true);
inline constexpr Key TransLevel = integerKey(kSectionSettings, "TransLevel", 255, 0, 255, OutOfRange::Byte);
inline constexpr Key DoubleClick = booleanKey(kSectionSettings, "DoubleClick", true);

inline constexpr Key Ranges = textKey(kSectionRanges, "Ranges", "0");
inline constexpr Key Checked = textKey(kSectionRanges, "Checked", "0");

inline constexpr Key LastPass = textKey(kSectionPassword, "LastPass", "");
inline constexpr Key ShowPass = booleanKey(kSectionPassword, "ShowPass", false);
}  // namespace keys

inline constexpr int kGameCount = 6;

// The game index: items of the game combo and the default parameters.
inline constexpr std::array<std::string_view, kGameCount> kGameNames{
    "HL", "CS1.5", "CS1.6", "CZERO", "CSS", "HL2DM"};
inline constexpr std::array<std::string_view, kGameCount> kDefaultGameParams{
    "-console",
    "-game cstrike -console",
    "-game cstrike",
    "-game czero",
    "-steam -game cstrike -console",
    "-steam -game hl2mp"};

// The parameter list when [Params] is absent or has no keys.
inline constexpr std::array<std::string_view, 11> kDefaultParamList{
    "-console", "-nointo", "-steam", "-full", "-win", "-noip",
    "-noipx", "-freq 100", "-noforcemparms", "-noforcemaccel", "-noforcemspd"};

// The port a favourite key without a value has.
inline constexpr std::string_view kDefaultFavoritePort = "27015";

std::string exePathKey(int game);        // "ExePath<n>"
std::string paramKey(int game);          // "Param<n>"
std::string rangeFromKey(int row);       // "RangeFrom<i>"
std::string rangeToKey(int row);         // "RangeTo<i>"

}  // namespace zarnek::settings
