// The simulator's doors: datagrams with faults, control lines, scenarios,
// the journal and the lively mode.

#include "clientview.h"

#include "gamesim/core/datagram.h"
#include "gamesim/core/scenario.h"
#include "gamesim/core/simulator.h"

#include <gtest/gtest.h>

using namespace gamesim;

namespace {

class Sim : public ::testing::Test {
protected:
    explicit Sim(std::uint64_t seed = 42)
        : sim(
              options(seed), [this] { return now; },
              [this](const std::string& l) { journal.push_back(l); }) {
        sim.start();
    }
    static SimulatorOptions options(std::uint64_t seed) {
        SimulatorOptions o;
        o.password = "secret";
        o.seed = seed;
        return o;
    }
    std::vector<OutgoingDatagram> send(std::string_view command,
                                       std::string_view password = "secret") {
        return sim.onDatagram(encodeRequest(password, command), "127.0.0.1:5000");
    }
    std::size_t journalCount(std::string_view fragment) const {
        std::size_t n = 0;
        for (const auto& line : journal)
            n += line.find(fragment) != std::string::npos;
        return n;
    }

    std::int64_t now = 1000;
    std::vector<std::string> journal;
    Simulator sim;
};

} // namespace

TEST_F(Sim, WrongPasswordIsAnsweredAndTheCommandIsNotRun) {
    const std::string joined = sim.onControl("join Bob", "test");
    ASSERT_NE(sim.game().player(1), nullptr);
    ASSERT_EQ(joined, "ok slot=1 guid=" + sim.game().player(1)->guid);
    const auto replies = send("clientkick 1", "wrong");
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes, encodeReply("Invalid password.\n"));
    EXPECT_NE(sim.game().player(1), nullptr);
    EXPECT_EQ(
        journalCount("\"event\":\"rcon_request\",\"from\":\"127.0.0.1:5000\",\"password_ok\":false,"
                     "\"command\":\"clientkick 1\""),
        1u);

    EXPECT_EQ(sim.onControl("received clientkick", "test"), "ok 0");
    ASSERT_EQ(send("clientkick 1").size(), 1u);
    EXPECT_EQ(sim.onControl("received clientkick 1", "test"), "ok 1");
    EXPECT_EQ(sim.onControl("received teamstatus", "test"), "ok 0");
    EXPECT_EQ(sim.game().player(1), nullptr);
    EXPECT_EQ(journalCount("\"password_ok\":true,\"command\":\"clientkick 1\""), 1u);
    EXPECT_EQ(journalCount("\"event\":\"log\",\"line\":\"  0:00 Q;"), 1u);
}

TEST_F(Sim, EmptyServerPasswordRefusesEveryone) {
    sim.onControl("password", "test");
    const auto replies = send("teamstatus", "");
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_NE(replies[0].bytes.find("rcon_password"), std::string::npos);
}

TEST_F(Sim, MalformedAndOversizedDatagramsAreIgnored) {
    EXPECT_TRUE(sim.onDatagram("hello", "127.0.0.1:1").empty());
    EXPECT_TRUE(sim.onDatagram(std::string(kMaxRequestBytes + 1, '\xFF'), "127.0.0.1:1").empty());
    EXPECT_EQ(journalCount("\"event\":\"rcon_ignored\""), 2u);
}

TEST_F(Sim, UdpFaultsDropDelayAndDuplicateRepliesAsTold) {
    EXPECT_EQ(sim.onControl("udp drop 1", "test"), "ok");
    EXPECT_TRUE(send("serverinfo").empty());
    EXPECT_EQ(sim.onControl("udp normal", "test"), "ok");
    sim.onControl("udp duplicate 1", "test");
    sim.onControl("udp delay 1 250", "test");
    const auto twice = send("serverinfo");
    ASSERT_EQ(twice.size(), 2u);
    EXPECT_EQ(twice[0].bytes, twice[1].bytes);
    EXPECT_EQ(twice[0].delayMs, 250);
    EXPECT_EQ(sim.onControl("udp delay 2", "test").rfind("error", 0), 0u);
}

TEST(SimFaults, HalfShareDropsAboutHalfAndTheSameSeedDropsTheSameOnes) {
    auto run = [](std::uint64_t seed) {
        std::int64_t now = 0;
        SimulatorOptions o;
        o.seed = seed;
        Simulator sim(
            o, [&] { return now; }, nullptr);
        sim.start();
        sim.onControl("udp drop 0.5", "test");
        std::string pattern;
        for (int i = 0; i < 200; ++i)
            pattern +=
                sim.onDatagram(encodeRequest(o.password, "g_logSync"), "x").empty() ? '0' : '1';
        return pattern;
    };
    const std::string a = run(9);
    EXPECT_EQ(a, run(9));
    EXPECT_NE(a, run(10));
    const auto answered = std::count(a.begin(), a.end(), '1');
    EXPECT_GT(answered, 20); // both request and reply must survive: about a quarter
    EXPECT_LT(answered, 100);
}

TEST_F(Sim, ControlLanguageDrivesTheGame) {
    EXPECT_EQ(sim.onControl("join slot=7 guid=0110000100000007 team=axis Big Bad Wolf", "t"),
              "ok slot=7 guid=0110000100000007");
    EXPECT_EQ(sim.game().player(7)->name, "Big Bad Wolf");
    EXPECT_EQ(sim.onControl("join Bad\\x15Name\\\\x", "t").substr(0, 2), "ok");
    EXPECT_EQ(sim.game().player(1)->name, "Bad\x15Name\\x");
    EXPECT_EQ(sim.onControl("chat 7 !kick bob spam", "t"), "ok");
    EXPECT_EQ(sim.onControl("teamchat 7 hi", "t"), "ok");
    EXPECT_EQ(sim.onControl("damage 1 7 40 weapon=rpg_mp mod=MOD_PROJECTILE_SPLASH", "t"), "ok");
    EXPECT_EQ(sim.onControl("kill world 7", "t"), "ok");
    EXPECT_EQ(sim.onControl("quit 7", "t"), "ok");
    EXPECT_EQ(sim.game().player(7), nullptr);

    const std::vector<std::string> wanted = {
        "say;0110000100000007;7;Big Bad Wolf;\\u0015!kick bob spam",
        "sayteam;0110000100000007;7;Big Bad Wolf;\\u0015hi",
        ";7;axis;Big Bad Wolf;" + sim.game().player(1)->guid +
            ";1;allies;Bad\\u0015Name\\\\x;rpg_mp;40;MOD_PROJECTILE_SPLASH;torso_upper",
        "K;0110000100000007;7;axis;Big Bad "
        "Wolf;;-1;world;;ak47_mp;100;MOD_RIFLE_BULLET;torso_upper",
        "Q;0110000100000007;7;Big Bad Wolf"};
    for (const auto& w : wanted)
        EXPECT_EQ(journalCount(w), 1u) << w; // the log record
}

TEST_F(Sim, ControlErrorsAreReportedNotApplied) {
    for (std::string_view bad :
         {"fly away", "join", "quit 12", "chat", "kill 1", "damage 1 2 x", "match sideways",
          "clock -4", "http mode teapot", "http mode tiny 0", "udp drop 1.5", "stamps hours",
          "dvar nothing_here", "lively maybe"})
        EXPECT_EQ(sim.onControl(bad, "t").rfind("error ", 0), 0u) << bad;
    EXPECT_EQ(sim.onControl("# a comment", "t"), "ok");
    EXPECT_EQ(sim.onControl("   ", "t"), "ok");
}

TEST_F(Sim, ControlSwitchesModesClockAndVariables) {
    EXPECT_EQ(sim.onControl("http mode tiny 3", "t"), "ok tiny");
    EXPECT_EQ(sim.http().mode, HttpMode::Tiny);
    EXPECT_EQ(sim.http().tinyChunk, 3u);
    EXPECT_EQ(sim.onControl("http mode wait 7", "t"), "ok wait");
    EXPECT_EQ(sim.http().waitSeconds, 7);
    EXPECT_EQ(sim.onControl("stamps seconds", "t"), "ok");
    EXPECT_EQ(sim.onControl("dvar g_logTimeStampInSeconds", "t"), "ok 1");
    EXPECT_EQ(sim.onControl("clock 2703", "t"), "ok");
    sim.onControl("stamps minutes", "t");
    sim.onControl("log ShutdownGame:", "t");
    EXPECT_EQ(journalCount("\"event\":\"log\",\"line\":\" 45:03 ShutdownGame:\"}"), 1u);
    EXPECT_EQ(sim.onControl("dvar sv_hostname My ^1Server", "t"), "ok");
    EXPECT_EQ(sim.game().variable("sv_hostname")->value, "My ^1Server");
    EXPECT_EQ(sim.onControl("match end", "t"), "ok mp_cracked");
    EXPECT_EQ(sim.onControl("match start", "t"), "ok mp_cracked");
    EXPECT_NE(sim.onControl("status", "t").find("\"map\":\"mp_cracked\""), std::string::npos);
    EXPECT_EQ(sim.onControl("exit", "t"), "ok bye");
    EXPECT_TRUE(sim.exitRequested());
}

TEST_F(Sim, HttpRequestsAndAnswersAreJournaled) {
    const auto req =
        parseRequestHead("GET /logs/games_mp.log HTTP/1.1\r\nHost: h\r\nRange: bytes=-10000 \r\n");
    ASSERT_TRUE(req);
    EXPECT_EQ(sim.onHttpRequest(*req, "127.0.0.1:6000").status, 200);
    EXPECT_EQ(
        journalCount("\"event\":\"http_request\",\"from\":\"127.0.0.1:6000\",\"method\":\"GET\","
                     "\"target\":\"/logs/games_mp.log\",\"range\":\"bytes=-10000\""),
        1u);
    EXPECT_EQ(journalCount("\"event\":\"http_response\",\"to\":\"127.0.0.1:6000\",\"status\":200,"
                           "\"mode\":\"chunked\""),
              1u);
    EXPECT_EQ(sim.onBadHttpRequest("127.0.0.1:6000").status, 0);
    EXPECT_EQ(journalCount("\"status\":400"), 1u);
}

TEST_F(Sim, JournalLinesAreJsonObjectsWithTime) {
    now += 2500;
    sim.onControl("log weird \\x01\\xFF \"quoted\" \\\\ end", "t");
    for (const auto& line : journal) {
        EXPECT_EQ(line.rfind("{\"t\":", 0), 0u);
        EXPECT_EQ(line.back(), '}');
        for (char c : line)
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << line;
    }
    EXPECT_EQ(journalCount("{\"t\":2500,\"event\":\"log\",\"line\":\"  0:02 weird \\u0001\\u00ff "
                           "\\\"quoted\\\" \\\\ end\"}"),
              1u);
}

TEST(Scenario, TimesAbsoluteRelativeAndUnits) {
    const Scenario s = parseScenario(
        "# warm up\n2 join Bob\n+500ms chat 1 hi there\n\n1.5s join Eve\r\n+1 match end\n");
    ASSERT_EQ(s.error, "");
    ASSERT_EQ(s.events.size(), 4u);
    EXPECT_EQ(s.events[0].atMs, 1500);
    EXPECT_EQ(s.events[0].command, "join Eve");
    EXPECT_EQ(s.events[1].atMs, 2000);
    EXPECT_EQ(s.events[2].atMs, 2500);
    EXPECT_EQ(s.events[2].command, "chat 1 hi there");
    EXPECT_EQ(s.events[3].atMs, 2500); // relative to the line before it in the file
    EXPECT_EQ(s.events[3].line, 6);
}

TEST(Scenario, BadLinesNameTheirNumber) {
    EXPECT_EQ(parseScenario("1 join Bob\nsoon join Eve\n").error, "line 2: not a time: soon");
    EXPECT_EQ(parseScenario("1\n").error, "line 1: no command after the time");
    EXPECT_EQ(parseScenario("-1 join x\n").error, "line 1: not a time: -1");
    EXPECT_TRUE(parseScenario("").events.empty());
}

TEST(Lively, BotsPlayAndTheSameSeedPlaysTheSameGame) {
    auto play = [](std::uint64_t seed) {
        std::int64_t now = 0;
        std::vector<std::string> log;
        SimulatorOptions o;
        o.seed = seed;
        o.lively = true;
        Simulator sim(
            o, [&] { return now; }, nullptr);
        sim.setLogMirror([&](const std::string& line) { log.push_back(line); });
        sim.start();
        for (int i = 0; i < 600; ++i) {
            now += 1500;
            sim.livelyTick();
            EXPECT_LE(static_cast<int>(sim.game().playerSlots().size()),
                      sim.game().maxClients() - 1);
        }
        return log;
    };
    const auto log = play(3);
    EXPECT_EQ(log, play(3));
    auto count = [&](std::string_view word) {
        return std::count_if(log.begin(), log.end(), [&](const std::string& l) {
            return l.compare(kStampWidth + 1, word.size(), word) == 0;
        });
    };
    EXPECT_GT(count("J;"), 3);
    EXPECT_GT(count("Q;"), 0);
    EXPECT_GT(count("K;"), 20);
    EXPECT_GT(count("D;"), 5);
    EXPECT_GT(count("say;"), 20);
    EXPECT_GT(count("sayteam;"), 0);
    EXPECT_GE(count("ShutdownGame:"), 2);
    EXPECT_GE(count("InitGame:"), 3);
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& l) {
        return l.find(";\x15!") != std::string::npos;
    }));
}
