// Bursts of log between two fetches: the feed asks for a longer tail until it
// finds the last line it saw, and hands every line over once, in batches.

#include "logfeedrig.h"

#include <gtest/gtest.h>

#include <numeric>
#include <optional>

using namespace corvane;
using namespace corvane::testing;

namespace {

using Sizes = std::vector<std::size_t>;

// A log host serving the tail of a growing log as asked: the provider's
// "200 OK" chunked answer, or a plain web server's "206 Partial Content".
struct LogHost {
    std::string log;
    bool partial = false;
    Sizes asked; // the tail of every request, in order

    std::string answer(const std::string& request) {
        const std::string key = "Range: bytes=-";
        const std::size_t tail = std::stoul(request.substr(request.find(key) + key.size()));
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
std::string minutesAt(std::size_t seconds) {
    return std::to_string(seconds / 60) + ":" + std::to_string(10 + seconds % 50);
}

// Chat lines with distinct texts, a "!" command every tenth, a second apart
// from the given minute on.
Lines chatBurst(std::size_t count, std::size_t fromMinute, const std::string& label) {
    Lines lines;
    for (std::size_t i = 0; i < count; ++i)
        lines.push_back(
            sayLine(minutesAt(fromMinute * 60 + i), kGuid, 3, "Bob",
                    (i % 10 == 0 ? "!warn bob " : "line ") + label + std::to_string(i)));
    return lines;
}

// Damage lines (cheaper to hand over than chat, which fills the chat view).
Lines damageBurst(std::size_t count, std::size_t fromMinute) {
    Lines lines;
    for (std::size_t i = 0; i < count; ++i)
        lines.push_back(stamp(minutesAt(fromMinute * 60 + i / 20)) + " D;" + kGuid +
                        ";3;axis;Bob;0110000100000002;4;allies;Al;ak47_mp;" + std::to_string(i) +
                        ";MOD_RIFLE_BULLET;torso_upper");
    return lines;
}

// What the parser hands on of each line: a chat line's text, a damage line whole.
Lines handedOf(const Lines& lines) {
    Lines out;
    for (const std::string& line : lines)
        out.push_back(line.find(kMark) == std::string::npos ? line
                                                            : line.substr(line.find(kMark) + 1));
    return out;
}

Lines commandsOf(const Lines& lines) {
    Lines out;
    for (const std::string& text : handedOf(lines))
        if (text.starts_with("!")) out.push_back(text);
    return out;
}

struct Feed {
    LogFeedRig rig;
    LogHost host;
    Sizes batches; // the size of every batch handed over
    Lines red;     // red activity-log lines
    Lines plain;   // other activity-log lines

    explicit Feed(bool partial) {
        host.partial = partial;
        rig.listening += rig.parser.batchEnded.connect(
            [this] { batches.push_back(rig.fetcher.NewLines().size()); });
        rig.listening += rig.log.entryWritten.connect([this](const std::string& text, Colour c) {
            (c == kRed ? red : plain).push_back(text.substr(text.find("] ") + 2));
        });
    }
    Lines handed() const { return rig.told({"chat ", "damage "}); } // in order
    Lines commands() const { return rig.told({"command "}); }

    // Writes the lines to the log, then starts a fetch and answers it and
    // every request it leads to at once. With trouble, the first catch-up
    // request is answered by it instead (empty: the connection fails).
    void serve(const Lines& lines = {}, const std::optional<std::string>& trouble = {}) {
        host.log += logText(lines);
        rig.fetcher.Command1_Click();
        FakeTcp& tcp = rig.fake.net.tcp("log");
        for (int request = 0; tcp.state() == TcpStream::State::Connecting; ++request) {
            tcp.acceptConnection();
            if (request != 1 || !trouble)
                tcp.feed(host.answer(tcp.sent));
            else if (trouble->empty())
                tcp.raiseError({NetError::Kind::ConnectionRefused, "Connection refused"});
            else
                tcp.feed(*trouble);
            rig.fake.loop.advance(1);
        }
    }

    // A log longer than the tail, fetched once: it only primes the feed.
    void prime() {
        serve(chatBurst(300, 1, "old"));
        EXPECT_EQ(host.asked, Sizes{10000});
        EXPECT_TRUE(commands().empty());
        forget();
    }
    void forget() {
        rig.calls.clear();
        batches.clear();
        plain.clear();
        host.asked.clear();
    }
};

} // namespace

TEST(LogCatchUp, EveryLineOfABurstIsHandedOverOnceInOrderInBatchesOnEveryHost) {
    const Sizes toLongest{10000, 40000, 160000, 640000, kMaxCatchUpBytes};
    Lines restarted = chatBurst(300, 44, "before");
    for (const std::string& line : chatBurst(300, 0, "after"))
        restarted.push_back(line);
    const struct {
        const char* name;
        Lines burst;
        std::size_t requests; // how many of toLongest are asked
        bool gap;             // more than the longest tail holds
        bool restart;
    } cases[] = {
        {"25 KB", chatBurst(400, 20, "new"), 2, false, false},
        {"300 KB", chatBurst(4800, 20, "new"), 4, false, false},
        {"1.2 MB", damageBurst(12000, 20), 5, true, false},
        {"a restart inside", restarted, 2, false, true},
    };
    for (const auto& c : cases) {
        for (const bool partial : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (partial ? ", 206" : ", 200"));
            Feed feed(partial);
            feed.prime();
            feed.serve(c.burst);
            EXPECT_EQ(feed.host.asked,
                      Sizes(toLongest.begin(),
                            toLongest.begin() + static_cast<std::ptrdiff_t>(c.requests)));

            // Everything from the first line the tail holds whole, once, in order.
            const Lines all = handedOf(c.burst), handed = feed.handed();
            ASSERT_FALSE(handed.empty());
            const auto first = std::find(all.begin(), all.end(), handed.front());
            EXPECT_EQ(first == all.begin(), !c.gap);
            EXPECT_EQ(handed, Lines(first, all.end()));
            EXPECT_EQ(feed.commands(), commandsOf(Lines(first, all.end())));
            EXPECT_GT(logText(handed).size(), c.gap ? kMaxCatchUpBytes - 200 : 0);
            EXPECT_EQ(std::accumulate(feed.batches.begin(), feed.batches.end(), std::size_t{0}),
                      handed.size());
            ASSERT_EQ(feed.batches.size(), (handed.size() + kMaxNewLines - 1) / kMaxNewLines);
            EXPECT_LE(*std::max_element(feed.batches.begin(), feed.batches.end()), kMaxNewLines);

            Lines red;
            if (c.gap)
                red.push_back("Log lines were missed between 5:19 and " +
                              quotedStamp(c.burst[static_cast<std::size_t>(first - all.begin())]) +
                              ": more log was written between two fetches than the log host "
                              "serves");
            if (c.restart) red.push_back("Server crash/restart detected - 2026-12-05 09:18:28");
            EXPECT_EQ(feed.red, red);
            EXPECT_EQ(feed.rig.count("restartDetected"), c.restart ? 1u : 0u);
            EXPECT_EQ(feed.plain, Lines{"Caught up after a burst of log lines: " +
                                        std::to_string(handed.size()) + " new lines, " +
                                        std::to_string(c.requests - 1) + " extra request" +
                                        (c.requests == 2 ? "" : "s")});

            // The next fetch is an ordinary one again.
            feed.forget();
            const Lines after = chatBurst(3, 120, "after");
            feed.serve(after);
            EXPECT_EQ(feed.host.asked, Sizes{kLogTailBytes});
            EXPECT_EQ(feed.handed(), handedOf(after));
            EXPECT_TRUE(feed.plain.empty());
            EXPECT_EQ(feed.red, red);

            // Bursts that keep coming earn a hint to fetch more often.
            feed.serve(chatBurst(400, 130, "again"));
            ASSERT_EQ(feed.plain.size(), 1u);
            EXPECT_TRUE(feed.plain[0].ends_with(
                " - bursts come often, a shorter refresh delay (Advanced settings) avoids them"));
        }
    }
}

// A "wait" answer or a failure during a catch-up is handled as for any
// fetch; the next fetch asks for the longer tail again and loses nothing.
TEST(LogCatchUp, WaitOrFailureDuringACatchUpDelaysItWithoutLosingLines) {
    const struct {
        std::string trouble;
        std::int16_t refreshTarget;
        Lines red;
    } cases[] = {
        {"HTTP/1.1 403\r\nContent-Length: 21\r\n\r\nPlease wait 7 seconds", 7, {}},
        {"HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n",
         10,
         {"Log URL problem - HTTP/1.1 503 Service Unavailable"}},
        {"", 10, {"Connection refused"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trouble);
        Feed feed(false);
        feed.prime();
        const Lines burst = chatBurst(400, 20, "new");
        feed.serve(burst, c.trouble);
        EXPECT_EQ(feed.host.asked, Sizes{10000}); // no request more than any fetch makes
        EXPECT_EQ(feed.rig.fetcher.RefreshTarget(), c.refreshTarget);
        EXPECT_EQ(feed.red, c.red);
        EXPECT_TRUE(feed.handed().empty());

        feed.serve();
        EXPECT_EQ(feed.host.asked, (Sizes{10000, 40000}));
        EXPECT_EQ(feed.handed(), handedOf(burst));
        EXPECT_EQ(feed.commands(), commandsOf(burst));
    }
}

// A log that starts again from its beginning (shorter than the tail asked)
// needs no catch-up.
TEST(LogCatchUp, NoCatchUpWhenTheReplyHoldsTheWholeLog) {
    Feed feed(true);
    feed.prime();
    feed.host.log.clear(); // a new log file
    const Lines fresh = chatBurst(50, 0, "fresh");
    feed.serve(fresh);
    EXPECT_EQ(feed.host.asked, Sizes{10000});
    EXPECT_EQ(feed.handed(), handedOf(fresh));
    EXPECT_TRUE(feed.plain.empty());
}
