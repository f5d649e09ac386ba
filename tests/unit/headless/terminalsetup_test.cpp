// The server set-up on a terminal: the wizard's test driven by given and
// typed values, its status lines printed, and the program's exit status.

#include "headless/terminalsetup.h"
#include "setuprig.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace corvane;
using namespace corvane::testing;

namespace {

class TerminalSetupTest : public ::testing::Test {
protected:
    explicit TerminalSetupTest(bool firstRun = true) : rig(firstRun, false) {}

    SetupValues allGiven() { return SetupValues{"Alpha", "127.0.0.1", "28960", "secret", kLogUrl}; }
    bool start(const SetupValues& values, const TerminalSetup::Ask& ask = {}) {
        setup =
            std::make_unique<TerminalSetup>(rig.fake.ports(), AppPaths(rig.dir.path()), out, false);
        return setup->start(values, ask);
    }
    std::vector<std::string> printed() const { return splitLines(out.str()); }

    SetupRig rig;
    std::ostringstream out;
    std::unique_ptr<TerminalSetup> setup;
};

class TerminalSetupOfAServer : public TerminalSetupTest {
protected:
    TerminalSetupOfAServer() : TerminalSetupTest(false) {}
};

} // namespace

TEST_F(TerminalSetupTest, PassedTestSaysWhereItSavedAndEndsWithStatusZero) {
    ASSERT_TRUE(start(allGiven()));
    rig.answerRconSteps();
    rig.answerLog();
    EXPECT_FALSE(rig.fake.loop.exitCode());
    rig.fake.loop.advance(0);
    EXPECT_EQ(rig.fake.loop.exitCode(), 0);

    const std::vector<std::string> lines = printed();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), "Testing Connection...");
    EXPECT_EQ(lines.end()[-2], "Configuration complete!");
    EXPECT_EQ(lines.back(), "Saved " + rig.dir.file("Data/Config.txt").string() +
                                ". Start corvane-mod-headless without --setup to run.");
    EXPECT_TRUE(rig.fake.prompts.asked.empty());
}

TEST_F(TerminalSetupOfAServer, AsksForWhatIsNotGivenShowingTheFilesValues) {
    std::vector<std::pair<std::string, bool>> asked;
    std::deque<std::optional<std::string>> answers = {"Caf\xc3\xa9", "127.0.0.2", "", "typed",
                                                      std::nullopt};
    ASSERT_TRUE(start({}, [&](const std::string& prompt, bool secret) {
        asked.emplace_back(prompt, secret);
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }));
    EXPECT_EQ(asked,
              (std::vector<std::pair<std::string, bool>>{{"Server name [Alpha]: ", false},
                                                         {"IP address [127.0.0.1]: ", false},
                                                         {"RCON port [28960]: ", false},
                                                         {"RCON password [unchanged]: ", true},
                                                         {"Log URL [" + kLogUrl + "]: ", false}}));
    EXPECT_EQ(rig.udp().host, "127.0.0.2");
    EXPECT_EQ(rconCommands(rig.udp(), "typed"), std::vector<std::string>{"serverinfo"});
    rig.answerRconSteps(serverinfo(), exclusionAnswer(forcedExclusion()));
    rig.answerLog();
    rig.fake.loop.advance(0);
    ServerConfig saved;
    readServerConfig(rig.configFile(), saved);
    EXPECT_EQ(saved.ServerName, "Caf\xe9");
    EXPECT_EQ(saved.RconPassword, "typed");
    EXPECT_EQ(saved.ExcludedMap, "mp_nuked"); // a server's, not the forced list
    EXPECT_NE(out.str().find("\nThe server is playing a forced map: the default excluded maps "
                             "stay as they were.\n"),
              std::string::npos);
}

TEST_F(TerminalSetupTest, RefusedValuesStartNoTest) {
    SetupValues offHost = allGiven();
    offHost.logUrl = "ftp://logs.example.net/games_mp.log";
    EXPECT_FALSE(start(offHost));
    EXPECT_EQ(rig.boxTexts(), std::vector<std::string>{"Check GameServer Log URL!"});

    SetupValues nameless = allGiven();
    nameless.name.reset(); // a first run has no name to keep
    EXPECT_FALSE(start(nameless));
    EXPECT_EQ(printed().back(), "The server needs a name.");
    EXPECT_TRUE(rig.fake.net.udp("setup").sent.empty());
    EXPECT_EQ(rig.configFile(), "FIRST\r\n");
}
