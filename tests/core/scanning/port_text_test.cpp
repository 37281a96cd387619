#include "core/scanning/port_text.h"

#include <gtest/gtest.h>

using zarnek::scanning::portNumber;

TEST(PortText, OnlyDecimalPortsAreNumbers) {
    EXPECT_EQ(portNumber("27015"), 27015);
    EXPECT_EQ(portNumber("0"), 0);
    EXPECT_EQ(portNumber("065535"), std::nullopt);  // more than the five digits the edit holds
    EXPECT_EQ(portNumber("65535"), 65535);
    for (const char* bad : {"", "65536", "99999", "27o15", " 27015", "27015 ", "+1", "-1", "0x10"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(portNumber(bad), std::nullopt);
    }
}
