// Map control and skip voting against the simulated server.
// The "!map" and "!skip" chat commands belong to the command dispatcher; these
// tests call the operations it calls, with the issuer it would pass.

#include "livesim.h"
#include "maps/maptable.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

// The simulator's own view: "map", "next_map", "players"...
QJsonObject serverStatus(LiveSimulator& sim) {
    const std::string answer = sim.command("status");
    return QJsonDocument::fromJson(QByteArray::fromStdString(answer.substr(3))).object();
}
std::string nextMapOnServer(LiveSimulator& sim) {
    return serverStatus(sim).value("next_map").toString().toStdString();
}

bool waitForCurrentMap(LiveApp& live) {
    return waitUntil([&] { return !live.app().linkState().CurrentMap.empty(); }, 10000);
}

const std::string kDefaultReset = "playlist_excludeMap \"mp_nuked\"";

} // namespace

TEST(MapsE2E, MapCommandForcesTheNextMapUntilTheServerPlaysIt) {
    LiveSimulator sim;
    LiveApp live(sim, sim.password);
    ASSERT_TRUE(live.waitUntilPrimed());
    ASSERT_TRUE(waitForCurrentMap(live));
    EXPECT_EQ(sim.received(kDefaultReset), 1) << "the start-up reset";

    live.app().maps().rotation.Amap("nuketown", CommandIssuer{1, "0110000100000001", "Bob"});
    const std::string forced = exclusionLine(forcedExclusionList(10));
    ASSERT_TRUE(waitUntil([&] { return sim.received(forced) == 1; }, 10000));
    EXPECT_EQ(nextMapOnServer(sim), "mp_nuked");

    EXPECT_EQ(sim.command("rotate"), "ok mp_nuked");
    ASSERT_TRUE(waitUntil([&] { return sim.received(kDefaultReset) == 2; }, 15000))
        << live.serverLog();
    EXPECT_EQ(live.app().maps().rotation.NextMap(), "Random");
    EXPECT_NE(nextMapOnServer(sim), "mp_nuked");
}

TEST(MapsE2E, OneSkipOfFourPlayersForcesAnotherRandomMap) {
    LiveSimulator sim;
    LiveApp live(sim, sim.password);
    ASSERT_TRUE(live.waitUntilPrimed());
    for (const char* name : {"Alice", "Bob", "Carol", "Dave"})
        ASSERT_EQ(sim.command(std::string("join ") + name).rfind("ok", 0), 0u);
    ASSERT_TRUE(waitUntil([&] { return live.app().slotTable()[4].SlotName == "Dave"; }, 10000));
    ASSERT_TRUE(waitForCurrentMap(live));

    live.app().maps().setVotingEnabled(true);
    ASSERT_TRUE(waitUntil([&] { return live.app().maps().rotation.NextMap() != "Random"; }, 10000));
    const std::string firstPick = live.app().maps().rotation.NextMap();
    ASSERT_TRUE(waitUntil([&] { return nextMapOnServer(sim) == firstPick; }, 10000));

    const SlotEntry& bob = live.app().slotTable()[2];
    const CommandIssuer voter{2, bob.SlotGUID, bob.SlotName};
    EXPECT_EQ(live.app().maps().voting.skip(voter), SkipOutcome::Counted);
    ASSERT_TRUE(waitUntil([&] { return sim.received("say ^1Map will be skipped!") == 1; }, 15000));
    const std::string secondPick = live.app().maps().rotation.NextMap();
    EXPECT_NE(secondPick, firstPick);
    EXPECT_NE(secondPick, live.app().linkState().CurrentMap);
    EXPECT_EQ(sim.received("tell 2 ^1PM: ^2You voted to skip the next map!"), 1);
    EXPECT_TRUE(waitUntil([&] { return nextMapOnServer(sim) == secondPick; }, 10000));
}
