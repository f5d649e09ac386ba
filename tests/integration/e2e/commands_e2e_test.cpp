// Chat commands typed in the simulated game reach the simulated server.

#include "livesim.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

constexpr const char* kOwnerGuid = "0110000100000a02";
constexpr const char* kBobGuid = "0110000100000b05";

// Owen (slot 2, the Owner) and Bobby (slot 5) are on the server.
void startGame(LiveSimulator& sim, LiveApp& live) {
    ASSERT_TRUE(live.waitUntilPrimed());
    live.app().settings().mod.WelcomeEnabled = 0;
    sim.command(std::string("join slot=2 guid=") + kOwnerGuid + " Owen");
    sim.command(std::string("join slot=5 guid=") + kBobGuid + " Bobby");
    const SlotTable& slots = live.app().slotTable();
    ASSERT_TRUE(waitUntil(
        [&] { return slots[2].SlotGUID == kOwnerGuid && slots[5].SlotGUID == kBobGuid; }, 15000));
    ASSERT_TRUE(live.app().players().groups.SetGroupDatabase(std::string("G") + kOwnerGuid, "0",
                                                             "Owen", CommandIssuer{}, true));
}

// The journal's console lines that begin with text, in order.
std::vector<QJsonObject> requests(const LiveSimulator& sim, const QString& text) {
    std::vector<QJsonObject> found;
    for (const QJsonObject& r : sim.journal({"rcon_request"}))
        if (r.value("command").toString().startsWith(text)) found.push_back(r);
    return found;
}

} // namespace

TEST(CommandsE2E, KickByPartOfANameThenTheAnnouncementAndThePlayerLeaves) {
    LiveSimulator sim;
    LiveApp live(sim, sim.password);
    startGame(sim, live);
    sim.command("chat 2 !kick bob spam");
    ASSERT_TRUE(waitUntil(
        [&] { return sim.received("say ^1Kicking player: ^2Bobby ^1Reason: ^2spam") == 1; }, 15000))
        << live.serverLog();

    const auto kicks = requests(sim, "clientkick");
    const auto says = requests(sim, "say ^1Kicking player");
    ASSERT_EQ(kicks.size(), 1u);
    ASSERT_EQ(says.size(), 1u);
    EXPECT_EQ(kicks[0].value("command").toString().toStdString(),
              "clientkick 5 \" - ^1Reason: ^2spam\"");
    EXPECT_GE(says[0].value("t").toInt() - kicks[0].value("t").toInt(), 400); // one per tick
    EXPECT_TRUE(live.logHas("Owen kicked Bobby [Slot 5] for spam"));

    EXPECT_TRUE(waitUntil([&] { return live.app().slotTable()[5].SlotName.empty(); }, 10000));
    EXPECT_EQ(sim.command("status").find("\"name\":\"Bobby\""), std::string::npos);
}

// A member allowed only to talk cannot kick by saying a kick line.
TEST(CommandsE2E, SayingAKickLineKicksNobody) {
    LiveSimulator sim;
    LiveApp live(sim, sim.password);
    startGame(sim, live);
    auto& groups = live.app().players().groups;
    groups.table.GroupCommands[3] = "SAY";
    ASSERT_TRUE(
        groups.SetGroupDatabase(std::string("G") + kBobGuid, "3", "Bobby", CommandIssuer{}, true));
    sim.command("chat 5 !say clientkick 2 bye");
    ASSERT_TRUE(waitUntil([&] { return sim.received("say  clientkick 2 bye") == 1; }, 15000))
        << live.serverLog();
    runFor(1500);
    EXPECT_EQ(sim.commandsRun("clientkick"), std::vector<std::string>{});
    EXPECT_EQ(live.app().slotTable()[2].SlotGUID, kOwnerGuid);
}
