#include "platform/local_address.h"

#include <gtest/gtest.h>

TEST(LocalAddress, FirstIPv4OfAnInterfaceThatIsUpAndNotLoopbackElseTheHostName)
{
    auto a = [](bool up, bool loopback, bool ipv4, const char* address) {
        return InterfaceAddress{up, loopback, ipv4, QString::fromLatin1(address)};
    };
    struct Case {
        const char* what;
        std::vector<InterfaceAddress> interfaces;
        const char* expected;
    } cases[] = {
        {"loopback and down interfaces are skipped",
         {a(true, true, true, "127.0.0.1"), a(false, false, true, "10.1.1.1"),
          a(true, false, false, ""), a(true, false, true, "192.168.0.5"),
          a(true, false, true, "192.168.1.5")},
         "192.168.0.5"},
        {"nothing usable: the host name's address", {a(true, true, true, "127.0.0.1")}, "host"},
        {"no interfaces at all", {}, "host"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseLocalAddress(c.interfaces, [] { return QStringLiteral("host"); }),
                  QString::fromLatin1(c.expected))
            << c.what;
    EXPECT_EQ(chooseLocalAddress({}, [] { return QString(); }), QString());
}
