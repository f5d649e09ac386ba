// The dispatcher: permissions, aliases, argument positions and the replies.

#include "commands/commands.h"
#include "commandsrig.h"

namespace corvane::testing {
namespace {

constexpr const char* kAdmin = "Admin";
constexpr const char* kModerator = "Moderator";

// The PM texts queued for a slot, each chunk's text joined as one reply.
std::string privateReply(const std::vector<std::string>& queued, int slot) {
    const std::string prefix = ";" + std::to_string(slot) + ";g" + std::to_string(slot) + ";tell " +
                               std::to_string(slot) + " ^1PM: ";
    std::string text;
    for (const std::string& line : queued)
        if (line.rfind(prefix, 0) == 0) text += line.substr(prefix.size());
    return text;
}

class Dispatcher : public CommandsRig {
protected:
    void SetUp() override {
        seat({{2, "Owen"}, {3, "Ada"}, {5, "Pete"}, {7, "Bobby"}, {14, "Zed"}});
        promote("g2", "0");
        promote("g3", kAdmin);
        app->queue().clear();
        activity.clear();
    }
    Said owner(const std::string& text) { return {2, "Owen", "g2", text}; }
    Said admin(const std::string& text) { return {3, "Ada", "g3", text}; }
    Said player(const std::string& text) { return {5, "Pete", "g5", text}; }
};

TEST_F(Dispatcher, AWordInAnyCaseRunsWhenTheGroupListsIt) {
    say(admin("!KiCk bob spam"));
    EXPECT_EQ(queued(),
              (std::vector<std::string>{";7;g7;clientkick 7 spam\"",
                                        "say ^1Kicking player: ^2Bobby ^1Reason: ^2spam"}));
    app->queue().clear();
    say(player("!kick bob spam"));
    EXPECT_EQ(queued(), std::vector<std::string>{
                            ";5;g5;tell 5 ^1PM: ^2You do not have permission to execute: kick"});
}

TEST_F(Dispatcher, AliasesArePermittedAndRefusedAsTheirWord) {
    promote("g5", kModerator); // lists ADMINCHECK and CMD
    say(player("!checkadmin bob"));
    say(player("!cmdlist"));
    EXPECT_EQ(queued().front(), "say ^2Bobby is in the default group: ^1Player");
    EXPECT_EQ(privateReply(queued(), 5).substr(0, 25), " ^1Commands: ^2KICK, ^2TE");

    promote("g5", "Player"); // neither alias word nor ADMINCHECK
    app->queue().clear();
    say(player("!CheckAdmin bob"));
    EXPECT_EQ(privateReply(queued(), 5), "^2You do not have permission to execute: ADMINCHECK");
}

TEST_F(Dispatcher, CmdsListsTheGroupsWordsAndForTheOwnerEveryWord) {
    say(player("!cmds"));
    EXPECT_EQ(privateReply(queued(), 5), " ^1Commands: ^2RULES, ^2NEXTMAP, ^2UPTIME, ^2PL, ^2ME, "
                                         "^2GROUPS, ^2CMD, ^2SKIP");
    app->queue().clear();
    say(owner("!cmd"));
    EXPECT_EQ(privateReply(queued(), 2),
              " ^1Commands: ^2KICK, ^2BAN, ^2TEMPBAN, ^2WARN, ^2SAY, ^2RULES, ^2NEXTMAP, ^2MAP, "
              "^2DEFAULTMAP, ^2SETGROUP, ^2RESERVED, ^2RCON, ^2UPTIME, ^2PL, ^2ME, ^2GROUPS, "
              "^2CMD, ^2ADMINCHECK, ^2SKIP, ^2KILL");
}

TEST_F(Dispatcher, SayKeepsTheBlankAfterTheWordAndNeedsAText) {
    say(admin("!say hello  all"));
    say(admin("!say"));
    EXPECT_EQ(queued(), std::vector<std::string>{"say  hello  all"});
}

TEST_F(Dispatcher, ABareMarkOrAnUnknownWordIsNotFound) {
    app->players().groups.table.GroupCommands[3] += ";FOO"; // listed, but no such command
    for (const Said& s : {owner("!"), player("!"), player("!foo"), owner("!foo")}) {
        app->queue().clear();
        say(s);
        EXPECT_EQ(privateReply(queued(), s.slot), "^1That command cannot be found") << s.text;
    }
    app->queue().clear();
    say(player("!bar"));
    EXPECT_EQ(privateReply(queued(), 5), "^2You do not have permission to execute: bar");
}

TEST_F(Dispatcher, PlayerListIsInSlotOrderAndMeTellsGuidNameAndGroup) {
    say(player("!pl"));
    EXPECT_EQ(privateReply(queued(), 5),
              " ^3Owen[^22^3], ^3Ada[^23^3], ^3Pete[^25^3], ^3Bobby[^27^3], ^3Zed[^214^3]");
    app->queue().clear();
    say(admin("!me"));
    EXPECT_EQ(queued(), std::vector<std::string>{
                            ";3;g3;tell 3 ^1PM: ^3GUID: ^2g3 ^3NAME:^2 Ada ^3GROUP:^2 Admin [1]"});
    seat({{1, "Al"}}); // alone on the server, in the first slot
    say({1, "Al", "g1", "!pl"});
    EXPECT_EQ(privateReply(queued(), 1), " ^3Al[^21^3]");
}

TEST_F(Dispatcher, RconGoesOutRawUnlessItTouchesThePassword) {
    for (const char* line :
         {"rcon_password x", "RCON_PASSWORD x", " rcon_password x", "g_gravity 800;rcon_password x",
          "g_speed 190; Rcon_Password x", "set rcon_password x", "\"rcon_password\" x"}) {
        app->queue().clear();
        say(owner(std::string("!rcon ") + line));
        EXPECT_EQ(privateReply(queued(), 2), "Server password cannot be changed in-game!") << line;
        EXPECT_EQ(queued().size(), 1u) << line;
    }
    EXPECT_TRUE(changesRconPassword("g_speed 190\r\nrcon_password x"));
    app->queue().clear();
    say(owner("!rcon g_speed 190;g_gravity 800"));
    say(owner("!rcon sv_hostname \"A;B\""));
    EXPECT_EQ(queued(),
              (std::vector<std::string>{"g_speed 190;g_gravity 800", "sv_hostname \"A;B\""}));
}

TEST_F(Dispatcher, SlotZeroGetsNoPrivateReplyButPublicActionsHappen) {
    app->players().groups.table.GroupCommands[3] += ";SAY";
    say({0, "Console", "0", "!say hi"});
    say({0, "Console", "0", "!nosuch"});
    say({77, "Nobody", "g77", "!nosuch"}); // a slot no server has
    EXPECT_EQ(queued(), std::vector<std::string>{"say  hi"});
}

// The map, vote, rules and program words reach the parts that own them.
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
    std::vector<std::string> calls;
};

class DispatcherCalls : public Dispatcher {
protected:
    void run(std::initializer_list<std::string> texts) {
        for (const std::string& t : texts)
            dispatcher.AdminCheck("g2", "2", "Owen", t);
    }
    Recorder rec;
    CommandDispatcher dispatcher{app->queue(),
                                 app->slotTable(),
                                 app->players().groups,
                                 app->commands().sanctions,
                                 app->commands().reserved,
                                 rec,
                                 rec};
};

TEST_F(DispatcherCalls, MapVoteRulesAndProgramWordsReachTheirOwners) {
    run({"!nextmap", "!map  Nuke Town", "!MAP", "!defaultmap", "!skip", "!rules", "!kill",
         "!uptime"});
    EXPECT_EQ(rec.calls, (std::vector<std::string>{"nextmap", "map 2 [ Nuke Town]", "map 2 []",
                                                   "defaultmap", "skip g2", "rules 2", "end"}));
    EXPECT_EQ(queued(),
              (std::vector<std::string>{";2;g2;tell 2 ^1PM: Map reset to default rotation",
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
