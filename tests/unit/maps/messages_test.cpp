#include "maps/messagefiles.h"
#include "mapsrig.h"

#include "core/textfile.h"

using namespace corvane;
using namespace corvane::testing;

namespace {

struct MessagesTest : MapsRig {
    MessagesTest() {
        m_said = queue.changed.connect([this] {
            if (queue.size() > said.size())
                said.push_back(std::to_string(fake.loop.now() / 1000) + "s " +
                               queue.at(queue.size() - 1).line);
        });
    }
    Messages& messages() { return maps->messages; }
    Connection m_said;
    Lines said;
};

} // namespace

TEST(MessageFiles, TimedMessagesAreWholeLinesUpToTheFirstEmptyOne) {
    const TimedMessageFile file =
        readTimedMessages("45\r\nOne, with a comma\r\n   \n\"Q\"\r\n\r\nHidden\r\n");
    EXPECT_EQ(file.intervalText, "45");
    EXPECT_EQ(file.messages, (Lines{"One, with a comma", "   ", "\"Q\""}));
}

TEST_F(MessagesTest, TimedMessagesAreSaidInFileOrderAtTheIntervalThenAgain) {
    dir.write("Data/MR.txt", "30\r\nOne\r\nTwo\r\nThree\r\n");
    settings.mod.TimedMessagesEnabled = 1;
    messages().InputLists();
    messages().startRotationTimer();
    fake.loop.advance(120000);
    EXPECT_EQ(said, (Lines{"30s say One", "60s say Two", "90s say Three", "120s say One"}));
    // Ticking "Use Timed Messages" starts again at the first message.
    messages().restartRotation();
    fake.loop.advance(30000);
    EXPECT_EQ(said.back(), "150s say One");
}

TEST_F(MessagesTest, OnlyTheFirst101MessagesAreSaidThenTheRotationStartsAgain) {
    std::string file = "1\r\n";
    for (int i = 0; i < 102; ++i)
        file += "m" + std::to_string(i) + "\r\n";
    dir.write("Data/MR.txt", file);
    settings.mod.TimedMessagesEnabled = 1;
    messages().InputLists();
    messages().startRotationTimer();
    fake.loop.advance(102000);
    ASSERT_EQ(said.size(), 102u);
    EXPECT_EQ(said[100], "101s say m100");
    EXPECT_EQ(said[101], "102s say m0");
    EXPECT_EQ(redLines, Lines{"MR.txt holds more than 101 timed messages, only "
                              "the first 101 are said"});
}

TEST_F(MessagesTest, NoUsableIntervalSaysNothingAndCountsNothing) {
    settings.mod.TimedMessagesEnabled = 1;
    messages().startRotationTimer();
    for (const char* interval : {"0", "-5", "abc"}) {
        dir.write("Data/MR.txt", std::string(interval) + "\r\nOne\r\n");
        messages().InputLists();
        fake.loop.advance(70000);
        EXPECT_TRUE(said.empty()) << interval;
        EXPECT_EQ(messages().RotationCounter(), 0);
    }
}

TEST_F(MessagesTest, RulesGoPrivatelyToAPlayerOrPubliclyToEveryone) {
    // A private rule is a tell line and is neutralised like every private reply; said
    // publicly, the operator's rule goes out as he wrote it.
    dir.write("Data/Rules.txt", "No camping; kill 1\r\n\"Be nice, please\"\r\n");
    messages().InputRules();
    settings.mod.RulesEnabled = 1;
    settings.mod.AnnounceMode[1] = 1;
    messages().SendRules(3, "G3", false);
    messages().SendRules(0, "", false);
    EXPECT_EQ(queued(), (Lines{";3;G3;tell 3 ^1PM: ^7No camping: kill 1|r",
                               ";3;G3;tell 3 ^1PM: ^7Be nice, please|r", "say No camping; kill 1|r",
                               "say Be nice, please|r"}));
    queue.clear();
    settings.mod.RulesEnabled = 0;
    messages().SendRules(3, "G3", false);
    EXPECT_TRUE(queue.empty());
    messages().SendRules(0, "", true);
    EXPECT_EQ(queued().size(), 2u);
    EXPECT_EQ(messages().RulesMax(), 1);
}

TEST_F(MessagesTest, ReadingTheRulesReloadsTheReasonsAndMissingFilesAreReported) {
    int reloads = 0;
    const Connection counted = messages().reasonsReloadRequested.connect([&] { ++reloads; });
    std::filesystem::remove(dir.file("Data/MR.txt"));
    std::filesystem::remove(dir.file("Data/Rules.txt"));
    messages().InputLists();
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(redLines, (Lines{"Error opening MR.txt!", "Error opening Rules.txt!"}));
    EXPECT_EQ(messages().rulesLoaded(), 1);
}

TEST_F(MessagesTest, PreviewFillsInThePlayerInTheLowestSlot) {
    settings.config.HostName = "Alpha Host";
    messages().PWelcome(kDefaultWelcomeTemplate);
    ASSERT_EQ(fake.prompts.asked.size(), 1u);
    EXPECT_EQ(fake.prompts.asked[0].text, "Please enter the server to preview the results!");
    EXPECT_EQ(fake.prompts.asked[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(queue.empty());

    server.first = OnlinePlayer{1, "Bob", "GB"};
    messages().PWelcome(kDefaultWelcomeTemplate);
    server.first = OnlinePlayer{2, "x;quit\"<server>", "GX"};
    server.groups["GX"] = "Admin";
    messages().PWelcome("<player> is <group>");
    EXPECT_EQ(queued(), (Lines{"Say ^2Welcome  ^1Player ^7Bob ^2to Alpha Host",
                               "Say x:quit'<server> is Admin"}));
}

TEST_F(MessagesTest, WelcomeWithACommaIsQuotedAndADoubleQuoteIsRefused) {
    for (int i = 0; i < 2; ++i) // the same text again is no failure
        ASSERT_TRUE(messages().SaveWelcome("^2Hi, <player>, welcome to <server>"));
    EXPECT_EQ(splitLines(dir.read("Data/MOD.txt"))[3], "\"^2Hi, <player>, welcome to <server>\"");

    const std::string before = dir.read("Data/MOD.txt");
    EXPECT_FALSE(messages().SaveWelcome("^2Say \"hi\" <player>"));
    ASSERT_EQ(fake.prompts.asked.size(), 1u);
    EXPECT_EQ(fake.prompts.asked[0].title, "Welcome Message");
    EXPECT_EQ(settings.mod.WelcomeTemplate, "^2Hi, <player>, welcome to <server>");
    EXPECT_EQ(dir.read("Data/MOD.txt"), before);
}
