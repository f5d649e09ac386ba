#include "enforcementrig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

TEST(NameCheckTests, UnknownSoldierMustBeginTheNameInExactCase) {
    const std::pair<const char*, bool> cases[] = {
        {"Unknown Soldier", true},   {"Unknown Soldier2", true}, {"Unknown Soldier (1)", true},
        {"unknown soldier", false},  {"UNKNOWN SOLDIER", false}, {" Unknown Soldier", false},
        {"xUnknown Soldier", false}, {"Unknown Soldie", false},  {"", false}};
    for (const auto& [name, invalid] : cases)
        EXPECT_EQ(isUnknownSoldier(name), invalid) << name;
    EXPECT_TRUE(hasConsoleMark("Pl\xBDyer"));
    EXPECT_TRUE(hasConsoleMark("\xBC"));
    EXPECT_FALSE(hasConsoleMark("Player 1/2"));
}

TEST(NameCheckTests, RemovalIsTiedToTheGuidAndLinedUpInOrder) {
    EnforcementRig rig;
    EXPECT_TRUE(rig.e.names.CheckBadNames("Unknown Soldier", "5", "guidU"));
    EXPECT_EQ(rig.queued(),
              (Lines{";5;guidU;clientkick 5 Please change your name in Steam Settings\"",
                     "say ^1Removing player Unknown Soldier for invalid steam name"}));
    EXPECT_EQ(rig.logged(), (Lines{"Removing player from slot 5 with invalid steam name"}));
    // Seen again (the other check, the next poll) while his removal waits: not twice.
    EXPECT_TRUE(rig.e.names.CheckBadxBox("Unknown Soldier\xBD", "5", "guidU"));
    EXPECT_TRUE(rig.e.names.CheckBadNames("Unknown Soldier", "5", "guidU"));
    EXPECT_EQ(rig.queued().size(), 2u);
    // Another player in that slot since then gets his own removal.
    EXPECT_TRUE(rig.e.names.CheckBadNames("Unknown Soldier", "5", "guidV"));
    EXPECT_EQ(rig.queued().front(),
              ";5;guidV;clientkick 5 Please change your name in Steam Settings\"");

    EXPECT_TRUE(rig.e.names.CheckBadNames("Unknown Soldier", "5", "guidU")); // his waits still
    EXPECT_FALSE(rig.e.names.CheckBadNames("Soldier", "6", "g6"));
    EXPECT_FALSE(rig.e.names.CheckBadNames("Unknown Soldier", "51", "g51"));
    EXPECT_FALSE(rig.e.names.CheckBadxBox("Pl\xBDyer", "x", "gx"));
    EXPECT_EQ(rig.queued().size(), 4u);

    rig.clear(); // slot 0 is removed like any other; names are neutralised
    EXPECT_TRUE(rig.e.names.CheckBadNames("Unknown Soldier;quit\"", "0", "g0"));
    EXPECT_EQ(rig.queued(),
              (Lines{"clientkick 0 Please change your name in Steam Settings\"",
                     "say ^1Removing player Unknown Soldier:quit' for invalid steam name"}));
    EXPECT_TRUE(rig.e.names.CheckBadNames("Unknown Soldier;quit\"", "0", "g0"));
    EXPECT_EQ(rig.queued().size(), 2u);
}
