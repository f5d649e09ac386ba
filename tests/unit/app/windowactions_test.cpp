// The operator window's pop-up menus, the admin action dialog and the log
// viewer, as the App carries them out.

#include "rconfixture.h"
#include "core/textfile.h"
#include "queuedlines.h"
#include "seatplayer.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

class WindowActionsTest : public ::testing::Test, public RconFixture {
protected:
    void SetUp() override {
        seatPlayer(*app, 3, "Bobby", "g-bobby");
        seatPlayer(*app, 7, "Zed;quit", "g-zed");
        seatPlayer(*app, 9, "Carl", "g-carl");
        leave(9); // Carl is in the database but offline
        app->players().playerLog.refresh();
        app->queue().clear();
    }

    void leave(int slot) {
        app->slotTable()[slot] = SlotEntry{};
        app->onlineGrid().ClearSlot(slot);
    }
    std::vector<std::string> queued() const { return queuedLines(app->queue()); }
    std::string lastLogLine() {
        const auto lines = splitLines(dir.read("Logs/Server.txt"));
        return lines.back().substr(lines.back().find("] ") + 2);
    }
    std::int32_t idOf(const std::string& name) {
        return app->players().playerLog.row(rowOf(name)).record.ID;
    }
    std::size_t rowOf(const std::string& name) {
        PlayerLog& log = app->players().playerLog;
        for (std::size_t i = 0; i < log.rowCount(); ++i)
            if (log.row(i).record.UserName == name) return i;
        return log.rowCount();
    }
};

TEST_F(WindowActionsTest, TheFourDialogsQueueAndLogTheirLines) {
    struct Case {
        AdminActionKind kind;
        std::string reason, title, doing, line, logged;
    };
    const Case cases[] = {
        {AdminActionKind::Warn, "spam", "Warn", "warning",
         "tell 3 ^1PM: You have been warned by an admin for: ^2spam", "warned for spam"},
        {AdminActionKind::Warn, "", "Warn", "warning",
         "tell 3 ^1PM: You have been warned by an admin!", "warned"},
        {AdminActionKind::Kick, "camping", "Kick", "kicking", "clientkick 3 camping\"",
         "kicked for camping"},
        {AdminActionKind::Kick, "   ", "Kick", "kicking", "clientkick 3", "kicked"},
        {AdminActionKind::TempBan, "MSG2", "Tempban", "tempbanning", "tempbanclient 3 MSG2\"",
         "tempbanned for MSG2"},
        {AdminActionKind::Ban, "ignored", "Ban", "", "banclient 3", "banned"},
    };
    for (const Case& c : cases) {
        app->queue().clear();
        auto dialog = app->adminActionOnSlot(c.kind, 3);
        ASSERT_TRUE(dialog);
        const bool ban = c.kind == AdminActionKind::Ban;
        EXPECT_EQ(dialog->title(), c.title + " Player: Bobby");
        EXPECT_EQ(dialog->prompt(),
                  ban ? "Are you sure you want to ban this player?"
                      : "Select or enter an optional reason for " + c.doing + " player: Bobby");
        EXPECT_EQ(dialog->offersReasons(), !ban);
        EXPECT_EQ(dialog->okCaption(), ban ? "Yes" : "OK");
        EXPECT_EQ(dialog->cancelCaption(), ban ? "No" : "Cancel");
        dialog->ok(c.reason);
        EXPECT_EQ(queued(), std::vector<std::string>{";3;g-bobby;" + c.line}) << c.title;
        EXPECT_EQ(lastLogLine(), "Player: Bobby was " + c.logged);
    }
    // "No Reason" is the same as an empty reason.
    app->queue().clear();
    app->adminActionOnSlot(AdminActionKind::TempBan, 3)->noReason();
    EXPECT_EQ(queued(), std::vector<std::string>{";3;g-bobby;tempbanclient 3"});
}

TEST_F(WindowActionsTest, ATypedReasonCannotEndTheConsoleLine) {
    app->adminActionOnSlot(AdminActionKind::Kick, 7)->ok("bye\"; quit;rcon_password x");
    EXPECT_EQ(queued(),
              std::vector<std::string>{";7;g-zed;clientkick 7 bye': quit:rcon_password x\""});
    EXPECT_EQ(lastLogLine(), "Player: Zed;quit was kicked for bye': quit:rcon_password x");
}

TEST_F(WindowActionsTest, AKickConfirmedAfterThePlayerLeftSparesWhoeverTookTheSlot) {
    auto dialog = app->adminActionOnSlot(AdminActionKind::Kick, 3);
    ASSERT_TRUE(dialog);
    leave(3);
    seatPlayer(*app, 3, "Newcomer", "g-new");
    dialog->ok("spam");
    ASSERT_EQ(app->queue().size(), 1u);
    EXPECT_EQ(app->queue().at(0).guid, "g-bobby");
    fake.loop.advance(1100); // the pump's ticks
    EXPECT_TRUE(app->queue().empty());
    for (const std::string& line : sentCommands())
        EXPECT_EQ(line.find("clientkick"), std::string::npos) << line;
}

TEST_F(WindowActionsTest, ActionsGoToTheSlotOfAPlayerOnlineAndNoDialogOpensOverAnEmptySlot) {
    EXPECT_FALSE(app->adminActionOnSlot(AdminActionKind::Kick, 5));
    EXPECT_FALSE(app->adminActionOnSlot(AdminActionKind::Kick, 40)); // no such row
    auto dialog = app->adminActionOnRecord(AdminActionKind::Warn, idOf("Zed;quit"));
    ASSERT_TRUE(dialog);
    EXPECT_EQ(std::tuple(dialog->slot(), dialog->guid()), std::tuple(7, "g-zed"));
    EXPECT_FALSE(app->adminActionOnRecord(AdminActionKind::Warn, idOf("Carl")));
    EXPECT_FALSE(app->adminActionOnRecord(AdminActionKind::Warn, 99));

    // Slot 0 and slots beyond the server's MaxClients (18) are not players of the server.
    seatPlayer(*app, 19, "Beyond", "g-beyond");
    seatPlayer(*app, 0, "Zero", "g-zero");
    app->players().playerLog.refresh();
    for (const char* name : {"Beyond", "Zero"})
        EXPECT_FALSE(app->slotOfRecord(idOf(name))) << name;
}

TEST_F(WindowActionsTest, PopUpMenusShowWhatTheRowAllows) {
    app->players().editor.setOnlinePlayerGroup(3, 1);
    const auto online = app->onlinePlayerMenu(3);
    ASSERT_TRUE(online);
    ASSERT_GE(online->groups.size(), 2u);
    EXPECT_EQ(online->groups[0], "Owner");
    EXPECT_EQ(online->checkedGroup, 1u);
    EXPECT_TRUE(online->showSanctions);
    EXPECT_FALSE(online->showDelete);
    EXPECT_FALSE(app->onlinePlayerMenu(5)); // an empty row opens no menu
    app->onlineGrid().setGroup(3, "Unknown [Gone]");
    EXPECT_FALSE(app->onlinePlayerMenu(3)->checkedGroup);

    const auto offline = app->loggedPlayerMenu(rowOf("Carl"));
    ASSERT_TRUE(offline);
    EXPECT_TRUE(offline->showDelete);
    EXPECT_FALSE(offline->showSanctions);
    EXPECT_EQ(offline->groups[*offline->checkedGroup],
              app->players().groups.table.DefaultGroupName);
    EXPECT_TRUE(app->loggedPlayerMenu(rowOf("Bobby"))->showSanctions);
    EXPECT_FALSE(app->loggedPlayerMenu(99));
}

TEST_F(WindowActionsTest, TheDialogOffersEveryNonEmptyReasonInFileOrder) {
    dir.write("Data/Reasons.txt", "Spam\r\n\r\n\"Camping, all round\"\r\nTeam killing\r\n  \r\n");
    EXPECT_EQ(app->adminActionReasons(),
              (std::vector<std::string>{"Spam", "Camping, all round", "Team killing"}));
    std::filesystem::remove(dir.file("Data/Reasons.txt"));
    EXPECT_TRUE(app->adminActionReasons().empty());
}

TEST_F(WindowActionsTest, TheLogViewerShowsEachFileAndKeepsItsMode) {
    LogViewer& viewer = app->logViewer();
    EXPECT_EQ(viewer.view().plainText(), "-In Game Chat-");
    EXPECT_TRUE(viewer.view().runs()[0].bold);

    dir.write("Logs/ChatArchive.txt", "[x] Bob: hi\r\n");
    viewer.LoadA();
    EXPECT_EQ(viewer.mode(), ViewerMode::ChatArchive);
    EXPECT_EQ(viewer.view().plainText(), "[x] Bob: hi\r\n");
    std::filesystem::remove(dir.file("Logs/ChatArchive.txt"));
    viewer.Update(); // a missing archive leaves the view as it was
    EXPECT_EQ(viewer.view().plainText(), "[x] Bob: hi\r\n");

    std::filesystem::remove(dir.file("Logs/Server.txt"));
    viewer.LoadS(); // emptied first
    EXPECT_EQ(viewer.mode(), ViewerMode::ServerLog);
    EXPECT_EQ(viewer.view().plainText(), "");
    app->activityLog().SMS("Later line");
    viewer.Update();
    EXPECT_NE(viewer.view().plainText().find("Later line"), std::string::npos);

    // "View Chat Log" saves the chat view first; "Update" reads the file as it is.
    app->chatLog().view().append("\r\nBob: hello", kBlack);
    viewer.LoadR();
    EXPECT_EQ(viewer.mode(), ViewerMode::ChatLog);
    EXPECT_NE(viewer.view().plainText().find("Bob: hello"), std::string::npos);
    EXPECT_EQ(viewer.view().plainText().find("Later line"), std::string::npos);
    app->chatLog().view().append("\r\nBob: again", kBlack);
    viewer.Update();
    EXPECT_EQ(viewer.view().plainText().find("Bob: again"), std::string::npos);

    viewer.LoadC();
    EXPECT_EQ(viewer.mode(), ViewerMode::ConsoleLog);
}

TEST_F(WindowActionsTest, AHugeLogShowsOnlyItsNewest4MiBFromAWholeLine) {
    constexpr std::size_t kShown = 4 * 1024 * 1024;
    std::string big;
    for (int i = 0; big.size() <= kShown + 10000; ++i)
        big += "line " + std::to_string(i) + " of the console\r\n";
    big += "the newest line\r\n";
    dir.write("Logs/Console.txt", big);
    app->logViewer().LoadC();
    const std::string shown = app->logViewer().view().plainText();
    // The notice line takes the place of the partial line cut off.
    EXPECT_LE(shown.size(), kShown + 50);
    EXPECT_GE(shown.size(), kShown - 50);
    EXPECT_EQ(shown.rfind("... (the older part of Console.txt is not shown)\r\nline ", 0), 0u);
    EXPECT_EQ(shown.substr(shown.size() - 17), "the newest line\r\n");
}

TEST_F(WindowActionsTest, WebPagesOpenUnderTheSiteAndNotWithoutOne) {
    app->settings().advanced.WebsiteURL = "http://corvane.example.net";
    for (const WebPage page : {WebPage::Beta, WebPage::Donate})
        app->openWebPage(page);
    app->settings().advanced.WebsiteURL.clear();
    app->openWebPage(WebPage::Beta);
    EXPECT_EQ(fake.shell.opened, (std::vector<std::string>{"http://corvane.example.net/beta",
                                                           "http://corvane.example.net/donate"}));
}

} // namespace
