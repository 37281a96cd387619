#include "core/settings/settings_model.h"

#include <gtest/gtest.h>

#include <string>

using namespace zarnek::settings;

namespace {

SettingsValues readFile(const std::string& text)
{
    return readSettings(IniDocument::parse(text));
}

std::string allDefaultLines()
{
    return "GameType=0\nHeight=351\nWidth=680\nTransLevel=255\nCSPort=27015\nTrans=0\n"
           "DoubleClick=1\nHLTVPort=27020\nBroadcast=1\nScanOld=1\nFavAutoScan=0\n"
           "UpdInterval=10\nDelay=5\nCurItem=0\nCurPage=0\nFavWidth=103\n";
}

}  // namespace

TEST(SettingsModel, AnEmptyFileGivesTheDefaults)
{
    const SettingsValues v = readFile("");
    EXPECT_EQ(v.gameType, 0);
    EXPECT_EQ(v.csPort, "27015");
    EXPECT_EQ(v.hltvPort, "27020");
    EXPECT_TRUE(v.broadcast);
    EXPECT_TRUE(v.scanOld);
    EXPECT_EQ(v.delay, 5);
    EXPECT_FALSE(v.favAutoScan);
    EXPECT_EQ(v.updInterval, 10);
    EXPECT_TRUE(v.doubleClick);
    EXPECT_FALSE(v.trans);
    EXPECT_EQ(v.transLevel, 255);
    EXPECT_EQ(v.width, 680);
    EXPECT_EQ(v.height, 351);
    EXPECT_EQ(v.curItem, 0);
    EXPECT_EQ(v.curPage, 0);
    EXPECT_EQ(v.favWidth, 103);
    EXPECT_TRUE(v.ranges.empty());
    EXPECT_TRUE(v.favorites.empty());
    EXPECT_EQ(v.params, std::vector<std::string>(kDefaultParamList.begin(), kDefaultParamList.end()));
    for (int n = 0; n < kGameCount; ++n) {
        EXPECT_EQ(v.exePath[n], "");
        EXPECT_EQ(v.param[n], kDefaultGameParams[n]);
    }
}

TEST(SettingsModel, StoredValuesAreBroughtIntoTheirControlsRanges)
{
    struct Case {
        const char* line;
        int SettingsValues::*field;
        int expected;
    } cases[] = {
        {"UpdInterval=3", &SettingsValues::updInterval, 10},
        {"UpdInterval=4", &SettingsValues::updInterval, 10},
        {"UpdInterval=5", &SettingsValues::updInterval, 5},
        {"UpdInterval=90", &SettingsValues::updInterval, 60},
        {"Delay=45", &SettingsValues::delay, 30},
        {"Delay=-3", &SettingsValues::delay, 0},
        {"FavWidth=200", &SettingsValues::favWidth, 110},
        {"FavWidth=10", &SettingsValues::favWidth, 70},
        {"GameType=7", &SettingsValues::gameType, 1},
        {"GameType=-5", &SettingsValues::gameType, -1},
        {"GameType=-1", &SettingsValues::gameType, -1},
        {"CurItem=6", &SettingsValues::curItem, 0},
        {"CurItem=-1", &SettingsValues::curItem, 0},
        {"CurItem=5", &SettingsValues::curItem, 5},
        {"CurPage=7", &SettingsValues::curPage, 7},
        {"Height=0x200", &SettingsValues::height, 512},
        {"Width=0X3E8", &SettingsValues::width, 1000},
        {"Width=wide", &SettingsValues::width, 680},
        {"Width=", &SettingsValues::width, 680},
        {"Delay=0x", &SettingsValues::delay, 5},
    };
    for (const Case& c : cases) {
        const SettingsValues v = readFile(std::string("[Settings]\n") + c.line + "\n");
        EXPECT_EQ(v.*c.field, c.expected) << c.line;
    }

    struct ByteCase {
        const char* line;
        int expected;
    } levels[] = {{"TransLevel=300", 44}, {"TransLevel=256", 0}, {"TransLevel=-1", 255},
                  {"TransLevel=0x80", 128}, {"TransLevel=120", 120}};
    for (const ByteCase& c : levels)
        EXPECT_EQ(readFile(std::string("[Settings]\n") + c.line + "\n").transLevel, c.expected) << c.line;

    struct BoolCase {
        const char* line;
        bool SettingsValues::*field;
        bool expected;
    } flags[] = {{"Broadcast=0", &SettingsValues::broadcast, false},
                 {"Broadcast=2", &SettingsValues::broadcast, true},
                 {"Broadcast=no", &SettingsValues::broadcast, true},
                 {"Trans=-1", &SettingsValues::trans, true},
                 {"Trans=0x0", &SettingsValues::trans, false},
                 {"FavAutoScan=yes", &SettingsValues::favAutoScan, false},
                 {"ScanOld=0x10", &SettingsValues::scanOld, true}};
    for (const BoolCase& c : flags)
        EXPECT_EQ(readFile(std::string("[Settings]\n") + c.line + "\n").*c.field, c.expected) << c.line;
}

TEST(SettingsModel, RangesComeFromTheCountAndTheCheckedText)
{
    struct Case {
        const char* section;
        std::vector<RangeRow> rows;
    } cases[] = {
        {"Ranges=3\nRangeFrom0=10.0.0.1\nRangeTo0=10.0.0.9\nRangeFrom1=10.0.1.1\nRangeTo1=10.0.1.9\n"
         "RangeFrom2=10.0.2.1\nRangeTo2=10.0.2.9\nChecked=10\n",
         {{"10.0.0.1", "10.0.0.9", true}, {"10.0.1.1", "10.0.1.9", false}, {"10.0.2.1", "10.0.2.9", false}}},
        // A missing key is an empty text; keys beyond the count are ignored.
        {"Ranges=2\nRangeFrom0=10.0.0.1\nRangeTo1=10.0.1.9\nRangeFrom2=10.9.9.9\nChecked=x1\n",
         {{"10.0.0.1", "", false}, {"", "10.0.1.9", true}}},
        {"Ranges=0x2\nChecked=11\n", {{"", "", true}, {"", "", true}}},
        {"Ranges=0\nRangeFrom0=10.0.0.1\nChecked=1\n", {}},
        {"Ranges=-4\nChecked=1\n", {}},
        {"Ranges=two\nRangeFrom0=10.0.0.1\nRangeTo0=10.0.0.9\nChecked=1\n", {}},
        {"Ranges=\n", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readRanges(IniDocument::parse(std::string("[Ranges]\n") + c.section)), c.rows)
            << c.section;
}

// The row count is Ranges, but never more than the larger of 1024 and the
// number of range keys the file holds: a key's number says nothing about how
// many rows there are, so one key with a huge number cannot build them.
TEST(SettingsModel, AHugeRangeCountBuildsOnlyBoundedRows)
{
    struct Case {
        const char* section;
        std::size_t rows;
    } cases[] = {
        {"Ranges=999999999\nRangeFrom999999998=10.0.0.1\n", 1024},
        {"Ranges=2000000000\nRangeFrom1500=10.0.0.1\n", 1024},
        {"Ranges=99999\n", 1024},
        {"Ranges=0x7FFFFFFF\nRangeTo7=x\n", 1024},
        {"Ranges=3\n", 3},
        {"Ranges=1024\n", 1024},
        {"Ranges=1025\n", 1024},
        {"Ranges=-5\nRangeFrom0=10.0.0.1\n", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readRanges(IniDocument::parse(std::string("[Ranges]\n") + c.section)).size(), c.rows)
            << c.section;

    // More keys than 1024 let more rows through, as many as there are keys.
    std::string section = "[Ranges]\nRanges=999999999\n";
    for (int i = 0; i < 1500; ++i)
        section += "RangeFrom" + std::to_string(i * 7) + "=10.0.0." + std::to_string(i % 250) + "\n";
    const auto rows = readRanges(IniDocument::parse(section));
    ASSERT_EQ(rows.size(), 1500u);
    EXPECT_EQ(rows[7].from, "10.0.0.1");
    EXPECT_EQ(rows[8].from, "");

    // A long list the program wrote itself comes back whole, even where its
    // key names no longer fit in one key list.
    std::vector<RangeRow> many;
    for (int i = 0; i < 2000; ++i)
        many.push_back({"10." + std::to_string(i / 250) + ".0.1", "10." + std::to_string(i / 250) + ".0.9", i % 3 == 0});
    IniDocument doc;
    writeRanges(doc, many);
    EXPECT_EQ(readRanges(IniDocument::parse(doc.serialize())), many);
}

TEST(SettingsModel, NotAWholeRangeCountLosesNothingElse)
{
    const SettingsValues v = readFile(
        "[Ranges]\nRanges=1.5\nRangeFrom0=10.0.0.1\n"
        "[Settings]\nDelay=9\n[Favorites]\n10.0.0.5 0=27015\n");
    EXPECT_TRUE(v.ranges.empty());
    EXPECT_EQ(v.delay, 9);
    EXPECT_EQ(v.favorites, (std::vector<FavRow>{{"10.0.0.5", "27015"}}));
}

TEST(SettingsModel, FavouritesAreDecodedFromTheirKeys)
{
    const SettingsValues v = readFile(
        "[Favorites]\n"
        "10.0.0.5 0=27015\n"
        "10.0.0.5 1=27016\n"
        "10.0.0.6=27017\n"          // no index: the whole key is the address
        "10.0.0.7 3 x=\n"           // up to the first space; an empty port stays empty
        "10.0.0.8\n"                // no "=": the default port
        "10.0.0.5 1=27099\n");      // a repeated key keeps its own line's port
    EXPECT_EQ(v.favorites, (std::vector<FavRow>{{"10.0.0.5", "27015"},
                                               {"10.0.0.5", "27016"},
                                               {"10.0.0.6", "27017"},
                                               {"10.0.0.7", ""},
                                               {"10.0.0.8", "27015"},
                                               {"10.0.0.5", "27099"}}));
}

TEST(SettingsModel, AnEmptyParamsSectionGivesTheDefaultList)
{
    EXPECT_EQ(readFile("[Params]\n\n[Settings]\n").params.size(), kDefaultParamList.size());
    EXPECT_EQ(readFile("[Params]\n-dev=\n-freq 100=\n").params,
              (std::vector<std::string>{"-dev", "-freq 100"}));
}

TEST(SettingsModel, ExitWithOneRangeAndOneFavouriteWritesTheKnownFile)
{
    IniDocument doc;
    // The password prompt writes its section first at exit.
    writePassword(doc, {});

    SettingsValues v = readSettings(doc);
    v.ranges = {{"192.168.0.1", "192.168.0.255", true}};
    v.favorites = {{"192.168.0.10", "27015"}};
    writeAtExit(doc, v);

    std::string expected =
        "[Password]\nLastPass=\nShowPass=0\n"
        "[Ranges]\nRanges=1\nRangeFrom0=192.168.0.1\nRangeTo0=192.168.0.255\nChecked=1\n"
        "[Settings]\n" + allDefaultLines();
    for (int n = 0; n < kGameCount; ++n)
        expected += "ExePath" + std::to_string(n) + "=\nParam" + std::to_string(n) + "=" +
                    std::string(kDefaultGameParams[n]) + "\n";
    expected += "[Params]\n";
    for (auto item : kDefaultParamList)
        expected += std::string(item) + "=\n";
    expected += "[Favorites]\n192.168.0.10 0=27015\n";
    EXPECT_EQ(doc.serialize(), expected);
}

TEST(SettingsModel, EmptyListsAreWrittenAsEmpty)
{
    IniDocument doc;
    writeAtExit(doc, SettingsValues{});
    EXPECT_EQ(doc.readString("Ranges", "Ranges", ""), "0");
    EXPECT_EQ(doc.value("Ranges", "Checked"), std::optional<std::string>(""));
    EXPECT_FALSE(doc.hasSection("Favorites"));
    EXPECT_FALSE(doc.hasSection("Params"));
}

TEST(SettingsModel, SaveAtExitReplacesItsSectionsAndKeepsThePassword)
{
    // A longer list left keys of higher rows from SaveRanges; the save at exit
    // erases them. Equal parameters give one key.
    IniDocument doc = IniDocument::parse(
        "[Settings]\nDelay=9\nOld=1\n[Password]\nLastPass=secret\nShowPass=1\n"
        "[Ranges]\nRanges=1\nRangeFrom0=a\nRangeTo0=b\nRangeFrom1=c\nRangeTo1=d\nChecked=11\n");
    SettingsValues v = readSettings(doc);
    v.params = {"-dev", "-DEV", "-x"};
    writeAtExit(doc, v);
    EXPECT_EQ(readPassword(doc).lastPass, "secret");
    EXPECT_TRUE(readPassword(doc).showPass);
    EXPECT_EQ(doc.value("Settings", "Old"), std::nullopt);
    EXPECT_EQ(doc.value("Ranges", "RangeFrom1"), std::nullopt);
    EXPECT_EQ(doc.readString("Ranges", "Checked", ""), "1");
    EXPECT_EQ(doc.keyNames("Params"), (std::vector<std::string>{"-dev", "-x"}));
    EXPECT_EQ(doc.readInteger("Settings", "Delay", 0), 9);
}

TEST(SettingsModel, AFileWrittenEditedByHandAndReadAgainKeepsEverySetting)
{
    SettingsValues v;
    v.gameType = 1;
    v.exePath[2] = "/home/ann/Half Life/hl.exe";
    v.param[2] = "-game cstrike -freq 100";
    v.height = 500;
    v.width = 900;
    v.curItem = 2;
    v.csPort = "27016";
    v.favWidth = 90;
    v.hltvPort = "27021";
    v.scanOld = false;
    v.delay = 12;
    v.trans = true;
    v.favAutoScan = true;
    v.updInterval = 25;
    v.curPage = 2;
    v.broadcast = false;
    v.transLevel = 120;
    v.doubleClick = false;
    v.params = {"-dev", "-freq 100"};
    v.ranges = {{"10.0.0.1", "10.0.0.255", true}, {"10.0.1.1", "10.0.3.9", false}};
    v.favorites = {{"10.0.0.5", "27015"}, {"10.0.0.5", "27016"}};

    IniDocument doc;
    writeAtExit(doc, v);
    // The hand edit: CRLF, blanks around "=", a comment, a key repeated
    // (the first counts) and no line end after the last line.
    std::string text;
    for (char c : doc.serialize()) {
        if (c == '=')
            text += " = ";
        else if (c == '\n')
            text += "\r\n";
        else
            text += c;
    }
    text.insert(0, "; my servers\r\n");
    text.insert(text.find("Delay = 12\r\n") + 12, "delay=1\r\n");
    text.resize(text.size() - 2);

    const SettingsValues back = readSettings(IniDocument::parse(text));
    EXPECT_EQ(back.gameType, v.gameType);
    EXPECT_EQ(back.exePath, v.exePath);
    EXPECT_EQ(back.param, v.param);
    EXPECT_EQ(back.height, v.height);
    EXPECT_EQ(back.width, v.width);
    EXPECT_EQ(back.curItem, v.curItem);
    EXPECT_EQ(back.csPort, v.csPort);
    EXPECT_EQ(back.favWidth, v.favWidth);
    EXPECT_EQ(back.hltvPort, v.hltvPort);
    EXPECT_EQ(back.scanOld, v.scanOld);
    EXPECT_EQ(back.delay, v.delay);
    EXPECT_EQ(back.trans, v.trans);
    EXPECT_EQ(back.favAutoScan, v.favAutoScan);
    EXPECT_EQ(back.updInterval, v.updInterval);
    EXPECT_EQ(back.curPage, v.curPage);
    EXPECT_EQ(back.broadcast, v.broadcast);
    EXPECT_EQ(back.transLevel, v.transLevel);
    EXPECT_EQ(back.doubleClick, v.doubleClick);
    EXPECT_EQ(back.params, v.params);
    EXPECT_EQ(back.ranges, v.ranges);
    EXPECT_EQ(back.favorites, v.favorites);
}

TEST(SettingsModel, GarbageLoadsAndKeepsEveryReadableSetting)
{
    // Every byte value, lines of stray bytes inside the sections, a line of
    // nothing but "=", and a key and a value far longer than any limit.
    std::string block, junk;
    for (int i = 0; i < 4096; ++i) {
        const char c = static_cast<char>((i * 131 + 7) & 0xff);
        block += c;
        if (c != '\n' && c != '[')
            junk += c;
    }
    const std::string text = block + "\n[Settings]\n" + std::string(100000, '=') + "\nDelay=17\n" +
                             std::string(70000, 'k') + "=" + std::string(70000, 'v') + "\n" + junk +
                             "\nCSPort=27777\n[Favorites]\n" + junk + "\n10.1.1.1 0=27015\n";
    const SettingsValues v = readFile(text);
    EXPECT_EQ(v.delay, 17);
    EXPECT_EQ(v.csPort, "27777");
    ASSERT_FALSE(v.favorites.empty());
    EXPECT_EQ(v.favorites.back(), (FavRow{"10.1.1.1", "27015"}));
}
