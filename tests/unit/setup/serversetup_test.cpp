// The wizard's test step by step on fake sockets and virtual time.

#include "core/buildversion.h"
#include "core/gametext.h"
#include "setuprig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

using StatusLines = std::vector<std::pair<std::string, Colour>>;
using Texts = std::vector<std::string>;

const std::string kRequest = "GET /alpha/games_mp.log HTTP/1.1\r\nHost: logs.example.net\r\n"
                             "Range: bytes=-15000 \r\nUser-Agent: Corvane Mod " +
                             std::string(kBuildVersion) + "\r\n\r\n";

// A rig whose test has begun: the boxes filled, "Save" pressed.
struct Started : SetupRig {
    explicit Started(bool firstRun = true) : SetupRig(firstRun) {
        fill();
        save();
    }
};

// The boxes filled with one value changed, then "Save" pressed.
void saveWith(SetupRig& rig, std::string SetupFields::*field, const std::string& value) {
    rig.fill();
    rig.setup->fields.*field = value;
    rig.save();
}

} // namespace

TEST(ServerSetup, PassingTestRunsTheStepsInOrderAndSavesWhatItLearned) {
    Started rig;
    EXPECT_EQ(rig.setup->mainButtonText(), "Cancel");
    EXPECT_TRUE(rig.setup->busy());
    EXPECT_EQ(rig.udp().host, "127.0.0.1");
    EXPECT_EQ(rig.udp().port, 28960);

    // Each command goes out 600 ms after the last answer, on a reopened socket.
    rig.reply(serverinfo());
    rig.fake.loop.advance(599);
    EXPECT_EQ(rig.commands().size(), 1u);
    EXPECT_FALSE(rig.udp().isOpen());
    rig.fake.loop.advance(1);
    EXPECT_EQ(rig.commands().size(), 2u);
    rig.reply("\x01" + exclusionAnswer("mp_nuked"));
    const std::string replies = rig.setup->replyLog().plainText();
    EXPECT_NE(replies.find(": print;Server info settings:;sv_maxclients "), std::string::npos);
    EXPECT_NE(replies.find(": print;\"playlist_excludeMap\" is: \"mp_nuked\" default: \"\";"),
              std::string::npos);
    rig.fake.loop.advance(600);
    rig.reply("");
    rig.fake.loop.advance(600);
    rig.reply("");
    EXPECT_EQ(rig.commands(), (Texts{"serverinfo", "playlist_excludeMap", "g_logSync 1",
                                     "g_logTimeStampInSeconds 0"}));
    EXPECT_EQ(rig.udp().openCount, 4);

    EXPECT_TRUE(rig.tcp().sent.empty()); // the request waits for the connection
    rig.answerLog();
    EXPECT_EQ(rig.tcp().sent, kRequest);
    EXPECT_EQ(rig.setup->exchange().substr(0, kRequest.size() + 17),
              kRequest + "HTTP/1.1 200 OK\r\n");

    EXPECT_EQ(rig.statusLines(), (StatusLines{{"Testing Connection...", kBlack},
                                              {"Connected to RCON... Sending Password", kBlack},
                                              {"RCON Login Success!", kBlue},
                                              {"Server Name: Alpha Host", kBlack},
                                              {"Checking Log Sync on server...", kBlack},
                                              {"Checking Log timestamp...", kBlack},
                                              {"Server Information Saved!", kBlue},
                                              {"Checking Logs URL...", kBlack},
                                              {"Configuration complete!", kBlue}}));
    EXPECT_EQ(rig.setup->mainButtonText(), "Continue");
    EXPECT_FALSE(rig.setup->busy());
    EXPECT_EQ(rig.configFile(), "Alpha\r\n28960\r\n127.0.0.1\r\nsecret\r\n" + kLogUrl +
                                    "\r\n 18\r\nAlpha Host\r\nmp_nuked\r\n");
    EXPECT_TRUE(rig.fake.prompts.asked.empty());

    bool continuedFirstRun = false;
    const Connection heard =
        rig.setup->continued.connect([&](bool first) { continuedFirstRun = first; });
    Texts captions; // the window's, each time it is told
    const Connection shown =
        rig.setup->stateChanged.connect([&] { captions.push_back(rig.setup->caption()); });
    rig.setup->pressMainButton();
    EXPECT_EQ(captions, (Texts{"Corvane Mod - Server Creation", "Corvane Mod - Server Settings"}));
    EXPECT_EQ(rig.applied, std::vector<bool>{true});
    EXPECT_TRUE(continuedFirstRun);
    EXPECT_TRUE(rig.setup->hidden());
    EXPECT_FALSE(rig.setup->close()); // no longer a first run: closing ends nothing
}

// A refused test ends at once, saves nothing and later says nothing more.
TEST(ServerSetup, ServerInfoDecidesWhetherTheTestGoesOn) {
    struct Case {
        std::string info;
        std::string title, box; // no box: the test goes on
        bool rankedWarning;
    };
    const std::string rconError = "An error was detecting while connecting to RCON!";
    const Case cases[] = {
        {"Invalid password.\n", "Error", "Invalid RCON Password!", false},
        {serverinfo("18", "Alpha Host", std::nullopt), "", rconError, false},
        {serverinfo("18", "Alpha Host", ""), "", rconError, false},
        {serverinfo("18", "Alpha Host", "1"), "", "", true},
        {serverinfo("8"), "", "", false},
        {serverinfo("50"), "", "", false},
        {serverinfo("64"), "Error",
         "The server reports 64 client slots; Corvane Mod handles 1 to 50.", false},
        {serverinfo("0"), "Error",
         "The server reports 0 client slots; Corvane Mod handles 1 to 50.", false},
        {"Unknown command \"serverinfo\"\n", "", rconError, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.info);
        Started rig;
        rig.reply(c.info);
        EXPECT_EQ(rig.setup->mainButtonText(), c.box.empty() ? "Cancel" : "Save");
        EXPECT_EQ(rig.hasStatus("Warning this mod has only been tested on ranked servers!", kRed),
                  c.rankedWarning);
        rig.fake.loop.advance(c.box.empty() ? 600 : 20000);
        EXPECT_EQ(rig.commands().size(), c.box.empty() ? 2u : 1u);
        ASSERT_EQ(rig.boxTexts(), c.box.empty() ? Texts{} : Texts{c.box});
        if (c.box.empty()) continue;
        EXPECT_EQ(rig.fake.prompts.asked[0].title, c.title);
        EXPECT_EQ(rig.fake.prompts.asked[0].icon, MessageIcon::Critical);
        EXPECT_FALSE(rig.udp().isOpen());
        EXPECT_EQ(rig.configFile(), "FIRST\r\n");
    }
}

// Editing a server, its stored default stands against a list forcing all maps but one.
TEST(ServerSetup, DefaultExcludedMapIsTheQuotedValueWhenItBeginsWithMp) {
    const std::string forced = forcedExclusion();
    const struct {
        std::string answer;
        bool firstRun;
        std::string expected;
    } cases[] = {
        {exclusionAnswer("mp_nuked"), true, "mp_nuked"},
        {exclusionAnswer("mp_nuked mp_array"), true, "mp_nuked mp_array"},
        {exclusionAnswer(""), true, ""},
        {exclusionAnswer("nuked"), true, ""},
        {exclusionAnswer("mp_a,mp_b"), true, "mp_a,mp_b"},
        {exclusionAnswer("mp_a;quit"), true, "mp_a:quit"}, // it goes back into a console line
        // Found after "is:", wherever that stands.
        {"\"playlist_excludeMap\" is:\"mp_havoc^7\" default:\"^7\"\n", true, "mp_havoc"},
        {"Unknown command \"playlist_excludeMap\"\n", true, ""},
        {exclusionAnswer(forced), true, trimBlanks(forced)},
        {exclusionAnswer(forced), false, "mp_nuked"},
        {exclusionAnswer("mp_array mp_cracked"), false, "mp_array mp_cracked"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        Started rig(c.firstRun);
        rig.answerRconSteps(serverinfo(), c.answer);
        rig.answerLog();
        EXPECT_EQ(rig.setup->learned().ExcludedMap, c.expected);
        int shown = 0;
        const Connection heard = rig.setup->stateChanged.connect([&] { ++shown; });
        rig.setup->InputConfig(); // the boxes show the file again
        EXPECT_EQ(shown, 1);
    }
}

TEST(ServerSetup, LateAnswerBelongsToTheStepItAnswers) {
    Started rig;
    rig.reply(serverinfo("18", "First Answer"));
    rig.fake.loop.advance(600);
    // A duplicated serverinfo datagram is no answer to the exclusion query.
    rig.reply(serverinfo("18", "Second Answer"));
    rig.fake.loop.advance(600);
    EXPECT_EQ(rig.commands().size(), 2u);
    rig.reply(exclusionAnswer("mp_crisis"));
    rig.fake.loop.advance(600);
    rig.reply(exclusionAnswer("mp_crisis")); // late again: not the log-sync answer
    rig.fake.loop.advance(600);
    EXPECT_EQ(rig.commands().size(), 3u);
    rig.reply("");
    rig.fake.loop.advance(600);
    rig.reply("");
    rig.answerLog();
    EXPECT_EQ(rig.setup->learned().ExcludedMap, "mp_crisis");
    EXPECT_EQ(rig.setup->learned().HostName, "First Answer");
    EXPECT_EQ(rig.setup->mainButtonText(), "Continue");
}

TEST(ServerSetup, LogAddressMustBeOnTheProvidersHost) {
    struct Case {
        std::string logHost;
        std::string url;
        std::string hostHeader; // empty: refused
        std::uint16_t port;
    };
    const Case cases[] = {
        {"", kLogUrl, "logs.example.net", 80},
        {"", "ftp://logs.example.net/x.log", "", 0},
        {"http://logs.provider.net", "http://logs.provider.net/a/x.log", "logs.provider.net", 80},
        {"http://logs.provider.net:81", "http://logs.provider.net:81/x.log", "logs.provider.net:81",
         81},
        {"http://logs.provider.net", "http://elsewhere.net/x.log", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.logHost + " " + c.url);
        SetupRig rig;
        setAdvanced(rig.dir, "LogHost", c.logHost);
        saveWith(rig, &SetupFields::LogURL, c.url);
        if (c.hostHeader.empty()) {
            EXPECT_EQ(rig.boxTexts(), Texts{"Check GameServer Log URL!"});
            EXPECT_EQ(rig.fake.prompts.asked[0].title, "Invalid URL");
            EXPECT_EQ(rig.udp().openCount, 0);
            EXPECT_EQ(rig.setup->mainButtonText(), "Save");
            continue;
        }
        rig.answerRconSteps();
        EXPECT_EQ(c.hostHeader.rfind(rig.tcp().host, 0), 0u);
        EXPECT_EQ(rig.tcp().port, c.port);
        rig.answerLog();
        EXPECT_NE(rig.tcp().sent.find("\r\nHost: " + c.hostHeader + "\r\n"), std::string::npos);
        EXPECT_EQ(rig.setup->mainButtonText(), "Continue");
    }
}

TEST(ServerSetup, TypedValuesTheFileCannotCarryAreRefusedBeforeAnythingIsSent) {
    const std::pair<std::string SetupFields::*, std::string> cases[] = {
        {&SetupFields::ServerName, "Al\"pha"},    {&SetupFields::ServerName, " Alpha"},
        {&SetupFields::RconPassword, "\tsecret"}, {&SetupFields::IP, "127.0.0.1\""},
        {&SetupFields::LogURL, kLogUrl + "\""},
    };
    for (const auto& [field, value] : cases) {
        SCOPED_TRACE(value);
        SetupRig rig;
        saveWith(rig, field, value);
        ASSERT_EQ(rig.fake.prompts.asked.size(), 1u);
        EXPECT_EQ(rig.fake.prompts.asked[0].title, "Invalid value");
        EXPECT_TRUE(rig.udp().sent.empty());
    }
    SetupRig rig; // an empty name starts nothing and says nothing
    rig.fill("");
    rig.save();
    EXPECT_TRUE(rig.fake.prompts.asked.empty());
    EXPECT_TRUE(rig.udp().sent.empty());
}

TEST(ServerSetup, LogAnswerPassesOrFailsWithItsOwnLine) {
    struct Case {
        Texts pieces;
        bool close;
        std::string failure; // empty: passed
    };
    const std::string waitPage =
        "HTTP/1.1 403\r\nContent-Type: text/html\r\nContent-Length: 128\r\nConnection: "
        "close\r\n\r\n<html><head><title>403 Forbidden</title></head><body><p>Please wait 9 "
        "seconds before requesting the log again.</p></body></html>";
    const std::string badRequest = "<html>\r\n<head><title>400 Bad Request</title></head>\r\n"
                                   "<body>\r\n</body>\r\n</html>\r\n";
    const Case cases[] = {
        {{kChunkedLog}, false, ""},
        {{"HTT", "P/1.1 200 OK\r\n"}, false, ""}, // judged once the status line is whole
        {{"HTTP/1.1 200 OK\r"}, false, ""},       // a lone CR ends the line too
        {{"HTTP/1.1 200 OK"}, false, "Log URL problem - HTTP/1.1 200 OKHTTP/1.1 500 Late"},
        {{"HTTP/1.1 206 Partial Content\r\nContent-Length: 3\r\n\r\nabc"}, false, ""},
        {{waitPage}, true, ""},
        {{"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"},
         false,
         "Invalid GameServer URL - please fix!"},
        {{badRequest}, true, "Invalid GameServer URL - Error 400 (Bad Request)"},
        {{"HTTP/1.1 503 Service Temporarily Unavailable\r\nContent-Length: 0\r\n\r\n"},
         false,
         "Log URL problem - HTTP/1.1 503 Service Temporarily Unavailable"},
        {{"HTTP/1.1 403\r\nContent-Length: 2\r\n\r\nno"}, false, "Log URL problem - HTTP/1.1 403"},
        {{}, true, "Log URL problem - "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pieces.empty() ? "closed" : c.pieces[0]);
        Started rig;
        rig.answerRconSteps();
        rig.tcp().acceptConnection();
        for (const std::string& piece : c.pieces)
            rig.tcp().feed(piece);
        if (c.close) rig.tcp().peerClose();
        rig.tcp().feed("HTTP/1.1 500 Late\r\n\r\n"); // after the verdict: ignored
        if (c.failure.empty()) {
            EXPECT_EQ(rig.setup->mainButtonText(), "Continue");
            EXPECT_EQ(rig.tcp().state(), TcpStream::State::Closed);
            EXPECT_TRUE(rig.fake.prompts.asked.empty());
            continue;
        }
        EXPECT_EQ(rig.boxTexts(), Texts{"Invalid GameServer Log URL!"});
        EXPECT_TRUE(rig.hasStatus(c.failure, kRed));
        EXPECT_EQ(rig.setup->mainButtonText(), "Save");
        EXPECT_EQ(rig.tcp().state(), TcpStream::State::Closed);
        EXPECT_EQ(rig.configFile(), "FIRST\r\n");
    }
}

TEST(ServerSetup, NothingMoreHappensWhileAFailureIsShown) {
    Started rig;
    rig.fake.prompts.whileShown = [&] { rig.fake.loop.advance(ServerSetup::kTimeoutMs); };
    rig.reply("Invalid password.\n");
    EXPECT_EQ(rig.boxTexts(), Texts{"Invalid RCON Password!"});
}

TEST(ServerSetup, TheLogExchangeShownStopsAt64KiB) {
    Started rig;
    rig.answerRconSteps();
    // A refusal is judged only at its end, and every bare line end in it
    // becomes CR LF on the way in.
    rig.answerLog("HTTP/1.1 403 Forbidden\r\n\r\n" + std::string(40000, '\n'));
    rig.tcp().feed(std::string(1000, '\n'));
    EXPECT_EQ(rig.setup->exchange().size(), 65536u);
}

TEST(ServerSetup, CancelClosesBothSocketsAndNothingFollows) {
    Started rig;
    rig.reply(serverinfo());
    rig.setup->pressMainButton(); // "Cancel" while the next command waits
    EXPECT_EQ(rig.setup->mainButtonText(), "Save");
    EXPECT_FALSE(rig.setup->statusVisible());
    EXPECT_FALSE(rig.udp().isOpen());
    rig.fake.loop.advance(30000);
    EXPECT_EQ(rig.commands().size(), 1u);
    EXPECT_TRUE(rig.fake.prompts.asked.empty());

    rig.save(); // a second test, cancelled during the log fetch
    rig.answerRconSteps();
    rig.tcp().acceptConnection();
    rig.setup->pressMainButton();
    EXPECT_EQ(rig.tcp().state(), TcpStream::State::Closed);
    EXPECT_FALSE(rig.udp().isOpen());
    rig.tcp().feed(kChunkedLog);
    EXPECT_EQ(rig.setup->mainButtonText(), "Save");
    EXPECT_EQ(rig.configFile(), "FIRST\r\n");
}

TEST(ServerSetup, EveryWaitEndsAfterFifteenSeconds) {
    // Stages: no answer to serverinfo, to the exclusion query, to g_logSync,
    // to g_logTimeStampInSeconds; the log host never connects; its reply stops
    // halfway (each piece restarts the wait).
    const std::string answers[] = {serverinfo(), exclusionAnswer("mp_nuked"), "", ""};
    for (int stage = 0; stage <= 5; ++stage) {
        SCOPED_TRACE(stage);
        Started rig;
        for (int i = 0; i < stage && i < 4; ++i) {
            rig.reply(answers[i]);
            if (i < 3) rig.fake.loop.advance(ServerSetup::kStepDelayMs);
        }
        if (stage == 5) {
            rig.tcp().acceptConnection();
            rig.fake.loop.advance(10000);
            rig.tcp().feed("HTTP/1.1 403\r\n");
        }
        rig.fake.loop.advance(14999); // each wait is 15 seconds
        EXPECT_TRUE(rig.fake.prompts.asked.empty());
        rig.fake.loop.advance(1);
        EXPECT_TRUE(rig.hasStatus("Error timeout!", kBlack));
        EXPECT_EQ(rig.boxTexts(),
                  Texts{"Error connecting - please check server info or network connection!"});
        EXPECT_EQ(rig.setup->mainButtonText(), "Save");
        EXPECT_FALSE(rig.udp().isOpen());
        EXPECT_EQ(rig.tcp().state(), TcpStream::State::Closed);
    }
}

TEST(ServerSetup, SendErrorsEndTheTest) {
    SetupRig rig;
    for (const char* port : {"port", "0", "1"}) {
        saveWith(rig, &SetupFields::Port, port);
        EXPECT_EQ(rig.setup->mainButtonText(), port == std::string("1") ? "Cancel" : "Save");
    }
    EXPECT_EQ(rig.boxTexts(), Texts(2, "Error Connecting to RCON - check server info"));
    EXPECT_EQ(rig.udp().port, 1);
    rig.setup->pressMainButton(); // "Cancel"

    rig.fill();
    rig.save();
    rig.reply(serverinfo());
    rig.udp().failNextOpen = NetError{NetError::Kind::Other, "down"};
    rig.fake.loop.advance(600);
    ASSERT_EQ(rig.fake.prompts.asked.size(), 3u);
    EXPECT_EQ(rig.fake.prompts.asked[2].title, "Error!");
    EXPECT_EQ(rig.fake.prompts.asked[2].text, "Connection Error - Try again!");
    EXPECT_EQ(rig.setup->mainButtonText(), "Save");
    EXPECT_FALSE(rig.setup->statusVisible());
    rig.fake.loop.advance(20000);
    EXPECT_EQ(rig.fake.prompts.asked.size(), 3u);

    rig.save(); // the log host refuses
    rig.answerRconSteps();
    rig.tcp().raiseError(NetError{NetError::Kind::ConnectionRefused, "Connection refused"});
    EXPECT_EQ(rig.fake.prompts.asked.back().text, "Connection refused");
    EXPECT_EQ(rig.setup->mainButtonText(), "Save");
}

TEST(ServerSetup, PasswordGoesOutAsTypedAndQuotesLeaveTheHostName) {
    SetupRig rig;
    rig.setup->fields = SetupFields{"Alpha, Bravo", "127.0.0.1", "28960", "pass,word ", kLogUrl};
    rig.save();
    EXPECT_EQ(rig.udp().sent.at(0), std::string("\xFF\xFF\xFF\xFF\0", 5) + "pass,word  serverinfo");
    rig.answerRconSteps(serverinfo("18", "Big, \"Bad\" Host"));
    rig.answerLog();
    ServerConfig back;
    readServerConfig(rig.configFile(), back);
    EXPECT_EQ(back.ServerName, "Alpha, Bravo");
    EXPECT_EQ(back.RconPassword, "pass,word ");
    EXPECT_EQ(back.HostName, "Big, 'Bad' Host");
}

TEST(ServerSetup, FailedSaveIsNoSuccess) {
    SetupRig rig;
    std::filesystem::remove(rig.dir.file("Data/Config.txt"));
    std::filesystem::create_directory(rig.dir.file("Data/Config.txt"));
    rig.passTest();
    EXPECT_TRUE(rig.hasStatus("Error saving config.txt!", kRed));
    EXPECT_FALSE(rig.hasStatus("Configuration complete!", kBlue));
    EXPECT_EQ(rig.setup->mainButtonText(), "Save");
    EXPECT_EQ(rig.fake.prompts.asked.size(), 1u);
}

// A host name is looked up without blocking before the login goes out; a
// name nobody knows ends the test like a refused login.
TEST(ServerSetup, HostNameIsLookedUpBeforeTheLogin) {
    for (const bool known : {true, false}) {
        SCOPED_TRACE(known);
        SetupRig rig;
        rig.fake.net.hosts["game.example.net"] = "127.0.0.9";
        saveWith(rig, &SetupFields::IP, known ? "game.example.net" : "nowhere.example.net");
        EXPECT_TRUE(rig.commands().empty()); // the answer comes on the loop
        rig.fake.loop.advance(1);
        EXPECT_EQ(rig.commands(), known ? Texts{"serverinfo"} : Texts{});
        EXPECT_EQ(rig.udp().host, known ? "127.0.0.9" : "");
        EXPECT_EQ(rig.boxTexts(),
                  known ? Texts{} : Texts{"Error Connecting to RCON - check server info"});
    }
    SetupRig rig; // the answer to a cancelled test's lookup starts nothing
    rig.fake.net.hosts["game.example.net"] = "127.0.0.9";
    saveWith(rig, &SetupFields::IP, "game.example.net");
    rig.setup->pressMainButton(); // "Cancel"
    rig.fake.loop.advance(1);
    EXPECT_TRUE(rig.commands().empty());
}
