// The operator's group editing and what each change saves.

#include "playersfixture.h"

namespace corvane::testing {
namespace {

constexpr const char* kThreeGroups =
    "2\r\n[Leader]\r\nKICK\r\nBAN\r\n\r\n[Member]\r\nWARN\r\n\r\n[Guest]\r\n\r\n";

struct GroupEditorTest : PlayersFixture {
    void SetUp() override {
        dir.write("Data/Levels.txt", kThreeGroups);
        start();
    }
    GroupTable& t() { return p->groups.table; }
    std::string levels() { return dir.read("Data/Levels.txt"); }
};

TEST_F(GroupEditorTest, NewGroupTakesTheNextLevelUpToTen) {
    fake.prompts.inputs = {"  Veteran "};
    EXPECT_TRUE(p->editor.newGroup());
    EXPECT_EQ(p->editor.groupMenuEntries(),
              (Lines{"Owner", "Leader", "Member", "Guest", "Veteran"}));
    EXPECT_EQ(p->editor.selectedLevel(), 4);
    EXPECT_EQ(levels(), std::string(kThreeGroups) + "[Veteran]\r\n\r\n");

    fake.prompts.inputs = {""};
    EXPECT_FALSE(p->editor.newGroup()); // cancelled
    fake.prompts.inputs = {"A,B"};
    EXPECT_FALSE(p->editor.newGroup()); // would split in the file
    ASSERT_EQ(fake.prompts.asked.size(), 1u);
    EXPECT_EQ(fake.prompts.asked[0].text, "A group name cannot contain a comma.");
    EXPECT_EQ(t().groupCount(), 4);

    for (int i = 5; i <= 10; ++i) {
        fake.prompts.inputs = {"G" + std::to_string(i)};
        ASSERT_TRUE(p->editor.newGroup());
    }
    EXPECT_FALSE(p->editor.newGroup());
    EXPECT_EQ(fake.prompts.asked.back().title, "New Group");
    EXPECT_EQ(fake.prompts.asked.back().text, "Too many groups, max is 10!");
    EXPECT_EQ(t().groupCount(), 10);
}

TEST_F(GroupEditorTest, TheDefaultGroupCannotBeDeletedOthersMoveUpBehindTheDefault) {
    EXPECT_FALSE(p->editor.deleteGroup(2));
    EXPECT_EQ(fake.prompts.asked.back().text, "Sorry you cannot delete the default group!");

    fake.prompts.answers = {MessageResult::No};
    EXPECT_FALSE(p->editor.deleteGroup(1));
    EXPECT_EQ(t().groupCount(), 3);

    p->editor.selectGroup(3);
    EXPECT_TRUE(p->editor.deleteGroup(1));
    EXPECT_EQ(p->editor.selectedLevel(), 1); // the group that moved into its place
    EXPECT_EQ(t().GroupName[1], "Member");
    EXPECT_EQ(t().commandsOf(1), Lines{"WARN"});
    EXPECT_EQ(t().GroupName[2], "Guest");
    EXPECT_EQ(t().GroupName[3], "");
    EXPECT_EQ(t().DefaultRank, 1);
    EXPECT_EQ(t().DefaultGroupName, "Member");
    EXPECT_EQ(levels(), "1\r\n[Member]\r\nWARN\r\n\r\n[Guest]\r\n\r\n");
}

TEST_F(GroupEditorTest, RenameKeepsTheDefaultNameInStep) {
    fake.prompts.inputs = {"Members"};
    EXPECT_TRUE(p->editor.renameGroup(2));
    EXPECT_EQ(fake.prompts.inputPrompts.back(),
              "Rename Group: Enter the new name for the group: Member");
    EXPECT_EQ(t().DefaultGroupName, "Members");
    EXPECT_NE(levels().find("[Members]"), std::string::npos);
    fake.prompts.inputs = {""};
    EXPECT_FALSE(p->editor.renameGroup(2));
    EXPECT_FALSE(p->editor.renameGroupTo(1, "Lead,er"));
    EXPECT_EQ(t().GroupName[1], "Leader");
}

TEST_F(GroupEditorTest, MovingSwapsNeighboursAndTheDefaultFollowsItsGroup) {
    for (const int none : {0, 4}) {
        p->editor.selectGroup(none);
        EXPECT_EQ(p->editor.selectedLevel(), std::nullopt) << none;
    }
    p->editor.selectGroup(2);
    EXPECT_TRUE(p->editor.moveUp(2));
    EXPECT_EQ(t().GroupName[1], "Member");
    EXPECT_EQ(t().GroupName[2], "Leader");
    EXPECT_EQ(t().commandsOf(2), (Lines{"KICK", "BAN"}));
    EXPECT_EQ(t().DefaultRank, 1);
    EXPECT_EQ(p->editor.selectedLevel(), 1);
    EXPECT_EQ(levels(),
              "1\r\n[Member]\r\nWARN\r\n\r\n[Leader]\r\nKICK\r\nBAN\r\n\r\n[Guest]\r\n\r\n");

    EXPECT_FALSE(p->editor.moveUp(1));
    EXPECT_FALSE(p->editor.moveDown(3));
    EXPECT_TRUE(p->editor.moveDown(1));
    EXPECT_EQ(t().DefaultRank, 2);
    EXPECT_EQ(t().DefaultGroupName, "Member");
}

TEST_F(GroupEditorTest, ChangingTheDefaultAsksSavesAndRefreshesThePlayers) {
    seat(3, "Bob", "g-bob");
    fake.prompts.answers = {MessageResult::No};
    EXPECT_FALSE(p->editor.changeDefault(1));
    EXPECT_FALSE(p->editor.changeDefault(2)); // already the default: not even asked
    EXPECT_EQ(fake.prompts.asked.size(), 1u);
    EXPECT_EQ(fake.prompts.asked.back().title, "Change Default Group to Leader");

    EXPECT_TRUE(p->editor.changeDefault(1));
    EXPECT_EQ(t().DefaultGroupName, "Leader");
    EXPECT_EQ(levels().substr(0, 3), "1\r\n");
    EXPECT_EQ(p->playerLog.row(0).record.Group, "Leader");
    EXPECT_EQ(delayedStatusPolls, 1);
}

TEST_F(GroupEditorTest, CommandListEditsAreSavedFifteenSecondsLaterAndListsCopied) {
    EXPECT_TRUE(p->editor.addCommand(3, "SAY"));
    EXPECT_FALSE(p->editor.addCommand(3, "SAY")); // already granted
    EXPECT_FALSE(p->editor.addCommand(3, ""));
    EXPECT_FALSE(p->editor.addCommand(4, "SAY")); // no such group
    EXPECT_TRUE(p->editor.addCommand(3, "PL"));
    EXPECT_TRUE(p->editor.removeCommand(3, "SAY"));
    EXPECT_FALSE(p->editor.removeCommand(3, "KICK"));
    EXPECT_EQ(p->editor.commandsOf(3), Lines{"PL"});
    EXPECT_EQ(levels(), kThreeGroups);
    fake.loop.advance(Groups::kSaveDelayMs);
    EXPECT_NE(levels().find("[Guest]\r\nPL\r\n\r\n"), std::string::npos);

    EXPECT_TRUE(p->editor.grantAll(3));
    EXPECT_EQ(p->editor.commandsOf(3).size(), 20u);
    EXPECT_EQ(p->editor.commandsOf(3).front(), "PL");

    fake.prompts.answers = {MessageResult::No};
    EXPECT_FALSE(p->editor.clearCommands(3));
    EXPECT_FALSE(p->editor.clearCommands(9)); // no such group: nothing asked
    EXPECT_TRUE(p->editor.clearCommands(3));
    EXPECT_EQ(fake.prompts.asked.back().title, "Clear All Commands");
    EXPECT_TRUE(p->editor.commandsOf(3).empty());
    EXPECT_TRUE(p->editor.grantAll(3)); // an empty list takes every offered word, in order
    EXPECT_EQ(p->editor.commandsOf(3), p->editor.availableCommands());

    EXPECT_FALSE(p->editor.pasteList(3)); // nothing copied yet
    p->editor.copyList(1);
    EXPECT_TRUE(p->editor.pasteList(3));
    EXPECT_EQ(p->editor.commandsOf(3), (Lines{"KICK", "BAN"}));
    EXPECT_FALSE(p->editor.pasteList(4)); // no such group
}

} // namespace
} // namespace corvane::testing
