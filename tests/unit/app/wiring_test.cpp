// Every event the App connects reaches its handler: cut one wire and what the
// operator would see stays away.

#include "app/app.h"
#include "fakeports.h"
#include "tempappdir.h"

#include <functional>
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

TEST(AppWiring, EveryWireCarriesItsEvent) {
    TempAppDir dir;
    dir.writeConfiguredServer();
    FakePorts fake;
    const auto polled = [&](App&) { return !fake.net.udp("status").sent.empty(); };
    const auto listed = [](App& a) {
        return a.players().playerLog.rowCount() ==
               static_cast<std::size_t>(a.players().store.count());
    };
    const auto queued = [](App& a) { return !a.queue().empty(); };
    const struct {
        const char* name;
        std::function<void(App&)> happen;
        std::function<bool(App&)> seen;
    } cases[] = {
        {"a deleted record polls the status at once",
         [](App& a) { a.players().playerLog.recordDeleted.notify(); }, polled},
        {"a server restart polls the status at once",
         [](App& a) { a.logFetcher().restartDetected.notify(); }, polled},
        {"the log asks for a poll soon",
         [&](App& a) {
             a.logParser().statusPollWanted.notify();
             fake.loop.advance(525);
         },
         polled},
        {"a new default group asks for a poll soon",
         [&](App& a) {
             a.players().editor.defaultChanged.notify();
             fake.loop.advance(525);
         },
         polled},
        {"each log fetch saves the groups",
         [](App& a) {
             a.players().groups.table.GroupName[2] = "Wired";
             a.logFetcher().fetchDue.notify();
         },
         [&](App&) { return dir.read("Data/Levels.txt").find("Wired") != std::string::npos; }},
        {"a parsed status refreshes the player log", [](App& a) { a.statusPoll().parsed.notify(); },
         listed},
        {"a join or quit in the log refreshes the player log",
         [](App& a) { a.logParser().playersChanged.notify(); }, listed},
        {"RULES typed by the operator says the rules",
         [](App& a) { a.rcon().rulesRequested.notify(); }, queued},
        {"the Messages tab opens on its Timed Messages",
         [](App& a) { a.selectTopTab(TopTab::Messages); },
         [](App& a) { return a.maps().editor.subTab() == MessageTab::TimedMessages; }},
        {"a saved message list reloads the reasons",
         [&](App& a) {
             dir.write("Data/Reasons.txt", "Wired\r\n");
             a.maps().messages.reasonsReloadRequested.notify();
         },
         [](App& a) { return a.commands().reasons.reason(1) == "Wired"; }},
    };
    int guests = 0; // each App adds one to the player database
    for (const auto& c : cases) {
        App a(fake.ports(), AppPaths(dir.path()));
        a.createMainWindow();
        a.settings().mod.AutoRefreshPlayers = 1;
        a.players().database.CheckPlayerDB("Bob", "01100001000000" + std::to_string(10 + guests++),
                                           "3");
        a.maps().editor.selectSubTab(MessageTab::Rules);
        a.queue().clear();
        fake.net.udp("status").sent.clear();
        EXPECT_FALSE(c.seen(a)) << c.name << ", before";
        c.happen(a);
        EXPECT_TRUE(c.seen(a)) << c.name;
    }
}
