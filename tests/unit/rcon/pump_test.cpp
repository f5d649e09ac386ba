#include "rconfixture.h"

#include "core/textfile.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

class Pump : public ::testing::Test, public RconFixture {
protected:
    void SetUp() override { drainStartup(); }
    void tick(int n = 1) { fake.loop.advance(525 * n); }
    void seat(int slot, const std::string& guid, const std::string& name) {
        app->slotTable()[slot].SlotGUID = guid;
        app->slotTable()[slot].SlotName = name;
    }
};

} // namespace

TEST_F(Pump, StartUpQueuesThePlaylistQueryAndSendsItWithTheExactBytes) {
    RconFixture fresh;
    fresh.fake.loop.advance(525);
    ASSERT_EQ(fresh.commandSocket().sent.size(), 1u);
    EXPECT_EQ(fresh.commandSocket().sent[0], std::string("\xFF\xFF\xFF\xFF\0secret Playlist", 20));
    EXPECT_EQ(fresh.commandSocket().host, "127.0.0.1");
    EXPECT_EQ(fresh.commandSocket().port, 28960);
    EXPECT_NE(fresh.dir.read("Logs/Console.txt").find("] ]Playlist\r\n"), std::string::npos);
}

TEST_F(Pump, OneLinePerTickInOrder) {
    app->queue().SendSay("one");
    app->queue().SendSay("two");
    app->queue().SendSay("three");
    tick();
    EXPECT_EQ(sentCommands(), (std::vector<std::string>{"say one"}));
    tick(2);
    EXPECT_EQ(sentCommands(), (std::vector<std::string>{"say one", "say two", "say three"}));
    EXPECT_TRUE(app->queue().empty());
}

TEST_F(Pump, BoundKickJumpsTenSayLines) {
    seat(7, "G7", "Bob");
    for (int i = 0; i < 10; ++i)
        app->queue().SendSay("s" + std::to_string(i));
    app->queue().List3A("clientkick 7 spam\"", 7, "G7");
    tick();
    ASSERT_EQ(sentCommands().size(), 1u);
    EXPECT_EQ(sentCommands()[0], "clientkick 7 \" - ^1Reason: ^2spam\"");
}

TEST_F(Pump, MessageForAPlayerWhoLeftIsDroppedSilently) {
    seat(5, "OLD", "Leaver");
    app->queue().List3A("tell 5 ^1PM: you are warned", 5, "OLD");
    app->queue().SendSay("after");
    seat(5, "NEW", "Newcomer");
    const auto logBefore = dir.read("Logs/Server.txt");
    tick();
    EXPECT_TRUE(sentCommands().empty());
    EXPECT_EQ(app->queue().size(), 1u);
    tick();
    EXPECT_EQ(sentCommands(), (std::vector<std::string>{"say after"}));
    EXPECT_EQ(dir.read("Logs/Server.txt"), logBefore);
}

TEST_F(Pump, KickAndTempbanReasonsAreRewrittenIntoTheGamesForm) {
    seat(7, "G7", "a");
    seat(12, "G12", "b");
    app->queue().List3A("clientkick 12 Spam\"", 12, "G12");
    app->queue().List3A("clientkick 7 Team killing\"", 7, "G7");
    app->queue().List3A("tempbanclient 12 camping\"", 12, "G12");
    app->queue().pushBack("clientkick 3 Bad name\"");
    tick(4);
    EXPECT_EQ(sentCommands(), (std::vector<std::string>{
                                  "tempbanclient 12 \" - ^1Reason: ^2^2 camping\"",
                                  "clientkick 7 \" - ^1Reason: ^2Team^2 killing\"",
                                  "clientkick 12 \" - ^1Reason: ^2^2 Spam\"",
                                  "clientkick 3 \" - ^1Reason: ^2Bad^2 name\"",
                              }));
}

TEST_F(Pump, RulesArePacedWhenMoreThanFourAreLoaded) {
    for (int rules : {6, 4}) {
        RconLink::Hooks hooks;
        hooks.rulesLoaded = [rules] { return rules; };
        app->rcon().setHooks(hooks);
        commandSocket().sent.clear();
        for (int i = 1; i <= rules; ++i)
            app->queue().SendSay("rule " + std::to_string(i) + "|r");
        std::vector<int> sentAtTick;
        for (int t = 1; t <= 2 * rules; ++t) {
            const auto before = commandSocket().sent.size();
            tick();
            if (commandSocket().sent.size() > before) sentAtTick.push_back(t);
        }
        if (rules == 6) {
            EXPECT_EQ(sentAtTick, (std::vector<int>{1, 3, 5, 7, 9, 11}));
        } else {
            EXPECT_EQ(sentAtTick, (std::vector<int>{1, 2, 3, 4}));
        }
        EXPECT_EQ(sentCommands().front(), "say rule 1");
    }
}

TEST_F(Pump, PauseButtonAndRconAllowedHoldTheQueue) {
    EXPECT_EQ(app->rcon().pauseCaption(), "Stop");
    app->rcon().togglePause();
    EXPECT_EQ(app->rcon().pauseCaption(), "Start");
    app->queue().SendSay("held");
    tick(5);
    EXPECT_TRUE(sentCommands().empty());
    app->rcon().togglePause();
    app->linkState().RconAllowed = false; // a match ended
    tick(5);
    EXPECT_TRUE(sentCommands().empty());
    app->linkState().RconAllowed = true;
    tick();
    EXPECT_EQ(sentCommands(), (std::vector<std::string>{"say held"}));
}

TEST_F(Pump, OperatorCommandGoesFirstRawAndSayIsShownAndArchived) {
    app->queue().SendSay("queued");
    app->rcon().operatorCommand("g_password \"x\";map_rotate");
    tick();
    EXPECT_EQ(sentCommands(), (std::vector<std::string>{"g_password \"x\";map_rotate"}));

    commandSocket().sent.clear();
    app->queue().clear();
    app->rcon().operatorSay("");
    app->rcon().operatorSay("hello all");
    tick(2);
    EXPECT_EQ(sentCommands(), (std::vector<std::string>{"say  ", "say  hello all"}));
    const auto& runs = app->chatLog().view().runs();
    ASSERT_GE(runs.size(), 3u);
    EXPECT_EQ(runs[runs.size() - 2].colour, kRed);
    EXPECT_TRUE(runs[runs.size() - 2].bold);
    EXPECT_EQ(runs.back(), (TextRun{"hello all", kBlack, false}));
    EXPECT_EQ(app->chatLog().view().plainText(),
              "-In Game Chat-\r\nConsole: \r\nConsole: hello all");
    const auto archive = splitLines(dir.read("Logs/ChatArchive.txt"));
    ASSERT_EQ(archive.size(), 2u);
    EXPECT_EQ(archive[0], "[2026-12-05 09:18:28] Console: ");
    EXPECT_EQ(archive[1], "[2026-12-05 09:18:28] Console: hello all");
}

TEST_F(Pump, RulesKeywordInTheCommandBoxSendsTheRules) {
    int sent = 0;
    RconLink::Hooks hooks;
    hooks.SendRules = [&] { ++sent; };
    app->rcon().setHooks(hooks);
    app->rcon().operatorCommand("rules");
    EXPECT_EQ(sent, 1);
    EXPECT_TRUE(app->queue().empty());
}

TEST_F(Pump, RepliesAreCleanedShownAndLogged) {
    app->queue().SendSay("x");
    tick();
    commandSocket().receive(reply("test^1 red\x01"));
    EXPECT_FALSE(commandSocket().isOpen()); // closed after its reply
    EXPECT_NE(app->consoleLog().viewText().find(": Command Executed\r\ntest red"),
              std::string::npos);
    EXPECT_NE(dir.read("Logs/Console.txt").find("] Command Executed\r\ntest red\r\n"),
              std::string::npos);
}

TEST_F(Pump, PlaylistReplySetsTheCurrentPlaylistWhenItHoldsTwoDigits) {
    std::vector<int> health;
    RconLink::Hooks hooks;
    hooks.SetMaxHealth = [&](std::int32_t p) { health.push_back(p); };
    app->rcon().setHooks(hooks);
    app->queue().pushBack("Playlist");
    tick();
    commandSocket().receive(reply("\"playlist\" is:\"^712^7\" default:\"^71^7\""));
    EXPECT_EQ(app->linkState().CurrentPlaylist, 12);
    app->queue().pushBack("Playlist");
    tick();
    commandSocket().receive(reply("\"playlist\" is:\"5^7\" default:\"1^7\""));
    EXPECT_EQ(app->linkState().CurrentPlaylist, 12); // one digit: not taken
    EXPECT_EQ(health, (std::vector<int>{12, 12}));
    app->queue().pushBack("foo");
    tick();
    commandSocket().receive(reply("Unknown command \"foo\""));
    EXPECT_EQ(health.size(), 2u);
}

TEST_F(Pump, ReasonPlaceholdersAreExpandedBeforeSending) {
    RconLink::Hooks hooks;
    hooks.reason = [](int n) { return n == 2 ? std::string("No camping") : std::string(); };
    app->rcon().setHooks(hooks);
    app->queue().SendSay("Rule: MSG2");
    app->queue().SendSay("MSG-1 stays");
    app->queue().SendSay("next");
    tick(3);
    EXPECT_EQ(sentCommands(),
              (std::vector<std::string>{"say Rule: No camping", "say MSG-1 stays", "say next"}));
}

TEST_F(Pump, AddressNotAvailableAndOtherErrorsAreReportedAndTheEntryRemoved) {
    app->settings().config.Port = "0";
    app->queue().SendSay("lost");
    app->queue().SendSay("also lost");
    tick();
    commandSocket().failNextSend = NetError{NetError::Kind::Other, "Network is unreachable"};
    app->settings().config.Port = "28960";
    tick();
    const auto log = dir.read("Logs/Server.txt");
    EXPECT_NE(log.find("] Unable to connect to server, check port\r\n"), std::string::npos);
    EXPECT_NE(log.find("] Network is unreachable\r\n"), std::string::npos);
    EXPECT_TRUE(app->queue().empty());
}

TEST_F(Pump, PlayerTextCannotStartASecondCommand) {
    // Hostile names and reasons in every line built from player text.
    for (const std::string& hostile : {std::string("x\";quit;\""), std::string("a;g_password 1")}) {
        seat(6, "G6", hostile);
        app->queue().issuer = {6, "G6", hostile};
        app->queue().SendSay(hostile + " joined");
        app->queue().SendPM("hello " + hostile);
        app->queue().SendPMLong("long hello " + hostile);
        app->queue().List3A("clientkick 6 " + hostile + "\"", 6, "G6");
        app->queue().List3A("tempbanclient 6 " + hostile + "\"", 6, "G6");
        app->rcon().operatorSay(hostile);
    }
    tick(40);
    const auto sent = sentCommands();
    EXPECT_EQ(sent.size(), 12u);
    for (const std::string& line : sent) {
        EXPECT_EQ(line.find(';'), std::string::npos) << line;
        const auto quotes = std::count(line.begin(), line.end(), '"');
        if (line.rfind("clientkick", 0) == 0 || line.rfind("tempbanclient", 0) == 0) {
            EXPECT_EQ(quotes, 2) << line; // only the reason's own pair
            EXPECT_EQ(line.back(), '"') << line;
        } else {
            EXPECT_EQ(quotes, 0) << line;
        }
    }
}
