// Queue, pump and status poll against the simulated server.

#include "livesim.h"

#include <QJsonArray>

#include <algorithm>
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

std::string slotNames(App& app) {
    std::string names;
    for (int s = 0; s < SlotTable::kSlots; ++s)
        if (!app.slotTable()[s].SlotName.empty()) names += "[" + app.slotTable()[s].SlotName + "]";
    return names;
}

} // namespace

TEST(RconE2E, QueuedLinesArriveInOrderOnePerTickWithTheExactBytes) {
    LiveSimulator sim;
    LiveApp live(sim, sim.password);
    ASSERT_TRUE(live.waitUntilPrimed());
    for (int i = 1; i <= 5; ++i)
        live.app().queue().SendSay("e2e line " + std::to_string(i));
    ASSERT_TRUE(waitUntil([&] { return sim.received("say e2e line 5") == 1; }, 15000));

    std::vector<QJsonObject> says;
    for (const QJsonObject& r : sim.journal("rcon_request"))
        if (r.value("command").toString().startsWith("say e2e line")) says.push_back(r);
    ASSERT_EQ(says.size(), 5u);
    for (std::size_t i = 0; i < says.size(); ++i) {
        EXPECT_EQ(says[i].value("command").toString().toStdString(),
                  "say e2e line " + std::to_string(i + 1));
        EXPECT_TRUE(says[i].value("password_ok").toBool());
        if (i > 0) { // never two in one tick of the 525 ms pump
            EXPECT_GE(says[i].value("t").toInt() - says[i - 1].value("t").toInt(), 400);
        }
    }
}

TEST(RconE2E, StatusPollFillsTheSlotTableFromOneOrTwoDatagrams) {
    LiveSimulator sim;
    LiveApp live(sim, sim.password);
    ASSERT_TRUE(live.waitUntilPrimed());
    EXPECT_EQ(sim.command("join slot=3 Big Bad Wolf").rfind("ok", 0), 0u);
    sim.command("join slot=5 Bobby");
    const auto polledSlot = [&](const std::string& slot) {
        const auto& polled = live.app().statusPoll().statusSlotList();
        return std::find(polled.begin(), polled.end(), slot) != polled.end();
    };
    live.app().statusPoll().Command8_Click();
    ASSERT_TRUE(waitUntil([&] { return polledSlot("3") && polledSlot("5"); }, 10000))
        << slotNames(live.app());
    EXPECT_EQ(live.app().slotTable()[3].SlotName, "Big Bad Wolf");
    EXPECT_EQ(live.app().slotTable()[5].SlotName, "Bobby");
    EXPECT_EQ(live.app().slotTable()[0].SlotName, "democlient");

    // Enough long names for a reply of two datagrams.
    for (int s = 6; s <= 17; ++s)
        sim.command("join slot=" + std::to_string(s) + " Player_with_a_long_name_" +
                    std::to_string(s));
    runFor(1500);
    live.app().statusPoll().Command8_Click();
    ASSERT_TRUE(waitUntil([&] { return polledSlot("17"); }, 10000)) << slotNames(live.app());
    bool twoDatagrams = false;
    for (const QJsonObject& r : sim.journal("rcon_reply"))
        twoDatagrams |= r.value("of").toInt() == 2;
    EXPECT_TRUE(twoDatagrams);
    for (int s = 6; s <= 17; ++s)
        EXPECT_EQ(live.app().slotTable()[s].SlotName,
                  "Player_with_a_long_name_" + std::to_string(s));
    EXPECT_EQ(live.app().slotTable()[3].SlotName, "Big Bad Wolf");
}

TEST(RconE2E, WrongPasswordIsReported) {
    LiveSimulator sim;
    LiveApp live(sim, "not-the-password");
    live.app().statusPoll().Command8_Click();
    EXPECT_TRUE(waitUntil([&] { return live.logHas("] Invalid Password\r\n"); }, 10000))
        << live.serverLog();
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
        for (const QJsonObject& r : sim.journal("rcon_dropped"))
            if (r.value("bytes").toString().endsWith("teamstatus")) return true;
        return false;
    };
    ASSERT_TRUE(waitUntil(teamstatusLost, 5000));
    sim.command("udp drop 0.3");
    const auto polledSlot = [&](const std::string& slot) {
        const auto& polled = live.app().statusPoll().statusSlotList();
        return std::find(polled.begin(), polled.end(), slot) != polled.end();
    };
    const auto history = [&] {
        std::string out;
        for (const char* kind : {"rcon_request", "rcon_dropped", "rcon_reply"})
            for (const QJsonObject& r : sim.journal(kind))
                out += std::to_string(r.value("t").toInt()) + " " + kind + " " +
                       r.value("command").toString().toStdString() +
                       r.value("fault").toString().toStdString() + "\n";
        return out;
    };
    ASSERT_TRUE(waitUntil([&] { return polledSlot("6"); }, 30000))
        << "seed " << seed.toStdString() << "\n"
        << live.serverLog() << history();
    EXPECT_EQ(live.app().slotTable()[6].SlotName, "Latecomer");
    EXPECT_FALSE(live.logHas("RCON connection error retrieving status - timeout"));
}
