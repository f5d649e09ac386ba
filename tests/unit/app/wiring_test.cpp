// Every event the App connects reaches its handler: cut one wire and what the
// operator would see stays away.

#include "app/app.h"
#include "fakeports.h"
#include "tempappdir.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

TEST(AppWiring, EveryWireCarriesItsEvent) {
    TempAppDir dir;
    dir.writeConfiguredServer();
    FakePorts fake;
    const auto polled = [&](App&) { return fake.net.udp("status").sent.size() == 1; };
    const auto said = [](const std::string& text) {
        return [text](App& a) {
            return a.activityLog().view().plainText().find(text) != std::string::npos;
        };
    };
    const auto listed = [](App& a) {
        return a.players().playerLog.rowCount() ==
               static_cast<std::size_t>(a.players().store.count());
    };
    // A command the owner in slot 3 types in a new batch of log lines.
    const auto typed = [](const std::string& text) {
        return [text](App& a) {
            a.slotTable()[3].SlotGUID = "G3";
            a.slotTable()[3].SlotGroup = a.players().groups.table.GroupName[0];
            a.settings().mod.RulesEnabled = 1;
            a.logParser().batchStarted.notify();
            a.logParser().commandTyped.notify(ChatLine{"", "G3", "3", "Owen", text, false, ""});
        };
    };
    const auto queued = [](App& a) { return !a.queue().empty(); };
    const struct {
        const char* name;
        std::function<void(App&)> happen;
        int waitMs; // then
        std::function<bool(App&)> seen;
    } cases[] = {
        {"a deleted record polls the status at once",
         [](App& a) { a.players().playerLog.recordDeleted.notify(); }, 0, polled},
        {"new settings poll the status at once", [](App& a) { a.UpdateAllC(); }, 0, polled},
        {"a server restart polls the status at once",
         [](App& a) { a.logFetcher().restartDetected.notify(); }, 0, polled},
        {"the log asks for a poll soon", [](App& a) { a.logParser().statusPollWanted.notify(); },
         525, polled},
        {"a new default group asks for a poll soon",
         [](App& a) { a.players().editor.defaultChanged.notify(); }, 525, polled},
        {"a reply on the command socket ends the wait for the status",
         [&](App& a) {
             a.statusPoll().Command8_Click();
             a.rcon().SendRCON("serverinfo");
             fake.net.udp("command").receive("\xFF\xFF\xFF\xFFprint\n");
         },
         9000, polled},
        {"the operator's reserved slot polls at once and is refused after the parse",
         [](App& a) {
             a.commands().reserved.requestByOperator();
             a.statusPoll().parsed.notify();
         },
         525, [&](App& a) { return polled(a) && said("Sorry no slots are available")(a); }},
        {"each log fetch saves the groups",
         [](App& a) {
             a.players().groups.table.GroupName[2] = "Wired";
             a.logFetcher().fetchDue.notify();
         },
         0, [&](App&) { return dir.read("Data/Levels.txt").find("Wired") != std::string::npos; }},
        {"a parsed status refreshes the player log", [](App& a) { a.statusPoll().parsed.notify(); },
         0, listed},
        {"a join or quit in the log refreshes the player log",
         [](App& a) { a.logParser().playersChanged.notify(); }, 0, listed},
        {"a player seen in the status enters the database",
         [](App& a) {
             a.slotTable().playerSeen.notify({"Eve", "0110000100000099", "4"});
         },
         0, [](App& a) { return a.players().store.findGuid("0110000100000099") > 0; }},
        {"a new group for a player refreshes the online list",
         [](App& a) { a.players().groups.playerGroupChanged.notify(); }, 0,
         [](App& a) { return a.onlinePlayers().takeListChanged(); }},
        {"!rules says the rules once in each batch",
         [&](App& a) {
             typed("!rules")(a);
             typed("!rules")(a);
         },
         0, [](App& a) { return a.queue().size() == 2 * 5; }},
        {"!nextmap says the next map", typed("!nextmap"), 0, queued},
        {"!map sets the next map", typed("!map nuketown"), 0, said("3 set the nextmap to Nuke")},
        {"!defaultmap resets the rotation a moment later", typed("!defaultmap"), 0,
         [](App& a) { return a.maps().rotation.delayedResetPending(); }},
        {"!skip votes to skip the map", typed("!skip"), 0, queued},
        {"the queue's pace follows the groups' reload",
         [](App& a) {
             a.settings().advanced.RconQueueInterval = 100;
             a.players().groups.loaded.notify();
             a.queue().SendSay("one");
             a.queue().SendSay("two");
         },
         250, [&](App&) { return rconCommands(fake.net.udp("command")).size() >= 2; }},
        {"the refresh delay read from the advanced file counts down",
         [](App& a) {
             a.settings().advanced.RefreshDelay = 30;
             a.settings().advancedLoaded.notify();
         },
         1000, [](App& a) { return a.statusTexts().refresh == "29 seconds until next refresh"; }},
        {"a failure a handler lets through is said", [&](App&) { fake.loop.faultHandler("boom"); },
         0, said("Unexpected error: boom")},
        {"the Messages tab opens on its Timed Messages",
         [](App& a) { a.selectTopTab(TopTab::Messages); }, 0,
         [](App& a) { return a.maps().editor.subTab() == MessageTab::TimedMessages; }},
        {"a saved message list reloads the reasons",
         [&](App& a) {
             dir.write("Data/Reasons.txt", "Wired\r\n");
             a.maps().messages.reasonsReloadRequested.notify();
         },
         0, [](App& a) { return a.commands().reasons.reason(1) == "Wired"; }},
        {"ticking Timed Messages again starts them from the first",
         [&](App& a) {
             dir.write("Data/MR.txt", "2\r\nFirst\r\nSecond\r\n");
             a.maps().messages.InputLists();
             for (const bool on : {true, false, true}) {
                 a.settings().setSwitch(Settings::Switch::TimedMessagesEnabled, on);
                 fake.loop.advance(on ? 2000 : 0);
             }
         },
         1000,
         [&](App&) {
             const auto lines = rconCommands(fake.net.udp("command"));
             return std::count(lines.begin(), lines.end(), "say First") == 2;
         }},
        {"!kill ends the program", typed("!kill"), 1000,
         [&](App&) { return fake.loop.exitCode().has_value(); }},
    };
    int guests = 0; // each App adds one to the player database
    for (const auto& c : cases) {
        App a(fake.ports(), AppPaths(dir.path()));
        a.createMainWindow();
        a.settings().mod.AutoRefreshPlayers = 1;
        a.players().database.CheckPlayerDB("Bob", "01100001000000" + std::to_string(10 + guests++),
                                           "3");
        a.maps().editor.selectSubTab(MessageTab::Rules);
        a.onlinePlayers().takeListChanged();
        a.queue().clear();
        for (const char* role : {"status", "command"})
            fake.net.udp(role).sent.clear();
        EXPECT_FALSE(c.seen(a)) << c.name << ", before";
        c.happen(a);
        fake.loop.advance(c.waitMs);
        EXPECT_TRUE(c.seen(a)) << c.name;
    }
}
