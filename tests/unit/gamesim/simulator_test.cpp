// The simulator where no end-to-end run reaches: the control language,
// hostile datagrams, reply cuts, faults, the journal, scenarios, the bots.

#include "gamesim/core/datagram.h"
#include "gamesim/core/scenario.h"
#include "gamesim/core/simulator.h"

#include <algorithm>
#include <cstring>
#include <tuple>

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

} // namespace

TEST_F(Sim, ControlLinesAreAnsweredInOrder) {
    const struct {
        const char* line;
        const char* answer;
    } steps[] = {
        {"join slot=3 guid=0110000100000007 team=axis Big Bad Wolf",
         "ok slot=3 guid=0110000100000007"},
        {"join Bad\\x15Name\\\\x", "ok slot=1 "},
        {"join slot=3 Late", "error slot taken"},
        {"join slot=4 Late", "error slot out of range"},
        {"join slot=x Late", "error slot= needs a number"},
        {"join Carol", "ok slot=2 "},
        {"join Dave", "error server full"},
        {"teamchat 3 hi", "ok"},
        {"burst 3 0 x", "error "},
        {"burst 3 100001 x", "error "},
        {"burst nobody 2 x", "error "},
        {"damage 1 3 40 weapon=rpg_mp mod=MOD_PROJECTILE_SPLASH", "ok"},
        {"damage 1 3 x", "error damage needs a number"},
        {"kill world 3", "ok"},
        {"kill 1", "error usage: kill "},
        {"quit 12", "error no such player"},
        {"http mode tiny 0", "error bad number"},
        {"http mode error 99", "error status must be 100 to 599"},
        {"http mode teapot", "error usage: http mode "},
        {"udp drop 1.5", "error usage: udp "},
        {"udp delay 0.1 70000", "error delay must be 0 to 60000 ms"},
        {"stamps seconds", "ok"},
        {"dvar g_logTimeStampInSeconds", "ok 1"},
        {"clock 2703", "ok"},
        {"clock -4", "error usage: clock <seconds>"},
        {"stamps minutes", "ok"},
        {"log Marker \\x01\\xFF \"quoted\" \\\\ end", "ok"},
        {"dvar nothing_here", "error no such variable"},
        {"match end", "ok mp_cracked"},
        {"match start", "ok mp_cracked"},
        {"fly away", "error unknown command: fly"},
        {"# a comment", "ok"},
        {"exit", "ok bye"},
    };
    for (const auto& s : steps) // the expected answer, or its start
        EXPECT_EQ(sim.onControl(s.line, "t").substr(0, std::strlen(s.answer)), s.answer) << s.line;
    EXPECT_TRUE(sim.exitRequested());

    const std::string badName = sim.game().player(1)->guid + ";1;allies;Bad\\u0015Name\\\\x;";
    for (const std::string& wanted :
         {std::string("sayteam;0110000100000007;3;Big Bad Wolf;\\u0015hi\""),
          "D;0110000100000007;3;axis;Big Bad Wolf;" + badName +
              "rpg_mp;40;MOD_PROJECTILE_SPLASH;torso_upper\"",
          std::string("K;0110000100000007;3;axis;Big Bad "
                      "Wolf;;-1;world;;ak47_mp;100;MOD_RIFLE_BULLET;torso_upper\""),
          std::string("\"line\":\" 45:03 Marker \\u0001\\u00ff \\\"quoted\\\" \\\\ end\"")})
        EXPECT_EQ(journalCount(wanted), 1u) << wanted;
    for (const auto& line : journal) // whatever the bytes, every record stays printable
        EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](char c) {
            return c >= 0x20 && c < 0x7F;
        })) << line;
}

TEST_F(Sim, WrongOrEmptyPasswordRunsNothing) {
    sim.onControl("join Bob", "test");
    const std::pair<const char*, const char*> cases[] = {
        {"secret", "Invalid password.\n"}, // the client's password is wrong
        {"", "The server must set 'rcon_password' for clients to use 'rcon'.\n"}};
    for (const auto& [serverPassword, answer] : cases) {
        sim.onControl(std::string("password ") + serverPassword, "test");
        const auto replies = send("clientkick 1", "wrong");
        ASSERT_EQ(replies.size(), 1u);
        EXPECT_EQ(replies[0].bytes, encodeReply(answer));
        EXPECT_NE(sim.game().player(1), nullptr);
    }
    EXPECT_EQ(sim.onControl("received clientkick", "test"), "ok 0");
}

TEST_F(Sim, DatagramsThatAreNoRequestAreIgnored) {
    const std::string bad[] = {std::string(),
                               std::string("\xFF\xFF\xFF\xFF\0", 5),
                               std::string("\xFF\xFF\xFF\xFF\0nopasswordblank", 20),
                               std::string("\xFF\xFF\xFF\xFFrcon secret status"),
                               std::string("\xFF\xFF\xFF\xFE\0secret status", 18),
                               encodeRequest("secret", std::string(kMaxRequestBytes, 'x'))};
    for (const std::string& bytes : bad)
        EXPECT_TRUE(sim.onDatagram(bytes, "127.0.0.1:1").empty()) << bytes.size();
    EXPECT_EQ(journalCount("\"event\":\"rcon_ignored\""), std::size(bad));
    // Any byte may follow the password; blanks in front of the command are skipped.
    ASSERT_EQ(send(" clientkick 1 \"\x01;\xFF\"").size(), 1u);
    EXPECT_EQ(sim.onControl("received clientkick 1 \"\\x01;\\xFF\"", "t"), "ok 1");
}

TEST(RconDatagram, AFullDatagramIsAlwaysFollowedByAnother) {
    const struct {
        std::size_t textBytes;
        std::vector<std::size_t> sizes;
    } cases[] = {{kDefaultReplyChunk - 1, {1166}},
                 {kDefaultReplyChunk, {1167, 10}},
                 {2 * kDefaultReplyChunk + 5, {1167, 1167, 15}}};
    for (const auto& c : cases) {
        const std::string text(c.textBytes, 'x');
        const auto datagrams = encodeReplies(text, kDefaultReplyChunk);
        std::vector<std::size_t> sizes;
        std::string joined;
        for (const auto& d : datagrams) {
            sizes.push_back(d.size());
            joined += decodeReply(d).value_or("?"); // every piece carries the header
        }
        EXPECT_EQ(sizes, c.sizes) << c.textBytes;
        EXPECT_EQ(joined, text);
    }
}

TEST_F(Sim, UdpFaultsDelayAndDuplicateRepliesAsTold) {
    sim.onControl("udp duplicate 1", "test");
    sim.onControl("udp delay 1 250", "test");
    const auto twice = send("serverinfo");
    ASSERT_EQ(twice.size(), 2u);
    EXPECT_EQ(twice[0].bytes, twice[1].bytes);
    EXPECT_EQ(twice[0].delayMs, 250);
    EXPECT_EQ(journalCount("\"fault\":\"duplicated\""), 1u);
}

TEST(Scenario, TimesAreAbsoluteOrRelativeAndBadLinesNameTheirNumber) {
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

    const std::pair<const char*, const char*> bad[] = {
        {"1 join Bob\nsoon join Eve\n", "line 2: not a time: soon"},
        {"1\n", "line 1: no command after the time"},
        {"-1 join x\n", "line 1: not a time: -1"}};
    for (const auto& [text, error] : bad)
        EXPECT_EQ(parseScenario(text).error, error) << text;
}

TEST(Lively, BotsPlayWithinTheSlotsAndTheSameSeedPlaysTheSameGame) {
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
        for (int i = 0; i < 600; ++i, now += 1500) {
            sim.livelyTick();
            EXPECT_LT(static_cast<int>(sim.game().playerSlots().size()), sim.game().maxClients());
        }
        return log;
    };
    const auto log = play(3);
    EXPECT_EQ(log, play(3));
    for (const std::string word : {"J;", "Q;", "K;", "D;", "say;", "sayteam;", "InitGame:"})
        EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const std::string& l) {
            return l.compare(kStampWidth + 1, word.size(), word) == 0;
        })) << word;
}
