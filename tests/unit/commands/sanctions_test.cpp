// Kick, ban, temporary ban, warning and admin check: lines, log lines, replies.

#include "commandsrig.h"

namespace corvane::testing {
namespace {

struct SanctionsTest : CommandsRig {
    void SetUp() override {
        seat({{3, "Ada"}, {5, "Pete"}, {7, "Bobby"}, {12, "Carla"}}, {{"g3", "Admin"}});
    }
    void admin(const std::string& text) { say({3, "[TAG]Ada", "g3", text}); }
};

struct SanctionCase {
    const char* typed;
    Lines queued;
    const char* logLine;
    Lines sent;
};

TEST_F(SanctionsTest, EachSanctionQueuesLogsAndSendsItsLines) {
    const SanctionCase cases[] = {
        {"!kick 7 spam",
         {";7;g7;clientkick 7 spam\"", "say ^1Kicking player: ^2Bobby ^1Reason: ^2spam"},
         "Ada kicked Bobby [Slot 7] for spam",
         {"clientkick 7 \" - ^1Reason: ^2spam\"",
          "say ^1Kicking player: ^2Bobby ^1Reason: ^2spam"}},
        {"!kick carl no camping",
         {";12;g12;clientkick 12 no camping\"",
          "say ^1Kicking player: ^2Carla ^1Reason: ^2no camping"},
         "Ada kicked Carla [Slot 12] for no camping",
         // The reason starts at the third character after the keyword: with
         // a two-digit slot that is the blank.
         {"clientkick 12 \" - ^1Reason: ^2^2 no^2 camping\"",
          "say ^1Kicking player: ^2Carla ^1Reason: ^2no camping"}},
        {"!ban 7 wallhack",
         {";7;g7;banclient 7", "say ^1Banning player: ^2Bobby ^1Reason: ^2wallhack"},
         "Ada banned Bobby [Slot 7] for wallhack",
         {"banclient 7", "say ^1Banning player: ^2Bobby ^1Reason: ^2wallhack"}},
        {"!tempban 12 spam",
         {";12;g12;tempbanclient 12 spam\"", "say ^1Temp Banning player: ^2Carla ^1Reason: ^2spam"},
         "Ada tempbanned Carla [Slot 12] for spam",
         {"tempbanclient 12 \" - ^1Reason: ^2^2 spam\"",
          "say ^1Temp Banning player: ^2Carla ^1Reason: ^2spam"}},
        {"!warn 7 language",
         {";3;g3;tell 3 ^1PM: Warn send to player",
          ";7;g7;tell 7 ^1You have been warned for: ^2language"},
         "Ada warned Bobby [Slot 7] for language",
         {"tell 3 ^1PM: Warn send to player", "tell 7 ^1You have been warned for: ^2language"}},
    };
    for (const SanctionCase& c : cases) {
        admin(c.typed);
        EXPECT_EQ(queued(), c.queued) << c.typed;
        EXPECT_EQ(activity, Lines{c.logLine});
        EXPECT_EQ(sendAll(), c.sent) << c.typed;
        activity.clear();
    }
}

TEST_F(SanctionsTest, AnEmptyArgumentDoesNothingAtAll) {
    for (const char* typed : {"!kick", "!ban", "!tempban", "!warn"})
        admin(typed);
    EXPECT_TRUE(queued().empty());
    EXPECT_TRUE(activity.empty());
}

// With nobody online at all, the speaker is not in the table either.
TEST_F(SanctionsTest, WithNobodyOnlineWarningsAndChecksAnswerInRed) {
    seat({}, {}, false);
    app->players().groups.table.GroupCommands[3] += ";KICK;WARN;ADMINCHECK";
    batch({{4, "Ghost", "g4", "!kick bob x"},
           {4, "Ghost", "g4", "!warn bob x"},
           {4, "Ghost", "g4", "!admincheck bob"}});
    const std::string ghost = ";4;g4;tell 4 ^1PM: ";
    EXPECT_EQ(queued(), (Lines{ghost + "Player not found", ghost + "^1Player not found",
                               ghost + "^1Player not found"}));
}

TEST_F(SanctionsTest, AdminCheckShowsTheStoredGroupAndMarksTheDefault) {
    admin("!admincheck  bob ");
    promote("g12", "Moderator");
    admin("!admincheck carla");
    app->settings().mod.AnnounceMode[6] = 1;
    admin("!admincheck 7");
    EXPECT_EQ(queued(), (Lines{"say ^2Bobby is in the default group: ^1Player",
                               "say ^2Carla is in the group: ^1Moderator",
                               ";3;g3;tell 3 ^1PM: ^2Bobby is in the default group: ^1Player"}));
}

TEST_F(SanctionsTest, ReasonCodesAreExpandedInEverySanction) {
    admin("!tempban bob msg2");
    admin("!kick 12 MSG1 and msg3");
    EXPECT_EQ(queued(), (Lines{";12;g12;clientkick 12 Spawn killing and Offensive language\"",
                               ";7;g7;tempbanclient 7 Team killing\"",
                               "say ^1Temp Banning player: ^2Bobby ^1Reason: ^2Team killing",
                               "say ^1Kicking player: ^2Carla ^1Reason: ^2Spawn killing and "
                               "Offensive language"}));
    EXPECT_EQ(sendAll()[1], "tempbanclient 7 \" - ^1Reason: ^2Team^2 killing\"");
    admin("!kick bob null"); // a typed "null" is a reason like any other
    admin("!kick bob null2");
    EXPECT_EQ(queued().at(0), ";7;g7;clientkick 7 null2\"");
    EXPECT_EQ(queued().at(1), ";7;g7;clientkick 7 null\"");

    // The pump expands a code in a temporary ban it sends (two digits fit).
    struct Twelve : ReasonTexts {
        std::string reason(int n) const override { return n == 12 ? "Twelve" : ""; }
    } twelve;
    EXPECT_EQ(CheckReasons("tempbanclient 3 \" - ^1Reason: ^2msg12\"", twelve),
              "tempbanclient 3 \" - ^1Reason: ^2Twelve\"");
    EXPECT_EQ(CheckReasons("tempbanuser 3 msg12", twelve), "tempbanuser 3 Twelve");
}

TEST_F(SanctionsTest, TheTargetIsWhoeverHoldsTheSlotFound) {
    seat({{3, "Ada"}, {4, "Bob"}, {9, "Bob"}}, {{"g3", "Admin"}, {"g9", "Moderator"}});
    admin("!kick 9 x");
    admin("!admincheck 9");
    EXPECT_EQ(queued().at(0), ";9;g9;clientkick 9 x\"");
    EXPECT_EQ(queued().back(), "say ^2Bob is in the group: ^1Moderator");

    admin("!setgroup 9 admin");
    auto& store = app->players().store;
    EXPECT_EQ(store.groupByGuid("g9"), "Admin");
    EXPECT_EQ(store.groupByGuid("g4"), "D");
    EXPECT_EQ(app->slotTable()[9].SlotGroup, "Admin");
    EXPECT_EQ(app->slotTable()[4].SlotGroup, "Player"); // no rights for his namesake
}

TEST_F(SanctionsTest, ASlotBeyondTheServersSlotsIsNobody) {
    seat({{1, "Uno"}, {3, "Ada"}, {10, "Tenth"}, {12, "Carla"}});
    app->settings().config.MaxClients = 10;
    // Like a name nobody has, an empty slot or no name at all.
    const char* typed[] = {"!kick 12 x", "!setgroup 12 admin", "!admincheck 12",
                           "!kick 0 x",  "!kick nobody x",     "!warn nobody x",
                           "!kick 9 x",  "!admincheck",        "!kick 51 x"};
    for (const char* text : typed)
        admin(text);
    EXPECT_EQ(queued(), Lines(std::size(typed), ";3;g3;tell 3 ^1PM: Player not found"));
    EXPECT_EQ(app->players().store.groupByGuid("g12"), "D");
    app->queue().clear();
    admin("!kick 1 x"); // the first and the last slot of the server
    admin("!kick 10 x");
    EXPECT_EQ(queued().at(0), ";10;g10;clientkick 10 x\"");
    EXPECT_EQ(queued().at(1), ";1;g1;clientkick 1 x\"");
    seat({{3, "Ada"}, {5, "Sniper100"}});
    admin("!kick 100 x"); // three digits are part of a name, never a slot
    EXPECT_EQ(queued().at(0), ";5;g5;clientkick 5 x\"");
}

TEST_F(SanctionsTest, TheAnnouncementGoesOutAfterTheKickEmptiedTheSlot) {
    admin("!kick bob bye");
    fake.loop.advance(525); // the kick
    app->logParser().ParseChat({" 2:00 Q;g7;7;Bobby"});
    EXPECT_EQ(app->slotTable()[7].SlotGUID, "");
    EXPECT_EQ(sendAll(), (Lines{"clientkick 7 \" - ^1Reason: ^2bye\"",
                                "say ^1Kicking player: ^2Bobby ^1Reason: ^2bye"}));
}

} // namespace
} // namespace corvane::testing
