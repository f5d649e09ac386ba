// Groups: the files, a player's group and level, permissions and !setgroup.

#include "core/fieldreader.h"
#include "players/groupfiles.h"
#include "playersfixture.h"

namespace corvane::testing {
namespace {

constexpr const char* kExampleLevels =
    "2\r\n[Leader]\r\nKICK\r\nBAN\r\n\r\n[Member]\r\nWARN\r\n\r\n";

TEST(LevelsFile, ItemRulesOfTheReader) {
    GroupTable t;
    // Blanks around the level, a group without commands (also on the last
    // line without a line end), commas splitting items, quotes taken off,
    // and the item after a header always a command even when it is a header.
    readLevelsFile(
        " 1 \r\n[Empty]\r\n\r\n[A]\r\nKICK, BAN\r\n\"WARN\"\r\n\r\n[B]\r\n[C]\r\nSAY\r\n[Last]", t);
    EXPECT_EQ(t.DefaultRank, 1);
    EXPECT_EQ(t.groupCount(), 4);
    EXPECT_TRUE(t.commandsOf(1).empty());
    EXPECT_EQ(t.commandsOf(2), (Lines{"KICK", "BAN", "WARN"}));
    EXPECT_EQ(writeLevelsFile(t),
              "1\r\n[Empty]\r\n\r\n[A]\r\nKICK\r\nBAN\r\nWARN\r\n\r\n[B]\r\n[C]\r\nSAY\r\n\r\n"
              "[Last]\r\n\r\n");

    GroupTable stray;
    readLevelsFile("1\r\nSAY\r\n[A]\r\nKICK\r\n", stray);
    EXPECT_EQ(stray.GroupCommands[0], ";SAY"); // before the first header: entry 0
    EXPECT_THROW(readLevelsFile("", stray), FieldReadError);
    EXPECT_THROW(readLevelsFile("two\r\n", stray), FieldReadError);
}

TEST(LevelsFile, AtMostOneHundredGroupsAndCommandsAreRead) {
    std::string text = "1\r\n";
    std::string commands;
    for (int i = 1; i <= 105; ++i) {
        text += "[G" + std::to_string(i) + "]\r\nKICK\r\n\r\n";
        commands += "C" + std::to_string(i) + "\r\n";
    }
    GroupTable t;
    readLevelsFile(text, t);
    readCommandsFile(commands, t);
    EXPECT_EQ(t.groupCount(), 100);
    EXPECT_EQ(t.GroupName[100], "G100");
    EXPECT_EQ(t.commandCount(), 100);
    EXPECT_EQ(t.CommandList[100], "C100");
}

TEST(GroupTable, NamesLevelsAndPermissionsOwnerRunsAllOthersTheirListIgnoringCase) {
    GroupTable t;
    readLevelsFile(kExampleLevels, t);
    EXPECT_EQ(writeLevelsFile(t), kExampleLevels);
    t.syncDefaultName();
    EXPECT_EQ(t.FindGroup("leader"), "Leader");
    EXPECT_EQ(t.FindGroup("0"), "Owner");
    EXPECT_EQ(t.FindGroup("OWNER"), "Owner");
    EXPECT_EQ(t.FindGroup("Gone"), "Unknown [Gone]");
    EXPECT_EQ(t.GroupNtoNum("Leader"), 1);
    EXPECT_EQ(t.GroupNtoNum("leader"), 2); // exact case only, else the default
    EXPECT_EQ(t.GroupNtoNum("Owner"), 0);
    EXPECT_EQ(t.GroupNtoNum(""), 2); // not the first unused level
    EXPECT_EQ(t.NumtoGroup("1"), "Leader");
    EXPECT_EQ(t.NumtoGroup("0"), "Owner");
    EXPECT_EQ(t.NumtoGroup("7"), "");
    EXPECT_EQ(t.NumtoGroup("101"), "");
    EXPECT_EQ(t.NumtoGroup("x"), "");
    // Level 3 has no group, so no commands; -1 and the level past the last lie outside.
    const std::tuple<int, const char*, bool> runs[] = {
        {0, "KILL", true},   {1, "kick", true},
        {1, "Ban", true},    {1, "WARN", false},
        {2, "KICK", false},  {3, "KICK", false},
        {-1, "KICK", false}, {GroupTable::kLevels, "KICK", false}};
    for (const auto& [level, command, allowed] : runs)
        EXPECT_EQ(t.mayRun(level, command), allowed) << level << " " << command;
}

struct GroupsTest : PlayersFixture {
    void SetUp() override {
        dir.write("Data/Levels.txt", kExampleLevels);
        start();
    }
};

TEST_F(GroupsTest, InputAdminLoadsBothFilesAndLoadDRankTheFirstLine) {
    EXPECT_EQ(p->groups.table.DefaultGroupName, "Member");
    EXPECT_EQ(p->groups.table.CommandList[1], "KICK"); // from Commands.txt
    EXPECT_EQ(listLoads, 1);
    EXPECT_FALSE(p->groups.loadFailed());

    dir.write("Data/Levels.txt", "1\r\n[Leader]\r\nKICK\r\n"); // reloaded with fewer groups
    p->groups.InputAdmin();
    EXPECT_EQ(p->groups.table.groupCount(), 1);
    EXPECT_EQ(p->groups.table.commandsOf(1), Lines{"KICK"});

    for (const std::string level : {"2", " 1 "}) {
        dir.write("Data/Levels.txt", level + "\r\n[Leader]\r\n");
        p->groups.LoadDRank();
        EXPECT_EQ(p->groups.table.DefaultGroupName, level == "2" ? "" : "Leader");
    }
    EXPECT_EQ(p->groups.table.DefaultRank, 1);
    std::filesystem::remove(dir.file("Data/Levels.txt"));
    p->groups.LoadDRank();
    EXPECT_EQ(p->groups.table.DefaultRank, 1);
    EXPECT_EQ(redLines, Lines{"Error opening Levels.txt!"});
}

TEST_F(GroupsTest, AnUnreadableFileStopsTheLoadAndNothingIsSavedOverIt) {
    std::filesystem::remove(dir.file("Data/Commands.txt"));
    p->groups.InputAdmin();
    EXPECT_TRUE(p->groups.loadFailed());
    EXPECT_TRUE(critical.isRaised(CriticalSource::Groups));
    EXPECT_EQ(criticalDialogs, 1);
    EXPECT_EQ(redLines, Lines{"WARNING: Error loading Files, make sure \\Data folder exists!"});
    EXPECT_EQ(p->groups.table.GroupName[2], "Member"); // what was read stays

    dir.write("Data/Levels.txt", "1\r\n[Damaged]\r\n");
    p->groups.table.GroupName[1] = "Edited";
    EXPECT_FALSE(p->groups.SaveSettings());
    p->groups.SaveGroups();
    EXPECT_EQ(dir.read("Data/Levels.txt"), "1\r\n[Damaged]\r\n");

    dir.write("Data/Commands.txt", "KICK\r\n");
    critical.raise(CriticalSource::Config);
    p->groups.InputAdmin();
    EXPECT_FALSE(p->groups.loadFailed());
    // A successful load clears its own error only.
    EXPECT_FALSE(critical.isRaised(CriticalSource::Groups));
    EXPECT_TRUE(critical.active());
    EXPECT_TRUE(p->groups.SaveSettings());
}

TEST_F(GroupsTest, StoredDPlayersFollowTheDefaultOthersKeepTheirGroup) {
    seat(3, "Bob", "g-bob");
    seat(4, "Cat", "g-cat");
    p->store.setGroup(p->store.findGuid("g-cat"), "Member");
    EXPECT_EQ(p->groups.CheckAdminGroup("g-bob"), "Member");

    p->groups.table.DefaultRank = 1;
    p->groups.SaveGroups();
    EXPECT_EQ(p->groups.table.DefaultGroupName, "Leader");
    EXPECT_EQ(p->groups.CheckAdminGroup("g-bob"), "Leader");
    EXPECT_EQ(p->groups.CheckAdminGroup("g-cat"), "Member");
    EXPECT_EQ(p->groups.CheckAdminGroup("g-nobody"), "Leader");
    p->store.setGroup(p->store.findGuid("g-cat"), "Renamed");
    EXPECT_EQ(p->groups.CheckAdminGroup("g-cat"), "Unknown [Renamed]");
    p->store.setGroup(p->store.findGuid("g-cat"), "0");
    EXPECT_EQ(p->groups.CheckAdminGroup("g-cat"), "Owner");
}

TEST_F(GroupsTest, PermissionsComeFromTheSlotTableNotTheDatabase) {
    seat(3, "Bob", "g-bob");
    slots[3].SlotGroup = "Leader";
    EXPECT_EQ(p->groups.CheckAdminGroupNODB("g-bob"), "1");
    EXPECT_TRUE(p->groups.mayRun("g-bob", "kick"));

    // Stored as Leader but not online: the default group's commands.
    seat(4, "Cat", "g-cat");
    p->store.setGroup(p->store.findGuid("g-cat"), "Leader");
    leave(4);
    EXPECT_EQ(p->groups.CheckAdminGroupNODB("g-cat"), "2");
    EXPECT_FALSE(p->groups.mayRun("g-cat", "KICK"));
    EXPECT_TRUE(p->groups.mayRun("g-cat", "warn"));

    slots[3].SlotGroup = "Unknown [Gone]";
    EXPECT_EQ(p->groups.levelOf("g-bob"), 2);
    slots[3].SlotGroup = "Owner";
    EXPECT_TRUE(p->groups.mayRun("g-bob", "KILL"));
    EXPECT_EQ(p->groups.levelOf(""), 2); // an empty slot is nobody
}

TEST_F(GroupsTest, SaveGroupListsSavesFifteenSecondsAfterTheLastEditSaveGorPAtOnce) {
    p->groups.SaveGroupLists(2, {"WARN", "SAY"});
    fake.loop.advance(10000);
    p->groups.SaveGroupLists(2, {"WARN", "SAY", "PL"});
    EXPECT_EQ(p->groups.table.GroupCommands[2], ";WARN;SAY;PL");
    fake.loop.advance(14999);
    EXPECT_EQ(dir.read("Data/Levels.txt"), kExampleLevels);
    fake.loop.advance(1);
    EXPECT_EQ(dir.read("Data/Levels.txt"),
              "2\r\n[Leader]\r\nKICK\r\nBAN\r\n\r\n[Member]\r\nWARN\r\nSAY\r\nPL\r\n\r\n");
    EXPECT_FALSE(p->groups.saveTimerActive());

    p->groups.SaveGroupLists(7, {"KICK"});                   // a level without a group
    p->groups.SaveGroupLists(0, {"KICK"});                   // the owner's list is not his to edit
    p->groups.SaveGroupLists(GroupTable::kLevels, {"KICK"}); // beyond the table
    EXPECT_EQ(p->groups.table.GroupCommands[7] + p->groups.table.GroupCommands[0], "");
    EXPECT_FALSE(p->groups.saveTimerActive());

    p->groups.saveGorP({true, true, true, false, true, true, true, true, true, false});
    EXPECT_EQ(settings.mod.AnnounceMode,
              (std::array<std::int16_t, 10>{0, 0, 0, 1, 0, 0, 0, 0, 0, 1}));
    EXPECT_NE(dir.read("Data/MOD.txt").find("0;0;0;1;0;0;0;0;0;1"), std::string::npos);
}

struct SetGroupTest : GroupsTest {
    void SetUp() override {
        GroupsTest::SetUp();
        seat(3, "ZedAlpha", "g-zed");
        seat(7, "Bobby", "g-bobby");
        asker = CommandIssuer{3, "g-zed", ""};
        queue.clear();
        grid.setPlayer(7, "Bobby", "Member", "g-bobby", kToday, kToday);
    }
    std::string stored(const std::string& guid) { return recordOf(guid)->Group; }
};

TEST_F(SetGroupTest, LevelZeroMakesHimOwner) {
    p->groups.SetGroup(asker, "bob 0");
    EXPECT_EQ(stored("g-bobby"), "0");
    EXPECT_EQ(slots[7].SlotGroup, "Owner");
    EXPECT_EQ(grid.row(7)->group, "Owner");
    EXPECT_EQ(queued(), Lines{"say ^2BOBBY was set to the group: ^1Owner"});
    EXPECT_EQ(activity.back(), "BOBBY was set to the level: Owner");
    EXPECT_EQ(playerLogMarks, 1);
    EXPECT_EQ(slots.AdminsOnline, 1);
}

TEST_F(SetGroupTest, AGroupTypedInLowerCaseMatchesItsName) {
    EXPECT_TRUE(p->groups.inDefaultGroup("g-bobby"));
    p->groups.SetGroup(asker, "bobby leader");
    EXPECT_EQ(stored("g-bobby"), "Leader");
    EXPECT_EQ(slots[7].SlotGroup, "Leader");
    EXPECT_FALSE(p->groups.inDefaultGroup("g-bobby"));
    p->groups.SetGroup(asker, "3 leader"); // record 1
    EXPECT_EQ(stored("g-zed"), "Leader");
    EXPECT_EQ(queued(), (Lines{"say ^2BOBBY was set to the group: ^1Leader",
                               "say ^2ZedAlpha was set to the group: ^1Leader"}));

    settings.mod.AnnounceMode[9] = 1;
    p->groups.SetGroup(asker, "7 member");
    EXPECT_EQ(stored("g-bobby"), "D"); // the default group is stored as "D"
    EXPECT_EQ(queued().back(),
              ";3;g-zed;tell 3 ^1PM: ^2Bobby was set to the default group: ^1Member");
}

TEST_F(SetGroupTest, AnUnknownLevelOrGroupChangesNothing) {
    p->groups.SetGroup(asker, "bob 5");
    p->groups.SetGroup(asker, "bob Admins");
    EXPECT_EQ(stored("g-bobby"), "D");
    EXPECT_EQ(slots[7].SlotGroup, "Member");
    EXPECT_EQ(playerLogMarks, 0);
    const std::string use = ";3;g-zed;tell 3 ^1PM: To setgroup use: ^2!setgroup <player> "
                            "<group name or level>",
                      groups = ";3;g-zed;tell 3 ^1PM:  ^1Groups:^2 ^2Owner, ^2Leader, ^2Member";
    EXPECT_EQ(queued(), (Lines{use, groups, use, groups}));
}

TEST_F(SetGroupTest, AMissingPlayerOrGroupIsPlayerNotFound) {
    p->groups.SetGroup(asker, "bobby");
    p->groups.SetGroup(asker, "nobody leader");
    p->groups.SetGroup(asker, "12 leader"); // an empty slot
    EXPECT_EQ(queued(), Lines(3, ";3;g-zed;tell 3 ^1PM: Player not found"));

    seat(9, "BobCat", "g-bobcat");
    queue.clear();
    p->groups.SetGroup(asker, "bob leader"); // ambiguous: only the list
    EXPECT_EQ(queued(),
              Lines{";3;g-zed;tell 3 ^1PM: ^1Multiple users found: ^2BOBBY[7], BOBCAT[9]"});
}

TEST_F(SetGroupTest, TheWindowsGroupMenuAnnouncesPubliclyOrNotAtAll) {
    // The issuer of the last chat command (slot 3) is never told.
    settings.mod.AnnounceMode[9] = 1;
    EXPECT_TRUE(p->editor.setOnlinePlayerGroup(7, 1));
    EXPECT_EQ(stored("g-bobby"), "Leader");
    EXPECT_EQ(grid.row(7)->group, "Leader");
    EXPECT_TRUE(queue.empty());
    settings.mod.AnnounceMode[9] = 0;
    EXPECT_TRUE(p->editor.setLoggedPlayerGroup(0, 0)); // ZedAlpha, record 1
    EXPECT_EQ(stored("g-zed"), "0");
    EXPECT_TRUE(p->editor.setOnlinePlayerGroup(7, 2));
    EXPECT_EQ(queued(), (Lines{"say ^2ZedAlpha was set to the group: ^1Owner",
                               "say ^2Bobby was set to the default group: ^1Member"}));
    EXPECT_FALSE(p->editor.setOnlinePlayerGroup(7, 3)); // no such group: nothing said
    EXPECT_EQ(queue.size(), 2u);
    for (const int slot : {12, 0, 51}) // an empty row, no row
        EXPECT_FALSE(p->editor.setOnlinePlayerGroup(slot, 1)) << slot;
    for (const char* target : {"Gg-unknown", "ZedAlpha"}) // neither a GUID nor a record ID
        EXPECT_FALSE(p->groups.SetGroupDatabase(target, "1", "Ghost", {}, true)) << target;
}

} // namespace
} // namespace corvane::testing
