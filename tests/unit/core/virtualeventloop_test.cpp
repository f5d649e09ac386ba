#include "virtualeventloop.h"

#include <gtest/gtest.h>

#include <string>

using corvane::Timer;
using corvane::testing::VirtualEventLoop;

TEST(VirtualEventLoop, OneShotFiresOnceRepeatingKeepsFiringDestroyedNever) {
    VirtualEventLoop loop;
    int once = 0, repeat = 0, destroyed = 0;
    auto a = loop.createTimer(500, true, [&] { ++once; });
    auto b = loop.createTimer(1000, false, [&] { ++repeat; });
    auto c = loop.createTimer(10, false, [&] { ++destroyed; });
    a->start();
    b->start();
    c->start();
    c.reset();
    loop.advance(499);
    EXPECT_EQ(once, 0);
    loop.advance(1);
    EXPECT_EQ(once, 1);
    EXPECT_FALSE(a->isActive());
    loop.advance(2500);
    EXPECT_EQ(once, 1);
    EXPECT_EQ(repeat, 3);
    EXPECT_TRUE(b->isActive());
    EXPECT_EQ(destroyed, 0);
}

TEST(VirtualEventLoop, StopInsideOwnCallbackAndStartOfOthers) {
    VirtualEventLoop loop;
    int ticks = 0, later = 0;
    std::unique_ptr<Timer> other = loop.createTimer(100, true, [&] { ++later; });
    std::unique_ptr<Timer> t;
    t = loop.createTimer(10, false, [&] {
        if (++ticks == 3) {
            t->stop();
            other->start();
        }
    });
    t->start();
    loop.advance(1000);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(later, 1);
    EXPECT_EQ(loop.activeTimerCount(), 0u);
}

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

TEST(VirtualEventLoop, SetIntervalRestartsARunningTimer) {
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
}

TEST(VirtualEventLoop, PostedEventsRunBeforeTimersAndOnProcessPending) {
    VirtualEventLoop loop;
    std::string order;
    auto t = loop.createTimer(1, true, [&] { order += "t"; });
    t->start();
    loop.post([&] { order += "p"; });
    loop.processPendingEvents();
    EXPECT_EQ(order, "p");
    loop.post([&] { order += "q"; });
    loop.advance(1);
    EXPECT_EQ(order, "pqt");
}
