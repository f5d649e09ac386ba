// The log feed against the game-server simulator run in-process: its game
// writes the log, its log host answers the fetcher's real requests in each of
// its modes, and virtual time drives the refresh cadence.

#include "core/rtf.h"
#include "gamesim/core/http.h"
#include "gamesim/core/simulator.h"
#include "logfeedrig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

using Lines = std::vector<std::string>;

class SimulatedHostTest : public ::testing::TestWithParam<std::string> {
protected:
    LogFeedRig rig;
    gamesim::Simulator sim{gamesim::SimulatorOptions{}, [this] { return rig.fake.loop.now(); },
                           [](const std::string&) {}};
    std::size_t pieceSize = 1 << 20;
    int served = 0;

    SimulatedHostTest() {
        rig.settings.config.LogURL = "http://127.0.0.1:41235/logs/games_mp.log";
        rig.settings.advanced.RefreshDelay = 10;
        rig.fetcher.setRefreshTarget(10);
        sim.start();
    }

    void control(const std::string& line) {
        const std::string answer = sim.onControl(line, "test");
        ASSERT_TRUE(answer.starts_with("ok")) << line << ": " << answer;
    }

    // One second of the main tick; a fetch it starts is answered at once.
    void tick() {
        rig.fake.loop.advance(1000);
        const int before = rig.fake.net.tcp("log").connectCount;
        rig.fetcher.refreshTick();
        FakeTcp& tcp = rig.fake.net.tcp("log");
        if (tcp.connectCount == before) return;
        tcp.acceptConnection();
        const auto request = gamesim::parseRequestHead(tcp.sent);
        ASSERT_TRUE(request.has_value()) << tcp.sent;
        const gamesim::HttpAnswer answer = sim.onHttpRequest(*request, "127.0.0.1:50000");
        ++served;
        for (std::size_t i = 0; i < answer.bytes.size(); i += pieceSize)
            tcp.feed(answer.bytes.substr(i, pieceSize));
        if (answer.close) tcp.peerClose();
    }

    // Ticks until the next fetch has been answered.
    void refreshCycle() {
        const int before = served;
        for (int i = 0; i < 40 && served == before; ++i)
            tick();
        ASSERT_EQ(served, before + 1);
    }

    void useMode(const std::string& mode) { control("http mode " + mode); }
};

} // namespace

TEST_P(SimulatedHostTest, JoinsAndChatReachTheViewsWithinOneCycle) {
    useMode(GetParam());
    pieceSize = 700;
    // Enough old log for the tail to start inside a line.
    control("join Warmup");
    for (int i = 0; i < 250; ++i)
        control("chat Warmup old line " + std::to_string(i) + " !kick x");
    refreshCycle(); // primes: nothing old is run or shown
    EXPECT_EQ(rig.chat.view().plainText(), kChatHeading);

    control("join [AB]Bob");
    control("chat [AB]Bob !kick Warmup spamming");
    control("teamchat [AB]Bob hello team; second part");
    refreshCycle();

    const std::string text = rig.chat.view().plainText();
    EXPECT_NE(text.find("Bob: !kick Warmup spamming"), std::string::npos) << text;
    EXPECT_NE(text.find("Bob: hello team"), std::string::npos) << text;
    EXPECT_EQ(text.find("old line"), std::string::npos);
    EXPECT_EQ(rig.count("command !kick Warmup spamming"), 1u);
    EXPECT_EQ(rig.slots[2].SlotName, "Bob");

    const Lines archive = splitLines(rig.dir.read("Logs/ChatArchive.txt"));
    ASSERT_EQ(archive.size(), 2u);
    EXPECT_TRUE(archive[0].ends_with("] Bob: !kick Warmup spamming"));
    EXPECT_TRUE(archive[1].ends_with("] Bob: hello team"));
    const auto saved = fromRtf(rig.dir.read("Logs/Chat.rtf"));
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(*saved, rig.chat.view().runs());
}

INSTANTIATE_TEST_SUITE_P(Modes, SimulatedHostTest,
                         ::testing::Values("chunked", "tiny 7", "partial"));

using SimulatedHostEvents = SimulatedHostTest;

TEST_F(SimulatedHostEvents, RestartIsReportedAndThePlaylistAskedFirst) {
    control("clock 2703"); // 45:03
    control("join Bob");
    control("chat Bob good game to all of you");
    refreshCycle();
    EXPECT_EQ(rig.fetcher.LogMinutes(), 45);
    rig.queue.pushBack("say waiting line");

    control("restart");
    refreshCycle();
    const Lines logged = rig.logged();
    EXPECT_TRUE(logged.back().starts_with("Server crash/restart detected - ")) << logged.back();
    ASSERT_FALSE(rig.queue.empty());
    EXPECT_EQ(rig.queue.front().line, "Playlist");
    EXPECT_EQ(static_cast<int>(rig.count("restartDetected")), 1);
    EXPECT_EQ(rig.fetcher.LogMinutes(), 0);
    EXPECT_EQ(rig.link.CurrentPlaylist, 22); // from the new InitGame line
}

TEST_F(SimulatedHostEvents, WaitAnswerMovesTheNextFetch) {
    refreshCycle();
    useMode("wait 7");
    refreshCycle();
    EXPECT_EQ(rig.fetcher.RefreshTarget(), 7);
    useMode("chunked");
    int ticks = 0;
    const int before = served;
    while (served == before && ticks < 30) {
        tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 7);
    EXPECT_EQ(rig.fetcher.RefreshTarget(), 10);
    EXPECT_TRUE(rig.logged().size() == 1u); // only "You can now send commands"
}

TEST_F(SimulatedHostEvents, BrokenAnswersLoseNothing) {
    refreshCycle();
    control("join Bob");
    control("chat Bob first");
    useMode("cut");
    refreshCycle(); // closed half-way: dropped quietly
    useMode("garbage");
    refreshCycle();
    useMode("error 503");
    refreshCycle();
    useMode("badrequest");
    refreshCycle();
    useMode("notfound");
    refreshCycle();
    EXPECT_EQ(rig.chat.view().plainText(), kChatHeading);
    control("chat Bob second");
    useMode("chunked");
    refreshCycle();
    const std::string text = rig.chat.view().plainText();
    EXPECT_NE(text.find("Bob: first"), std::string::npos);
    EXPECT_NE(text.find("Bob: second"), std::string::npos);
    const Lines logged = rig.logged();
    EXPECT_EQ(std::count(logged.begin(), logged.end(),
                         "Log URL problem - HTTP/1.1 503 Service Temporarily Unavailable"),
              1);
    EXPECT_EQ(std::count(logged.begin(), logged.end(),
                         "Invalid GameServer URL - Error 400 (Bad Request)"),
              1);
    EXPECT_EQ(std::count(logged.begin(), logged.end(), "Invalid GameServer URL - please fix!"), 1);
}
