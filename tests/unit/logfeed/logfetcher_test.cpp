#include "core/buildversion.h"
#include "logfeedrig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

struct LogFetcherTest : ::testing::Test {
    LogFeedRig rig;
};

std::string withLength(const std::string& status, const std::string& page) {
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(page.size()) +
           "\r\n\r\n" + page;
}

} // namespace

TEST(LogFetcher, SendsTheRangeRequestToTheLogHostAndPort) {
    const struct {
        std::string url, host;
        std::uint16_t port;
        std::string hostHeader;
    } cases[] = {
        {"http://logs.example.net/alpha/games_mp.log", "logs.example.net", 80, "logs.example.net"},
        {"http://127.0.0.1:8088/alpha/games_mp.log", "127.0.0.1", 8088, "127.0.0.1:8088"}};
    for (const auto& c : cases) {
        LogFeedRig rig;
        rig.settings.config.LogURL = c.url;
        FakeTcp& tcp = rig.connect();
        EXPECT_EQ(tcp.host, c.host);
        EXPECT_EQ(tcp.port, c.port);
        EXPECT_EQ(tcp.sent, "GET /alpha/games_mp.log HTTP/1.1\r\nHost: " + c.hostHeader +
                                "\r\nRange: bytes=-10000 \r\nUser-Agent: Corvane Mod " +
                                std::string(kBuildVersion) + "\r\n\r\n");
        EXPECT_TRUE(rig.fetcher.LogConnected());
    }
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
    rig.fetchLog({joinLine("1:00", kGuid, 3, "Bob"),
                  sayLine("1:05", kGuid, 3, "Bob", "!kick al spam"),
                  sayLine("1:06", kGuid, 3, "Bob", "old chat")});
    rig.fake.loop.advance(LogFetcher::kReplyTimeoutMs); // a finished reply cannot time out
    EXPECT_EQ(rig.count("command !kick al spam"), 0u);
    EXPECT_EQ(rig.chat.view().plainText(), kChatHeading);
    EXPECT_TRUE(rig.slots[3].SlotName.empty());
    EXPECT_EQ(rig.fetcher.LogAnchor(), sayLine("1:06", kGuid, 3, "Bob", "old chat").substr(2));
    EXPECT_EQ(rig.logged(), Lines{"You can now send commands"});
    EXPECT_TRUE(rig.parser.FirstBatchDone());
    EXPECT_EQ(rig.count("statusPollWanted"), 1u);
}

TEST_F(LogFetcherTest, UnfinishedLastLineWaitsForTheNextReply) {
    rig.fetchLog({joinLine("1:00", kGuid, 3, "Bob")});
    const std::string whole = sayLine("1:05", kGuid, 3, "Bob", "!kick alice");
    rig.fetch(chunkedReply(logText({joinLine("1:00", kGuid, 3, "Bob")}) + whole.substr(0, 30)));
    EXPECT_TRUE(rig.fetcher.NewLines().empty());
    EXPECT_EQ(rig.count("batchStarted"), 2u); // a reply with nothing new ends a batch too
    rig.fetchLog({joinLine("1:00", kGuid, 3, "Bob"), whole});
    EXPECT_EQ(rig.fetcher.NewLines(), Lines{whole});
    EXPECT_EQ(rig.count("command !kick alice"), 1u);
}

TEST_F(LogFetcherTest, BodyEndedByTheConnectionIsParsedWhenTheHostCloses) {
    rig.fetchLog({});
    const std::string line = joinLine("3:00", kGuid, 4, "Cid");
    FakeTcp& tcp = rig.connect();
    tcp.feed("HTTP/1.0 200 OK\r\n\r\n" + logText({line}));
    EXPECT_TRUE(rig.slots[4].SlotName.empty());
    tcp.peerClose();
    EXPECT_EQ(rig.slots[4].SlotName, "Cid");
    EXPECT_FALSE(rig.fetcher.LogConnected());
    EXPECT_EQ(tcp.state(), TcpStream::State::Closed);
}

TEST(LogFetcher, EachAnswerIsJudgedOnceAndSetsTheNextInterval) {
    const struct {
        std::string reply;
        std::size_t piece;
        std::string logged; // empty: nothing
        std::int16_t target;
    } cases[] = {
        {withLength("403", "Too many requests, please wait 9 seconds."), 7, "", 9},
        {withLength("403", "Too many requests, please WAIT 15 seconds."), 7, "", 1},
        {withLength("403 Forbidden", "Forbidden"), 5, "Log URL problem - HTTP/1.1 403 Forbidden",
         10},
        {withLength("404 Not Found", std::string(600, 'n')), 1,
         "Invalid GameServer URL - please fix!", 10},
        {withLength("404 Gone", "x"), 1, "Invalid GameServer URL - please fix!", 10},
        {withLength("500 Internal Server Error", "bad"), 2,
         "Log URL problem - HTTP/1.1 500 Internal Server Error", 10},
        {"<html>\r\n<head><title>400 Bad Request</title></head>\r\n<body>x</body>", 4,
         "Invalid GameServer URL - Error 400 (Bad Request)", 10},
        {"<html>\n<head><title>400 Bad Request</title></head>\n<body>x</body>", 4,
         "Invalid GameServer URL - Error 400 (Bad Request)", 10},
        {"Gateway broke\r\n", 3, "Log URL problem - Gateway broke", 10},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", 9,
         "Log URL problem - HTTP/1.1 200 OK - a chunk size cannot be read", 10},
    };
    for (const auto& c : cases) {
        LogFeedRig rig;
        rig.fetch(c.reply, c.piece);
        FakeTcp& tcp = rig.fake.net.tcp("log");
        if (tcp.state() != TcpStream::State::Closed)
            tcp.peerClose(); // ends a reply without a length
        EXPECT_EQ(rig.logged(), c.logged.empty() ? Lines{} : Lines{c.logged}) << c.reply;
        EXPECT_EQ(rig.fetcher.RefreshTarget(), c.target) << c.reply;
    }
}

// A restart queries the playlist before the lines already waiting.
TEST(LogFetcher, RestartIsDetectedWhenTheStampFallsBelowFiveMinutes) {
    const struct {
        std::string before, after;
        bool restart;
    } cases[] = {{"45:03", "4:59", true}, {"2:05", "2:50", false}, {"45:03", "5:00", false}};
    for (const auto& c : cases) {
        LogFeedRig fresh;
        fresh.fetchLog({sayLine(c.before, kGuid, 3, "Bob", "gg all of you")});
        EXPECT_EQ(fresh.fetcher.LogStamp(), c.before);
        fresh.queue.pushBack("say hello");
        fresh.fetchLog({joinLine(c.after, kGuid, 3, "Bob")});
        EXPECT_EQ(fresh.logged().back() == "Server crash/restart detected - 2026-12-05 09:18:28",
                  c.restart)
            << c.before << " -> " << c.after;
        EXPECT_EQ(static_cast<int>(fresh.count("restartDetected")), c.restart ? 1 : 0);
        EXPECT_EQ(fresh.queue.size(), c.restart ? 2u : 1u);
        EXPECT_EQ(fresh.queue.front().line, c.restart ? "Playlist" : "say hello");
        EXPECT_EQ(fresh.fetcher.LogMinutes(), std::stoi(c.after));
        EXPECT_EQ(fresh.fetcher.LogStamp(), c.restart ? "" : c.before);
    }
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
    EXPECT_FALSE(rig.fetcher.LogConnected());
}

TEST_F(LogFetcherTest, RefreshCadenceCountsDownThenSavesAndFetches) {
    rig.settings.advanced.RefreshDelay = 10;
    rig.fetcher.setRefreshTarget(10);
    const auto ticks = [&](int n) {
        std::vector<int> remaining;
        for (int i = 0; i < n; ++i)
            remaining.push_back(rig.fetcher.refreshTick());
        return remaining;
    };
    EXPECT_EQ(ticks(10), (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1, 10}));
    EXPECT_EQ(static_cast<int>(rig.count("fetchDue")), 1);
    EXPECT_EQ(rig.fake.net.tcp("log").connectCount, 1);
    EXPECT_EQ(LogFetcher::refreshCountdownText(1), "1 second until next refresh");
    EXPECT_EQ(LogFetcher::refreshCountdownText(9), "9 seconds until next refresh");

    // A lower target (a "wait 3" answer) part-way restarts the count.
    ticks(5);
    rig.fetcher.setRefreshTarget(3);
    EXPECT_EQ(ticks(4), (std::vector<int>{3, 2, 1, 10}));
    EXPECT_EQ(static_cast<int>(rig.count("fetchDue")), 2);
}

// A refresh delay or a provider "wait 0" of zero would otherwise never be reached.
TEST_F(LogFetcherTest, ZeroIntervalStillFetches) {
    rig.settings.advanced.RefreshDelay = 0;
    rig.fetcher.setRefreshTarget(0);
    for (int i = 0; i < 3; ++i) {
        rig.fetcher.refreshTick();
        rig.fake.net.tcp("log").acceptConnection();
        rig.fake.net.tcp("log").feed(chunkedReply(""));
    }
    EXPECT_EQ(rig.fake.net.tcp("log").connectCount, 3);
}
