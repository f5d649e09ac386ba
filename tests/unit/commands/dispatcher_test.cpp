// The dispatcher: permissions, aliases, argument positions and the replies.

#include "commands/commands.h"
#include "commandsrig.h"

namespace corvane::testing {
namespace {

// The PM texts queued for a slot, each chunk's text joined as one reply.
std::string privateReply(const Lines& queued, int slot) {
    const std::string prefix = ";" + std::to_string(slot) + ";g" + std::to_string(slot) + ";tell " +
                               std::to_string(slot) + " ^1PM: ";
    std::string text;
    for (const std::string& line : queued)
        if (line.rfind(prefix, 0) == 0) text += line.substr(prefix.size());
    return text;
}

struct Dispatcher : CommandsRig {
    void SetUp() override {
        seat({{2, "Owen"}, {3, "Ada"}, {5, "Pete"}, {7, "Bobby"}, {14, "Zed"}},
             {{"g2", "0"}, {"g3", "Admin"}});
    }
    Said owner(const std::string& text) { return {2, "Owen", "g2", text}; }
    Said admin(const std::string& text) { return {3, "Ada", "g3", text}; }
    Said player(const std::string& text) { return {5, "Pete", "g5", text}; }
    // What one typed line queues, and the private reply it gets.
    Lines run(const Said& s) {
        app->queue().clear();
        say(s);
        return queued();
    }
    std::string pm(const Said& s) { return privateReply(run(s), s.slot); }
};

TEST_F(Dispatcher, AWordInAnyCaseRunsWhenTheGroupListsIt) {
    EXPECT_EQ(
        run(admin("!KiCk bob spam")),
        (Lines{";7;g7;clientkick 7 spam\"", "say ^1Kicking player: ^2Bobby ^1Reason: ^2spam"}));
    EXPECT_EQ(run(player("!kick bob spam")),
              Lines{";5;g5;tell 5 ^1PM: ^2You do not have permission to execute: kick"});
}

TEST_F(Dispatcher, AliasesArePermittedAndRefusedAsTheirWord) {
    promote("g5", "Moderator"); // lists ADMINCHECK and CMD
    say(player("!checkadmin bob"));
    say(player("!cmdlist"));
    EXPECT_EQ(queued().front(), "say ^2Bobby is in the default group: ^1Player");
    EXPECT_EQ(privateReply(queued(), 5).substr(0, 25), " ^1Commands: ^2KICK, ^2TE");

    promote("g5", "Player"); // neither alias word nor ADMINCHECK
    EXPECT_EQ(pm(player("!CheckAdmin bob")), "^2You do not have permission to execute: ADMINCHECK");
}

TEST_F(Dispatcher, CmdsListsTheGroupsWordsAndForTheOwnerEveryWord) {
    EXPECT_EQ(pm(player("!cmds")), " ^1Commands: ^2RULES, ^2NEXTMAP, ^2UPTIME, ^2PL, ^2ME, "
                                   "^2GROUPS, ^2CMD, ^2SKIP");
    EXPECT_EQ(pm(owner("!cmd")),
              " ^1Commands: ^2KICK, ^2BAN, ^2TEMPBAN, ^2WARN, ^2SAY, ^2RULES, ^2NEXTMAP, ^2MAP, "
              "^2DEFAULTMAP, ^2SETGROUP, ^2RESERVED, ^2RCON, ^2UPTIME, ^2PL, ^2ME, ^2GROUPS, "
              "^2CMD, ^2ADMINCHECK, ^2SKIP, ^2KILL");
}

TEST_F(Dispatcher, ABareMarkOrAnUnknownWordIsNotFound) {
    app->players().groups.table.GroupCommands[3] += ";FOO"; // listed, but no such command
    for (const Said& s : {owner("!"), player("!"), player("!foo"), owner("!foo")})
        EXPECT_EQ(pm(s), "^1That command cannot be found") << s.text;
    EXPECT_EQ(pm(player("!bar")), "^2You do not have permission to execute: bar");
}

TEST_F(Dispatcher, PlayerListIsInSlotOrderAndMeTellsGuidNameAndGroup) {
    EXPECT_EQ(pm(player("!pl")),
              " ^3Owen[^22^3], ^3Ada[^23^3], ^3Pete[^25^3], ^3Bobby[^27^3], ^3Zed[^214^3]");
    EXPECT_EQ(run(admin("!me")),
              Lines{";3;g3;tell 3 ^1PM: ^3GUID: ^2g3 ^3NAME:^2 Ada ^3GROUP:^2 Admin [1]"});
    seat({{1, "Al"}}); // alone on the server, in the first slot
    EXPECT_EQ(pm({1, "Al", "g1", "!pl"}), " ^3Al[^21^3]");
}

TEST_F(Dispatcher, RconGoesOutRawUnlessItTouchesThePassword) {
    for (const char* line :
         {"rcon_password x", "RCON_PASSWORD x", " rcon_password x", "g_gravity 800;rcon_password x",
          "g_speed 190; Rcon_Password x", "set rcon_password x", "\"rcon_password\" x"}) {
        EXPECT_EQ(pm(owner(std::string("!rcon ") + line)),
                  "Server password cannot be changed in-game!")
            << line;
        EXPECT_EQ(queued().size(), 1u) << line;
    }
    EXPECT_TRUE(changesRconPassword("g_speed 190\r\nrcon_password x"));
    run(owner("!rcon g_speed 190;g_gravity 800"));
    say(owner("!rcon sv_hostname \"A;B\""));
    EXPECT_EQ(queued(), (Lines{"g_speed 190;g_gravity 800", "sv_hostname \"A;B\""}));
}

// Slot zero gets no private reply, but public actions happen.
TEST_F(Dispatcher, SayKeepsTheBlankAfterTheWordNeedsATextAndServesSlotZero) {
    app->players().groups.table.GroupCommands[3] += ";SAY";
    say(admin("!say hello  all"));
    say(admin("!say"));
    say({0, "Console", "0", "!say hi"});
    say({0, "Console", "0", "!nosuch"});
    say({SlotTable::kSlots, "Nobody", "g51", "!nosuch"}); // the first slot no server has
    EXPECT_EQ(queued(), (Lines{"say  hello  all", "say  hi"}));
}

struct Recorder : MapCommands, CommandHost {
    void DisplayNextMap() override { calls.push_back("nextmap"); }
    void Amap(const CommandIssuer& i, const std::string& name) override {
        calls.push_back("map " + std::to_string(i.CurrentSlot) + " [" + name + "]");
    }
    void startDefaultRotation() override { calls.push_back("defaultmap"); }
    void skip(const CommandIssuer& i) override { calls.push_back("skip " + i.CurrentGUID); }
    void SendRules(const CommandIssuer& i) override {
        calls.push_back("rules " + std::to_string(i.CurrentSlot));
    }
    std::int32_t serverUptimeMinutes() const override { return 61; }
    void ENDALL() override { calls.push_back("end"); }
    void Command8_Click() override { calls.push_back("status"); }
    Lines calls;
};

TEST_F(Dispatcher, MapVoteRulesAndProgramWordsReachTheirOwners) {
    Recorder rec;
    CommandDispatcher dispatcher(app->queue(), app->slotTable(), app->players().groups,
                                 app->commands().sanctions, app->commands().reserved, rec, rec);
    for (const char* typed : {"!nextmap", "!map  Nuke Town", "!MAP", "!defaultmap", "!skip",
                              "!rules", "!kill", "!uptime"})
        dispatcher.AdminCheck("g2", "2", "Owen", typed);
    EXPECT_EQ(rec.calls, (Lines{"nextmap", "map 2 [ Nuke Town]", "map 2 []", "defaultmap",
                                "skip g2", "rules 2", "end"}));
    EXPECT_EQ(queued(), (Lines{";2;g2;tell 2 ^1PM: Map reset to default rotation",
                               "say ^2Server Uptime: 1 hour and 1 minute"}));
}

TEST_F(Dispatcher, TheAppClearsTheRulesFlagWithEachBatch) {
    batch({player("!rules"), player("!rules")});
    EXPECT_EQ(privateReply(queued(), 5), "^1That command cannot be found");
    EXPECT_TRUE(app->commands().dispatcher.rulesSent());
    say(player("!me"));
    EXPECT_FALSE(app->commands().dispatcher.rulesSent());
}

} // namespace
} // namespace corvane::testing
