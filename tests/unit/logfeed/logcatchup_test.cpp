// Bursts of log between two fetches: the feed asks for a longer tail until it
// finds the last line it saw, and hands every line over once, in batches.

#include "logfeedrig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

using Lines = std::vector<std::string>;

const std::string kGuid = "0110000100000001";

// A log host serving the tail of a growing log as asked: the provider's
// "200 OK" chunked answer, or a plain web server's "206 Partial Content".
struct LogHost {
    std::string log;
    bool partial = false;
    std::vector<std::size_t> asked; // the tail of every request, in order

    void write(const Lines& lines) { log += logText(lines); }

    std::string answer(const std::string& request) {
        const std::string key = "Range: bytes=-";
        const std::size_t at = request.find(key) + key.size();
        const std::size_t tail = std::stoul(request.substr(at));
        asked.push_back(tail);
        const std::size_t first = log.size() - std::min(tail, log.size());
        const std::string body = log.substr(first);
        if (!partial) return chunkedReply(body, 65536);
        return "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes " + std::to_string(first) +
               "-" + std::to_string(log.size() - 1) + "/" + std::to_string(log.size()) +
               "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    }
};

// "m:ss" of a number of seconds (not a real clock: only rising matters).
std::string minutesAt(int seconds) {
    return std::to_string(seconds / 60) + ":" + std::to_string(10 + seconds % 50);
}

// Chat lines with distinct texts, a "!" command every tenth, stamps from the
// given minute on (a minute every 60 lines).
Lines chatBurst(std::size_t count, int fromMinute, const std::string& label) {
    Lines lines;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string text = i % 10 == 0 ? "!warn bob " + label + std::to_string(i)
                                             : label + " line " + std::to_string(i) + " of a burst";
        lines.push_back(
            sayLine(minutesAt(fromMinute * 60 + static_cast<int>(i)), kGuid, 3, "Bob", text));
    }
    return lines;
}

// Damage lines (cheaper to hand over than chat, which fills the chat view).
Lines damageBurst(std::size_t count, int fromMinute) {
    Lines lines;
    for (std::size_t i = 0; i < count; ++i)
        lines.push_back(stamp(minutesAt(fromMinute * 60 + static_cast<int>(i / 20))) + " D;" +
                        kGuid + ";3;axis;Bob;0110000100000002;4;allies;Al;ak47_mp;" +
                        std::to_string(i) + ";MOD_RIFLE_BULLET;torso_upper");
    return lines;
}

std::size_t bytesOf(const Lines& lines) {
    return logText(lines).size();
}

// The feed with a log host, recording what it hands over and says.
struct Feed {
    LogFeedRig rig;
    LogHost host;
    Lines chat;                       // every chat text handed over, in order
    Lines commands;                   // every "!" command handed over, in order
    Lines damage;                     // every damage line handed over, in order
    std::vector<std::size_t> batches; // the size of every batch handed over
    Lines red;                        // red activity-log lines
    Lines plain;                      // other activity-log lines

    explicit Feed(bool partial) {
        host.partial = partial;
        rig.listening += rig.parser.chatLine.connect(
            [this](const ChatLine& line) { chat.push_back(line.text); });
        rig.listening += rig.parser.commandTyped.connect(
            [this](const ChatLine& line) { commands.push_back(line.text); });
        rig.listening += rig.parser.damage.connect(
            [this](const DamageLine& line) { damage.push_back(line.line); });
        rig.listening += rig.parser.batchEnded.connect(
            [this] { batches.push_back(rig.fetcher.NewLines().size()); });
        rig.listening += rig.log.entryWritten.connect([this](const std::string& text, Colour c) {
            (c == kRed ? red : plain).push_back(text.substr(text.find("] ") + 2));
        });
    }

    // Starts a fetch and answers it and every request it leads to at once.
    void serve() {
        rig.fetcher.Command1_Click();
        FakeTcp& tcp = rig.fake.net.tcp("log");
        while (tcp.state() == TcpStream::State::Connecting) {
            tcp.acceptConnection();
            tcp.feed(host.answer(tcp.sent));
            rig.fake.loop.advance(1);
        }
    }

    // A log longer than the tail, fetched once to prime the feed.
    void prime() {
        host.write(chatBurst(300, 1, "old"));
        serve();
        forget();
    }
    void forget() {
        chat.clear();
        commands.clear();
        damage.clear();
        batches.clear();
        plain.clear();
        host.asked.clear();
    }
};

Lines textsOf(const Lines& lines) {
    Lines out;
    for (const std::string& line : lines)
        out.push_back(line.substr(line.find(kMark) + 1));
    return out;
}

Lines commandsOf(const Lines& lines) {
    Lines out;
    for (const std::string& text : textsOf(lines))
        if (text.starts_with("!")) out.push_back(text);
    return out;
}

std::string stampOf(const std::string& line) {
    const std::size_t start = line.find_first_not_of(' ');
    return line.substr(start, line.find(' ', start) - start);
}

bool batchesWithin501(const std::vector<std::size_t>& batches) {
    return std::all_of(batches.begin(), batches.end(),
                       [](std::size_t n) { return n >= 1 && n <= kMaxNewLines; });
}

} // namespace

TEST(LogCatchUp, BurstIsHandedOverWholeInOrderInBatchesOnEveryHost) {
    const struct {
        std::size_t lines;
        bool partial;
        std::vector<std::size_t> asked;
    } cases[] = {
        {400, false, {10000, 40000}}, // about 25 KB
        {400, true, {10000, 40000}},
        {4800, false, {10000, 40000, 160000, 640000}}, // about 300 KB
        {4800, true, {10000, 40000, 160000, 640000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.lines) + (c.partial ? " lines, 206" : " lines, 200"));
        Feed feed(c.partial);
        feed.prime();
        const Lines burst = chatBurst(c.lines, 20, "new");
        feed.host.write(burst);
        feed.serve();
        EXPECT_EQ(feed.host.asked, c.asked);
        EXPECT_EQ(feed.chat, textsOf(burst));
        EXPECT_EQ(feed.commands, commandsOf(burst));
        EXPECT_EQ(feed.batches.size(), (c.lines + kMaxNewLines - 1) / kMaxNewLines);
        EXPECT_TRUE(batchesWithin501(feed.batches));
        EXPECT_TRUE(feed.red.empty());
        const std::string told =
            "Caught up after a burst of log lines: " + std::to_string(c.lines) + " new lines, " +
            std::to_string(c.asked.size() - 1) + " extra request";
        EXPECT_EQ(feed.plain, Lines{told + (c.asked.size() == 2 ? "" : "s")}); // once

        // The next fetch is an ordinary one again.
        feed.forget();
        const Lines after = chatBurst(3, 120, "after");
        feed.host.write(after);
        feed.serve();
        EXPECT_EQ(feed.host.asked, std::vector<std::size_t>{kLogTailBytes});
        EXPECT_EQ(feed.chat, textsOf(after));
        EXPECT_TRUE(feed.plain.empty());

        // Bursts that keep coming earn a hint to fetch more often.
        feed.host.write(chatBurst(400, 130, "again"));
        feed.serve();
        EXPECT_TRUE(feed.plain.back().ends_with(
            " - bursts come often, a shorter refresh delay (Advanced settings) avoids them"));
    }
}

TEST(LogCatchUp, BurstPastTheLongestTailReportsTheGapOnceAndGoesOn) {
    for (const bool partial : {false, true}) {
        SCOPED_TRACE(partial ? "206" : "200");
        Feed feed(partial);
        feed.prime();
        const std::string lastOld = chatBurst(300, 1, "old").back();
        const Lines burst = damageBurst(12000, 20); // about 1.2 MB
        ASSERT_GT(bytesOf(burst), kMaxCatchUpBytes);
        feed.host.write(burst);
        feed.serve();
        EXPECT_EQ(feed.host.asked,
                  (std::vector<std::size_t>{10000, 40000, 160000, 640000, kMaxCatchUpBytes}));
        // What the longest tail holds comes over, from its first whole line on.
        ASSERT_FALSE(feed.damage.empty());
        const auto first = std::find(burst.begin(), burst.end(), feed.damage.front());
        ASSERT_NE(first, burst.end());
        EXPECT_EQ(feed.damage, Lines(first, burst.end()));
        EXPECT_GT(bytesOf(feed.damage), kMaxCatchUpBytes - 200);
        EXPECT_TRUE(batchesWithin501(feed.batches));
        EXPECT_EQ(feed.red, Lines{"Log lines were missed between " + stampOf(lastOld) + " and " +
                                  stampOf(*first) +
                                  ": more log was written between two fetches than the log "
                                  "host serves"});

        feed.forget();
        const Lines after = chatBurst(2, 400, "after");
        feed.host.write(after);
        feed.serve();
        EXPECT_EQ(feed.chat, textsOf(after));
        EXPECT_EQ(feed.red.size(), 1u);
    }
}

// A "wait" answer or a failure during a catch-up is handled as for any
// fetch; the next fetch asks for the longer tail again and loses nothing.
TEST(LogCatchUp, WaitOrFailureDuringACatchUpDelaysItWithoutLosingLines) {
    enum class Trouble { Wait, ServerError, SocketError };
    for (const Trouble trouble : {Trouble::Wait, Trouble::ServerError, Trouble::SocketError}) {
        SCOPED_TRACE(static_cast<int>(trouble));
        Feed feed(false);
        feed.prime();
        const Lines burst = chatBurst(400, 20, "new");
        feed.host.write(burst);
        feed.rig.fetcher.Command1_Click();
        FakeTcp& tcp = feed.rig.fake.net.tcp("log");
        tcp.acceptConnection();
        tcp.feed(feed.host.answer(tcp.sent));
        feed.rig.fake.loop.advance(1);
        ASSERT_EQ(tcp.state(), TcpStream::State::Connecting);
        tcp.acceptConnection();
        const std::string page = "Please wait 7 seconds";
        if (trouble == Trouble::Wait)
            tcp.feed("HTTP/1.1 403\r\nContent-Length: " + std::to_string(page.size()) + "\r\n\r\n" +
                     page);
        else if (trouble == Trouble::ServerError)
            tcp.feed("HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n");
        else
            tcp.raiseError({NetError::Kind::ConnectionRefused, "Connection refused"});
        feed.rig.fake.loop.advance(1);
        EXPECT_EQ(tcp.connectCount, 3); // no request more than any fetch makes
        EXPECT_EQ(feed.rig.fetcher.RefreshTarget(), trouble == Trouble::Wait ? 7 : 10);
        EXPECT_EQ(feed.red.size(), trouble == Trouble::Wait ? 0u : 1u);
        EXPECT_TRUE(feed.chat.empty());

        feed.serve();
        EXPECT_EQ(feed.host.asked, (std::vector<std::size_t>{10000, 40000}));
        EXPECT_EQ(feed.chat, textsOf(burst));
        EXPECT_EQ(feed.commands, commandsOf(burst));
    }
}

TEST(LogCatchUp, RestartInsideABurstIsDetectedOnceAndNoLineIsRepeated) {
    for (const bool partial : {false, true}) {
        SCOPED_TRACE(partial ? "206" : "200");
        Feed feed(partial);
        feed.host.write(chatBurst(300, 40, "old"));
        feed.serve();
        feed.forget();
        Lines burst = chatBurst(300, 44, "before");
        const Lines restarted = chatBurst(300, 0, "after"); // the clock starts again
        burst.insert(burst.end(), restarted.begin(), restarted.end());
        feed.host.write(burst);
        feed.serve();
        EXPECT_EQ(feed.host.asked, (std::vector<std::size_t>{10000, 40000}));
        EXPECT_EQ(feed.chat, textsOf(burst));
        EXPECT_EQ(feed.rig.count("restartDetected"), 1u);
        ASSERT_FALSE(feed.rig.queue.empty());
        EXPECT_EQ(feed.rig.queue.front().line, "Playlist");
        EXPECT_EQ(feed.rig.fetcher.LogMinutes(), 4);
    }
}

// The first reply only primes, however long the log; a log that starts again
// from its beginning (shorter than the tail asked) needs no catch-up.
TEST(LogCatchUp, NoCatchUpWhenPrimingOrWhenTheReplyHoldsTheWholeLog) {
    Feed feed(true);
    feed.host.write(chatBurst(2000, 1, "old"));
    feed.serve();
    EXPECT_EQ(feed.host.asked, std::vector<std::size_t>{10000});
    EXPECT_TRUE(feed.commands.empty());
    EXPECT_EQ(feed.batches.size(), 1u);

    feed.forget();
    feed.host.log.clear(); // a new log file
    const Lines fresh = chatBurst(50, 0, "fresh");
    feed.host.write(fresh);
    feed.serve();
    EXPECT_EQ(feed.host.asked, std::vector<std::size_t>{10000});
    EXPECT_EQ(feed.chat, textsOf(fresh));
    EXPECT_TRUE(feed.plain.empty());
}

// Whole-second stamps throughout a burst: the repair is asked for once
// however many batches the burst makes, and the first batch with minutes
// again says it worked.
TEST(LogCatchUp, StampGuardSpeaksOnceAcrossTheBatchesOfABurst) {
    Feed feed(false);
    feed.prime();
    Lines seconds;
    for (int i = 0; i < 1200; ++i)
        seconds.push_back(stamp(std::to_string(4000 + i)) + " say;" + kGuid + ";3;Bob;" + kMark +
                          "!warn bob " + std::to_string(i));
    feed.host.write(seconds);
    feed.serve();
    EXPECT_EQ(feed.batches.size(), 0u); // each batch ends at its first such line
    EXPECT_EQ(feed.red, Lines{"Invalid dvar - resetting g_logTimeStampInSeconds to '0' - (Chat "
                              "log unavailable until set)"});
    EXPECT_EQ(feed.rig.queue.size(), 1u);
    EXPECT_TRUE(feed.commands.empty());

    const Lines minutes = chatBurst(2, 90, "fixed");
    feed.host.write(minutes);
    feed.serve();
    EXPECT_EQ(feed.chat, textsOf(minutes));
    EXPECT_EQ(feed.plain.back(), "g_logTimeStampInSeconds successfully set!");
}
