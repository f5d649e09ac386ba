#include "app/app.h"
#include "core/textfile.h"
#include "fakeports.h"
#include "seatplayer.h"
#include "tempappdir.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

class AppTest : public ::testing::Test {
protected:
    TempAppDir dir;
    FakePorts fake;
    std::unique_ptr<App> app;
    std::vector<std::string> steps; // the load steps of the newest App
    Connection stepsHeard;

    App& makeApp() {
        app = std::make_unique<App>(fake.ports(), AppPaths(dir.path()));
        steps.clear();
        stepsHeard = app->loadStep.connect([this](std::string_view s) { steps.emplace_back(s); });
        return *app;
    }
    App& started() {
        dir.writeConfiguredServer();
        makeApp().createMainWindow();
        return *app;
    }
    std::vector<std::string> modLines() { return splitLines(dir.read("Data/MOD.txt")); }
    std::vector<std::string> serverLog() { return splitLines(dir.read("Logs/Server.txt")); }
    bool logHas(const std::string& lineEnd) {
        return dir.read("Logs/Server.txt").find(lineEnd + "\r\n") != std::string::npos;
    }
};

} // namespace

TEST_F(AppTest, FirstRunMarkerIsExactAndCaseSensitive) {
    EXPECT_EQ(makeApp().Main(), StartMode::FirstRun);
    dir.write("Data/Config.txt", "first\r\n");
    EXPECT_EQ(makeApp().Main(), StartMode::MainWindow);
    dir.writeConfiguredServer();
    EXPECT_EQ(makeApp().Main(), StartMode::MainWindow);
    EXPECT_TRUE(fake.prompts.asked.empty());
}

TEST_F(AppTest, VersionMismatchEndsWithTheUpgradeBox) {
    dir.replaceLine("Data/MOD.txt", 1, "0.0.1");
    EXPECT_EQ(makeApp().Main(), StartMode::End);
    ASSERT_EQ(fake.prompts.asked.size(), 1u);
    EXPECT_EQ(fake.prompts.asked[0].title, std::string("Version ") + kBuildVersion);
    EXPECT_EQ(fake.prompts.asked[0].text,
              "Upgrade is not supported - Please create a new directory "
              "and reset all your settings for your server!");
    EXPECT_EQ(fake.prompts.asked[0].icon, MessageIcon::Critical);
}

TEST_F(AppTest, MissingDataOrConfigEndsWithTheRequiredFileBox) {
    std::filesystem::remove(dir.file("Data/Config.txt"));
    EXPECT_EQ(makeApp().Main(), StartMode::End);
    std::filesystem::remove_all(dir.file("Data"));
    EXPECT_EQ(makeApp().Main(), StartMode::End);
    ASSERT_EQ(fake.prompts.asked.size(), 2u);
    for (const auto& asked : fake.prompts.asked)
        EXPECT_EQ(asked.title + "|" + asked.text,
                  "|Unable to open required file! Please make sure you extracted the contents "
                  "of the zipped directory and the 'Data' folder exists!");
}

TEST_F(AppTest, LoadRunsEveryStepInOrder) {
    dir.writeConfiguredServer();
    App& a = makeApp();
    const Connection window = a.windowStateChanged.connect([this] { steps.emplace_back("+"); });
    a.createMainWindow();
    std::string order;
    for (const auto& step : steps)
        order += step + " ";
    EXPECT_EQ(order, "LayOutViews MaxHealth ClearHP LoadBadWords LoadAVars LoadDRank ClearPlayers "
                     "ResetVoting InputConfig InputAdmin SetCaption + SetDefaultRotation "
                     "LoadPlayerDatabase SizeCommandClipboard QueuePlaylist CVMwelcome "
                     "BuildMapTable StartRconPump AllowRcon Loadr2 LoadModFile ");
    EXPECT_EQ(serverLog(), (std::vector<std::string>{
                               "[2026-12-05 09:18:28] Read Config File",
                               "[2026-12-05 09:18:28] Read Admin Config",
                               "[2026-12-05 09:18:28] The map was reset to the default rotation"}));
    EXPECT_EQ(a.caption(), "Corvane Mod - Alpha Host");
    EXPECT_TRUE(a.menuItemsEnabled());
    a.UpdateAllC(); // as after the wizard: the window shows the new state
    EXPECT_EQ(steps.back(), "+");
    EXPECT_EQ(a.settings().mod.MaxWarns, 2);
    // The status texts are there before the first tick.
    EXPECT_EQ(a.statusTexts().players, "0/17 Players");
    EXPECT_EQ(a.statusTexts().refresh, "10 seconds until next refresh");
}

TEST_F(AppTest, CaptionWithoutHostNameShowsTheVersion) {
    dir.write("Data/Config.txt", "Alpha\r\n1\r\nip\r\npw\r\nurl\r\n 18\r\n\r\nmap\r\n");
    makeApp().createMainWindow();
    EXPECT_EQ(app->caption(), std::string("Corvane Mod - Version: ") + kBuildVersion);
}

TEST_F(AppTest, AdvancedTxtIsReadAndWhenBrokenAllDefaultsWithARedLine) {
    const std::string error = "] Error in the Advanced.txt file! All Advanced vars are default";
    std::string adv = dir.read("Data/Advanced.txt");
    adv.replace(adv.find("RefreshDelay=10"), 15, "RefreshDelay=30");
    dir.write("Data/Advanced.txt", adv);
    EXPECT_EQ(started().settings().advanced.RefreshDelay, 30);
    EXPECT_FALSE(logHas(error));

    dir.write("Data/Advanced.txt", adv.erase(0, adv.find("\r\n") + 2)); // one header line less
    App& a = started();
    EXPECT_TRUE(logHas(error));
    EXPECT_EQ(a.settings().advanced.RefreshDelay, 10);
    EXPECT_EQ(a.settings().advanced.PlayerDbPath, dir.path().string() + "\\Data\\playerdb.mdb");
    EXPECT_EQ(a.activityLog().view().runs().at(1).colour, kRed);
}

TEST_F(AppTest, UnreadableConfigRaisesTheCriticalDialogAndSilencesSaves) {
    dir.write("Data/Config.txt", "Alpha\r\n1\r\n");
    const std::string modBefore = dir.read("Data/MOD.txt");
    fake.prompts.answers.push_back(MessageResult::Ignore);
    App& a = makeApp();
    a.createMainWindow();
    ASSERT_EQ(fake.prompts.asked.size(), 1u);
    EXPECT_EQ(fake.prompts.asked[0].title, "Critical Error!");
    EXPECT_EQ(fake.prompts.asked[0].buttons, MessageButtons::AbortRetryIgnore);
    EXPECT_TRUE(logHas("] Unable to access Config File!"));
    EXPECT_TRUE(a.criticalError());
    EXPECT_FALSE(a.menuItemsEnabled());

    const auto linesBefore = serverLog().size();
    a.activityLog().SMS("silenced");
    a.settings().SaveModFile();
    a.settings().SaveConfig();
    a.settings().setSwitch(Settings::Switch::LanguageFilterEnabled, true);
    EXPECT_EQ(serverLog().size(), linesBefore);
    EXPECT_EQ(dir.read("Data/MOD.txt"), modBefore);
    EXPECT_EQ(dir.read("Data/Config.txt"), "Alpha\r\n1\r\n");

    EXPECT_EQ(a.selectTopTab(TopTab::Chat), TopTab::Status);
    EXPECT_EQ(fake.prompts.asked.back().title, "ERROR!");
    EXPECT_EQ(fake.prompts.asked.back().text, "Critical errors have occured! Please restart!");

    dir.writeConfiguredServer();
    a.UpdateAllC();
    EXPECT_FALSE(a.criticalError());
    EXPECT_TRUE(a.menuItemsEnabled());
    EXPECT_EQ(a.selectTopTab(TopTab::Chat), TopTab::Chat);
}

TEST_F(AppTest, RetryRunsTheWholeLoadAgainAndARepairedFileClearsTheError) {
    for (const bool repaired : {false, true}) {
        dir.write("Data/Config.txt", "Alpha\r\n");
        fake.prompts.asked.clear();
        fake.prompts.answers = {MessageResult::Retry, MessageResult::Ignore};
        App& a = makeApp();
        int loads = 0;
        const Connection repair = a.loadStep.connect([&](std::string_view s) {
            // The operator fixed the file while the dialog was up.
            if (repaired && s == "LayOutViews" && ++loads == 2) dir.writeConfiguredServer();
        });
        a.createMainWindow();
        EXPECT_EQ(std::count(steps.begin(), steps.end(), "LayOutViews"), 2);
        EXPECT_EQ(fake.prompts.asked.size(), repaired ? 1u : 2u);
        EXPECT_EQ(logHas("] Read Config File"), repaired);
        // After a successful reload the failure before the dialog does not lock the program out.
        EXPECT_EQ(a.criticalError(), !repaired);
        EXPECT_EQ(a.selectTopTab(TopTab::Players) == TopTab::Players, repaired);
    }
}

TEST_F(AppTest, AbortEndsTheProgramWithAFailureStatus) {
    dir.write("Data/Config.txt", "Alpha\r\n");
    fake.prompts.answers = {MessageResult::Abort};
    makeApp().createMainWindow();
    EXPECT_TRUE(app->ended());
    EXPECT_EQ(fake.loop.exitCode(), 1);
    EXPECT_EQ(steps.back(), "InputConfig"); // nothing after the abort
    EXPECT_EQ(fake.loop.activeTimerCount(), 0u);
}

TEST_F(AppTest, ShutdownSavesAndHasTwoStagesOneSecondApart) {
    App& a = started();
    fake.loop.advance(5000);
    a.settings().mod.MaxWarns = 5;
    a.statusPoll().Command8_Click(); // its socket is open
    a.ENDALL();
    a.ENDALL(); // a second close request changes nothing
    EXPECT_EQ(modLines()[12], " 5");
    const auto& runs = a.activityLog().view().runs();
    EXPECT_TRUE(std::any_of(runs.begin(), runs.end(), [](const TextRun& run) {
        return run.text.find("Shutting down...") != std::string::npos && run.colour == kRed;
    }));
    fake.loop.advance(999);
    EXPECT_FALSE(fake.loop.exitCode());
    fake.loop.advance(1);
    EXPECT_EQ(fake.loop.exitCode(), 0);
    for (const char* role : {"status", "command"})
        EXPECT_FALSE(fake.net.udp(role).isOpen()) << role;
    const auto lines = serverLog();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(
        std::vector<std::string>(lines.end() - 3, lines.end()),
        (std::vector<std::string>{"[2026-12-05 09:18:33] Shutting down...",
                                  "[2026-12-05 09:18:33] The map was reset to the default rotation",
                                  "[2026-12-05 09:18:34] Shutting down..."}));
    EXPECT_EQ(fake.loop.activeTimerCount(), 0u);
}

TEST_F(AppTest, FirstRunGreetingAndDefaultsASecondLater) {
    App& a = started();
    a.settings().mod.MaxWarns = 9;
    a.settings().mod.WelcomeTemplate = "x";
    a.settings().mod.AutoUpdateCheck = false;
    a.loadFirst();
    const auto lines = serverLog();
    EXPECT_EQ(lines[lines.size() - 2], "[2026-12-05 09:18:28] Welcome to the Corvane Mod Version " +
                                           std::string(kBuildVersion) + "!");
    EXPECT_NE(
        lines.back().find("] Begin setup by going to the Players tab -> Permissions, for more "
                          "info go to "),
        std::string::npos);
    fake.loop.advance(999);
    EXPECT_EQ(a.settings().mod.MaxWarns, 9);
    fake.loop.advance(1);
    EXPECT_EQ(a.settings().mod.MaxWarns, 2);
    EXPECT_TRUE(a.settings().mod.AutoUpdateCheck);
    EXPECT_EQ(a.settings().mod.WelcomeTemplate,
              "^2Welcome <return> ^1<group> ^7<player> ^2to <server>");
    a.settings().mod.MaxWarns = 5;
    fake.loop.advance(5000);
    EXPECT_EQ(a.settings().mod.MaxWarns, 5); // the defaults come once
}

TEST_F(AppTest, SwitchClicksAndTheWarningsBoxSaveAtOnceExceptTheXboxBox) {
    App& a = started();
    auto expected = modLines();
    ASSERT_EQ(expected[2] + expected[9] + expected[11], "True 0 0");
    a.settings().toggleAutoUpdateCheck();
    expected[2] = "False";
    EXPECT_EQ(modLines(), expected);
    a.settings().setSwitch(Settings::Switch::KickXboxNames, true);
    EXPECT_EQ(modLines(), expected);
    a.settings().setSwitch(Settings::Switch::LanguageFilterEnabled, true);
    expected[9] = expected[11] = " 1"; // the Xbox box went out with this save
    EXPECT_EQ(modLines(), expected);
    a.settings().setSwitch(Settings::Switch::KickXboxNames, false);
    EXPECT_FALSE(a.settings().isTicked(Settings::Switch::KickXboxNames));

    a.settings().maxWarnsEdited("4");
    EXPECT_EQ(a.settings().mod.MaxWarns, 4);
    a.settings().maxWarnsEdited("abc");
    EXPECT_EQ(a.settings().mod.MaxWarns, 4);
    EXPECT_EQ(a.settings().maxWarnsLeft("abc"), "0");
    EXPECT_EQ(modLines()[12], " 0");
}

TEST_F(AppTest, TimedMessagesAreSaidFromTheStart) {
    dir.write("Data/MR.txt", "2\r\nHello\r\n");
    dir.replaceLine("Data/MOD.txt", 7, " 1");
    started();
    fake.loop.advance(3000);
    const auto said = rconCommands(fake.net.udp("command"));
    EXPECT_NE(std::find(said.begin(), said.end(), "say Hello"), said.end());
}

TEST_F(AppTest, SaveConfigQuotesTheMapAndFailureKeepsTheOldFile) {
    App& a = started();
    a.settings().config.ExcludedMap = "mp_crash";
    a.settings().SaveConfig();
    EXPECT_EQ(splitLines(dir.read("Data/Config.txt"))[7], "\"mp_crash\"");

    const std::string saved = dir.read("Data/Config.txt");
    std::filesystem::create_directories(dir.file("Data/Config.txt.saving/blocked"));
    a.settings().config.ExcludedMap = "mp_lost";
    a.settings().SaveConfig();
    EXPECT_EQ(dir.read("Data/Config.txt"), saved);
    EXPECT_TRUE(logHas("] Error saving config.txt!"));
}

TEST_F(AppTest, ModFileFailureKeepsEarlierFieldsAndSkipsTheClosingSteps) {
    dir.writeConfiguredServer();
    std::string shortMod;
    for (std::size_t i = 0; i < 20; ++i)
        shortMod += dir.line("Data/MOD.txt", i) + "\r\n";
    dir.write("Data/MOD.txt", shortMod);
    App& a = makeApp();
    int closingSteps = 0;
    const Connection loaded = a.settings().modFileLoaded.connect([&] { ++closingSteps; });
    a.createMainWindow();
    EXPECT_TRUE(logHas("] Error opening MOD.txt!"));
    EXPECT_EQ(closingSteps, 0);
    EXPECT_EQ(a.settings().mod.MaxWarns, 2);
}

TEST_F(AppTest, AQuitLineUpdatesTheLeaversLastSeen) {
    App& a = started();
    a.logParser().ParseChat({}); // primes the feed
    seatPlayer(a, 3, "Bob", "0110000100000003");
    fake.clock.setBase(LocalDateTime{2026, 12, 9, 20, 0, 0});
    a.logParser().ParseChat({"  1:00 Q;0110000100000003;3;Bob"});
    EXPECT_EQ(a.players().store.record(1)->lastseen, "2026-12-09");
}

TEST_F(AppTest, TheMainTickFetchesTheLogOnceTheWindowIsUp) {
    started();
    const FakeTcp& log = fake.net.tcp("log");
    const int before = log.connectCount;
    fake.loop.advance(499);
    EXPECT_EQ(log.connectCount, before);
    fake.loop.advance(1);
    EXPECT_EQ(log.connectCount, before + 1);
}
