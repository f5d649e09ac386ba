// Finding the player a command names, by slot number or part of his name.

#include "core/gametext.h"
#include "players/playerlookup.h"
#include "queuedlines.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct PlayerLookupTest : ::testing::Test, ReasonTexts {
    void put(int slot, const std::string& name, const std::string& guid) {
        slots[slot].SlotNumber = static_cast<std::int16_t>(slot);
        slots[slot].SlotName = name;
        slots[slot].SlotGUID = guid;
        slots.OnlineCount = static_cast<std::int16_t>(slots.OnlineCount + 1);
    }
    std::vector<std::string> queued() const { return testing::queuedLines(queue); }
    std::string reason(int n) const override { return n == 3 ? "Spawn killing" : ""; }
    PlayerMatch find(std::string_view text) { return lookup.FindPlayer(issuer, text); }

    SlotTable slots;
    RconQueue queue;
    CommandIssuer issuer{3, "g3", "Zed"};
    PlayerLookup lookup{slots, queue, *this};
};

// What a match says, in one line: kind, slot, name, display name | rest.
std::string said(const PlayerMatch& m) {
    static const char* kinds[] = {"nobody online", "none", "slot", "name", "ambiguous"};
    return std::string(kinds[static_cast<int>(m.kind)]) + " " + std::to_string(m.slot) + " " +
           m.name + "/" + m.displayName + " | " + m.rest;
}

TEST_F(PlayerLookupTest, SlotNumbersAndPartsOfNamesFindThePlayerAndLeaveTheReason) {
    EXPECT_EQ(said(find("al x")), "nobody online 0 / | ");
    put(3, "ZedAlpha", "g3");
    put(4, "Jo", "g4");
    put(7, "Bobby", "g7");
    put(12, "Team12Player", "g12");
    put(15, "Fifteen", "g15");
    slots.OnlineCount = 2; // high slots are searched whatever the count
    const std::pair<const char*, const char*> cases[] = {
        {"bob spamming", "name 7 BOBBY/Bobby | spamming"},
        {"  ALPHA   Camping In Spawn ", "name 3 ZEDALPHA/ZedAlpha | Camping In Spawn"},
        {"fifteen bye", "name 15 FIFTEEN/Fifteen | bye"},
        // A one or two digit first word is always a slot, named as the table shows it.
        {"7 spamming", "slot 7 Bobby/Bobby | spamming"},
        {"12", "slot 12 Team12Player/Team12Player | "},
        {"9 afk", "slot 9 / | afk"}, // an empty slot: callers say not found
        // Slot 0 and numbers beyond the table are nobody.
        {"0 x", "slot 0 / | x"},
        {"-1 x", "slot 0 / | x"},
        {"99 x", "slot 0 / | x"},
        // Short names only by slot; an empty text names nobody.
        {"jo x", "none 0 / | "},
        {"4 x", "slot 4 Jo/Jo | x"},
        {"   ", "none 0 / | "},
        // The reason is cut from the end by length: "bob" in it is taken out first.
        {"bob stop bobbing", "name 7 BOBBY/Bobby | p bobbing"},
        {"bob", "name 7 BOBBY/Bobby | "},
        // A bare reason is no console line yet: its placeholders wait for the pump.
        {"bob MSG3", "name 7 BOBBY/Bobby | MSG3"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(said(find(text)), expected) << text;
    EXPECT_TRUE(queue.empty());
}

TEST_F(PlayerLookupTest, SeveralMatchesAreListedToTheIssuerAndNothingElseHappens) {
    put(3, "Zed", "g3");
    put(9, "BobCat", "g9");
    put(7, "Bobby", "g7");
    EXPECT_EQ(said(find("bob kick him")), "ambiguous 0 / | ");
    EXPECT_EQ(queued(), std::vector<std::string>{
                            ";3;g3;tell 3 ^1PM: ^1Multiple users found: ^2BOBBY[7], BOBCAT[9]"});
}

TEST_F(PlayerLookupTest, FindGuidByWholeNameIgnoringCase) {
    put(7, "Bobby", "g7");
    put(9, "bobby", "g9");
    EXPECT_EQ(lookup.FindGUID(" BOBBY "), "g7");
    EXPECT_EQ(lookup.FindGUID("Bob"), "0");
    EXPECT_EQ(lookup.FindGUID(""), "0"); // empty slots are nobody
}

} // namespace
} // namespace corvane
