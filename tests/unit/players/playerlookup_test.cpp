// Finding the player a command names, by slot number or part of his name.

#include "core/gametext.h"
#include "players/playerlookup.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

class PlayerLookupTest : public ::testing::Test {
protected:
    void put(int slot, const std::string& name, const std::string& guid) {
        slots[slot].SlotNumber = static_cast<std::int16_t>(slot);
        slots[slot].SlotName = name;
        slots[slot].SlotGUID = guid;
        slots.OnlineCount = static_cast<std::int16_t>(slots.OnlineCount + 1);
    }
    std::vector<std::string> queued() const {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < queue.size(); ++i)
            lines.push_back(queue.at(i).displayText());
        return lines;
    }

    SlotTable slots;
    RconQueue queue;
    PlayerLookup lookup{
        slots, queue, [](int n) { return n == 3 ? std::string("Spawn killing") : std::string(); }};
};

TEST_F(PlayerLookupTest, PartOfANameFindsThePlayerAndLeavesTheReason) {
    put(3, "ZedAlpha", "g3");
    put(7, "Bobby", "g7");
    EXPECT_EQ(lookup.FindPlayer("bob spamming"), "spamming");
    EXPECT_EQ(lookup.TargetSlot, 7);
    EXPECT_EQ(lookup.TargetName, "BOBBY");
    EXPECT_EQ(lookup.TargetDisplayName, "Bobby");
    EXPECT_EQ(lookup.lastMatch(), PlayerLookup::Match::Name);

    EXPECT_EQ(lookup.FindPlayer("  ALPHA   Camping In Spawn "), "Camping In Spawn");
    EXPECT_EQ(lookup.TargetDisplayName, "ZedAlpha");
}

TEST_F(PlayerLookupTest, AOneOrTwoDigitFirstWordIsAlwaysASlot) {
    put(7, "Bobby", "g7");
    put(12, "Team12Player", "g12");
    EXPECT_EQ(lookup.FindPlayer("7 spamming"), "spamming");
    EXPECT_EQ(lookup.TargetSlot, 7);
    EXPECT_EQ(lookup.TargetName, "Bobby"); // as the table shows it
    EXPECT_EQ(lookup.lastMatch(), PlayerLookup::Match::Slot);

    EXPECT_EQ(lookup.FindPlayer("12"), "");
    EXPECT_EQ(lookup.TargetName, "Team12Player");
    EXPECT_EQ(lookup.FindPlayer("9 afk"), "afk"); // an empty slot: no name, callers say not found
    EXPECT_EQ(lookup.TargetName, "");
    EXPECT_EQ(lookup.TargetSlot, 9);
}

TEST_F(PlayerLookupTest, SlotZeroAndNumbersBeyondTheTableAreNobody) {
    put(0, "democlient", "g0");
    put(7, "Bobby", "g7");
    for (const char* text : {"0 x", "-1 x", "99 x"}) {
        EXPECT_EQ(lookup.FindPlayer(text), "x") << text;
        EXPECT_EQ(lookup.TargetSlot, 0) << text;
        EXPECT_EQ(lookup.TargetName, "") << text;
    }
}

TEST_F(PlayerLookupTest, SeveralMatchesAreListedToTheIssuerAndNothingElseHappens) {
    queue.issuer = CommandIssuer{3, "g3", "Zed"};
    put(3, "Zed", "g3");
    put(9, "BobCat", "g9");
    put(7, "Bobby", "g7");
    EXPECT_EQ(lookup.FindPlayer("bob kick him"), PlayerLookup::kAmbiguous);
    EXPECT_EQ(lookup.TargetSlot, 0);
    EXPECT_EQ(lookup.TargetName, "");
    EXPECT_TRUE(lookup.candidates().empty());
    EXPECT_EQ(queued(), std::vector<std::string>{
                            ";3;g3;tell 3 ^1PM: ^1Multiple users found: ^2BOBBY[7], BOBCAT[9]"});
}

TEST_F(PlayerLookupTest, ShortNamesOnlyBySlotAndNobodyOnlineIsNull) {
    EXPECT_EQ(lookup.FindPlayer("al x"), PlayerLookup::kNobodyOnline);
    put(4, "Al", "g4");
    EXPECT_EQ(lookup.FindPlayer("al x"), "");
    EXPECT_EQ(lookup.TargetName, "");
    EXPECT_EQ(lookup.FindPlayer("4 x"), "x");
    EXPECT_EQ(lookup.TargetName, "Al");
}

TEST_F(PlayerLookupTest, HighSlotsAreSearchedWhateverTheOnlineCount) {
    put(1, "One", "g1");
    put(2, "Two", "g2");
    put(3, "Three", "g3");
    put(15, "Fifteen", "g15");
    slots.OnlineCount = 4;
    EXPECT_EQ(lookup.FindPlayer("fifteen bye"), "bye");
    EXPECT_EQ(lookup.TargetSlot, 15);
}

TEST_F(PlayerLookupTest, TheReasonIsCutFromTheEndByLength) {
    put(7, "Bobby", "g7");
    // "bob" also occurs in the reason: taken out before the length is counted.
    EXPECT_EQ(lookup.FindPlayer("bob stop bobbing"), "p bobbing");
    EXPECT_EQ(lookup.FindPlayer("bob"), "");
    // A bare reason is no console line yet: its placeholders wait for the pump.
    EXPECT_EQ(lookup.FindPlayer("bob MSG3"), "MSG3");
}

TEST_F(PlayerLookupTest, AnEmptyTextNamesNobody) {
    put(7, "Bobby", "g7");
    EXPECT_EQ(lookup.FindPlayer("   "), "");
    EXPECT_EQ(lookup.TargetName, "");
}

TEST_F(PlayerLookupTest, FindGuidByWholeNameIgnoringCase) {
    put(7, "Bobby", "g7");
    put(9, "bobby", "g9");
    EXPECT_EQ(lookup.FindGUID(" BOBBY "), "g7");
    EXPECT_EQ(lookup.FindGUID("Bob"), "0");
    EXPECT_EQ(lookup.FindGUID(""), "0"); // empty slots are nobody
}

TEST(RemoveCTag, ClanTagsAreCutWithinTheFirstSixCharacters) {
    EXPECT_EQ(RemoveCTag("[AB]Name"), "Name");
    EXPECT_EQ(RemoveCTag("[AB] Name"), " Name");
    EXPECT_EQ(RemoveCTag("[LONGTAG]Name"), "[LONGTAG]Name");
    EXPECT_EQ(RemoveCTag("  Plain  "), "Plain");
}

} // namespace
} // namespace corvane
