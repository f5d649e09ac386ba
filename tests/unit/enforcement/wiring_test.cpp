// The enforcement inside the App: what the log parser, the status poll, the
// link and the player database hand it, and what reaches the server.

#include "rconfixture.h"
#include "enforcementrig.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace corvane;
using namespace corvane::testing;

namespace {

constexpr char kMark = 21;

class Wiring : public ::testing::Test, public RconFixture {
protected:
    int minute = 1;

    void SetUp() override {
        app->logParser().ParseChat({}); // primes the feed, then a status poll follows
        for (int i = 0; i < 30 && statusSocket().sent.empty(); ++i)
            fake.loop.advance(100);
        statusSocket().receive(reply("map: mp_nuked\n"));
        mod().LanguageFilterEnabled = 1;
        mod().KickUnknownSoldiers = 1;
        app->queue().clear();
    }
    ModSettings& mod() { return app->settings().mod; }
    std::string at() { return "  " + std::to_string(minute++) + ":00 "; }
    void lines(std::vector<std::string> batch) { app->logParser().ParseChat(batch); }
    // A join ("J"), quit ("Q") or chat ("say", with its text) line.
    std::string event(const std::string& kind, int slot, const std::string& guid,
                      const std::string& name, const std::string& text = "") {
        return at() + kind + ";" + guid + ";" + std::to_string(slot) + ";" + name +
               (kind == "say" ? ";" + std::string(1, kMark) + text : "");
    }
    std::vector<std::string> pumped(int ms) {
        commandSocket().sent.clear();
        fake.loop.advance(ms);
        return sentCommands();
    }
};

const std::string kRemovalSent =
    "clientkick 5 \" - ^1Reason: ^2Please^2 change^2 your^2 name^2 in^2 Steam^2 Settings\"";

} // namespace

TEST_F(Wiring, WarningsCountOncePerBatchAndANewPlayerInTheSlotStartsWithoutAny) {
    mod().WeaponFlags.assign(kWeaponFlagCount, "0");
    mod().WeaponFlags[16] = "1";
    lines({event("J", 4, "guidB", "Bob"), event("say", 4, "guidB", "Bob", "fuck"),
           event("say", 4, "guidB", "Bob", "shit"),
           at() + "K;gv;9;allies;Zed;guidB;4;axis;Bob;ak47_mp;100;MOD_RIFLE_BULLET;head"});
    EXPECT_EQ(app->enforcement().language.LanguageWarns(4), 1);
    EXPECT_EQ(app->enforcement().weapons.warnings().count(4), 1);
    lines({event("say", 4, "guidB", "Bob", "fuck")});
    for (const int outside : {-1, SlotTable::kSlots})
        app->enforcement().resetWarnings(outside);
    EXPECT_EQ(app->enforcement().language.LanguageWarns(4), 2);
    lines({event("Q", 4, "guidB", "Bob"), event("J", 4, "guidC", "Carl")});
    EXPECT_EQ(app->enforcement().language.LanguageWarns(4), 0);
    EXPECT_EQ(app->enforcement().weapons.warnings().count(4), 0);
}

TEST_F(Wiring, AnUnknownSoldierWhoJoinsIsRemovedAndNeverEntersTheTable) {
    lines({event("J", 5, "guidU", "Unknown Soldier")});
    const SlotEntry& slot = app->slotTable()[5];
    EXPECT_EQ(slot.SlotName, "");
    EXPECT_EQ(slot.SlotDbID, "");
    EXPECT_EQ(app->players().database.FindGUIDDatabase("guidU"), 0);
    EXPECT_EQ(pumped(1100),
              (std::vector<std::string>{
                  kRemovalSent, "say ^1Removing player Unknown Soldier for invalid steam name"}));
}

TEST_F(Wiring, ARemovalNeverHitsTheNextPlayerInThatSlot) {
    lines({event("J", 5, "guidU", "Unknown Soldier"), event("Q", 5, "guidU", "Unknown Soldier"),
           event("J", 5, "guidC", "Carl")});
    EXPECT_EQ(app->slotTable()[5].SlotName, "Carl");
    for (const std::string& sent : pumped(1100))
        EXPECT_FALSE(sent.starts_with("clientkick")) << sent;
}

TEST_F(Wiring, TheSameUnknownSoldierInTwoPollsIsKickedOnce) {
    const std::vector<std::string> reply = {
        "map: mp_nuked", "num score ping guid lastmsg address qport rate team name",
        "--- ----- ---- ---------------- ------- --------------------- ----- ----- ---- ----",
        "  5     0   48 guidU Unknown Soldier 0 127.0.0.1:28960 1234 25000 1"};
    app->statusPoll().parseNames(reply);
    app->statusPoll().parseNames(reply);
    const auto sent = pumped(3000);
    EXPECT_EQ(sent.front(), kRemovalSent);
    EXPECT_EQ(std::ranges::count_if(sent, [](auto& s) { return s.starts_with("clientkick"); }), 1);
}

TEST_F(Wiring, ConsoleNamesAreRemovedOnlyWithTheirBoxTicked) {
    lines({event("J", 6, "guidX", "Pl\xBDyer")});
    EXPECT_EQ(app->slotTable()[6].SlotName, "Pl\xBDyer");
    fake.loop.advance(600); // and a status row
    app->statusPoll().Command8_Click();
    fake.net.udp("status").receive("\xFF\xFF\xFF\xFFprint\nmap: mp_nuked\nnum score ping guid "
                                   "lastmsg name\n--- ----- ---- ---- ------- ----\n8 0 50 guidZ "
                                   "Pl\xBDyer axis 0 203.0.113.1:3074 1234 25000\n");
    EXPECT_EQ(app->slotTable()[8].SlotName, "Pl\xBDyer");
    mod().KickXboxNames = 1;
    lines({event("J", 7, "guidY", "Pl\xBCyer")});
    EXPECT_EQ(app->slotTable()[7].SlotName, "");
    EXPECT_EQ(app->queue().front().displayText(),
              ";7;guidY;clientkick 7 Please change your name in Steam Settings\"");
}

TEST_F(Wiring, HealthFollowsThePlaylistAndIsRestoredAfterEveryBatch) {
    SecondChance& sc = app->enforcement().secondChance;
    EXPECT_EQ(sc.MaxHealth(), 500);
    fake.net.udp("command").receive( // the answer to the start-up playlist query
        "\xFF\xFF\xFF\xFFprint\n\"playlist\" is:\"^722^7\" default:\"^71^7\"");
    EXPECT_EQ(sc.MaxHealth(), 100);
    lines({at() + "InitGame: \\g_gametype\\tdm\\playlist\\12\\mapname\\mp_array"});
    EXPECT_EQ(sc.MaxHealth(), 30);
    EXPECT_EQ(sc.SlotHealth(3), 30);

    mod().WeaponFlags.assign(kWeaponFlagCount, "0");
    mod().WeaponFlags[kSecondChanceFlag] = "1";
    const std::string hit = "D;gv;3;allies;Vic;ga;2;axis;Ann;m16_mp;20;MOD_RIFLE_BULLET;head";
    lines({at() + hit});
    lines({at() + hit});
    EXPECT_FALSE(sc.SecondChanceFlagged(3));
    lines({"  9:00 " + hit, "  9:01 " + hit});
    EXPECT_EQ(app->queue().size(), 1u); // flagged within the batch, then cleared after it
    EXPECT_FALSE(sc.SecondChanceFlagged(3));
}

TEST_F(Wiring, WeaponListsShowTheFlagsOfTheModFile) {
    mod().WeaponFlags.assign(kWeaponFlagCount, "0");
    mod().WeaponFlags[43] = "1";
    app->settings().SaveModFile();
    App fresh(fake.ports(), AppPaths(dir.path()));
    fresh.createMainWindow();
    EXPECT_TRUE(fresh.enforcement().weaponLists.selected(43));
    EXPECT_FALSE(fresh.enforcement().weaponLists.selected(16));
}
