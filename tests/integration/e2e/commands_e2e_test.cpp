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
                                                             "Owen", true));
}

// The journal's console lines that begin with text, in order.
std::vector<QJsonObject> requests(const LiveSimulator& sim, const QString& text) {
    std::vector<QJsonObject> found;
    for (const QJsonObject& r : sim.journal("rcon_request"))
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

    bool left = false;
    for (const QJsonObject& r : sim.journal("log"))
        left |= r.value("line").toString().endsWith(QString("Q;") + kBobGuid + ";5;Bobby");
    EXPECT_TRUE(left);
    EXPECT_TRUE(waitUntil([&] { return live.app().slotTable()[5].SlotName.empty(); }, 10000));
}

TEST(CommandsE2E, TempbanExpandsAReasonCodeAndRconCannotTouchThePassword) {
    LiveSimulator sim;
    LiveApp live(sim, sim.password);
    startGame(sim, live);

    sim.command("chat 2 !rcon g_speed 190;rcon_password x");
    ASSERT_TRUE(waitUntil(
        [&] {
            return sim.received("tell 2 ^1PM: Server password cannot be changed in-game!") == 1;
        },
        15000))
        << live.serverLog();
    EXPECT_EQ(sim.received("g_speed"), 0);
    EXPECT_EQ(sim.received("rcon_password"), 0);

    sim.command("chat 2 !tempban bob msg2");
    ASSERT_TRUE(waitUntil(
        [&] { return sim.received("tempbanclient 5 \" - ^1Reason: ^2Team^2 killing\"") == 1; },
        15000))
        << live.serverLog();
    EXPECT_TRUE(waitUntil(
        [&] {
            return sim.received("say ^1Temp Banning player: ^2Bobby ^1Reason: ^2Team killing") == 1;
        },
        5000));
    // Still the same password: the server took the lines.
    for (const QJsonObject& r : requests(sim, "tempbanclient"))
        EXPECT_TRUE(r.value("password_ok").toBool());
}
