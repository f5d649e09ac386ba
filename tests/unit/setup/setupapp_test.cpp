// "Server Settings..." from a running program: the window's own work rests
// while the wizard tests the server.

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

TEST(SetupInTheApp, ServerSettingsRestsTheTickPumpAndPollUntilTheWizardCloses) {
    SetupRig rig(false, false);
    App app(rig.fake.ports(), AppPaths(rig.dir.path()));
    app.createMainWindow();
    rig.fake.loop.advance(1000);
    FakeUdp& command = rig.fake.net.udp("command");
    FakeUdp& status = rig.fake.net.udp("status");
    app.queue().clear();
    app.statusPoll().Command8_Click(); // a poll under way: its timeout runs
    const std::size_t polls = status.sent.size();
    app.queue().SendSay("held back");

    app.openSetup(false);
    app.openSetup(false); // again while it is up: the first rest holds
    // The rotation's reset waits at the front of the resting queue.
    EXPECT_EQ(app.queue().at(0).line, "playlist_excludeMap \"mp_nuked\"");
    const std::string countdown = app.statusTexts().refresh;
    rig.fake.loop.advance(21000);
    EXPECT_EQ(status.sent.size(), polls);
    EXPECT_FALSE(contains(command.sent, "say held back"));
    EXPECT_EQ(app.statusTexts().refresh, countdown); // the tick rests
    app.closeSetup();
    EXPECT_FALSE(app.ended());
    rig.fake.loop.advance(1100);                     // the reset first, the held line a tick later
    EXPECT_NE(app.statusTexts().refresh, countdown); // the tick runs again
    EXPECT_TRUE(contains(command.sent, "playlist_excludeMap \"mp_nuked\""));
    EXPECT_TRUE(contains(command.sent, "say held back"));
    rig.fake.loop.advance(8500); // the poll's timeout runs again and retries
    EXPECT_GT(status.sent.size(), polls);
}

TEST(SetupInTheApp, ClosingTheFirstRunWizardEndsTheProgram) {
    SetupRig rig(true, false);
    App app(rig.fake.ports(), AppPaths(rig.dir.path()));
    app.openSetup(true);
    app.closeSetup();
    EXPECT_TRUE(app.ended());
}

TEST(SetupInTheApp, WhileTheWizardIsUpTheRotationIsNotReset) {
    SetupRig rig(false, false);
    App app(rig.fake.ports(), AppPaths(rig.dir.path()));
    app.createMainWindow();
    FakeUdp& reset = rig.fake.net.udp("map reset");
    const auto resetSent = [&] {
        app.queue().clear();
        reset.sent.clear();
        app.maps().rotation.SetDefaultRotation();
        return contains(reset.sent, "playlist_excludeMap \"mp_nuked\"");
    };
    rig.setup = &app.openSetup(false);
    EXPECT_EQ(rig.setup->fields.IP, "127.0.0.1"); // the boxes come filled
    EXPECT_FALSE(resetSent());
    rig.passTest();
    rig.setup->pressMainButton(); // "Continue"
    EXPECT_TRUE(resetSent());
    app.openSetup(false);
    app.closeSetup();
    EXPECT_TRUE(resetSent());
}
