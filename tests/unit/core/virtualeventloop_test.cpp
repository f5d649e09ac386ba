#include "virtualeventloop.h"

#include <gtest/gtest.h>

#include <string>

using corvane::Timer;
using corvane::testing::VirtualEventLoop;

TEST(VirtualEventLoop, TimersFireByDeadlineAndEqualDeadlinesInStartOrder) {
    VirtualEventLoop loop;
    std::string order;
    auto fast = loop.createTimer(300, false, [&] { order += "f"; });
    auto slow = loop.createTimer(400, false, [&] { order += "s"; });
    auto x = loop.createTimer(1000, true, [&] { order += "x"; });
    auto y = loop.createTimer(1000, true, [&] { order += "y"; });
    y->start();
    fast->start();
    slow->start();
    x->start();
    loop.advance(1000); // f300 s400 f600 s800 f900, then y and x at 1000 as started
    EXPECT_EQ(order, "fsfsfyx");
}

TEST(VirtualEventLoop, SetIntervalRestartsARunningTimerAndPostedEventsRunBeforeTimers) {
    VirtualEventLoop loop;
    int fired = 0;
    auto t = loop.createTimer(1000, true, [&] { ++fired; });
    t->start();
    loop.advance(900);
    t->setInterval(500);
    loop.advance(400);
    EXPECT_EQ(fired, 0);
    loop.advance(100);
    EXPECT_EQ(fired, 1);

    std::string order;
    auto u = loop.createTimer(1, true, [&] { order += "t"; });
    u->start();
    loop.post([&] { order += "p"; });
    loop.processPendingEvents();
    EXPECT_EQ(order, "p");
    loop.post([&] { order += "q"; });
    loop.advance(1);
    EXPECT_EQ(order, "pqt");
}
