#include "core/buildversion.h"
#include "logfeedrig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

using Lines = std::vector<std::string>;

class LogFetcherTest : public ::testing::Test {
protected:
    LogFeedRig rig;

    // The first fetch after start-up: primes the parser.
    void prime(const Lines& lines) { rig.fetchLog(lines); }

    std::string chatText() const { return rig.chat.view().plainText(); }
};

const std::string kGuid = "0110000100000001";

} // namespace

TEST_F(LogFetcherTest, SendsTheRangeRequestToTheLogHost) {
    FakeTcp& tcp = rig.connect();
    EXPECT_EQ(tcp.host, "logs.example.net");
    EXPECT_EQ(tcp.port, 80);
    EXPECT_EQ(tcp.sent, "GET /alpha/games_mp.log HTTP/1.1\r\n"
                        "Host: logs.example.net\r\n"
                        "Range: bytes=-10000 \r\n"
                        "User-Agent: Corvane Mod " +
                            std::string(kBuildVersion) +
                            "\r\n"
                            "\r\n");
    EXPECT_TRUE(rig.fetcher.LogConnected());
}

TEST_F(LogFetcherTest, ConfiguredLogHostWithPortGoesIntoTheHostHeader) {
    rig.settings.advanced.LogHost = "http://127.0.0.1:8088";
    rig.settings.config.LogURL = "http://127.0.0.1:8088/alpha/games_mp.log";
    FakeTcp& tcp = rig.connect();
    EXPECT_EQ(tcp.host, "127.0.0.1");
    EXPECT_EQ(tcp.port, 8088);
    EXPECT_TRUE(tcp.sent.starts_with("GET /alpha/games_mp.log HTTP/1.1\r\n"
                                     "Host: 127.0.0.1:8088\r\n"));
}

TEST_F(LogFetcherTest, UnusableLogUrlIsReportedWithoutConnecting) {
    rig.settings.config.LogURL = "ftp://elsewhere/log";
    rig.fetcher.Command1_Click();
    EXPECT_EQ(rig.fake.net.tcp("log").connectCount, 0);
    EXPECT_EQ(rig.logged(), Lines{"Log URL problem - ftp://elsewhere/log"});
    rig.fake.loop.advance(LogFetcher::kConnectTimeoutMs);
    EXPECT_FALSE(rig.fetcher.LogLost());
}

TEST_F(LogFetcherTest, FirstFetchPrimesAndRunsNothing) {
    prime({joinLine("1:00", kGuid, 3, "Bob"), sayLine("1:05", kGuid, 3, "Bob", "!kick al spam"),
           sayLine("1:06", kGuid, 3, "Bob", "old chat")});
    EXPECT_EQ(rig.count("command !kick al spam"), 0u);
    EXPECT_EQ(chatText(), kChatHeading);
    EXPECT_TRUE(rig.slots[3].SlotName.empty());
    EXPECT_EQ(rig.fetcher.LogAnchor(), sayLine("1:06", kGuid, 3, "Bob", "old chat").substr(2));
    EXPECT_EQ(rig.logged(), Lines{"You can now send commands"});
    EXPECT_TRUE(rig.parser.FirstBatchDone());
}

TEST_F(LogFetcherTest, OverlappingRepliesHandOverOnlyTheLinesAfterTheAnchor) {
    const Lines first{joinLine("1:00", kGuid, 3, "Bob"), sayLine("1:01", kGuid, 3, "Bob", "one"),
                      sayLine("1:02", kGuid, 3, "Bob", "two")};
    prime(first);
    Lines second = first;
    second.push_back(sayLine("1:03", kGuid, 3, "Bob", "three"));
    second.push_back(sayLine("1:04", kGuid, 3, "Bob", "!rules"));
    rig.fetchLog(second);
    EXPECT_EQ(rig.fetcher.NewLines(), (Lines{second[3], second[4]}));
    EXPECT_EQ(rig.count("command !rules"), 1u);
    const std::string text = chatText();
    EXPECT_EQ(text.find("one"), std::string::npos);
    EXPECT_NE(text.find("Bob: three"), std::string::npos);
}

TEST_F(LogFetcherTest, LogLineCutAcrossTwoChunksArrivesWhole) {
    prime({joinLine("1:00", kGuid, 3, "Bob")});
    const std::string command = sayLine("1:05", kGuid, 3, "Bob", "!kick alice spamming");
    const std::string body = logText({joinLine("1:00", kGuid, 3, "Bob"), command});
    // Chunks of 30 bytes cut the command line, and feeding byte by byte cuts
    // the chunk-size lines too.
    rig.fetch(chunkedReply(body, 30), 1);
    EXPECT_EQ(rig.fetcher.NewLines(), Lines{command});
    EXPECT_EQ(rig.count("command !kick alice spamming"), 1u);
    EXPECT_TRUE(chatText().ends_with("Bob: !kick alice spamming"));
}

TEST_F(LogFetcherTest, PartialRangeReplyWorksAndItsFirstLineFragmentIsDropped) {
    prime({});
    const std::string line = sayLine("2:00", kGuid, 3, "Bob", "!uptime");
    std::string body = "fragment;" + std::string(9000, 'x') + "\n" + logText({line});
    body = std::string(10000 - body.size(), 'y') + body; // the tail of a longer log
    const std::string reply = "HTTP/1.1 206 Partial Content\r\n"
                              "Content-Range: bytes 40000-49999/50000\r\n"
                              "Content-Length: 10000\r\n\r\n" +
                              body;
    rig.fetch(reply, 1000);
    EXPECT_EQ(rig.fetcher.NewLines(), Lines{line});
    EXPECT_EQ(rig.count("command !uptime"), 1u);
}

TEST_F(LogFetcherTest, UnfinishedLastLineWaitsForTheNextReply) {
    prime({joinLine("1:00", kGuid, 3, "Bob")});
    const std::string whole = sayLine("1:05", kGuid, 3, "Bob", "!kick alice");
    rig.fetch(chunkedReply(logText({joinLine("1:00", kGuid, 3, "Bob")}) + whole.substr(0, 30)));
    EXPECT_TRUE(rig.fetcher.NewLines().empty());
    rig.fetchLog({joinLine("1:00", kGuid, 3, "Bob"), whole});
    EXPECT_EQ(rig.fetcher.NewLines(), Lines{whole});
    EXPECT_EQ(rig.count("command !kick alice"), 1u);
}

TEST_F(LogFetcherTest, BodyEndedByTheConnectionIsParsedWhenTheHostCloses) {
    prime({});
    const std::string line = joinLine("3:00", kGuid, 4, "Cid");
    FakeTcp& tcp = rig.connect();
    tcp.feed("HTTP/1.0 200 OK\r\n\r\n" + logText({line}));
    EXPECT_TRUE(rig.slots[4].SlotName.empty());
    tcp.peerClose();
    EXPECT_EQ(rig.slots[4].SlotName, "Cid");
    EXPECT_FALSE(rig.fetcher.LogConnected());
    EXPECT_EQ(tcp.state(), TcpStream::State::Closed);
}

TEST_F(LogFetcherTest, ForbiddenWaitAnswerSetsTheNextInterval) {
    const struct {
        std::string page;
        std::int16_t target;
    } cases[] = {{"Too many requests, please wait 9 seconds.", 9},
                 {"Too many requests, please WAIT 15 seconds.", 1}};
    for (const auto& c : cases) {
        rig.fetch("HTTP/1.1 403\r\nContent-Length: " + std::to_string(c.page.size()) + "\r\n\r\n" +
                      c.page,
                  7);
        EXPECT_EQ(rig.fetcher.RefreshTarget(), c.target) << c.page;
    }
    EXPECT_TRUE(rig.logged().empty());
}

TEST_F(LogFetcherTest, ForbiddenWithoutWaitIsAUrlProblem) {
    rig.fetch("HTTP/1.1 403 Forbidden\r\nContent-Length: 9\r\n\r\nForbidden");
    EXPECT_EQ(rig.logged(), Lines{"Log URL problem - HTTP/1.1 403 Forbidden"});
    EXPECT_EQ(rig.fetcher.RefreshTarget(), 10);
}

TEST_F(LogFetcherTest, NotFoundWarnsOnceHoweverManyPiecesArrive) {
    const std::string page(600, 'n');
    rig.fetch("HTTP/1.1 404 Not Found\r\nContent-Length: 600\r\n\r\n" + page, 1);
    EXPECT_EQ(rig.logged(), Lines{"Invalid GameServer URL - please fix!"});
    rig.fetch("HTTP/1.1 404 Not Found\r\nContent-Length: 600\r\n\r\n" + page, 50);
    EXPECT_EQ(rig.logged().size(), 2u); // once per fetch
}

TEST_F(LogFetcherTest, OtherAnswersAreReportedOncePerFetch) {
    rig.fetch("HTTP/1.1 500 Internal Server Error\r\nContent-Length: 3\r\n\r\nbad", 2);
    rig.fetch("<html>\r\n<head><title>400 Bad Request</title></head>\r\n<body>x</body>", 4);
    rig.fake.net.tcp("log").peerClose();
    rig.fetch("Gateway broke\r\n", 3);
    rig.fake.net.tcp("log").peerClose();
    rig.fetch("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n");
    EXPECT_EQ(rig.logged(),
              (Lines{"Log URL problem - HTTP/1.1 500 Internal Server Error",
                     "Invalid GameServer URL - Error 400 (Bad Request)",
                     "Log URL problem - Gateway broke",
                     "Log URL problem - HTTP/1.1 200 OK - a chunk size cannot be read"}));
}

TEST_F(LogFetcherTest, RestartIsDetectedWhenTheStampFallsBelowFiveMinutes) {
    const struct {
        std::string before;
        std::string after;
        bool restart;
    } cases[] = {{"45:03", "2:10", true}, {"1:55", "2:10", false}, {"45:03", "7:00", false}};
    for (const auto& c : cases) {
        LogFeedRig fresh;
        fresh.fetchLog({sayLine(c.before, kGuid, 3, "Bob", "gg all of you")});
        EXPECT_EQ(fresh.fetcher.LogStamp(), c.before);
        fresh.fetchLog({joinLine(c.after, kGuid, 3, "Bob")});
        const Lines logged = fresh.logged();
        const bool restartLogged =
            logged.back() == "Server crash/restart detected - 2026-12-05 09:18:28";
        EXPECT_EQ(restartLogged, c.restart) << c.before << " -> " << c.after;
        EXPECT_EQ(static_cast<int>(fresh.count("restartDetected")), c.restart ? 1 : 0);
        EXPECT_EQ(!fresh.queue.empty() && fresh.queue.front().line == "Playlist", c.restart);
        EXPECT_EQ(fresh.fetcher.LogMinutes(), std::stoi(c.after));
        EXPECT_EQ(fresh.fetcher.LogStamp(), c.restart ? "" : c.before);
    }
}

TEST_F(LogFetcherTest, RestartPlaylistQueryGoesBeforeWaitingLines) {
    rig.fetchLog({sayLine("45:03", kGuid, 3, "Bob", "gg all of you")});
    rig.queue.pushBack("say hello");
    rig.fetchLog({joinLine("0:05", kGuid, 3, "Bob")});
    ASSERT_EQ(rig.queue.size(), 2u);
    EXPECT_EQ(rig.queue.at(0).line, "Playlist");
}

TEST_F(LogFetcherTest, ConnectTimeoutThenReestablished) {
    rig.fetcher.Command1_Click();
    rig.fake.loop.advance(LogFetcher::kConnectTimeoutMs - 1);
    EXPECT_TRUE(rig.logged().empty());
    rig.fake.loop.advance(1);
    EXPECT_EQ(rig.logged(), Lines{"Connection timeout while connecting to logs.example.net"});
    EXPECT_TRUE(rig.fetcher.LogLost());
    EXPECT_EQ(rig.fake.net.tcp("log").state(), TcpStream::State::Closed);

    rig.connect();
    EXPECT_FALSE(rig.fetcher.LogLost());
    EXPECT_EQ(rig.logged().back(), "Connection to GameServers re-established");
    rig.fake.loop.advance(LogFetcher::kConnectTimeoutMs);
    EXPECT_EQ(rig.logged().size(), 2u);
}

// A host that accepts the connection but never answers: no new fetch starts
// while one is outstanding, so the reply timeout runs out and says so, once
// for as long as the host stays silent.
TEST_F(LogFetcherTest, AStalledHostIsReportedOnceAndAskedAgainOnlyAfterTheTimeout) {
    rig.settings.advanced.RefreshDelay = 10;
    rig.fetcher.setRefreshTarget(10);
    FakeTcp& tcp = rig.connect();
    tcp.feed("HTTP/1.1 200 OK\r\n"); // a piece, then nothing more
    for (int second = 1; second <= 60; ++second) {
        rig.fake.loop.advance(1000);
        rig.fetcher.refreshTick();
        if (tcp.state() == TcpStream::State::Connecting) tcp.acceptConnection();
    }
    EXPECT_EQ(tcp.connectCount, 3); // at 0 s, and after each timeout at 21 s and 51 s
    EXPECT_EQ(rig.logged(), Lines{"Error retrieving the log file, check the LOG URL is correct or "
                                  "it may be GameServers problem..."});

    // The host answers again: the lines come, and a later stall is reported anew.
    tcp.feed(chunkedReply(logText({joinLine("1:00", kGuid, 6, "Eve")})));
    rig.fetchLog({joinLine("1:00", kGuid, 6, "Eve"), joinLine("1:01", kGuid, 7, "Fay")});
    EXPECT_EQ(rig.slots[7].SlotName, "Fay");
    rig.connect();
    rig.fake.loop.advance(LogFetcher::kReplyTimeoutMs);
    EXPECT_EQ(rig.logged().size(), 3u);
}

TEST_F(LogFetcherTest, SocketErrorIsReportedAndClosesTheConnection) {
    FakeTcp& tcp = rig.connect();
    tcp.raiseError({NetError::Kind::ConnectionRefused, "Connection refused"});
    EXPECT_EQ(rig.logged(), Lines{"Connection refused"});
    EXPECT_EQ(tcp.state(), TcpStream::State::Closed);
    EXPECT_FALSE(rig.fetcher.LogConnected());
}

TEST_F(LogFetcherTest, RefreshCadenceCountsDownThenSavesAndFetches) {
    rig.settings.advanced.RefreshDelay = 10;
    rig.fetcher.setRefreshTarget(10);
    std::vector<int> remaining;
    for (int i = 0; i < 10; ++i)
        remaining.push_back(rig.fetcher.refreshTick());
    EXPECT_EQ(remaining, (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1, 10}));
    EXPECT_EQ(static_cast<int>(rig.count("fetchDue")), 1);
    EXPECT_EQ(rig.fake.net.tcp("log").connectCount, 1);
    EXPECT_EQ(LogFetcher::refreshCountdownText(1), "1 second until next refresh");
    EXPECT_EQ(LogFetcher::refreshCountdownText(9), "9 seconds until next refresh");
}

TEST_F(LogFetcherTest, LoweredTargetRestartsTheCount) {
    rig.settings.advanced.RefreshDelay = 10;
    rig.fetcher.setRefreshTarget(10);
    for (int i = 0; i < 5; ++i)
        rig.fetcher.refreshTick();
    rig.fetcher.setRefreshTarget(3); // a "wait 3" answer
    EXPECT_EQ(rig.fetcher.refreshTick(), 3);
    EXPECT_EQ(rig.fetcher.refreshTick(), 2);
    EXPECT_EQ(rig.fetcher.refreshTick(), 1);
    EXPECT_EQ(rig.fetcher.refreshTick(), 10);
    EXPECT_EQ(rig.fake.net.tcp("log").connectCount, 1);
}

TEST_F(LogFetcherTest, ZeroIntervalStillFetches) {
    // A refresh delay or a provider "wait 0" of zero would otherwise never be reached.
    rig.settings.advanced.RefreshDelay = 0;
    rig.fetcher.setRefreshTarget(0);
    FakeTcp& tcp = rig.fake.net.tcp("log");
    for (int i = 0; i < 3; ++i) {
        rig.fetcher.refreshTick();
        tcp.acceptConnection();
        tcp.feed(chunkedReply(""));
    }
    EXPECT_EQ(tcp.connectCount, 3);
}
