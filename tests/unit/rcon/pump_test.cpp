#include "rconfixture.h"

#include "core/textfile.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

class Pump : public ::testing::Test, public LinkRig {};

} // namespace

TEST(PumpStartUp, QueuesThePlaylistQueryAndSendsItWithTheExactBytes) {
    RconFixture fresh;
    fresh.fake.loop.advance(525);
    FakeUdp& socket = fresh.commandSocket();
    ASSERT_EQ(socket.sent.size(), 1u);
    EXPECT_EQ(socket.sent[0], std::string("\xFF\xFF\xFF\xFF\0secret Playlist", 20));
    EXPECT_EQ(std::tie(socket.host, socket.port), std::tuple("127.0.0.1", 28960));
    EXPECT_NE(fresh.dir.read("Logs/Console.txt").find("] ]Playlist\r\n"), std::string::npos);
}

TEST_F(Pump, OneLinePerTickInOrderWithItsReasonsExpanded) {
    texts.reasons[2] = "No camping";
    queue.SendSay("Rule: MSG2");
    queue.SendSay("MSG-1 stays");
    queue.SendSay("three");
    tick();
    EXPECT_EQ(sent(), (std::vector<std::string>{"say Rule: No camping"}));
    tick(2);
    EXPECT_EQ(sent(),
              (std::vector<std::string>{"say Rule: No camping", "say MSG-1 stays", "say three"}));
    EXPECT_TRUE(queue.empty());

    link.setPumpInterval(0); // an unusable setting keeps the usual pace
    queue.SendSay("four");
    fake.loop.advance(524);
    EXPECT_EQ(sent().size(), 3u);
    fake.loop.advance(1);
    EXPECT_EQ(sent().back(), "say four");
}

TEST_F(Pump, MessageForAPlayerWhoLeftIsDroppedSilently) {
    seat(5, "OLD", "Leaver");
    queue.List3A("tell 5 ^1PM: you are warned", 5, "OLD");
    queue.SendSay("after");
    seat(5, "NEW", "Newcomer");
    const auto logBefore = dir.read("Logs/Server.txt");
    tick();
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(queue.size(), 1u);
    tick();
    EXPECT_EQ(sent(), (std::vector<std::string>{"say after"}));
    EXPECT_EQ(dir.read("Logs/Server.txt"), logBefore);
}

// Only a line that begins with the command word and a blank is a kick or
// ban: a player named "clientkick 3 x" (in a welcome, a said text, a warning
// or a player list) must never kick slot 3, nor jump the queue.
TEST_F(Pump, OnlyLinesThatBeginWithTheWordAreKicksOrBans) {
    seat(3, "G3", "Victim");
    seat(5, "G5", "clientkick 3 x");
    const struct {
        std::string line;
        bool first;       // goes to the front of the queue
        std::string sent; // empty: the line as queued
    } cases[] = {
        {"Say ^2Welcome ^7clientkick 3 x ^2to Alpha", false, ""},
        {"say ^1Console: clientkick 5 bye", false, ""},
        {"tell 5 ^1PM: ^1You were warned by tempbanclient 3 x", false, ""},
        {"tell 5 ^1PM: banclient 3", false, ""},
        {"xclientkick 3 x\"", false, ""},
        {"clientkick 3 spam\"", true, "clientkick 3 \" - ^1Reason: ^2spam\""},
        {"tempbanclient 3 camping\"", true, "tempbanclient 3 \" - ^1Reason: ^2camping\""},
        {"banclient 3", true, ""},
        // A reason of several words, and a two-digit slot, as the game wants them.
        {"clientkick 3 Team killing\"", true, "clientkick 3 \" - ^1Reason: ^2Team^2 killing\""},
        {"clientkick 12 Spam\"", true, "clientkick 12 \" - ^1Reason: ^2^2 Spam\""},
        {"tempbanclient 12 camping\"", true, "tempbanclient 12 \" - ^1Reason: ^2^2 camping\""},
    };
    for (const auto& c : cases) {
        queue.clear();
        socket().sent.clear();
        queue.SendSay("waiting");
        queue.List3A(c.line, 5, "G5");
        EXPECT_EQ(queue.front().line == c.line, c.first) << c.line;
        tick(2);
        const auto lines = sent();
        ASSERT_EQ(lines.size(), 2u) << c.line;
        EXPECT_EQ(lines[c.first ? 0 : 1], c.sent.empty() ? c.line : c.sent);
    }
    socket().sent.clear();
    queue.pushBack("clientkick 3 Bad name\""); // typed by the operator: bound to nobody
    tick();
    EXPECT_EQ(sent(), std::vector<std::string>{"clientkick 3 \" - ^1Reason: ^2Bad^2 name\""});
}

TEST_F(Pump, RulesArePacedWhenMoreThanFourAreLoaded) {
    const std::pair<int, std::vector<int>> cases[] = {{5, {1, 3, 5, 7, 9}}, {4, {1, 2, 3, 4}}};
    for (const auto& [rules, ticksSent] : cases) {
        texts.rules = rules;
        socket().sent.clear();
        for (int i = 1; i <= rules; ++i)
            queue.SendSay("rule " + std::to_string(i) + "|r");
        std::vector<int> sentAtTick;
        for (int t = 1; t <= 2 * rules; ++t) {
            const auto before = socket().sent.size();
            tick();
            if (socket().sent.size() > before) sentAtTick.push_back(t);
        }
        EXPECT_EQ(sentAtTick, ticksSent) << rules;
        EXPECT_EQ(sent().front(), "say rule 1");
    }
}

TEST_F(Pump, PauseButtonRconAllowedAndTheCriticalErrorHoldTheQueue) {
    EXPECT_EQ(link.pauseCaption(), "Stop");
    link.togglePause();
    EXPECT_EQ(link.pauseCaption(), "Start");
    queue.SendSay("held");
    tick(5);
    link.togglePause();
    state.RconAllowed = false; // a match ended
    tick(5);
    state.RconAllowed = true;
    critical.raise(CriticalSource::Config);
    tick(5);
    EXPECT_TRUE(sent().empty());
    critical.clear(CriticalSource::Config);
    tick();
    EXPECT_EQ(sent(), (std::vector<std::string>{"say held"}));
}

TEST_F(Pump, OperatorCommandGoesFirstRawAndSayIsShownAndArchived) {
    queue.SendSay("queued");
    link.operatorCommand("g_password \"x\";map_rotate");
    tick();
    EXPECT_EQ(sent(), (std::vector<std::string>{"g_password \"x\";map_rotate"}));

    socket().sent.clear();
    queue.clear();
    link.operatorSay("");
    link.operatorSay("hello all");
    tick(2);
    EXPECT_EQ(sent(), (std::vector<std::string>{"say  ", "say  hello all"}));
    const auto& runs = chat.view().runs();
    ASSERT_GE(runs.size(), 3u);
    EXPECT_EQ(runs[runs.size() - 2].colour, kRed);
    EXPECT_TRUE(runs[runs.size() - 2].bold);
    EXPECT_EQ(runs.back(), (TextRun{"hello all", kBlack, false}));
    EXPECT_EQ(chat.view().plainText(), "-In Game Chat-\r\nConsole: \r\nConsole: hello all");
    EXPECT_EQ(splitLines(dir.read("Logs/ChatArchive.txt")),
              (std::vector<std::string>{"[2026-12-05 09:18:28] Console: ",
                                        "[2026-12-05 09:18:28] Console: hello all"}));
}

TEST_F(Pump, RepliesAreCleanedShownAndLogged) {
    int replies = 0;
    const Connection heard = link.replyArrived.connect([&] { ++replies; });
    queue.SendSay("x");
    tick();
    socket().receive(RconFixture::reply("test^1 red\x01"));
    EXPECT_EQ(replies, 1);
    EXPECT_FALSE(socket().isOpen()); // closed after its reply
    EXPECT_NE(console.viewText().find(": Command Executed\r\ntest red"), std::string::npos);
    EXPECT_NE(dir.read("Logs/Console.txt").find("] Command Executed\r\ntest red\r\n"),
              std::string::npos);
}

TEST_F(Pump, PlaylistReplySetsTheCurrentPlaylistWhenItHoldsTwoDigits) {
    std::vector<int> health;
    const Connection listener =
        link.playlistReplied.connect([&](std::int32_t p) { health.push_back(p); });
    for (const char* answer :
         {"\"playlist\" is:\"^712^7\" default:\"^71^7\"", "\"playlist\" is:\"5^7\" default:\"1^7\"",
          "Unknown command \"x\""}) {
        queue.pushBack("Playlist");
        tick();
        socket().receive(RconFixture::reply(answer));
    }
    EXPECT_EQ(state.CurrentPlaylist, 12); // one digit is not taken
    EXPECT_EQ(health, (std::vector<int>{12, 12}));
}

TEST_F(Pump, AddressNotAvailableAndOtherErrorsAreReportedAndTheEntryRemoved) {
    settings.config.Port = "0";
    queue.SendSay("lost");
    queue.SendSay("also lost");
    tick();
    socket().failNextSend = NetError{NetError::Kind::Other, "Network is unreachable"};
    settings.config.Port = "28960";
    tick();
    const auto written = dir.read("Logs/Server.txt");
    EXPECT_NE(written.find("] Unable to connect to server, check port\r\n"), std::string::npos);
    EXPECT_NE(written.find("] Network is unreachable\r\n"), std::string::npos);
    EXPECT_TRUE(queue.empty());
}

TEST_F(Pump, PlayerTextCannotStartASecondCommand) {
    // Hostile names and reasons in every line built from player text.
    for (const std::string& hostile : {std::string("x\";quit;\""), std::string("a;g_password 1")}) {
        seat(6, "G6", hostile);
        const CommandIssuer issuer{6, "G6", hostile};
        queue.SendSay(hostile + " joined");
        queue.SendPM(issuer, "hello " + hostile);
        queue.SendPMLong(issuer, "long hello " + hostile);
        queue.List3A("clientkick 6 " + hostile + "\"", 6, "G6");
        queue.List3A("tempbanclient 6 " + hostile + "\"", 6, "G6");
        link.operatorSay(hostile);
    }
    tick(40);
    const auto lines = sent();
    EXPECT_EQ(lines.size(), 12u);
    for (const std::string& line : lines) {
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

// A host name in Config.txt is looked up once, when the configuration is
// read, without blocking; the datagrams go to the address found.
TEST_F(Pump, AHostNameIsLookedUpWhenTheConfigurationIsRead) {
    auto configure = [this](const std::string& host) {
        std::string config = dir.read("Data/Config.txt");
        const std::size_t ip = config.find("\r\n", config.find("\r\n") + 2) + 2;
        config.replace(ip, config.find("\r\n", ip) - ip, host);
        dir.write("Data/Config.txt", config);
        settings.InputConfig();
    };
    fake.net.hosts["game.example.net"] = "192.0.2.7";
    const int lookups = fake.net.lookups;
    configure("game.example.net");
    queue.SendSay("one");
    queue.SendSay("two");
    tick(2);
    EXPECT_EQ(sent(), (std::vector<std::string>{"say one", "say two"}));
    EXPECT_EQ(socket().host, "192.0.2.7");
    EXPECT_EQ(fake.net.lookups, lookups + 1);

    // A name nobody knows: said once, nothing sent and nothing lost; it is
    // tried again until it is found.
    configure("lost.example.net");
    queue.SendSay("three");
    const int tried = fake.net.lookups;
    fake.loop.advance(29999);
    EXPECT_EQ(fake.net.lookups, tried);
    fake.loop.advance(1); // tried again every 30 s
    EXPECT_EQ(fake.net.lookups, tried + 1);
    fake.loop.advance(ServerAddress::kRetryMs + 1000);
    EXPECT_EQ(sent().size(), 2u);
    EXPECT_EQ(queue.size(), 1u);
    const std::string failure =
        "] Unable to find the game server lost.example.net: Host lost.example.net not found";
    const std::string activity = dir.read("Logs/Server.txt");
    EXPECT_EQ(activity.find(failure), activity.rfind(failure));
    EXPECT_NE(activity.find(failure), std::string::npos);
    fake.net.hosts["lost.example.net"] = "192.0.2.8";
    fake.loop.advance(ServerAddress::kRetryMs + 525);
    EXPECT_EQ(sent().back(), "say three");
    EXPECT_EQ(socket().host, "192.0.2.8");
    const int found = fake.net.lookups;
    fake.loop.advance(3 * ServerAddress::kRetryMs); // found: no more lookups
    EXPECT_EQ(fake.net.lookups, found);

    // The answer for a name replaced before it came is ignored.
    configure("game.example.net");
    configure("192.0.2.9");
    queue.SendSay("four");
    tick(2);
    EXPECT_EQ(sent().back(), "say four");
    EXPECT_EQ(socket().host, "192.0.2.9");
}
