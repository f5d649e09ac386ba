#include "virtualeventloop.h"

#include <gtest/gtest.h>

#include <string>

using corvane::Timer;
using corvane::testing::VirtualEventLoop;

TEST(VirtualEventLoop, OneShotFiresOnceRepeatingKeepsFiring) {
    VirtualEventLoop loop;
    int once = 0, repeat = 0;
    auto a = loop.createTimer(500, true, [&] { ++once; });
    auto b = loop.createTimer(1000, false, [&] { ++repeat; });
    a->start();
    b->start();
    loop.advance(499);
    EXPECT_EQ(once, 0);
    loop.advance(1);
    EXPECT_EQ(once, 1);
    EXPECT_FALSE(a->isActive());
    loop.advance(2500);
    EXPECT_EQ(once, 1);
    EXPECT_EQ(repeat, 3);
    EXPECT_TRUE(b->isActive());
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

TEST(VirtualEventLoop, EqualDeadlinesFireInStartOrder) {
    VirtualEventLoop loop;
    std::string order;
    auto x = loop.createTimer(525, true, [&] { order += "x"; });
    auto y = loop.createTimer(525, true, [&] { order += "y"; });
    auto z = loop.createTimer(525, true, [&] { order += "z"; });
    y->start();
    z->start();
    x->start();
    loop.advance(525);
    EXPECT_EQ(order, "yzx");
}

TEST(VirtualEventLoop, TimersInterleaveByDeadline) {
    VirtualEventLoop loop;
    std::string order;
    auto fast = loop.createTimer(300, false, [&] { order += "f"; });
    auto slow = loop.createTimer(500, false, [&] { order += "s"; });
    fast->start();
    slow->start();
    loop.advance(1000); // f300 s500 f600 f900 s1000
    EXPECT_EQ(order, "fsffs");
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

TEST(VirtualEventLoop, DestroyedTimerNeverFires) {
    VirtualEventLoop loop;
    int fired = 0;
    auto t = loop.createTimer(10, false, [&] { ++fired; });
    t->start();
    t.reset();
    loop.advance(100);
    EXPECT_EQ(fired, 0);
}
