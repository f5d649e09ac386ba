// The Qt implementations of the core's ports, on Qt's own event loop.

#include "platform/qt/qteventloop.h"
#include "platform/qt/qtnetwork.h"
#include "qtwait.h"

#include <QTcpServer>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace corvane;
using corvane::testing::waitUntil;

// A socket never resolves a name itself (that would block the window for a
// DNS round trip); names are looked up on the loop.
TEST(QtNetwork, NamesAreLookedUpOnTheLoopAndNeverBySocket) {
    qt::QtEventLoop loop;
    qt::QtNetworkFactory net(loop);
    const auto udp = net.createUdp("command");
    const auto refused = udp->open("localhost", 9);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->kind, NetError::Kind::HostNotFound);
    EXPECT_FALSE(udp->open("127.0.0.1", 9).has_value());

    std::optional<HostLookup> answer;
    net.lookupHost("localhost", [&](const HostLookup& a) { answer = a; });
    EXPECT_FALSE(answer.has_value()); // the answer comes later, on the loop
    ASSERT_TRUE(waitUntil([&] { return answer.has_value(); }));
    ASSERT_TRUE(answer->address.has_value()) << answer->error;
    EXPECT_TRUE(*answer->address == "127.0.0.1" || *answer->address == "::1") << *answer->address;

    std::optional<HostLookup> numeric;
    net.lookupHost("192.0.2.7", [&](const HostLookup& a) { numeric = a; });
    ASSERT_TRUE(numeric.has_value());
    EXPECT_EQ(numeric->address, "192.0.2.7");
}

// A handler that throws never unwinds through Qt's loop: the timer, the
// socket and the posted call each report it once and the loop goes on.
TEST(QtEventLoop, FailuresOfHandlersAreReportedAndTheLoopGoesOn) {
    qt::QtEventLoop loop;
    qt::QtNetworkFactory net(loop);
    std::vector<std::string> reported;
    loop.setFaultHandler([&](const std::string& what) { reported.push_back(what); });

    int ticks = 0;
    const auto failing = loop.createTimer(10, true, [] { throw std::runtime_error("timer"); });
    const auto counting = loop.createTimer(10, false, [&] { ++ticks; });
    failing->start();
    counting->start();
    loop.post([] { throw std::out_of_range("posted"); });

    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const auto stream = net.createTcp("log");
    TcpStream::Events events;
    events.connected = [] { throw std::logic_error("connected"); };
    stream->setEvents(events);
    stream->connectTo("127.0.0.1", server.serverPort());

    ASSERT_TRUE(waitUntil([&] { return reported.size() >= 3 && ticks >= 3; }));
    std::sort(reported.begin(), reported.end());
    EXPECT_EQ(reported, (std::vector<std::string>{"connected", "posted", "timer"}));
    loop.setFaultHandler({});
}
