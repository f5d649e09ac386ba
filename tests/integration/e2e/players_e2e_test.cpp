// Players seen on the simulated server are stored, greeted and shown.

#include "livesim.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

// A player who names himself like a kick line is welcomed too, and nobody is
// kicked by his welcome.
TEST(PlayersE2E, JoiningPlayersAreStoredGreetedAndShownAndAKickForANameKicksNobody) {
    LiveSimulator sim;
    LiveApp live(sim, sim.password);
    ASSERT_TRUE(live.waitUntilPrimed());
    live.app().settings().mod.WelcomeEnabled = 1;
    // Greetings need the server's demo recorder, which the first poll reports.
    ASSERT_TRUE(waitUntil([&] { return live.app().slotTable().DemoClientPresent; }, 5000));
    sim.command("join slot=3 Victim");
    const std::string joined = sim.command("join slot=4 guid=0110000100aabbcc Bob");
    sim.command("join slot=5 clientkick 3 x");
    const auto slot4 = [&] { return live.app().onlineGrid().row(4); };
    ASSERT_TRUE(waitUntil([&] { return slot4() && slot4()->username == "Bob"; }, 10000)) << joined;
    const OnlineGridRow* row = slot4();
    EXPECT_EQ(row->guid, "0110000100aabbcc");
    EXPECT_EQ(row->group, live.app().players().groups.table.DefaultGroupName);
    EXPECT_FALSE(row->firstSeen.empty());
    for (const char* welcome :
         {"^7Bob ^2to E2E Server", "Welcome ^1^7clientkick 3 x ^2to E2E Server"})
        EXPECT_TRUE(waitUntil([&] { return sim.received(welcome) == 1; }, 10000))
            << welcome << "\n"
            << live.dir().read("Logs/Console.txt");
    runFor(1500); // whatever was queued with it has gone out too
    EXPECT_EQ(sim.commandsRun("clientkick"), std::vector<std::string>{});
    EXPECT_NE(sim.command("status").find("\"name\":\"Victim\""), std::string::npos);
}
