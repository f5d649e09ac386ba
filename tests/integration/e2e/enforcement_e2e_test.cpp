// The automatic enforcement against the simulated server: what players say,
// shoot with and are called ends in warnings and kicks that reach the server.

#include "livesim.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

// The console lines the server received, in order.
std::vector<std::string> received(const LiveSimulator& sim) {
    std::vector<std::string> out;
    for (const QJsonObject& r : sim.journal("rcon_request"))
        if (r.value("password_ok").toBool())
            out.push_back(r.value("command").toString().toStdString());
    return out;
}

bool online(LiveSimulator& sim, const std::string& name) {
    return sim.command("status").find("\"name\":\"" + name + "\"") != std::string::npos;
}

std::size_t indexOf(const std::vector<std::string>& lines, const std::string& line) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == line) return i;
    return lines.size();
}

struct Game {
    LiveSimulator sim;
    LiveApp live{sim, sim.password};
    ModSettings& mod = live.app().settings().mod;

    // Bob joins once the feed is primed, so that his join line is handled.
    void joinBob() {
        ASSERT_TRUE(live.waitUntilPrimed());
        sim.command("join slot=3 guid=0110000100000b0b Bob");
        ASSERT_TRUE(waitUntil([&] { return live.app().slotTable()[3].SlotName == "Bob"; }, 10000));
    }
    // Sends one control line and waits until the server received what it causes.
    void until(const std::string& control, const std::string& expected, std::size_t times) {
        sim.command(control);
        ASSERT_TRUE(
            waitUntil([&] { return sim.received(expected) == static_cast<int>(times); }, 15000))
            << control << "\n"
            << live.serverLog();
    }
};

} // namespace

TEST(EnforcementE2E, APlayerWhoSwearsIsWarnedAndPastTheLimitKicked) {
    Game g;
    g.mod.LanguageFilterEnabled = 1;
    g.joinBob();
    EXPECT_EQ(g.live.app().enforcement().language.limit(), 2);
    g.until("chat Bob what the fuck", "Please watch your language! [Warning ^11 ^2of 2]", 1);
    g.until("chat Bob fuckity fuck", "Please watch your language! [Warning ^12 ^2of 2]", 1);
    g.until("chat Bob fuck off", "clientkick 3", 1);

    const auto lines = received(g.sim);
    const std::size_t kick =
        indexOf(lines, "clientkick 3 \" - ^1Reason: ^2Watch^2 your^2 language!\"");
    ASSERT_LT(kick, lines.size());
    EXPECT_LT(indexOf(lines, "say ^1Warning ^2Bob, ^1Reason: ^2Please watch your language! "
                             "[Warning ^12 ^2of 2]"),
              kick);
    EXPECT_TRUE(waitUntil([&] { return !online(g.sim, "Bob"); }, 5000));
    EXPECT_TRUE(g.live.logHas("Kicking Bob for language: fuck, Badword: fuck"));
}

TEST(EnforcementE2E, AKillWithARestrictedWeaponIsWarnedAndPastTheLimitKicked) {
    Game g;
    g.mod.MaxWarns = 1;
    g.mod.WeaponFlags.assign(kWeaponFlagCount, "0");
    g.mod.WeaponFlags[16] = "1"; // Ak47
    g.joinBob();
    g.sim.command("join slot=5 Zed");
    g.until("kill Bob Zed weapon=ak47_mp", "Ak47 is not allowed! [Warning ^11 ^2of 1]", 1);
    g.until("kill Bob Zed weapon=ak47_mp", "say ^1Kicking ^2Bob", 1);

    const auto lines = received(g.sim);
    EXPECT_LT(indexOf(lines, "clientkick 3 \" - ^1Reason: ^2^2 Ak47^2 is^2 not^2 allowed^2 on^2 "
                             "this^2 server!\""),
              lines.size());
    EXPECT_LT(indexOf(lines, "say ^1Kicking ^2Bob, ^1Reason: ^2Ak47 is not allowed!"),
              lines.size());
    EXPECT_TRUE(waitUntil([&] { return !online(g.sim, "Bob"); }, 5000));
    EXPECT_TRUE(online(g.sim, "Zed"));
}

TEST(EnforcementE2E, AnUnknownSoldierWhoJoinsIsRemoved) {
    Game g;
    g.mod.KickUnknownSoldiers = 1;
    ASSERT_TRUE(g.live.waitUntilPrimed());
    g.until("join slot=6 Unknown Soldier",
            "clientkick 6 \" - ^1Reason: ^2Please^2 change^2 your^2 name^2 in^2 Steam^2 Settings\"",
            1);
    EXPECT_TRUE(waitUntil([&] { return !online(g.sim, "Unknown Soldier"); }, 5000));
    EXPECT_TRUE(waitUntil([&] { return g.live.app().slotTable()[6].SlotName.empty(); }, 5000));
    EXPECT_TRUE(g.live.logHas("Removing player from slot 6 with invalid steam name"));
}
