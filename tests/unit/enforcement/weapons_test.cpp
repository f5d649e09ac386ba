#include "enforcement/weapontable.h"
#include "enforcementrig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

class Weapons : public ::testing::Test, public EnforcementRig {
protected:
    void kill(int attackerSlot, const std::string& weapon,
              const std::string& means = "MOD_RIFLE_BULLET") {
        e.secondChance.AlphaKill(
            combatLine('K', "1:00", 9, "Victim", attackerSlot, "Ann", weapon, "100", means));
    }
};

} // namespace

TEST(WeaponTable, RowsCoverEveryFlagButSecondChanceInListOrder) {
    std::vector<int> rowsPerFlag(kWeaponFlagCount, 0);
    int previous = 0;
    for (const WeaponRow& row : weaponRows()) {
        EXPECT_GE(row.flag, previous);
        previous = row.flag;
        ++rowsPerFlag.at(static_cast<std::size_t>(row.flag));
    }
    for (int flag = 0; flag < kWeaponFlagCount; ++flag)
        EXPECT_EQ(rowsPerFlag[static_cast<std::size_t>(flag)] == 0, flag == kSecondChanceFlag)
            << flag;

    int next = 0;
    for (const WeaponCategory& c : weaponCategories()) {
        EXPECT_EQ(c.firstFlag, next) << c.caption;
        next = c.lastFlag + 1;
    }
    EXPECT_EQ(next, kWeaponFlagCount);
    EXPECT_EQ(weaponEntryCaption(0), "MPK");
    for (const int outside : {-1, kWeaponFlagCount})
        EXPECT_EQ(weaponEntryCaption(outside), "") << outside;
}

TEST(WeaponTable, LookupNamesTheLastMatchingRestrictedRow) {
    std::vector<std::string> flags;
    struct Case {
        std::initializer_list<int> restricted;
        const char* weapon;
        const char* mod;
        const char* found;
    } cases[] = {
        {{43}, "ak47_gl_mp", "MOD_GRENADE", "Grenade Launcher"},
        {{16, 43}, "ak47_gl_mp", "MOD_GRENADE", "Grenade Launcher"},
        {{16}, "ak47_gl_mp", "MOD_GRENADE", "Ak47"},
        {{40}, "knife_ballistic_mp", "MOD_MELEE", "Ballistic Knife (Melee)"},
        {{41}, "knife_ballistic_mp", "MOD_MELEE", ""},
        {{41}, "knife_ballistic_mp", "MOD_PISTOL_BULLET", "Ballistic Knife (Projectile)"},
        {{41}, "knife_ballistic_mp", "MOD_HEAD_SHOT", "Ballistic Knife (Projectile)"},
        {{40}, "knife_ballistic_mp", "MOD_HEAD_SHOT", ""},
        {{35}, "cz75_mp", "MOD_PISTOL_BULLET", ""},
        {{35}, "CZ75_mp", "MOD_PISTOL_BULLET", "CZ75"},
        {{42}, "explosive_bolt_mp", "MOD_IMPACT", "Crossbow"},
        {{}, "ak47_gl_mp", "MOD_GRENADE", ""},
    };
    for (const Case& c : cases) {
        flags.assign(kWeaponFlagCount, "0");
        for (int f : c.restricted)
            flags[static_cast<std::size_t>(f)] = "1";
        EXPECT_EQ(restrictedItem(c.weapon, c.mod, flags), c.found) << c.weapon << " " << c.mod;
    }
    flags[16] = "yes"; // only exactly "1" restricts
    EXPECT_EQ(restrictedItem("ak47_mp", "MOD_RIFLE_BULLET", flags), "");
    EXPECT_FALSE(CheckMasterList(std::vector<std::string>(3, "1"), 16));
}

TEST_F(Weapons, WarnsThenKicksWithTheGlobalTexts) {
    restrict({43});
    for (int round = 0; round < 3; ++round) {
        batch();
        kill(3, "ak47_gl_mp");
    }
    const std::string warn =
        ";3;ga3;say ^1Warning ^2Ann, ^1Reason: ^2Grenade Launcher is not allowed! [Warning ^1";
    EXPECT_EQ(queued(),
              (Lines{";3;ga3;clientkick 3  Grenade Launcher is not allowed on this server!\"",
                     warn + "1 ^2of 2]", warn + "2 ^2of 2]",
                     "say ^1Kicking ^2Ann, ^1Reason: ^2Grenade Launcher is not allowed!"}));
    EXPECT_EQ(logged(), (Lines{"Warning Ann, for using: ^2Grenade Launcher [Warning ^11 ^2of 2]",
                               "Warning Ann, for using: ^2Grenade Launcher [Warning ^12 ^2of 2]",
                               "Kicking Ann, for using: ^2Grenade Launcher"}));
    EXPECT_EQ(e.weapons.warnings().count(3), 0);
}

TEST_F(Weapons, PrivateWarningAndHiddenKickStillKickingWithANeutralisedName) {
    restrict({16});
    mod.AnnounceMode[4] = 1;
    mod.AnnounceMode[5] = 1;
    mod.MaxWarns = 1;
    const std::string line = combatLine('K', "1:00", 9, "V", 3, "A\"nn", "ak47_mp");
    e.secondChance.AlphaKill(line);
    batch();
    e.secondChance.AlphaKill(line);
    EXPECT_EQ(queued(),
              (Lines{";3;ga3;clientkick 3  Ak47 is not allowed on this server!\"",
                     ";3;ga3;tell 3 ^2PM: ^1Warning ^2A'nn, ^1Reason: ^2Ak47 is not allowed! "
                     "[Warning ^11 ^2of 1]"}));
    mod.AnnounceMode[5] = 0;
    mod.MaxWarns = 0;
    batch();
    e.secondChance.AlphaKill(line);
    EXPECT_EQ(queued().back(), "say ^1Kicking ^2A'nn, ^1Reason: ^2Ak47 is not allowed!");
}

TEST_F(Weapons, HighSlotsCountAndSlotsOutsideTheTableOrUnreadableLinesAreLeftAlone) {
    restrict({16});
    for (int slot : {0, 3, 45, 50}) { // several uses in one batch, damage as well, count once
        kill(slot, "ak47_mp");
        kill(slot, "ak47_mp");
        e.secondChance.AlphaD(combatLine('D', "1:01", 9, "Victim", slot, "Ann", "ak47_mp", "30"));
        EXPECT_EQ(e.weapons.warnings().count(slot), 1) << slot;
    }
    clear();
    kill(51, "ak47_mp");
    kill(-1, "ak47_mp");
    e.weapons.WeaponCheck("  1:00 K;gv;9;allies;V;ga;x3;axis;Ann;ak47_mp;100;MOD_RIFLE_BULLET");
    e.weapons.WeaponCheck("  1:00 K;gv;9;allies;V;ga;3;axis;Ann;ak47_mp;100");
    EXPECT_TRUE(queued().empty());
    EXPECT_TRUE(logged().empty());
}

TEST_F(Weapons, ListsShowTheFlagsAndSetThemWhenClicked) {
    WeaponLists& lists = e.weaponLists;
    int shown = 0; // the lists tell their view after every change
    const Connection view = lists.changed.connect([&] { ++shown; });
    restrict({0, 1, 2, 3, 4, 5, 6, 7, 8, 40});
    lists.FillWeapons();
    EXPECT_TRUE(lists.selected(0) && lists.selected(8));
    EXPECT_TRUE(lists.allSelected(0));
    EXPECT_FALSE(lists.allSelected(6));

    lists.entryClicked(8, false); // the category's last entry
    EXPECT_FALSE(lists.allSelected(0));
    EXPECT_EQ(mod.WeaponFlags[8], "0");
    lists.selectAllClicked(9, true);
    EXPECT_TRUE(lists.allSelected(9));
    ASSERT_EQ(mod.WeaponFlags.size(), static_cast<std::size_t>(kWeaponFlagCount));
    EXPECT_EQ(mod.WeaponFlags[kSecondChanceFlag], "1");
    EXPECT_EQ(shown, 3);
}
