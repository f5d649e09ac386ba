// The player database: who is stored, who is greeted and how, and the file
// itself (its path, its columns, replacing it while it is open).

#include "core/textfile.h"
#include "players/sqlitedb.h"
#include "playersfixture.h"

namespace corvane::testing {
namespace {

struct PlayerDatabaseTest : PlayersFixture {
    void SetUp() override { start(); }
};

TEST_F(PlayerDatabaseTest, UnknownSoldiersGuidZeroAndTheDemoClientAreNeverStored) {
    for (const std::string name : {"Unknown Soldier", "UnknownSoldier", "democlient", ""})
        p->database.CheckPlayerDB(name, "g-" + name, "4");
    p->database.CheckPlayerDB("Bob", "0", "4");
    EXPECT_EQ(p->store.count(), 0);
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(grid.row(4)->username, "");
}

TEST_F(PlayerDatabaseTest, AKnownGuidIsFoundNotAddedAgainQuotesAndAll) {
    seat(3, "O'Brien", "ab'c");
    leave(3);
    seat(5, "O'Brien \"The\" Man", "ab'c");
    EXPECT_EQ(p->store.count(), 1);
    EXPECT_EQ(slots[5].SlotDbID, "1");
    EXPECT_EQ(recordOf("ab'c")->UserName,
              "O'Brien \"The\" Man"); // the greeting stores the new name
    EXPECT_EQ(p->database.FindGUIDDatabase("ab'c"), 1);
    EXPECT_EQ(p->database.FindGUIDDatabase("' OR '1'='1"), 0);
}

TEST_F(PlayerDatabaseTest, GreetsOncePerVisitToASlotAsNewReturningOrByGroup) {
    seat(3, "Bob", "g-bob");
    EXPECT_EQ(queued(), Lines{"Say ^2Welcome ^1^7Bob ^2to Alpha"});
    EXPECT_EQ(warningsReset, std::vector<int>{3});

    p->database.CheckPlayerDB("Bob", "g-bob", "3"); // the next status poll
    EXPECT_EQ(queue.size(), 1u);

    leave(3);
    seat(3, "Alice", "g-alice");
    leave(3);
    seat(3, "Bob", "g-bob");
    leave(3);
    EXPECT_FALSE(p->store.setGroup(99, "Admin")); // no such record
    EXPECT_TRUE(p->store.setGroup(1, "Admin"));
    seat(3, "Bob", "g-bob");
    EXPECT_EQ(
        queued(),
        (Lines{"Say ^2Welcome ^1^7Bob ^2to Alpha", "Say ^2Welcome ^1^7Alice ^2to Alpha",
               "Say ^2Welcome back ^1^7Bob ^2to Alpha", "Say ^2Welcome ^1Admin ^7Bob ^2to Alpha"}));
    EXPECT_EQ(warningsReset, (std::vector<int>{3, 3, 3, 3}));
}

TEST_F(PlayerDatabaseTest, NobodyIsGreetedBeforeTheFirstBatchNorLaterInTheSameVisitNorInSlotZero) {
    firstBatchDone = false;
    seat(3, "Bob", "g-bob");
    EXPECT_EQ(p->store.count(), 1);
    firstBatchDone = true;
    p->database.CheckPlayerDB("Bob", "g-bob", "3");
    EXPECT_TRUE(warningsReset.empty());

    seat(0, "Host", "g-host"); // slot 0 is stored but never greeted nor shown
    EXPECT_EQ(slots[0].SlotDbID, "2");
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(grid.row(0), nullptr);
}

TEST_F(PlayerDatabaseTest, WelcomeNeedsTheSwitchAndTheDemoClientAndMayBePrivate) {
    settings.mod.WelcomeEnabled = 0;
    seat(3, "Bob", "g-bob");
    slots.DemoClientPresent = false;
    settings.mod.WelcomeEnabled = 1;
    seat(4, "Al", "g-al");
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(warningsReset, (std::vector<int>{3, 4})); // registered all the same

    slots.DemoClientPresent = true;
    settings.mod.AnnounceMode[0] = 1;
    seat(5, "Cat", "g-cat");
    EXPECT_EQ(queued(), Lines{"tell 5 ^2Welcome ^1^7Cat ^2to Alpha"});
}

TEST_F(PlayerDatabaseTest, ThePlayersNameCannotBreakTheWelcomeLine) {
    seat(3, "x;quit\"<server>", "g-x");
    EXPECT_EQ(queued(), Lines{"Say ^2Welcome ^1^7x:quit'<server> ^2to Alpha"});
}

TEST(WelcomeMessage, PlaceholdersAreFilledExactlyAsTyped) {
    const std::tuple<const char*, const char*, bool, const char*> cases[] = {
        {"Hi <player> on <server>!", "Member", false, "Hi Bob on Alpha!"},
        {"<Player> <group><return>", "Leader", false, "<Player> Leader"},
        {"<return> <return>x <group> end", "Member", true, "x end"},
        {"<return>", "member", false, ""}}; // exact-case group
    for (const auto& [text, group, flag, expected] : cases)
        EXPECT_EQ(welcomeMessage(text, "Bob", "Alpha", group, "Member", flag), expected) << text;
}

TEST_F(PlayerDatabaseTest, DeletingAnOnlinePlayerAddsHimAgainAsNewOnTheNextPoll) {
    seat(3, "Bob", "g-bob");
    EXPECT_EQ(describe(recordOf("g-bob")), "1|Bob|D|g-bob|2026-12-05|2026-12-05|Alpha");
    EXPECT_EQ(slots[3].SlotDbID, "1");
    EXPECT_EQ(slots[3].SlotGroup, "Player");
    const OnlineGridRow& row = *grid.row(3);
    EXPECT_EQ(row.slot, 3);
    EXPECT_EQ(row.username + "|" + row.group + "|" + row.guid + "|" + row.firstSeen + "|" +
                  row.lastSeen,
              "Bob|Player|g-bob|2026-12-05|2026-12-05");
    p->playerLog.refresh();
    p->playerLog.select(0);
    p->playerLog.deleteSelected();
    EXPECT_EQ(p->store.count(), 0);

    seat(3, "Bob", "g-bob"); // the poll that follows; numbers are never given out twice
    EXPECT_EQ(describe(recordOf("g-bob")), "2|Bob|D|g-bob|2026-12-05|2026-12-05|Alpha");
    EXPECT_EQ(queued().back(), "Say ^2Welcome ^1^7Bob ^2to Alpha");
}

TEST_F(PlayerDatabaseTest, LeavingUpdatesLastSeenAndServer) {
    seat(3, "Bob", "g-bob");
    fake.clock.setBase(LocalDateTime{2026, 12, 9, 20, 0, 0});
    settings.config.ServerName = "Beta";
    p->database.UpdateLastSeen("1");
    EXPECT_EQ(describe(recordOf("g-bob")), "1|Bob|D|g-bob|2026-12-05|2026-12-09|Beta");

    EXPECT_EQ(p->database.getFirstSeen(1), kToday);
    EXPECT_EQ(p->database.getFirstSeen(0), "");
    EXPECT_EQ(p->database.getFirstSeen(99), "");
    EXPECT_TRUE(p->store.updateLastSeen(1, "2026-12-10", "Beta"));
    EXPECT_FALSE(p->store.updateLastSeen(1, "2026-12-10", "Beta")); // nothing to change
    p->database.UpdateLastSeen("not a number");                     // ignored
    EXPECT_EQ(p->database.GetLastID(), "1");
}

TEST_F(PlayerDatabaseTest, FindingAGuidUsesItsIndex) {
    SqliteDb db;
    db.open(dir.file("Data/playerdb.mdb"));
    auto plan = db.prepare("EXPLAIN QUERY PLAN SELECT ID FROM playerdb WHERE guid = 'x'");
    ASSERT_TRUE(plan->step());
    EXPECT_NE(plan->text(3).find("playerdb_guid"), std::string::npos) << plan->text(3);
}

class PlayerDbPathTest : public PlayersFixture {};

TEST_F(PlayerDbPathTest, DataPathsLieInTheApplicationFolderWithEitherSlash) {
    const auto expected = dir.file("Data/playerdb.mdb");
    for (const char* configured :
         {"Data\\playerdb.mdb", "Data/playerdb.mdb", "", "data\\PlayerDB.MDB"}) {
        settings.advanced.PlayerDbPath = configured;
        EXPECT_EQ(p->database.databaseFile(), expected) << configured;
    }
    settings.advanced.PlayerDbPath = "data"; // the folder's name alone is in it too
    EXPECT_EQ(p->database.databaseFile(), dir.file("Data"));
    // An existing name is kept beside others that differ only in case.
    for (const std::string other : {"data", "DATA", "DAta", "dATA"}) {
        std::filesystem::create_directory(dir.file(other));
        dir.write(other + "/PlayerDB.MDB", "");
    }
    settings.advanced.PlayerDbPath = "Data\\PlayerDB.mdb";
    EXPECT_EQ(p->database.databaseFile(), expected);
    // The default the settings fall back to: the folder, "\Data\playerdb.mdb".
    settings.advanced.PlayerDbPath = settings.defaultPlayerDbPath();
    EXPECT_EQ(p->database.databaseFile().lexically_normal(), expected.lexically_normal());
    EXPECT_TRUE(p->database.LoadPlayerDatabase());
}

TEST_F(PlayerDbPathTest, NewDbThatCannotTakeTheFilesPlaceSaysSoAndLeavesNoCopy) {
    std::filesystem::create_directories(dir.file("Data/blocked/inside"));
    settings.advanced.PlayerDbPath = "Data/blocked";
    EXPECT_FALSE(p->database.newDatabase());
    EXPECT_FALSE(std::filesystem::exists(dir.file("Data/blocked.new")));
    ASSERT_FALSE(redLines.empty());
    EXPECT_EQ(redLines.front(),
              "Error creating a new database: cannot replace " + dir.file("Data/blocked").string());
}

TEST_F(PlayerDbPathTest, AMissingOrForeignFileIsReportedAndNothingBreaks) {
    settings.advanced.PlayerDbPath = "Data/missing.mdb";
    p->groups.InputAdmin();
    EXPECT_FALSE(p->database.LoadPlayerDatabase());
    EXPECT_FALSE(std::filesystem::exists(dir.file("Data/missing.mdb"))); // never created
    dir.write("Data/text.mdb",
              "this is not a database, just some text that is long enough to be read");
    settings.advanced.PlayerDbPath = "Data/text.mdb";
    EXPECT_FALSE(p->database.LoadPlayerDatabase());
    EXPECT_EQ(redLines, (Lines{"Error Loading Database!", "Error Loading Database!"}));

    seat(3, "Bob", "g-bob"); // queries fail one by one, quietly
    EXPECT_EQ(slots[3].SlotDbID, "");
    EXPECT_EQ(p->groups.CheckAdminGroup("g-bob"), "Player");
    EXPECT_EQ(redLines.size(), 2u);
}

TEST_F(PlayerDatabaseTest, NewDbReplacesTheOpenDatabaseAndKeepsWorking) {
    seat(3, "Bob", "g-bob");
    seat(4, "Cat", "g-cat");
    grid.setPlayer(5, "stale", "", "", "", "");

    fake.prompts.answers = {MessageResult::No};
    EXPECT_FALSE(p->database.newDatabase());
    EXPECT_EQ(p->store.count(), 2);

    dir.write("Data/playerdb.mdb-wal", "left by a crash"); // must not meet the new file
    EXPECT_TRUE(p->database.newDatabase());
    EXPECT_FALSE(std::filesystem::exists(dir.file("Data/playerdb.mdb-wal")));
    EXPECT_EQ(fake.prompts.asked.back().title, "New DB");
    EXPECT_TRUE(p->store.isOpen());
    EXPECT_EQ(p->store.count(), 0);
    EXPECT_EQ(p->playerLog.rowCount(), 0u);
    EXPECT_EQ(grid.row(5)->username, ""); // the grid was rebuilt
    EXPECT_FALSE(std::filesystem::exists(dir.file("Data/playerdb.mdb.new")));

    leave(3);
    seat(3, "Bob", "g-bob");
    EXPECT_EQ(recordOf("g-bob")->ID, 1);

    // Another connection sees the same, sound file.
    SqliteDb db;
    db.open(dir.file("Data/playerdb.mdb"));
    auto check = db.prepare("PRAGMA integrity_check");
    ASSERT_TRUE(check->step());
    EXPECT_EQ(check->text(0), "ok");
}

TEST_F(PlayerDatabaseTest, NewDbRefusesABrokenTemplateAndKeepsTheOldDatabase) {
    seat(3, "Bob", "g-bob");
    grid.setPlayer(5, "stale", "", "", "", "");
    dir.write("Data/new.mdb",
              "garbage that is certainly not an SQLite database file at all, not even close");
    EXPECT_FALSE(p->database.newDatabase());
    std::filesystem::remove(dir.file("Data/new.mdb"));
    EXPECT_FALSE(p->database.newDatabase());
    EXPECT_EQ(redLines.size(), 2u);
    EXPECT_TRUE(p->store.isOpen());
    EXPECT_EQ(p->database.FindGUIDDatabase("g-bob"), 1);
    EXPECT_EQ(grid.row(5)->username, "stale"); // nothing was reloaded
}

} // namespace
} // namespace corvane::testing
