#include "core/settings/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using zarnek::settings::IniDocument;
using zarnek::settings::kKeyListBytes;
using zarnek::settings::kMaxValueLength;
using zarnek::settings::parseProfileInteger;

TEST(ProfileInteger, ReadsDecimalAndHexAndRejectsTheRest)
{
    struct Case {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"0", 0},
        {"42", 42},
        {"-7", -7},
        {"+7", 7},
        {"007", 7},
        {"0x10", 16},
        {"0XfF", 255},
        {"0xFFFFFFFF", -1},     // 32 bits read as a signed value
        {"0x100000000", {}},    // more than 32 bits
        {"0x", {}},             // two characters: decimal, and not a number
        {"0x1g", {}},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", {}},
        {"-2147483649", {}},
        {"", {}},
        {"-", {}},
        {"12abc", {}},
        {"1 2", {}},
        {"1.5", {}},
        {"$10", {}},
        {"-0x10", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseProfileInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(IniDocument, ReadsAHandEditedFile)
{
    // CRLF line ends, blanks around names, "=" and values, names in another
    // case, a repeated key (the first counts), a comment, text before the
    // first section and no line end after the last line.
    const std::string file =
        "stray text before any section\r\n"
        "[ settings ]\r\n"
        "  Delay = 12  \r\n"
        "delay=29\r\n"
        "; Delay=1\r\n"
        "\tCSPort\t=\t27016\r\n"
        "\r\n"
        "[FAVORITES]\r\n"
        "10.0.0.5 0 = 27015\r\n"
        "10.0.0.5 1=27016";
    const IniDocument doc = IniDocument::parse(file);
    EXPECT_EQ(doc.readInteger("Settings", "DELAY", 5), 12);
    EXPECT_EQ(doc.readString("Settings", "csport", ""), "27016");
    EXPECT_EQ(doc.readString("Settings", "Missing", "dflt"), "dflt");
    EXPECT_EQ(doc.readString("Nowhere", "Delay", "dflt"), "dflt");
    const auto favs = doc.entries("Favorites");
    ASSERT_EQ(favs.size(), 2u);
    EXPECT_EQ(favs[1].first, "10.0.0.5 1");
    EXPECT_EQ(favs[1].second, "27016");
    EXPECT_EQ(doc.keyNames("Settings"), (std::vector<std::string>{"Delay", "delay", "CSPort"}));

    // Untouched lines keep their bytes and the file keeps its CRLF.
    EXPECT_EQ(doc.serialize(), file + "\r\n");
}

TEST(IniDocument, WritesFollowTheProfileRules)
{
    IniDocument doc = IniDocument::parse(
        "[A]\n"
        "x = 1\n"
        "y=2\n"
        "; about the next section\n"
        "\n"
        "[B]\n"
        "z=3\n");
    doc.writeString("a", "X", "10");      // in place, the stored spelling stays
    doc.writeString("A", "w", "4");       // end of its section, before the comment
    doc.writeString("C", "v", "5");       // new section at the end of the file
    doc.writeInteger("B", "n", -12);
    doc.writeBool("B", "t", true);
    EXPECT_EQ(doc.serialize(),
              "[A]\n"
              "x=10\n"
              "y=2\n"
              "w=4\n"
              "; about the next section\n"
              "\n"
              "[B]\n"
              "z=3\n"
              "n=-12\n"
              "t=1\n"
              "[C]\n"
              "v=5\n");

    doc.eraseSection("b");
    EXPECT_FALSE(doc.hasSection("B"));
    EXPECT_EQ(doc.serialize(),
              "[A]\n"
              "x=10\n"
              "y=2\n"
              "w=4\n"
              "; about the next section\n"
              "\n"
              "[C]\n"
              "v=5\n");
}

TEST(IniDocument, ASectionThatAppearsTwiceIsOneSection)
{
    IniDocument doc = IniDocument::parse("[F]\na=1\n[G]\ng=1\n[f]\nb=2\na=9\n");
    EXPECT_EQ(doc.keyNames("F"), (std::vector<std::string>{"a", "b", "a"}));
    EXPECT_EQ(doc.readString("F", "b", ""), "2");
    EXPECT_EQ(doc.readString("F", "a", ""), "1");
    doc.writeString("F", "c", "3");
    EXPECT_EQ(doc.serialize(), "[F]\na=1\nc=3\n[G]\ng=1\n[f]\nb=2\na=9\n");
    // Erasing must not leave the second half to be read as the section later.
    doc.eraseSection("F");
    EXPECT_EQ(doc.serialize(), "[G]\ng=1\n");
}

TEST(IniDocument, ValuesAndKeyListsAreBounded)
{
    const std::string longValue(5000, 'v');
    std::string file = "[S]\nlong=" + longValue + "\n";
    // 2000 names of 9 bytes: each takes 10 bytes of the key list.
    for (int i = 0; i < 2000; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "k%08d", i);
        file += std::string(name) + "=1\n";
    }
    const IniDocument doc = IniDocument::parse(file);
    EXPECT_EQ(doc.readString("S", "long", ""), std::string(kMaxValueLength, 'v'));
    const auto names = doc.keyNames("S");
    // "long" takes 5 bytes, the closing zero 1; the rest holds whole names only.
    EXPECT_EQ(names.size(), 1 + (kKeyListBytes - 1 - 5) / 10);
    EXPECT_EQ(names.back(), "k00001636");
    // Keys past the list are still there to be read by name.
    EXPECT_EQ(doc.readString("S", "k00001999", ""), "1");
}

TEST(IniDocument, ABareKeyHasNoValueAndALineBreakCannotBeWritten)
{
    IniDocument doc = IniDocument::parse("[F]\n10.0.0.7 0\n");
    EXPECT_EQ(doc.entries("F", "27015"),
              (std::vector<std::pair<std::string, std::string>>{{"10.0.0.7 0", "27015"}}));
    EXPECT_EQ(doc.readString("F", "10.0.0.7 0", "27015"), "27015");

    doc.writeString("S", "ExePath0", "/games/a\nb=c\r\n[Evil]");
    const IniDocument again = IniDocument::parse(doc.serialize());
    EXPECT_FALSE(again.hasSection("Evil"));
    EXPECT_EQ(again.keyNames("S"), std::vector<std::string>{"ExePath0"});
}

TEST(IniDocument, AByteOrderMarkDoesNotHideTheFirstSection)
{
    // An editor that saves with a UTF-8 byte order mark puts it before the
    // first section's name; that section is read, and a write keeps the mark.
    IniDocument doc = IniDocument::parse("\xEF\xBB\xBF[Settings]\r\nDelay=9\r\n[Ranges]\r\nRanges=0\r\n");
    EXPECT_EQ(doc.readInteger("Settings", "Delay", 5), 9);
    EXPECT_EQ(doc.keyNames("Settings"), std::vector<std::string>{"Delay"});
    doc.writeInteger("Settings", "Delay", 12);
    EXPECT_EQ(doc.serialize(), "\xEF\xBB\xBF[Settings]\r\nDelay=12\r\n[Ranges]\r\nRanges=0\r\n");
    doc.eraseSection("Settings");
    EXPECT_EQ(doc.serialize(), "\xEF\xBB\xBF[Ranges]\r\nRanges=0\r\n");
}

// Writing a list in one pass must leave the same file as writing its keys one
// by one: replaced in place where a key exists (the first line of its name,
// in any copy of the section), appended after the section's last key
// otherwise, and a key written twice written once.
TEST(IniDocument, WritingAListLeavesWhatSingleWritesLeave)
{
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char* file;
        const char* section;
        Pairs values;
    } cases[] = {
        {"", "Ranges", {{"RangeFrom0", "10.0.0.1"}, {"RangeTo0", "10.0.0.9"}}},
        {"[Ranges]\nranges=2\n\n; mine\n[Settings]\nDelay=5\n", "Ranges",
         {{"RangeFrom0", "a"}, {"Ranges", "3"}, {"RangeTo0", "b"}}},
        {"[A]\nx=1\n[B]\n[a]\ny=2\nX=3\n", "A", {{"Y", "new"}, {"z", "4"}, {"x", "5"}}},
        {"[P]\n-game cstrike\n", "P", {{"-game cstrike", ""}, {"+map", ""}, {"+MAP", "again"}}},
        {"[F]\n  k  =  v  \n", "F", {{" k ", "line\nbreak"}, {"", "empty name"}}},
        {"[Ranges]\nRangeFrom0=x\n", "Ranges", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        IniDocument one = IniDocument::parse(c.file);
        for (const auto& [key, value] : c.values)
            one.writeString(c.section, key, value);
        IniDocument all = IniDocument::parse(c.file);
        all.writeStrings(c.section, c.values);
        EXPECT_EQ(all.serialize(), one.serialize());
    }
}
