// The simulator's doors where no end-to-end run reaches: the control
// language, faults, hostile datagrams, the journal, scenarios, the lively mode.

#include "gamesim/core/datagram.h"
#include "gamesim/core/scenario.h"
#include "gamesim/core/simulator.h"

#include <gtest/gtest.h>

using namespace gamesim;

namespace {

class Sim : public ::testing::Test {
protected:
    Sim()
        : sim(
              options(), [this] { return now; },
              [this](const std::string& l) { journal.push_back(l); }) {
        sim.start();
    }
    static SimulatorOptions options() {
        SimulatorOptions o;
        o.password = "secret";
        o.seed = 42;
        o.server.maxClients = 4;
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

// Runs one simulator for `seed` and returns which of 200 requests got an answer.
std::string answeredUnderHalfDrop(std::uint64_t seed) {
    std::int64_t now = 0;
    SimulatorOptions o;
    o.seed = seed;
    Simulator sim(
        o, [&] { return now; }, nullptr);
    sim.start();
    sim.onControl("udp drop 0.5", "test");
    std::string pattern;
    for (int i = 0; i < 200; ++i)
        pattern += sim.onDatagram(encodeRequest(o.password, "g_logSync"), "x").empty() ? '0' : '1';
    return pattern;
}

} // namespace

TEST_F(Sim, ControlLinesAreAnsweredInOrder) {
    // An expected answer ending in '*' is a prefix.
    const struct {
        const char* line;
        const char* answer;
    } steps[] = {
        {"join slot=3 guid=0110000100000007 team=axis Big Bad Wolf",
         "ok slot=3 guid=0110000100000007"},
        {"join Bad\\x15Name\\\\x", "ok slot=1 *"},
        {"join slot=3 Late", "error slot taken"},
        {"join slot=4 Late", "error slot out of range"},
        {"join slot=x Late", "error slot= needs a number"},
        {"join Carol", "ok slot=2 *"},
        {"join Dave", "error server full"},
        {"quit Carol", "ok"},
        {"chat 3 !kick bob; spam", "ok"},
        {"teamchat Big hi", "error no such player"},
        {"teamchat 3 hi", "ok"},
        {"damage 1 3 40 weapon=rpg_mp mod=MOD_PROJECTILE_SPLASH", "ok"},
        {"damage 1 3 x", "error damage needs a number"},
        {"kill world 3", "ok"},
        {"kill 1 9", "error no such player"},
        {"kill 1", "error usage: kill *"},
        {"quit 3", "ok"},
        {"quit 12", "error no such player"},
        {"http mode tiny 3", "ok tiny"},
        {"http mode tiny 0", "error bad number"},
        {"http mode error 99", "error status must be 100 to 599"},
        {"http mode teapot", "error usage: http mode *"},
        {"udp drop 1.5", "error usage: udp *"},
        {"udp delay 0.1 70000", "error delay must be 0 to 60000 ms"},
        {"stamps seconds", "ok"},
        {"dvar g_logTimeStampInSeconds", "ok 1"},
        {"stamps hours", "error usage: stamps seconds|minutes"},
        {"clock 2703", "ok"},
        {"clock -4", "error usage: clock <seconds>"},
        {"stamps minutes", "ok"},
        {"log Marker", "ok"},
        {"dvar sv_hostname My ^1Server", "ok"},
        {"dvar SV_HOSTNAME", "ok My ^1Server"},
        {"dvar nothing_here", "error no such variable"},
        {"match end", "ok mp_cracked"},
        {"match sideways", "error usage: match start|end"},
        {"match start", "ok mp_cracked"},
        {"lively maybe", "error usage: lively on|off"},
        {"fly away", "error unknown command: fly"},
        {"# a comment", "ok"},
        {"   ", "ok"},
        {"exit", "ok bye"},
    };
    for (const auto& s : steps) {
        const std::string expected = s.answer;
        const std::string answer = sim.onControl(s.line, "t");
        if (expected.back() == '*')
            EXPECT_EQ(answer.substr(0, expected.size() - 1),
                      expected.substr(0, expected.size() - 1))
                << s.line;
        else
            EXPECT_EQ(answer, expected) << s.line;
    }
    EXPECT_TRUE(sim.exitRequested());
    EXPECT_EQ(sim.http().tinyChunk, 3u);

    const std::string badName = sim.game().player(1)->guid + ";1;allies;Bad\\u0015Name\\\\x;";
    for (const std::string& wanted :
         {std::string("say;0110000100000007;3;Big Bad Wolf;\\u0015!kick bob; spam\""),
          std::string("sayteam;0110000100000007;3;Big Bad Wolf;\\u0015hi\""),
          "D;0110000100000007;3;axis;Big Bad Wolf;" + badName +
              "rpg_mp;40;MOD_PROJECTILE_SPLASH;torso_upper\"",
          std::string("K;0110000100000007;3;axis;Big Bad "
                      "Wolf;;-1;world;;ak47_mp;100;MOD_RIFLE_BULLET;torso_upper\""),
          std::string("\"line\":\" 45:03 Marker\"")})
        EXPECT_EQ(journalCount(wanted), 1u) << wanted;
}

TEST_F(Sim, WrongOrEmptyPasswordRunsNothing) {
    sim.onControl("join Bob", "test");
    const auto wrong = send("clientkick 1", "wrong");
    ASSERT_EQ(wrong.size(), 1u);
    EXPECT_EQ(wrong[0].bytes, encodeReply("Invalid password.\n"));
    EXPECT_NE(sim.game().player(1), nullptr);
    EXPECT_EQ(sim.onControl("received clientkick", "test"), "ok 0");
    EXPECT_EQ(journalCount("\"password_ok\":false,\"command\":\"clientkick 1\""), 1u);

    sim.onControl("password", "test");
    const auto refused = send("clientkick 1", "");
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0].bytes,
              encodeReply("The server must set 'rcon_password' for clients to use 'rcon'.\n"));
    EXPECT_NE(sim.game().player(1), nullptr);
}

TEST_F(Sim, MalformedAndOversizedDatagramsAreIgnored) {
    EXPECT_TRUE(sim.onDatagram("hello", "127.0.0.1:1").empty());
    EXPECT_TRUE(sim.onDatagram(std::string(kMaxRequestBytes + 1, '\xFF'), "127.0.0.1:1").empty());
    EXPECT_EQ(journalCount("\"event\":\"rcon_ignored\""), 2u);
}

TEST_F(Sim, UdpFaultsDropDelayAndDuplicateRepliesAsTold) {
    sim.onControl("udp drop 1", "test");
    EXPECT_TRUE(send("serverinfo").empty());
    EXPECT_EQ(sim.onControl("received serverinfo", "test"), "ok 0"); // a lost request is not run
    sim.onControl("udp normal", "test");
    sim.onControl("udp duplicate 1", "test");
    sim.onControl("udp delay 1 250", "test");
    const auto twice = send("serverinfo");
    ASSERT_EQ(twice.size(), 2u);
    EXPECT_EQ(twice[0].bytes, twice[1].bytes);
    EXPECT_EQ(twice[0].delayMs, 250);
    EXPECT_EQ(journalCount("\"fault\":\"duplicated\""), 1u);
}

TEST(SimFaults, HalfShareDropsAboutHalfAndTheSameSeedDropsTheSameOnes) {
    const std::string a = answeredUnderHalfDrop(9);
    EXPECT_EQ(a, answeredUnderHalfDrop(9));
    EXPECT_NE(a, answeredUnderHalfDrop(10));
    const auto answered = std::count(a.begin(), a.end(), '1');
    EXPECT_GT(answered, 20); // both request and reply must survive: about a quarter
    EXPECT_LT(answered, 100);
}

TEST_F(Sim, JournalLinesStayPrintableWhateverTheBytes) {
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
    std::vector<std::tuple<std::int64_t, std::string, int>> events;
    for (const auto& e : s.events)
        events.emplace_back(e.atMs, e.command, e.line);
    // Sorted by time; "+1" counts from the line before it in the file.
    EXPECT_EQ(events,
              (std::vector<std::tuple<std::int64_t, std::string, int>>{{1500, "join Eve", 5},
                                                                       {2000, "join Bob", 2},
                                                                       {2500, "chat 1 hi there", 3},
                                                                       {2500, "match end", 6}}));
}

TEST(Scenario, BadLinesNameTheirNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"1 join Bob\nsoon join Eve\n", "line 2: not a time: soon"},
        {"1\n", "line 1: no command after the time"},
        {"-1 join x\n", "line 1: not a time: -1"},
        {"", ""},
    };
    for (const auto& [text, error] : cases)
        EXPECT_EQ(parseScenario(text).error, error) << text;
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
    for (const std::string word :
         {"J;", "Q;", "K;", "D;", "say;", "sayteam;", "ShutdownGame:", "InitGame:"})
        EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const std::string& l) {
            return l.compare(kStampWidth + 1, word.size(), word) == 0;
        })) << word;
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& l) {
        return l.find(";\x15!") != std::string::npos;
    }));
}
