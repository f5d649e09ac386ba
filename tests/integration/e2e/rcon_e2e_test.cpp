// Queue, pump and status poll against the simulated server.

#include "livesim.h"

#include <QJsonArray>

#include <algorithm>
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

bool polled(App& app, const std::string& slot) {
    const auto& list = app.statusPoll().statusSlotList();
    return std::find(list.begin(), list.end(), slot) != list.end();
}

} // namespace

// Enough long names for a reply of two datagrams.
TEST(RconE2E, StatusPollFillsTheSlotTableFromTwoDatagrams) {
    LiveSimulator sim;
    LiveApp live(sim, sim.password);
    ASSERT_TRUE(live.waitUntilPrimed());
    EXPECT_EQ(sim.command("join slot=3 Big Bad Wolf").rfind("ok", 0), 0u);
    for (int s = 6; s <= 17; ++s)
        sim.command("join slot=" + std::to_string(s) + " Player_with_a_long_name_" +
                    std::to_string(s));
    runFor(1500);
    live.app().statusPoll().Command8_Click();
    ASSERT_TRUE(
        waitUntil([&] { return polled(live.app(), "3") && polled(live.app(), "17"); }, 10000));
    bool twoDatagrams = false;
    for (const QJsonObject& r : sim.journal({"rcon_reply"}))
        twoDatagrams |= r.value("of").toInt() == 2;
    EXPECT_TRUE(twoDatagrams);
    const SlotTable& slots = live.app().slotTable();
    for (int s = 6; s <= 17; ++s)
        EXPECT_EQ(slots[s].SlotName, "Player_with_a_long_name_" + std::to_string(s));
    EXPECT_EQ(slots[3].SlotName, "Big Bad Wolf");
    EXPECT_EQ(slots[0].SlotName, "democlient");
}

TEST(RconE2E, PollRecoversByItsRetriesWhenDatagramsAreLost) {
    const QString seed = qEnvironmentVariable("CORVANE_E2E_SEED", "4");
    LiveSimulator sim({"--seed", seed});
    sim.command("join slot=4 Survivor");
    LiveApp live(sim, sim.password, 1, 0);
    ASSERT_TRUE(waitUntil([&] { return live.app().slotTable()[4].SlotName == "Survivor"; }, 10000));

    // The first try of the next poll is lost for certain; then 30% of the
    // datagrams are dropped and only the poll's retries can bring the answer.
    sim.command("quit Survivor");
    sim.command("join slot=6 Latecomer");
    sim.command("udp drop 1");
    runFor(600); // past the lock that suppresses a second query within 525 ms
    live.app().statusPoll().Command8_Click();
    const auto teamstatusLost = [&] {
        for (const QJsonObject& r : sim.journal({"rcon_dropped"}))
            if (r.value("bytes").toString().endsWith("teamstatus")) return true;
        return false;
    };
    ASSERT_TRUE(waitUntil(teamstatusLost, 5000));
    sim.command("udp drop 0.3");
    ASSERT_TRUE(waitUntil([&] { return polled(live.app(), "6"); }, 30000))
        << "seed " << seed.toStdString() << "\n"
        << live.serverLog();
    EXPECT_EQ(live.app().slotTable()[6].SlotName, "Latecomer");
    EXPECT_FALSE(live.logHas("RCON connection error retrieving status - timeout"));
}
