#include "core/signal.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace corvane;

TEST(Signal, ListenersHearUntilTheirConnectionEnds) {
    Signal<int> signal;
    std::vector<std::string> heard;
    const auto captured = std::make_shared<int>(0);
    Connection a =
        signal.connect([&, captured](int v) { heard.push_back("a" + std::to_string(v)); });
    {
        const Connection b =
            signal.connect([&](int v) { heard.push_back("b" + std::to_string(v)); });
        signal.notify(1);
    }
    signal.notify(2);
    a = signal.connect([&](int v) { heard.push_back("c" + std::to_string(v)); }); // replaces a
    signal.notify(3);
    a.disconnect();
    signal.notify(4);
    EXPECT_EQ(heard, (std::vector<std::string>{"a1", "b1", "a2", "c3"}));
    EXPECT_EQ(captured.use_count(), 1); // released after the next delivery

    // A connection may outlive its signal.
    auto owner = std::make_unique<Signal<>>();
    Connection late = owner->connect([] {});
    owner.reset();
    EXPECT_FALSE(late.connected());
}

TEST(Signal, ListenersMayDisconnectAndConnectDuringADelivery) {
    Signal<> signal;
    std::vector<std::string> heard;
    Connection first, second, added;
    first = signal.connect([&] {
        heard.push_back("first");
        second.disconnect(); // not heard any more, even in this delivery
        first.disconnect();  // its own: the running listener stays intact
        added = signal.connect([&] { heard.push_back("added"); });
    });
    second = signal.connect([&] { heard.push_back("second"); });
    signal.notify();
    signal.notify();
    EXPECT_EQ(heard, (std::vector<std::string>{"first", "added"}));
}

TEST(Signal, NotifyEachReachesEveryListenerWhenOneThrows) {
    Signal<> signal;
    int reached = 0;
    std::vector<std::string> failures;
    const Connection a = signal.connect([] { throw std::runtime_error("broken"); });
    const Connection b = signal.connect([&] { ++reached; });
    signal.notifyEach([&](const std::exception& e) { failures.push_back(e.what()); });
    EXPECT_EQ(reached, 1);
    EXPECT_EQ(failures, std::vector<std::string>{"broken"});
    EXPECT_THROW(signal.notify(), std::runtime_error);
}
