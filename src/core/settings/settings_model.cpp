#include "core/settings/settings_model.h"

#include "core/protocol/text_helpers.h"

#include <algorithm>
#include <unordered_map>

namespace zarnek::settings {

namespace {

constexpr int kRowsAlwaysHonoured = 1024;

using protocol::AsciiUpper;

// "RangeFrom<i>" or "RangeTo<i>" with a row number i of decimal digits.
bool isRangeKey(std::string_view name)
{
    std::string_view digits;
    if (protocol::StartsWithNoCase(name, "RangeFrom"))
        digits = name.substr(9);
    else if (protocol::StartsWithNoCase(name, "RangeTo"))
        digits = name.substr(7);
    else
        return false;
    return !digits.empty() &&
           std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void writeKey(IniDocument& doc, const Key& key, int value)
{
    if (key.type == KeyType::Boolean)
        doc.writeBool(key.section, key.name, value != 0);
    else
        doc.writeInteger(key.section, key.name, value);
}

void writeKey(IniDocument& doc, const Key& key, const std::string& value)
{
    doc.writeString(key.section, key.name, value);
}

}  // namespace

std::string exePathKey(int game) { return "ExePath" + std::to_string(game); }
std::string paramKey(int game) { return "Param" + std::to_string(game); }
std::string rangeFromKey(int row) { return "RangeFrom" + std::to_string(row); }
std::string rangeToKey(int row) { return "RangeTo" + std::to_string(row); }

int readKey(const IniDocument& doc, const Key& key)
{
    const int v = doc.readInteger(key.section, key.name, key.defaultInt);
    if (key.type == KeyType::Boolean)
        return v != 0 ? 1 : 0;
    switch (key.outOfRange) {
    case OutOfRange::Keep:
        return v;
    case OutOfRange::Clamp:
        return std::clamp(v, key.min, key.max);
    case OutOfRange::Default:
        return v < key.min || v > key.max ? key.defaultInt : v;
    case OutOfRange::LowDefault:
        return v < key.min ? key.defaultInt : std::min(v, key.max);
    case OutOfRange::Byte:
        return static_cast<std::uint8_t>(static_cast<unsigned>(v));
    }
    return v;
}

std::string readTextKey(const IniDocument& doc, const Key& key)
{
    return doc.readString(key.section, key.name, key.defaultText);
}

std::vector<RangeRow> readRanges(const IniDocument& doc)
{
    const int stored = parseProfileInteger(readTextKey(doc, keys::Ranges)).value_or(0);
    const std::string checked = readTextKey(doc, keys::Checked);

    // The keys by name, so that each row is one look-up and a long list loads
    // in time proportional to its length.
    std::unordered_map<std::string, std::string> values;
    int keysPresent = 0;
    for (auto& [name, value] : doc.allEntries(kSectionRanges)) {
        if (!isRangeKey(name))
            continue;
        ++keysPresent;
        values.try_emplace(AsciiUpper(name), value.value_or(std::string()));
    }
    // The count alone cannot make rows: a stray huge count (hand-edited, or a
    // broken file) would otherwise build a row for every number up to it. A
    // list the program wrote has two keys per row, so it always comes back
    // whole.
    const int count = std::min(stored, std::max(keysPresent, kRowsAlwaysHonoured));

    const auto lookUp = [&values](const std::string& key) {
        const auto it = values.find(AsciiUpper(key));
        return it == values.end() ? std::string() : it->second;
    };
    std::vector<RangeRow> rows;
    rows.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        RangeRow row;
        row.checked = static_cast<std::size_t>(i) < checked.size() && checked[static_cast<std::size_t>(i)] == '1';
        row.from = lookUp(rangeFromKey(i));
        row.to = lookUp(rangeToKey(i));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<FavRow> readFavorites(const IniDocument& doc)
{
    std::vector<FavRow> rows;
    for (auto& [name, value] : doc.entries(kSectionFavorites, kDefaultFavoritePort)) {
        const auto space = name.find(' ');
        rows.push_back({space == std::string::npos ? name : name.substr(0, space), value});
    }
    return rows;
}

std::vector<std::string> readParams(const IniDocument& doc)
{
    std::vector<std::string> items = doc.keyNames(kSectionParams);
    if (items.empty())
        items.assign(kDefaultParamList.begin(), kDefaultParamList.end());
    return items;
}

SettingsValues readSettings(const IniDocument& doc)
{
    SettingsValues v;
    v.gameType = readKey(doc, keys::GameType);
    for (int n = 0; n < kGameCount; ++n)
        v.exePath[static_cast<std::size_t>(n)] = doc.readString(kSectionSettings, exePathKey(n), "");
    for (int n = 0; n < kGameCount; ++n)
        v.param[static_cast<std::size_t>(n)] =
            doc.readString(kSectionSettings, paramKey(n), kDefaultGameParams[static_cast<std::size_t>(n)]);
    v.height = readKey(doc, keys::Height);
    v.width = readKey(doc, keys::Width);
    v.curItem = readKey(doc, keys::CurItem);
    v.csPort = readTextKey(doc, keys::CSPort);
    v.favWidth = readKey(doc, keys::FavWidth);
    v.hltvPort = readTextKey(doc, keys::HLTVPort);
    v.scanOld = readKey(doc, keys::ScanOld) != 0;
    v.delay = readKey(doc, keys::Delay);
    v.trans = readKey(doc, keys::Trans) != 0;
    v.favAutoScan = readKey(doc, keys::FavAutoScan) != 0;
    v.updInterval = readKey(doc, keys::UpdInterval);
    v.curPage = readKey(doc, keys::CurPage);
    v.broadcast = readKey(doc, keys::Broadcast) != 0;
    v.transLevel = static_cast<std::uint8_t>(readKey(doc, keys::TransLevel));
    v.doubleClick = readKey(doc, keys::DoubleClick) != 0;
    v.params = readParams(doc);
    v.ranges = readRanges(doc);
    v.favorites = readFavorites(doc);
    return v;
}

PasswordValues readPassword(const IniDocument& doc)
{
    return {readTextKey(doc, keys::LastPass), readKey(doc, keys::ShowPass) != 0};
}

void writePassword(IniDocument& doc, const PasswordValues& values)
{
    doc.eraseSection(kSectionPassword);
    writeKey(doc, keys::LastPass, values.lastPass);
    writeKey(doc, keys::ShowPass, values.showPass ? 1 : 0);
}

std::string checkedText(const std::vector<RangeRow>& ranges)
{
    std::string s;
    for (const RangeRow& r : ranges)
        s += r.checked ? '1' : '0';
    return s;
}

void writeRanges(IniDocument& doc, const std::vector<RangeRow>& ranges)
{
    writeKey(doc, keys::Ranges, std::to_string(ranges.size()));
    std::vector<std::pair<std::string, std::string>> rows;
    rows.reserve(ranges.size() * 2);
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        rows.emplace_back(rangeFromKey(static_cast<int>(i)), ranges[i].from);
        rows.emplace_back(rangeToKey(static_cast<int>(i)), ranges[i].to);
    }
    doc.writeStrings(kSectionRanges, rows);
    writeKey(doc, keys::Checked, checkedText(ranges));
}

void writeGameType(IniDocument& doc, int index)
{
    writeKey(doc, keys::GameType, index);
}

void writeAtExit(IniDocument& doc, const SettingsValues& v)
{
    doc.eraseSection(kSectionSettings);
    doc.eraseSection(kSectionRanges);
    doc.eraseSection(kSectionFavorites);
    doc.eraseSection(kSectionParams);

    writeRanges(doc, v.ranges);

    writeKey(doc, keys::GameType, v.gameType);
    writeKey(doc, keys::Height, v.height);
    writeKey(doc, keys::Width, v.width);
    writeKey(doc, keys::TransLevel, v.transLevel);
    writeKey(doc, keys::CSPort, v.csPort);
    writeKey(doc, keys::Trans, v.trans);
    writeKey(doc, keys::DoubleClick, v.doubleClick);
    writeKey(doc, keys::HLTVPort, v.hltvPort);
    writeKey(doc, keys::Broadcast, v.broadcast);
    writeKey(doc, keys::ScanOld, v.scanOld);
    writeKey(doc, keys::FavAutoScan, v.favAutoScan);
    writeKey(doc, keys::UpdInterval, v.updInterval);
    writeKey(doc, keys::Delay, v.delay);
    writeKey(doc, keys::CurItem, v.curItem);
    writeKey(doc, keys::CurPage, v.curPage);
    writeKey(doc, keys::FavWidth, v.favWidth);

    std::vector<std::pair<std::string, std::string>> params;
    for (const std::string& item : v.params)
        params.emplace_back(item, "");
    doc.writeStrings(kSectionParams, params);

    for (int n = 0; n < kGameCount; ++n) {
        doc.writeString(kSectionSettings, exePathKey(n), v.exePath[static_cast<std::size_t>(n)]);
        doc.writeString(kSectionSettings, paramKey(n), v.param[static_cast<std::size_t>(n)]);
    }

    std::vector<std::pair<std::string, std::string>> favorites;
    favorites.reserve(v.favorites.size());
    for (std::size_t i = 0; i < v.favorites.size(); ++i)
        favorites.emplace_back(v.favorites[i].address + ' ' + std::to_string(i), v.favorites[i].port);
    doc.writeStrings(kSectionFavorites, favorites);
}

}  // namespace zarnek::settings
