#include "app/app.h"
#include "core/textfile.h"
#include "fakeports.h"
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

    App& makeApp() {
        app = std::make_unique<App>(fake.ports(), AppPaths(dir.path()));
        return *app;
    }
    std::vector<std::string> serverLog() { return splitLines(dir.read("Logs/Server.txt")); }
    bool logHas(const std::string& text) {
        for (const auto& line : serverLog())
            if (line.size() >= text.size() &&
                line.compare(line.size() - text.size(), text.size(), text) == 0)
                return true;
        return false;
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
    auto lines = splitLines(dir.read("Data/MOD.txt"));
    lines[1] = "0.0.1";
    std::string text;
    for (const auto& l : lines)
        text += l + "\r\n";
    dir.write("Data/MOD.txt", text);
    EXPECT_EQ(makeApp().Main(), StartMode::End);
    ASSERT_EQ(fake.prompts.asked.size(), 1u);
    EXPECT_EQ(fake.prompts.asked[0].title, std::string("Version ") + kBuildVersion);
    EXPECT_EQ(fake.prompts.asked[0].text,
              "Upgrade is not supported - Please create a new directory "
              "and reset all your settings for your server!");
    EXPECT_EQ(fake.prompts.asked[0].icon, MessageIcon::Critical);
}

TEST_F(AppTest, MissingDataOrConfigEndsWithTheRequiredFileBox) {
    const std::string box =
        "Unable to open required file! Please make sure you extracted the contents "
        "of the zipped directory and the 'Data' folder exists!";
    std::filesystem::remove(dir.file("Data/Config.txt"));
    EXPECT_EQ(makeApp().Main(), StartMode::End);
    std::filesystem::remove_all(dir.file("Data"));
    EXPECT_EQ(makeApp().Main(), StartMode::End);
    ASSERT_EQ(fake.prompts.asked.size(), 2u);
    for (const auto& asked : fake.prompts.asked) {
        EXPECT_EQ(asked.title, "");
        EXPECT_EQ(asked.text, box);
    }
}

TEST_F(AppTest, LoadRunsEveryStepInOrder) {
    dir.writeConfiguredServer();
    App& a = makeApp();
    std::vector<std::string> order;
    const Connection steps = a.loadStep.connect([&](std::string_view s) { order.emplace_back(s); });
    a.createMainWindow();
    const std::vector<std::string> expected = {"LayOutViews",
                                               "MaxHealth",
                                               "ClearHP",
                                               "LoadBadWords",
                                               "LoadAVars",
                                               "LoadDRank",
                                               "ClearPlayers",
                                               "ResetVoting",
                                               "InputConfig",
                                               "InputAdmin",
                                               "SetCaption",
                                               "SetDefaultRotation",
                                               "LoadPlayerDatabase",
                                               "SizeCommandClipboard",
                                               "QueuePlaylist",
                                               "CVMwelcome",
                                               "BuildMapTable",
                                               "StartRconPump",
                                               "AllowRcon",
                                               "Loadr2",
                                               "LoadModFile"};
    EXPECT_EQ(order, expected);
    const auto lines = serverLog();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "[2026-12-05 09:18:28] Read Config File");
    EXPECT_EQ(lines[1], "[2026-12-05 09:18:28] Read Admin Config");
    EXPECT_EQ(lines[2], "[2026-12-05 09:18:28] The map was reset to the default rotation");
    EXPECT_EQ(a.caption(), "Corvane Mod - Alpha Host");
    EXPECT_EQ(a.settings().mod.MaxWarns, 2);
}

TEST_F(AppTest, CaptionWithoutHostNameShowsTheVersion) {
    dir.write("Data/Config.txt", "Alpha\r\n1\r\nip\r\npw\r\nurl\r\n 18\r\n\r\nmap\r\n");
    App& a = makeApp();
    a.createMainWindow();
    EXPECT_EQ(a.caption(), std::string("Corvane Mod - Version: ") + kBuildVersion);
}

TEST_F(AppTest, RefreshDelayAndTrimPeriodComeFromAdvancedTxt) {
    dir.writeConfiguredServer();
    std::string adv = dir.read("Data/Advanced.txt");
    adv.replace(adv.find("RefreshDelay=10"), 15, "RefreshDelay=30");
    dir.write("Data/Advanced.txt", adv);
    App& a = makeApp();
    a.createMainWindow();
    EXPECT_EQ(a.settings().advanced.RefreshDelay, 30);
    EXPECT_FALSE(logHas("Error in the Advanced.txt file! All Advanced vars are default"));
}

TEST_F(AppTest, ElevenHeaderFieldsFallBackToDefaultsWithTheRedMessage) {
    dir.writeConfiguredServer();
    std::string adv = dir.read("Data/Advanced.txt");
    adv.erase(0, adv.find("\r\n") + 2); // drop one header line
    dir.write("Data/Advanced.txt", adv);
    App& a = makeApp();
    a.createMainWindow();
    EXPECT_TRUE(logHas("] Error in the Advanced.txt file! All Advanced vars are default"));
    EXPECT_EQ(a.settings().advanced.RefreshDelay, 10);
    EXPECT_EQ(a.settings().advanced.RconQueueInterval, 525);
    EXPECT_EQ(a.settings().advanced.PlayerDbPath, dir.path().string() + "\\Data\\playerdb.mdb");
    ASSERT_FALSE(a.activityLog().view().runs().empty());
    EXPECT_EQ(a.activityLog().view().runs()[1].colour, kRed);
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

    // Lock-out: only the first tab can be shown.
    EXPECT_EQ(a.selectTopTab(TopTab::Chat), TopTab::Status);
    EXPECT_EQ(fake.prompts.asked.back().title, "ERROR!");
    EXPECT_EQ(fake.prompts.asked.back().text, "Critical errors have occured! Please restart!");

    // Repaired file + Update Config clears it all.
    dir.writeConfiguredServer();
    a.UpdateAllC();
    EXPECT_FALSE(a.criticalError());
    EXPECT_TRUE(a.menuItemsEnabled());
    EXPECT_EQ(a.selectTopTab(TopTab::Chat), TopTab::Chat);
}

TEST_F(AppTest, RetryRunsTheWholeLoadAgain) {
    dir.write("Data/Config.txt", "Alpha\r\n");
    fake.prompts.answers = {MessageResult::Retry, MessageResult::Ignore};
    App& a = makeApp();
    int loads = 0;
    const Connection steps =
        a.loadStep.connect([&](std::string_view s) { loads += s == "LayOutViews"; });
    a.createMainWindow();
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(fake.prompts.asked.size(), 2u);
    EXPECT_TRUE(a.criticalError());
}

TEST_F(AppTest, RetryAfterRepairClearsTheError) {
    dir.write("Data/Config.txt", "Alpha\r\n");
    fake.prompts.answers = {MessageResult::Retry};
    App& a = makeApp();
    int loads = 0;
    const Connection steps = a.loadStep.connect([&](std::string_view s) {
        // The operator fixed the file while the dialog was up.
        if (s == "LayOutViews" && ++loads == 2) dir.writeConfiguredServer();
    });
    a.createMainWindow();
    EXPECT_EQ(fake.prompts.asked.size(), 1u);
    EXPECT_TRUE(logHas("] Read Config File"));
    // The reload succeeded: the failure before the dialog does not lock the program out.
    EXPECT_FALSE(a.criticalError());
    EXPECT_EQ(a.selectTopTab(TopTab::Players), TopTab::Players);
}

TEST_F(AppTest, AbortEndsTheProgramWithAFailureStatus) {
    dir.write("Data/Config.txt", "Alpha\r\n");
    fake.prompts.answers = {MessageResult::Abort};
    App& a = makeApp();
    std::vector<std::string> order;
    const Connection steps = a.loadStep.connect([&](std::string_view s) { order.emplace_back(s); });
    a.createMainWindow();
    EXPECT_TRUE(a.ended());
    EXPECT_EQ(fake.loop.exitCode(), 1);
    EXPECT_EQ(order.back(), "InputConfig"); // nothing after the abort
    EXPECT_EQ(fake.loop.activeTimerCount(), 0u);
}

TEST_F(AppTest, ShutdownHasTwoStagesOneSecondApart) {
    dir.writeConfiguredServer();
    App& a = makeApp();
    a.createMainWindow();
    fake.loop.advance(5000);
    a.ENDALL();
    a.ENDALL(); // a second close request changes nothing
    // Last of the first stage: the rotation goes back to the default list.
    const auto firstStage = serverLog();
    EXPECT_EQ(firstStage[firstStage.size() - 2], "[2026-12-05 09:18:33] Shutting down...");
    EXPECT_EQ(firstStage.back(), "[2026-12-05 09:18:33] The map was reset to the default rotation");
    const auto& runs = a.activityLog().view().runs();
    EXPECT_TRUE(std::any_of(runs.begin(), runs.end(), [](const TextRun& run) {
        return run.text.find("Shutting down...") != std::string::npos && run.colour == kRed;
    }));
    EXPECT_FALSE(fake.loop.exitCode());
    fake.loop.advance(999);
    EXPECT_FALSE(fake.loop.exitCode());
    fake.loop.advance(1);
    EXPECT_EQ(fake.loop.exitCode(), 0);
    const auto lines = serverLog();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 3], "[2026-12-05 09:18:33] Shutting down...");
    EXPECT_EQ(lines.back(), "[2026-12-05 09:18:34] Shutting down...");
    EXPECT_EQ(fake.loop.activeTimerCount(), 0u);
}

TEST_F(AppTest, ShutdownSavesTheModSettings) {
    dir.writeConfiguredServer();
    App& a = makeApp();
    a.createMainWindow();
    a.settings().mod.MaxWarns = 5;
    a.ENDALL();
    EXPECT_EQ(splitLines(dir.read("Data/MOD.txt"))[12], " 5");
}

TEST_F(AppTest, FirstRunGreetingAndDefaultsASecondLater) {
    dir.writeConfiguredServer();
    App& a = makeApp();
    a.createMainWindow();
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
}

TEST_F(AppTest, SwitchClicksSaveAtOnceExceptTheXboxBox) {
    dir.writeConfiguredServer();
    App& a = makeApp();
    a.createMainWindow();
    const auto before = splitLines(dir.read("Data/MOD.txt"));
    a.settings().setSwitch(Settings::Switch::KickXboxNames, true);
    EXPECT_EQ(splitLines(dir.read("Data/MOD.txt")), before);
    a.settings().setSwitch(Settings::Switch::LanguageFilterEnabled, true);
    const auto after = splitLines(dir.read("Data/MOD.txt"));
    EXPECT_EQ(after[9], " 1");
    EXPECT_EQ(after[11], " 1"); // the Xbox box went out with this save
    for (std::size_t i = 0; i < 30; ++i) {
        if (i != 9 && i != 11) {
            EXPECT_EQ(after[i], before[i]) << i;
        }
    }
}

TEST_F(AppTest, MaxWarnsBoxTurnsNonNumbersIntoZero) {
    dir.writeConfiguredServer();
    App& a = makeApp();
    a.createMainWindow();
    a.settings().maxWarnsEdited("4");
    EXPECT_EQ(a.settings().mod.MaxWarns, 4);
    a.settings().maxWarnsEdited("abc");
    EXPECT_EQ(a.settings().mod.MaxWarns, 4);
    EXPECT_EQ(a.settings().maxWarnsLeft("abc"), "0");
    EXPECT_EQ(splitLines(dir.read("Data/MOD.txt"))[12], " 0");
}

TEST_F(AppTest, SaveConfigQuotesTheMapAndFailureKeepsTheOldFile) {
    dir.writeConfiguredServer();
    App& a = makeApp();
    a.createMainWindow();
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
    auto lines = splitLines(dir.read("Data/MOD.txt"));
    lines.resize(20);
    std::string text;
    for (const auto& l : lines)
        text += l + "\r\n";
    dir.write("Data/MOD.txt", text);
    App& a = makeApp();
    int closingSteps = 0;
    const Connection loaded = a.settings().modFileLoaded.connect([&] { ++closingSteps; });
    a.createMainWindow();
    EXPECT_TRUE(logHas("] Error opening MOD.txt!"));
    EXPECT_EQ(closingSteps, 0);
    EXPECT_EQ(a.settings().mod.MaxWarns, 2);
}
