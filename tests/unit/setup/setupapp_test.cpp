// The wizard in the program's life: the first run, and "Server Settings...".

#include "app/app.h"
#include "setuprig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

bool contains(const std::vector<std::string>& sent, const std::string& text) {
    for (const std::string& datagram : sent)
        if (datagram.find(text) != std::string::npos) return true;
    return false;
}

} // namespace

TEST(SetupInTheApp, FirstRunContinueLoadsTheProvenSettingsAndGreets) {
    SetupRig rig(true, false);
    App app(rig.fake.ports(), AppPaths(rig.dir.path()));
    ASSERT_EQ(app.Main(), StartMode::FirstRun);
    rig.setup = &app.openSetup(true);
    EXPECT_EQ(rig.setup->caption(), "Corvane Mod - Server Creation");
    rig.passTest();
    ASSERT_EQ(rig.setup->mainButtonText(), "Continue");
    rig.setup->pressMainButton();

    EXPECT_EQ(app.caption(), "Corvane Mod - Alpha Host");
    EXPECT_EQ(app.settings().config.ServerName, "Alpha");
    EXPECT_EQ(app.settings().config.MaxClients, 18);
    EXPECT_NE(
        app.activityLog().view().plainText().find("Welcome to the Corvane Mod Version 0.0.2!"),
        std::string::npos);
    app.closeSetup();
    EXPECT_FALSE(app.ended());
    // The normal run talks to the server the wizard proved.
    rig.fake.loop.advance(1000);
    FakeUdp& status = *rig.fake.net.udps.at(1);
    EXPECT_EQ(status.port, 28960);
    EXPECT_TRUE(contains(status.sent, "secret teamstatus"));
}

TEST(SetupInTheApp, ClosingTheFirstRunWizardEndsTheProgram) {
    SetupRig rig(true, false);
    App app(rig.fake.ports(), AppPaths(rig.dir.path()));
    app.openSetup(true);
    app.closeSetup();
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(rig.fake.loop.exitCode().value_or(-1), 0);
}

TEST(SetupInTheApp, ServerSettingsRestsTheTickPumpAndPollUntilTheWizardCloses) {
    SetupRig rig(false, false);
    App app(rig.fake.ports(), AppPaths(rig.dir.path()));
    app.createMainWindow();
    rig.fake.loop.advance(1000);
    FakeUdp& command = *rig.fake.net.udps.at(0);
    FakeUdp& status = *rig.fake.net.udps.at(1);
    app.queue().clear();
    app.statusPoll().Command8_Click(); // a poll under way: its timeout runs
    const std::size_t polls = status.sent.size();
    app.queue().SendSay("held back");

    ServerSetup& setup = app.openSetup(false);
    EXPECT_EQ(setup.caption(), "Corvane Mod - Server Settings");
    EXPECT_EQ(setup.fields.ServerName, "Alpha");
    rig.fake.loop.advance(20000);
    EXPECT_EQ(status.sent.size(), polls);
    EXPECT_FALSE(contains(command.sent, "say held back"));

    app.closeSetup();
    EXPECT_FALSE(app.ended());
    rig.fake.loop.advance(600);
    EXPECT_TRUE(contains(command.sent, "say held back"));
    rig.fake.loop.advance(9000); // the poll's timeout runs again and retries
    EXPECT_GT(status.sent.size(), polls);
}
