// The first way that takes the key holds it; the others stay silent.
#include "platform/hot_key.h"
#include "tests/support/fakes.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(FirstWorkingHotKey, TheFirstWayThatTakesTheKeyHoldsIt)
{
    const QKeyCombination key(Qt::ShiftModifier | Qt::AltModifier, Qt::Key_S);
    FirstWorkingHotKey ways;
    auto* portal = new FakeHotKey;
    auto* x11 = new FakeHotKey;
    portal->refuse = true;
    ways.add(portal);
    ways.add(x11);
    QSignalSpy pressed(&ways, &GlobalHotKey::pressed);

    ASSERT_TRUE(ways.registerKey(1, key));
    EXPECT_TRUE(portal->registered.empty());
    EXPECT_EQ(x11->registered, std::vector<int>{1});
    portal->press(1);  // a way that does not hold the key
    x11->press(1);
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed[0][0].toInt(), 1);

    ways.unregisterKey(1);
    EXPECT_TRUE(x11->registered.empty());

    x11->refuse = true;
    EXPECT_FALSE(ways.registerKey(1, key));
}
