// The simulator's own doors reached through Corvane Mod's TCP adapter: what
// only real sockets show (kept connections, closing on bad input, standard
// input). The other end-to-end tests cover the rest.

#include "core/buildversion.h"
#include "livesim.h"
#include "platform/qt/qteventloop.h"
#include "platform/qt/qtnetwork.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

// One TCP client through the project's adapter, collecting what arrives.
struct Client {
    explicit Client(NetworkFactory& net) : stream(net.createTcp("log")) {
        stream->setEvents(
            {[this] { connected = true; }, [this](const std::string& bytes) { received += bytes; },
             [this] { closed = true; }, [this](const NetError& e) { error = e.description; }});
    }
    bool open(std::uint16_t port) {
        stream->connectTo("127.0.0.1", port);
        return waitUntil([this] { return connected || !error.empty(); }) && connected;
    }
    std::unique_ptr<TcpStream> stream;
    std::string received;
    std::string error;
    bool connected = false;
    bool closed = false;
};

struct Doors {
    LiveSimulator sim;
    qt::QtEventLoop loop;
    qt::QtNetworkFactory net{loop};
};

} // namespace

TEST(GamesimE2E, LogHostKeepsTheConnectionAndClosesOnBytesThatAreNoRequest) {
    Doors doors;
    Client kept(doors.net);
    ASSERT_TRUE(kept.open(doors.sim.httpPort));
    const std::string request = "GET " + doors.sim.logPath +
                                " HTTP/1.1\r\nHost: 127.0.0.1\r\nRange: bytes=-10000 \r\n"
                                "User-Agent: Corvane Mod " +
                                kBuildVersion + "\r\n\r\n";
    for (const std::string event : {"ExitLevel: executed", "ShutdownGame:"}) {
        doors.sim.command("log " + event);
        kept.received.clear();
        kept.stream->send(request);
        const std::string end = " " + event + "\n\r\n0\r\n\r\n"; // the chunked answer's last
        ASSERT_TRUE(waitUntil([&] { return kept.received.ends_with(end); })) << kept.received;
    }
    EXPECT_FALSE(kept.closed);

    Client bad(doors.net);
    ASSERT_TRUE(bad.open(doors.sim.httpPort));
    bad.stream->send("NOT A REQUEST\r\n\r\n");
    ASSERT_TRUE(waitUntil([&] { return bad.closed; }));
    EXPECT_EQ(bad.received.substr(0, 8), "<html>\r\n");
}

TEST(GamesimE2E, ControlAnswersOnStandardInputAndClosesOnAnOverlongLine) {
    Doors doors;
    EXPECT_EQ(doors.sim.commandOnStandardInput("dvar g_logSync"), "ok 0");
    Client control(doors.net);
    ASSERT_TRUE(control.open(doors.sim.controlPort));
    control.stream->send(std::string(5000, 'x'));
    ASSERT_TRUE(waitUntil([&] { return control.closed; }));
    EXPECT_EQ(control.received, "error line too long\n");
}
