#include "core/gametext.h"
#include "enforcement/combatline.h"
#include "enforcementrig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

class SecondChanceTest : public ::testing::Test, public EnforcementRig {
protected:
    void SetUp() override {
        restrict({kSecondChanceFlag});
        e.secondChance.SetMaxHealth(22);
        e.secondChance.ClearHP();
    }
    SecondChance& sc() { return e.secondChance; }
    void hit(const std::string& at, int damage, int victim = 6,
             const std::string& weapon = "m16_mp") {
        sc().AlphaD(combatLine('D', at, victim, "Vic", 2, "Ann", weapon, std::to_string(damage)));
    }
    void killed(int victim = 6) {
        sc().AlphaKill(combatLine('K', "1:00", victim, "Vic", 2, "Ann", "m16_mp"));
    }
    void nextBatch() {
        sc().ClearHP();
        batch();
    }
    bool flagged(int slot = 6) { return sc().SecondChanceFlagged(slot); }
};

} // namespace

TEST(CombatStamp, MinutesAndSecondsBeforeTheFirstBlank) {
    const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
        {"  1:05 D", 65},       {"30000000:59", 1'800'000'059},   {"30000001:00", std::nullopt},
        {"1:60", std::nullopt}, {"99999999999:00", std::nullopt}, {"1:99999999999", std::nullopt},
        {"1:5x", std::nullopt}, {"1:2.5", std::nullopt},          {":05", std::nullopt},
        {"105", std::nullopt}};
    for (const auto& [text, seconds] : cases)
        EXPECT_EQ(stampSeconds(text), seconds) << text;
}

TEST_F(SecondChanceTest, MaxHealthFollowsThePlaylist) {
    sc().resetMaxHealth();
    EXPECT_EQ(sc().MaxHealth(), 500);
    const std::pair<int, int> cases[] = {{1, 100},  {8, 100}, {9, 30},   {17, 30}, {18, 100},
                                         {29, 100}, {30, 30}, {31, 100}, {0, 100}, {-4, 100}};
    for (const auto& [playlist, health] : cases) {
        sc().SetMaxHealth(playlist);
        EXPECT_EQ(sc().MaxHealth(), health) << playlist;
    }
}

TEST_F(SecondChanceTest, MoreDamageThanFullHealthFlagsOnTheThirdHit) {
    hit("1:00", 50);
    hit("1:01", 40);
    EXPECT_EQ(std::pair(flagged(), sc().SlotHealth(6)), std::pair(false, 10));
    hit("1:02", 30);
    EXPECT_EQ(std::pair(flagged(), sc().SlotHealth(6)), std::pair(true, 100));
    EXPECT_EQ(queued(), (Lines{";6;gv6;say ^1Warning ^2Vic, ^1Reason: ^2Second Chance is not "
                               "allowed! [Warning ^11 ^2of 2]"}));
    EXPECT_EQ(logged(), (Lines{"Warning Vic [Slot 6] for Second Chance - [Warning 1 of 2]"}));
}

TEST_F(SecondChanceTest, OnlyMoreThanFullHealthWithinFiveSecondsFlags) {
    struct Case {
        const char* what;
        int playlist;     // below zero: not known yet
        const char* hits; // "stamp=damage" or "kill", one after another
        bool flagged;
        int health;
    };
    const Case cases[] = {
        {"a kill in between", 22, "1:00=50 1:01=40 kill 1:02=30", false, 70},
        {"down to exactly zero", 22, "2:00=60 2:01=40", false, 0},
        {"five seconds apart", 22, "12:55=50 13:00=60", false, 40},
        {"four seconds across the minute", 22, "12:55=50 13:00=60 13:04=60", true, 100},
        {"the server restarted its clock", 22, "0:10=60 0:02=60", false, 40},
        {"hardcore, two hits in one second", 12, "1:00=20 1:00=20", true, 30},
        {"not known yet", -1, "2:00=250 2:01=250", false, 0},
        {"not known yet, one more", -1, "2:00=250 2:01=250 2:02=1", true, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.playlist < 0 ? sc().resetMaxHealth() : sc().SetMaxHealth(c.playlist);
        nextBatch();
        for (const std::string& h : splitAt(c.hits, " ")) {
            const std::size_t at = h.find('=');
            at == std::string::npos ? killed() : hit(h.substr(0, at), std::stoi(h.substr(at + 1)));
        }
        EXPECT_EQ(std::pair(flagged(), sc().SlotHealth(6)), std::pair(c.flagged, c.health));
    }
}

TEST_F(SecondChanceTest, WeaponAndSecondChanceOffencesShareTheCountAndTheLimit) {
    restrict({16});
    hit("1:00", 10, 6, "ak47_mp"); // Ann in slot 2: a weapon warning
    EXPECT_EQ(e.weapons.warnings().count(2), 1);
    nextBatch();
    sc().AlphaD(combatLine('D', "2:00", 2, "Ann", 9, "Zed", "m16_mp", "150"));
    EXPECT_EQ(e.weapons.warnings().count(2), 2);
    nextBatch();
    sc().AlphaKill(combatLine('K', "3:00", 9, "Zed", 2, "Ann", "ak47_mp"));
    EXPECT_EQ(logged().back(), "Kicking Ann, for using: ^2Ak47");
}

TEST_F(SecondChanceTest, TheKickLineGoesBeforeItsAnnouncement) {
    mod.MaxWarns = 0;
    hit("1:00", 150);
    EXPECT_EQ(queued(), (Lines{";6;gv6;clientkick 6 Second Chance is not allowed!\"",
                               "say ^1Auto Kicking player: ^2Vic ^1Reason: ^2Second Chance is not "
                               "allowed!"}));
    EXPECT_EQ(logged(), (Lines{"Autokicking Vic [Slot 6] for Second Chance"}));
    mod.AnnounceMode[8] = 1;
    mod.AnnounceMode[7] = 1;
    mod.MaxWarns = 1;
    clear();
    hit("1:00", 150, 45);
    EXPECT_EQ(queued(), (Lines{";45;gv45;tell 45 ^2PM: ^1Warning ^2Vic, ^1Reason: ^2Second Chance "
                               "is not allowed! [Warning ^11 ^2of 1]"}));
    nextBatch();
    hit("1:00", 150, 45);
    EXPECT_EQ(queued().front(), ";45;gv45;clientkick 45 Second Chance is not allowed!\"");
    EXPECT_EQ(queued().size(), 2u); // the kick is not announced
}

TEST_F(SecondChanceTest, NothingIsDetectedWhenSwitchedOffOrBeforeTheFirstBatch) {
    for (const char* off : {"0", "2", "yes", ""}) {
        mod.WeaponFlags[kSecondChanceFlag] = off;
        hit("1:00", 150);
        EXPECT_FALSE(flagged()) << off;
    }
    restrict({kSecondChanceFlag});
    firstBatchDone = false;
    hit("1:00", 150);
    EXPECT_EQ(std::pair(flagged(), sc().SlotHealth(6)), std::pair(false, 100));
}

TEST_F(SecondChanceTest, AnUnreadableLineIsAbandonedWithoutAnySanction) {
    restrict({16});
    mod.MaxWarns = 0;
    const std::string bad[] = {
        "  1:00 D;gv;6;allies;Vic;ga;2;axis;Ann;ak47_mp;lots;MOD_RIFLE_BULLET;head",
        "  1:00 D;gv;six;allies;Vic;ga;2;axis;Ann;ak47_mp;150;MOD_RIFLE_BULLET;head",
        "  1x00 D;gv;6;allies;Vic;ga;2;axis;Ann;ak47_mp;150;MOD_RIFLE_BULLET;head",
        "  1:00 D;gv;6;allies;Vic;ga;two;axis;Ann;ak47_mp;150;MOD_RIFLE_BULLET;head",
        "  1:00 D;gv;6;allies;Vic;ga;2;axis;Ann;ak47_mp;150",
    };
    for (const std::string& line : bad)
        sc().AlphaD(line);
    sc().AlphaKill("  1:00 K;gv;six;allies;Vic;ga;2;axis;Ann;ak47_mp;150;MOD_RIFLE_BULLET;head");
    EXPECT_TRUE(queued().empty());
    EXPECT_TRUE(logged().empty());
    EXPECT_EQ(sc().SlotHealth(6), 100);
}

TEST_F(SecondChanceTest, TheWorldAndVictimsOutsideTheTableAreNotTracked) {
    sc().AlphaD("  1:00 D;;-1;world;;;-1;world;;none;150;MOD_FALLING;none");
    sc().AlphaD(combatLine('D', "1:00", 51, "Vic", 2, "Ann", "m16_mp", "150"));
    sc().AlphaD(combatLine('D', "1:00", 6, "", 2, "Ann", "m16_mp", "150"));
    EXPECT_TRUE(queued().empty());
    hit("1:00", 60);
    sc().AlphaD("  1:01 D;gv6;6;allies;Vic;;-1;world;;none;60;MOD_FALLING;none");
    EXPECT_TRUE(flagged()); // a fall hurts like any damage
    hit("1:00", 150, 0);
    EXPECT_TRUE(flagged(0)); // slot 0 is a player's
}
