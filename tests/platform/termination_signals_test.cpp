#include "platform/termination_signals.h"

#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

TEST(TerminationSignals, EachSignalArrivesInTheEventLoopInsteadOfEndingTheProcess)
{
    ASSERT_TRUE(TerminationSignals::install());
    TerminationSignals signals_;
    QSignalSpy spy(&signals_, &TerminationSignals::received);
    const int numbers[] = {SIGTERM, SIGINT, SIGHUP};
    for (int n : numbers)
        ASSERT_EQ(::raise(n), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.count() == 3; }, 10000));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(spy.at(i).at(0).toInt(), numbers[i]);
}
