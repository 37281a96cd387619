#include "core/joining/join_text.h"

#include <gtest/gtest.h>

namespace zarnek::joining {
namespace {

TEST(GameIndex, EveryJoinableCaptionHasItsSlotAndMessage)
{
    struct Case {
        const char* caption;
        int index;
        const char* message;
    };
    const Case cases[] = {
        {"HL", 0, "HL .exe path not set"},   {"1.5", 1, "CS1.5 .exe path not set"},
        {"1.6", 2, "CS 1.6 .exe path not set"}, {"CZ", 3, "CZero .exe path not set"},
        {"CSS", 4, "CSS .exe path not set"}, {"HL2", 5, "HL2 .exe path not set"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        ASSERT_EQ(GameIndexOf(c.caption), c.index);
        EXPECT_EQ(MissingPathMessage(c.index), c.message);
    }
}

TEST(GameIndex, OtherCaptionsLaunchNothing)
{
    // Comparisons are exact: case and blanks matter.
    for (const char* caption : {"?", "", "hl", "css", "1.6 ", "HL2DM", "CZERO", "HLTV"})
        EXPECT_FALSE(GameIndexOf(caption).has_value()) << caption;
    EXPECT_EQ(MissingPathMessage(6), "");
    EXPECT_EQ(MissingPathMessage(-1), "");
}

TEST(JoinCommandLine, ParameterTextToTheByte)
{
    struct Case {
        const char* param;
        const char* address;
        const char* port;
        const char* passArg;
        const char* text;
        const char* standing;
        std::optional<std::string> password;
    };
    const Case cases[] = {
        // Without a password the text ends in the blank before the empty PassArg.
        {"-game cstrike", "192.168.0.5", "27015", "",
         "-game cstrike +connect 192.168.0.5:27015 ", "-game cstrike +connect 192.168.0.5:27015",
         std::nullopt},
        {"-game cstrike", "192.168.0.5", "27015", "+password my pass",
         "-game cstrike +connect 192.168.0.5:27015 +password my pass",
         "-game cstrike +connect 192.168.0.5:27015", std::string("my pass")},
        // An empty Param still leads with its (empty) text and one blank.
        {"", "10.0.0.1", "27016", "", " +connect 10.0.0.1:27016 ", " +connect 10.0.0.1:27016",
         std::nullopt},
        // Quotes and blanks in a password stay in its one argument.
        {"-steam -game hl2mp", "127.0.0.2", "27015", "+password \"a b\" c ",
         "-steam -game hl2mp +connect 127.0.0.2:27015 +password \"a b\" c ",
         "-steam -game hl2mp +connect 127.0.0.2:27015", std::string("\"a b\" c ")},
        // A password of a single blank is still a password.
        {"-console", "127.0.0.3", "1", "+password  ", "-console +connect 127.0.0.3:1 +password  ",
         "-console +connect 127.0.0.3:1", std::string(" ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const JoinCommandLine line = BuildJoinCommandLine(c.param, c.address, c.port, c.passArg);
        EXPECT_EQ(line.parameterText, c.text);
        EXPECT_EQ(line.standingPart, c.standing);
        EXPECT_EQ(line.password, c.password);
    }
}

TEST(JoinCommandLine, PasswordArgumentRoundTrips)
{
    EXPECT_EQ(PasswordArgument("secret"), "+password secret");
    EXPECT_EQ(BuildJoinCommandLine("-x", "1.2.3.4", "5", PasswordArgument("+quit")).password,
              std::optional<std::string>("+quit"));
}

TEST(AutoConnectText, WaitingPanel)
{
    EXPECT_EQ(AutoConnectWaitingText("192.168.0.5", "<=", "4"),
              " Autoconnect to 192.168.0.5. Waiting <= 4 players.");
    EXPECT_EQ(AutoConnectWaitingText("10.0.0.1", ">", "0"),
              " Autoconnect to 10.0.0.1. Waiting > 0 players.");
}

TEST(AutoConnectText, NeedBoxFromPlayersCell)
{
    struct Case {
        const char* players;
        std::optional<int> maximum;
        int value;
        const char* invalid;
    };
    const Case cases[] = {
        {"5/16", 16, 4, ""},
        {"0/16", 16, 0, ""},      // count - 1 is kept at the lower bound
        {"16/16", 16, 15, ""},
        {"20/16", 16, 16, ""},    // more players than slots: the upper bound
        {"3/0", 0, 0, ""},
        {"0/0", 0, 0, ""},
        {"12/128", 128, 11, ""},  // a maximum above the designed 64 is taken as it is
        {"4/-2", 0, 0, ""},       // a negative maximum cannot go below the lower bound
        {"abc/16", std::nullopt, 0, "abc"},
        {"5/xyz", std::nullopt, 0, "xyz"},
        {"a/b", std::nullopt, 0, "b"},  // the maximum is converted first
        {"5", std::nullopt, 0, ""},     // no maximum at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.players);
        std::string invalid = "unchanged";
        const auto box = NeedBoxFor(c.players, &invalid);
        ASSERT_EQ(box.has_value(), c.maximum.has_value());
        if (box) {
            EXPECT_EQ(box->maximum, *c.maximum);
            EXPECT_EQ(box->value, c.value);
            EXPECT_EQ(invalid, "unchanged");
        } else {
            EXPECT_EQ(invalid, c.invalid);
        }
    }
}

}  // namespace
}  // namespace zarnek::joining
