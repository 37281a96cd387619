#include "core/protocol/text_helpers.h"

#include <gtest/gtest.h>

#include <limits>

namespace zarnek::protocol {
namespace {

using namespace std::string_literals;

TEST(FieldOf, Table) {
    struct Case {
        char delimiter;
        std::string text;
        int n;
        std::string expected;
    } cases[] = {
        {':', "10.0.0.1:27015", 1, "10.0.0.1"},
        {':', "10.0.0.1:27015", 2, "27015"},
        {':', "10.0.0.1:27015", 3, ""},
        {':', "10.0.0.1", 1, "10.0.0.1"},
        {':', "10.0.0.1", 2, ""},
        {'/', "3/16", 1, "3"},
        {'/', "3/16", 2, "16"},
        {'.', "192.168.1.20", 2, "168"},
        {':', "a::b", 2, ""},
        {':', "a::b", 3, "b"},
        {':', "10.0.0.1:", 2, ""},  // a trailing delimiter adds no empty field
        {':', "a:b:c", 2, "b"},
        {':', "a:b", 0, ""},
        {':', "a:b", -1, ""},
        {':', "", 1, ""},
        {':', "", 2, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FieldOf(c.delimiter, c.text, c.n), c.expected)
            << "'" << c.text << "' field " << c.n;
}

TEST(TextBetween, Table) {
    struct Case {
        std::string text, start, end, expected;
    } cases[] = {
        {"\\Map\\de_dust\\", "\\map\\", "\\", "de_dust"},       // key case ignored
        {"\\MAP\\De_Dust\\", "\\map\\", "\\", "De_Dust"},       // value keeps its case
        {"\\map\\a\\x\\map\\b\\", "\\map\\", "\\", "b"},        // last pair wins
        {"\\map\\a", "\\map\\", "\\", ""},                      // no end marker
        {"\\map\\a\\map\\b", "\\map\\", "\\", "a"},             // incomplete last pair
        {"\\x\\1\0\\map\\b\\"s, "\\map\\", "\\", ""},           // after a zero: not found
        {"\\map\\a\\\0\\map\\b\\"s, "\\map\\", "\\", "a"},      // search ends at the zero
        {"", "\\map\\", "\\", ""},
        {"\\map\\\\", "\\map\\", "\\", ""},                     // empty value
        {"abc", "", "\\", ""},                                  // empty marker finds nothing
        {"\\os\\w", "\\os\\", "\\", ""},
        {"\\os\\w\\", "\\os\\", "\\", "w"},
        {"\\os\\\xE9\\", "\\OS\\", "\\", "\xE9"},               // high bytes pass as they are
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextBetween(c.text, c.start, c.end), c.expected) << c.text;
}

TEST(ParseDecimal, StrictConversion) {
    struct Case {
        std::string text;
        std::optional<int> expected;
    } cases[] = {
        {"0", 0},          {"47", 47},         {"-3", -3},       {"+5", 5},
        {"007", 7},        {"2147483647", 2147483647},            {"-2147483648", std::numeric_limits<int>::min()},
        {"2147483648", {}}, {"99999999999999999999", {}},         {"", {}},
        {"-", {}},         {" 5", {}},         {"5 ", {}},       {"5a", {}},
        {"0x10", {}},      {"$10", {}},        {"1.5", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.expected) << "'" << c.text << "'";
}

TEST(ParsePort, OnlyOneTo65535) {
    struct Case {
        std::string text;
        std::optional<std::uint16_t> expected;
    } cases[] = {
        {"27015", 27015}, {"1", 1}, {"65535", 65535}, {"027015", 27015},
        {"0", {}},        {"00000", {}}, {"65536", {}}, {"99999", {}}, {"", {}}, {"-1", {}},
        {"0x10", {}},     {" 27015", {}}, {"27o15", {}},
        {"+1", {}},       {"27015 ", {}}, {"abc", {}}, {"1000000000000", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParsePort(c.text), c.expected) << "'" << c.text << "'";
}

TEST(AsciiCaseFold, OnlyAsciiLettersFold) {
    struct Case {
        std::string a, b;
        bool equal;
    } cases[] = {
        {"RangeFrom0", "rangefrom0", true}, {"Ranges", "RANGES", true}, {"", "", true},
        {"a", "b", false},                  {"abc", "ab", false},
        {"@[`{", "`{@[", false},  // the bytes next to the letters do not fold
        {"\xC9", "\xE9", false},   // Latin-1 letters keep their case
    };
    for (const Case& c : cases) EXPECT_EQ(EqualsNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    EXPECT_TRUE(StartsWithNoCase("RANGEFROM12", "RangeFrom"));
    EXPECT_FALSE(StartsWithNoCase("Range", "RangeFrom"));
    EXPECT_EQ(AsciiUpper(std::string_view("de_dust2\xE9")), "DE_DUST2\xE9");
}

}  // namespace
}  // namespace zarnek::protocol
