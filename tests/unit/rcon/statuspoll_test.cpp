#include "rconfixture.h"

#include "core/gametext.h"
#include "core/textfile.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

const std::string kHeader =
    "num score ping guid lastmsg address qport rate team name\n"
    "--- ----- ---- ---------------- ------- --------------------- ----- ----- ---- ----\n";

std::string row(int slot, const std::string& name, const std::string& guid = "") {
    const std::string g = guid.empty() ? "guid" + std::to_string(slot) : guid;
    return std::to_string(slot) + " " + std::to_string(slot * 10) + " 48 " + g + " " + name +
           " 0 127.0.0.1:28960 1234 25000 1\n";
}

class Status : public ::testing::Test, public RconFixture {
protected:
    void SetUp() override { drainStartup(); }
    void poll() { app->statusPoll().Command8_Click(); }
    void answer(const std::string& text) { statusSocket().receive(reply(text)); }
    const SlotEntry& slot(int n) { return app->slotTable()[n]; }
};

} // namespace

TEST_F(Status, PollFillsTheTableFromOneDatagram) {
    app->slotTable().OnlineCount = 5;
    poll();
    ASSERT_EQ(rconCommands(statusSocket()), (std::vector<std::string>{"teamstatus"}));
    EXPECT_TRUE(app->linkState().StatusPending);
    EXPECT_EQ(app->slotTable().OnlineCount, 0); // counted afresh from the reply
    answer("map: mp_crash\n" + kHeader + row(1, "Ann") + row(2, "Ann") + row(3, "Big Bad Wolf") +
           row(7, "Bobby") + row(7, "Bobby") + row(9, "X") + row(11, "Carl") + row(1, "Ann"));
    EXPECT_FALSE(app->linkState().StatusPending);
    EXPECT_EQ(app->linkState().CurrentMap, "mp_crash");
    EXPECT_EQ(slot(3).SlotName + "|" + slot(3).SlotGUID + "|" + slot(3).SlotScore,
              "Big Bad Wolf|guid3|30");
    // The name of the row counted just before, and a one-letter name, are skipped.
    EXPECT_EQ(slot(2).SlotName + "|" + slot(7).SlotName + "|" + slot(9).SlotName + "|" +
                  slot(11).SlotName,
              "|Bobby||Carl");
    EXPECT_EQ(app->slotTable().ShownPlayers, 4);
    EXPECT_EQ(app->statusPoll().statusSlotList(),
              (std::vector<std::string>{"1", "2", "3", "7", "11"}));
    EXPECT_NE(dir.read("Logs/Console.txt").find("] ]teamstatus\r\n"), std::string::npos);
}

TEST_F(Status, DemoClientStoresOnlyItsNameAndAllowsSending) {
    app->linkState().RconAllowed = false;
    app->slotTable()[6].SlotGroup = "Admin"; // of an admin who has left
    poll();
    // A player may call himself so too: he gets no group, not the stale one.
    answer(kHeader + row(0, "democlient", "0") + row(4, "Dora") + row(6, "democlient"));
    EXPECT_EQ(slot(0).SlotName + "|" + slot(0).SlotGUID + "|" + slot(6).SlotGroup, "democlient||");
    EXPECT_TRUE(app->linkState().RconAllowed);
    EXPECT_TRUE(app->slotTable().DemoClientPresent);
    EXPECT_EQ(app->slotTable().ShownPlayers, 2);
    app->onlinePlayers().RemovePlayerFromList("0", "democlient"); // the recording stops
    EXPECT_FALSE(app->slotTable().DemoClientPresent);
}

TEST_F(Status, APollWaitsForTheServersNameToBeFound) {
    fake.net.hosts["game.example.net"] = "192.0.2.7";
    dir.write("Data/Config.txt",
              replaceAll(dir.read("Data/Config.txt"), "127.0.0.1", "game.example.net"));
    fake.loop.advance(600); // past the last poll's send lock
    app->settings().InputConfig();
    poll();                                       // before the lookup answers
    EXPECT_FALSE(app->linkState().StatusPending); // the queue is not held meanwhile
    fake.loop.advance(525);
    EXPECT_EQ(rconCommands(statusSocket()), std::vector<std::string>{"teamstatus"});
    EXPECT_EQ(statusSocket().host, "192.0.2.7");
}

TEST(OnlineGrid, EveryChangeOfItsRowsIsTold) {
    OnlineGrid grid;
    int told = 0;
    const Connection heard = grid.changed.connect([&] { ++told; });
    grid.SetOnlineView(4);
    EXPECT_EQ(grid.row(1)->slot, 1);
    grid.setPlayer(3, "Ada", "Admin", "g3", "", "");
    grid.setGroup(3, "Member");
    EXPECT_EQ(grid.row(3)->group, "Member");
    grid.ClearSlot(3);
    EXPECT_EQ(grid.row(3)->username, "");
    grid.setPlayer(2, "Bo", "Admin", "g2", "", "");
    grid.ClearAllSlots();
    EXPECT_EQ(told, 6);
    EXPECT_EQ(grid.rows().size(), 3u);
    EXPECT_EQ(grid.row(2)->username, "");
}

TEST_F(Status, TwoDatagramReplyWithACutRowIsParsedOnceAfterTheSecond) {
    int parsedCount = 0;
    app->settings().config.MaxClients = 40;
    const Connection counted = app->slotTable().changed.connect([&] { ++parsedCount; });
    poll();
    std::string first = "map: mp_crash\n" + kHeader;
    int s = 1;
    while (first.size() < 1200)
        first += row(s, "Player" + std::to_string(s)), ++s;
    const std::string cut = row(s, "Big Bad Wolf");
    first += cut.substr(0, 22); // the row is cut inside the name
    const std::string second = cut.substr(22) + row(s + 1, "Last");
    statusSocket().receive(reply(first));
    EXPECT_EQ(parsedCount, 0);
    EXPECT_TRUE(app->linkState().StatusPending);
    fake.loop.advance(1000);
    statusSocket().receive(reply(second));
    EXPECT_EQ(parsedCount, 1);
    EXPECT_EQ(slot(s).SlotName + "|" + slot(s + 1).SlotName, "Big Bad Wolf|Last");
    EXPECT_EQ(slot(1).SlotName, "Player1");
    fake.loop.advance(2000); // the fallback does not parse again
    EXPECT_EQ(parsedCount, 1);
}

TEST_F(Status, FirstDatagramBelow1167BytesIsParsedAtOnce) {
    for (std::size_t size : {1166u, 1167u}) {
        int parsed = 0;
        const Connection counted = app->slotTable().changed.connect([&] { ++parsed; });
        fake.loop.advance(600); // past the send lock
        poll();
        std::string datagram = reply(kHeader + row(2, "Bob"));
        datagram += std::string(size - datagram.size(), ' ');
        statusSocket().receive(datagram);
        EXPECT_EQ(parsed, size == 1166u ? 1 : 0) << size;
        fake.loop.advance(2000);
    }
}

TEST_F(Status, WrongPasswordIsReportedAndEmptiesTheTable) {
    app->slotTable()[5].SlotName = "Old";
    poll();
    statusSocket().receive("\xFF\xFF\xFF\xFFprint\nInvalid password.\n");
    EXPECT_NE(dir.read("Logs/Server.txt").find("] Invalid Password\r\n"), std::string::npos);
    EXPECT_EQ(slot(5).SlotName, "");
}

TEST_F(Status, NoReplyFallsBackThenRetriesTwiceThenReportsTheTimeout) {
    app->settings().advanced.StatusPollPeriod = 0;
    app->slotTable()[5].SlotName = "Stale";
    poll();
    fake.loop.advance(1500);
    EXPECT_EQ(slot(5).SlotName, ""); // the fallback parsed the empty buffer
    fake.loop.advance(7499);
    EXPECT_EQ(rconCommands(statusSocket()).size(), 1u);
    fake.loop.advance(1); // 9 s: first retry
    EXPECT_EQ(rconCommands(statusSocket()).size(), 2u);
    fake.loop.advance(9000);
    EXPECT_EQ(rconCommands(statusSocket()).size(), 3u);
    EXPECT_EQ(dir.read("Logs/Server.txt").find("retrieving status - timeout"), std::string::npos);
    fake.loop.advance(9000);
    EXPECT_EQ(rconCommands(statusSocket()).size(), 3u);
    EXPECT_NE(
        dir.read("Logs/Server.txt").find("] RCON connection error retrieving status - timeout\r\n"),
        std::string::npos);
    EXPECT_FALSE(app->linkState().StatusPending);
    fake.loop.advance(30000);
    EXPECT_EQ(rconCommands(statusSocket()).size(), 3u); // no retries left
}

TEST_F(Status, QueueAndPollExcludeEachOther) {
    app->queue().SendSay("busy");
    poll();
    EXPECT_TRUE(rconCommands(statusSocket()).empty()); // held 525 ms while the queue has work
    fake.loop.advance(525);
    EXPECT_EQ(rconCommands(statusSocket()).size(), 1u);
    EXPECT_TRUE(sentCommands().empty()); // the pump waits for the reply
    answer(kHeader + row(2, "Bob"));
    fake.loop.advance(525);
    EXPECT_EQ(sentCommands(), (std::vector<std::string>{"say busy"}));
}

TEST_F(Status, SecondQueryWithin525MsIsSuppressedWhole) {
    poll();
    answer(kHeader + row(2, "Bob"));
    fake.loop.advance(100);
    app->statusPoll().PrepStatus();
    EXPECT_EQ(rconCommands(statusSocket()).size(), 1u);
    fake.loop.advance(2000); // no fallback parse of an empty reply empties the table
    EXPECT_EQ(slot(2).SlotName, "Bob");
    app->statusPoll().PrepStatus();
    EXPECT_EQ(rconCommands(statusSocket()).size(), 2u);
}

TEST_F(Status, ALostSecondDatagramNeitherBlocksTheQueueNorLeaksIntoTheNextPoll) {
    app->settings().config.MaxClients = 40;
    poll();
    std::string big = kHeader;
    for (int s = 1; big.size() < 1200; ++s)
        big += row(s, "Ghost" + std::to_string(s));
    statusSocket().receive(reply(big)); // the second datagram never comes
    app->queue().SendSay("waiting");
    fake.loop.advance(1500); // the fallback parses what arrived
    EXPECT_EQ(slot(1).SlotName, "Ghost1");
    EXPECT_FALSE(app->linkState().StatusPending);
    fake.loop.advance(525);
    EXPECT_EQ(sentCommands(), (std::vector<std::string>{"say waiting"}));

    poll();
    answer(kHeader + row(4, "Fresh"));
    EXPECT_EQ(slot(4).SlotName, "Fresh");
    EXPECT_EQ(slot(1).SlotName, "");
}

TEST_F(Status, SeventeenOfSeventeenWithEighteenSlots) {
    poll();
    std::string text = kHeader;
    for (int s = 1; s <= 18; ++s)
        text += row(s, "P" + std::to_string(s) + "x");
    answer(text);
    fake.loop.advance(1000);
    EXPECT_EQ(app->statusTexts().players, "17/17 Players");
    EXPECT_EQ(app->statusTexts().onlinePlayers, "Online Players: 17/17");
    EXPECT_EQ(slot(17).SlotName, "P17x"); // the last one taken
}

TEST_F(Status, PollPeriodFromAdvancedSettingsAndNeverWhenZero) {
    app->settings().advanced.StatusPollPeriod = 30;
    fake.loop.advance(29000);
    EXPECT_TRUE(rconCommands(statusSocket()).empty());
    fake.loop.advance(1000 + 525);
    EXPECT_EQ(rconCommands(statusSocket()).size(), 1u);
    answer(kHeader);
    app->settings().advanced.StatusPollPeriod = 0;
    fake.loop.advance(600000);
    EXPECT_EQ(rconCommands(statusSocket()).size(), 1u);
}

TEST_F(Status, JoinThenQuitLeavesTheSlotFree) {
    app->onlinePlayers().AddPlayertoList("guid4", "4", "Dave");
    EXPECT_EQ(std::tie(slot(4).SlotName, slot(4).SlotNumber), std::tuple("Dave", 4));
    app->slotTable()[4].SlotGreetedID = "17";
    app->onlinePlayers().RemovePlayerFromList("4", "Dave");
    EXPECT_EQ(slot(4).SlotName + "|" + slot(4).SlotGUID + "|" + std::to_string(slot(4).SlotNumber) +
                  "|" + slot(4).SlotGreetedID,
              "||19|0");
    EXPECT_TRUE(app->onlinePlayers().takeListChanged());
}
