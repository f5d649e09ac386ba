// The maps and messages inside the App: start-up and shutdown resets, the
// one-second tick, the log parser's events, the queue's rule pacing.

#include "rconfixture.h"
#include "seatplayer.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

struct MapsInApp : ::testing::Test, RconFixture {
    FakeUdp& resetSocket() { return fake.net.udp("map reset"); }
    App& a = *app;
};

const std::string kDefaultReset = "playlist_excludeMap \"mp_nuked\"";

} // namespace

TEST_F(MapsInApp, StartUpResetsTheRotationDirectlyAndShutdownAgainAfterEmptyingTheQueue) {
    EXPECT_EQ(rconCommands(resetSocket()), std::vector<std::string>{kDefaultReset});
    EXPECT_NE(dir.read("Logs/Server.txt").find("The map was reset to the default rotation"),
              std::string::npos);
    ASSERT_EQ(a.queue().size(), 3u);
    EXPECT_EQ(a.queue().at(1).line, "say ^2This Server is now running the ^1Corvane Mod");
    EXPECT_EQ(a.queue().at(2).line, "say ^2Version: " + std::string(kBuildVersion) + " BETA");

    a.maps().rotation.Amap("grid", CommandIssuer{});
    a.ENDALL();
    EXPECT_TRUE(a.queue().empty());
    EXPECT_EQ(rconCommands(resetSocket()), std::vector<std::string>(2, kDefaultReset));
    fake.loop.advance(1000);
    EXPECT_TRUE(a.ended());
    EXPECT_FALSE(resetSocket().isOpen());
}

TEST_F(MapsInApp, TickShowsDisplayNamesAndReleasesAPlayedForce) {
    a.linkState().CurrentMap = "mp_duga";
    a.maps().rotation.SetNextMap(10);
    fake.loop.advance(1000);
    EXPECT_EQ(a.statusTexts().currentMap, "Current Map: Grid");
    EXPECT_EQ(a.statusTexts().nextMap, "Next Map: Nuke Town");

    a.linkState().CurrentMap = "mp_nuked";
    fake.loop.advance(1000);
    EXPECT_EQ(a.maps().rotation.NextMap(), "Random");
    EXPECT_EQ(a.queue().front().line, kDefaultReset) << "the queue was busy: the reset goes first";
    fake.loop.advance(1000);
    EXPECT_EQ(a.statusTexts().nextMap, "Next Map: Random");
}

TEST_F(MapsInApp, LogBatchesRunTheVoteCountingEveryPlayerAndAMatchStartReleasesTheForce) {
    a.logParser().ParseChat({}); // primes the feed
    a.linkState().CurrentMap = "mp_array";
    a.maps().setVotingEnabled(true);
    a.logParser().ParseChat({});
    const std::string firstPick = a.maps().rotation.NextMap();
    EXPECT_NE(firstPick, "Random");
    EXPECT_NE(firstPick, "mp_array");

    a.queue().clear();
    a.logParser().ParseChat({"  5:00 InitGame: \\g_gametype\\tdm\\playlist\\22\\"});
    fake.loop.advance(1000);
    EXPECT_NE(a.maps().rotation.NextMap(), firstPick);
    EXPECT_NE(a.maps().rotation.NextMap(), "mp_array");

    // Votes needed count every player from slot zero on, but not the demo recorder.
    const auto seat = [&](int from, int to) {
        for (int slot = from; slot <= to; ++slot)
            seatPlayer(a, slot, "P" + std::to_string(slot),
                       "01100001000000" + std::to_string(10 + slot));
    };
    seat(0, 4);
    a.logParser().ParseChat({});
    EXPECT_EQ(a.maps().voting.VotesNeeded(), 2) << "five players";
    seat(5, 6);
    a.slotTable()[7].SlotName = kDemoClientName;
    a.logParser().ParseChat({});
    EXPECT_EQ(a.maps().voting.VotesNeeded(), 2) << "seven players and the recorder";
}

TEST_F(MapsInApp, SixRulesGoPrivatelyOnEverySecondTick) {
    dir.write("Data/Rules.txt", "R1\r\nR2\r\nR3\r\nR4\r\nR5\r\nR6\r\n");
    a.maps().messages.InputRules();
    a.settings().mod.RulesEnabled = 1;
    a.settings().mod.AnnounceMode[1] = 1;
    seatPlayer(a, 3, "Bob", "G3");
    a.queue().clear();
    commandSocket().sent.clear();
    a.maps().messages.SendRules(3, "G3", false);
    fake.loop.advance(2 * 525);
    EXPECT_EQ(commandSocket().sent.size(), 1u) << "nothing on the second tick";
    fake.loop.advance(9 * 525);
    EXPECT_EQ(rconCommands(commandSocket()).back(), "tell 3 ^1PM: ^7R6");
}

TEST_F(MapsInApp, OperatorRulesAreSaidPubliclyWhoeverTypedTheLastChatCommand) {
    a.settings().mod.AnnounceMode[1] = 1; // private rules for players
    seatPlayer(a, 3, "Bob", "G3");
    a.queue().clear();
    a.rcon().operatorCommand("rules");
    ASSERT_EQ(a.queue().size(), 5u) << "the shipped rules, though Use Server Rules is off";
    for (std::size_t i = 0; i < a.queue().size(); ++i) {
        EXPECT_FALSE(a.queue().at(i).bound());
        EXPECT_EQ(a.queue().at(i).line.rfind("say ", 0), 0u);
    }
}
