// The log feed against the simulated provider: chat, restarts and the
// provider's answers.

#include "core/rtf.h"
#include "core/textfile.h"
#include "livesim.h"

#include <QJsonObject>
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

std::string transcript(const LiveApp& live) {
    const auto runs = fromRtf(live.dir().read("Logs/Chat.rtf"));
    std::string text;
    if (runs)
        for (const TextRun& run : *runs)
            text += run.text;
    return text;
}

bool chatShows(LiveApp& live, const std::string& text) {
    return live.app().chatLog().view().plainText().find(text) != std::string::npos;
}

} // namespace

// In replies cut into tiny chunks (the provider's other modes carry the
// burst below).
TEST(LogFeedE2E, ChatReachesTheViewTheArchiveAndTheTranscriptOnce) {
    LiveSimulator sim;
    LiveApp live(sim, sim.password);
    ASSERT_TRUE(live.waitUntilPrimed());
    sim.command("join slot=2 Alice");
    ASSERT_EQ(sim.command("http mode tiny 7").rfind("ok", 0), 0u);
    sim.command("chat Alice hello from tiny chunks");
    ASSERT_TRUE(waitUntil([&] { return chatShows(live, "Alice: hello from tiny chunks"); }, 10000))
        << live.app().chatLog().view().plainText();
    EXPECT_NE(live.dir().read("Logs/ChatArchive.txt").find("] Alice: hello from tiny chunks"),
              std::string::npos);
    EXPECT_TRUE(waitUntil(
        [&] { return transcript(live).find("hello from tiny chunks") != std::string::npos; },
        5000));
    runFor(2500); // more fetches of the same tail
    const std::string view = live.app().chatLog().view().plainText();
    EXPECT_EQ(view.find("hello from tiny chunks"), view.rfind("hello from tiny chunks"));
}

TEST(LogFeedE2E, RestartIsDetectedAndThePlaylistQueriedFirst) {
    LiveSimulator sim({"--uptime", "600"});
    LiveApp live(sim, sim.password);
    ASSERT_TRUE(live.waitUntilPrimed());
    ASSERT_TRUE(waitUntil([&] { return live.app().logFetcher().LogMinutes() >= 10; }, 5000));
    const int playlistsBefore = sim.received("Playlist");
    sim.command("restart");
    ASSERT_TRUE(waitUntil([&] { return live.logHas("] Server crash/restart detected - "); }, 10000))
        << live.serverLog();
    EXPECT_TRUE(waitUntil([&] { return sim.received("Playlist") > playlistsBefore; }, 5000));
}

TEST(LogFeedE2E, BrokenAnswersLoseNoLine) {
    LiveSimulator sim;
    LiveApp live(sim, sim.password);
    ASSERT_TRUE(live.waitUntilPrimed());
    sim.command("join slot=2 Alice");
    sim.command("chat Alice said while the log was away");
    for (const char* mode : {"cut", "garbage", "error 503", "badrequest", "notfound"}) {
        // Two requests in the mode: at least one whole fetch was answered in it.
        const auto before = sim.journal("http_request").size();
        ASSERT_EQ(sim.command(std::string("http mode ") + mode).rfind("ok", 0), 0u) << mode;
        ASSERT_TRUE(
            waitUntil([&] { return sim.journal("http_request").size() >= before + 2; }, 10000))
            << mode;
    }
    EXPECT_FALSE(chatShows(live, "said while the log was away"));
    sim.command("http mode chunked");
    EXPECT_TRUE(waitUntil([&] { return chatShows(live, "said while the log was away"); }, 8000));
}

// A burst far longer than the tail between two fetches, on the provider's
// host and on a plain web server: the feed catches up, and every chat line
// reaches the archive once, in order, and every "!" command among them is
// handed to the command listeners once.
TEST(LogFeedE2E, BurstLongerThanTheTailLosesNoChatLine) {
    LiveSimulator sim;
    LiveApp live(sim, sim.password);
    ASSERT_TRUE(live.waitUntilPrimed());
    live.app().settings().mod.WelcomeEnabled = 0;
    const std::string guid = "0110000100000a02";
    sim.command("join slot=2 guid=" + guid + " Alice");
    ASSERT_TRUE(waitUntil([&] { return live.app().slotTable()[2].SlotGUID == guid; }, 15000));
    ASSERT_TRUE(live.app().players().groups.SetGroupDatabase("G" + guid, "0", "Alice",
                                                             CommandIssuer{}, true));
    std::vector<std::string> said;
    std::vector<std::string> wantedSays; // what each "!say" of the burst makes the server say
    for (const std::string mode : {"chunked", "partial"}) {
        ASSERT_EQ(sim.command("http mode " + mode), "ok " + mode);
        const std::pair<int, std::string> bursts[] = {{300, mode + " flood, line"},
                                                      {8, "!say " + mode + " spam"},
                                                      {300, mode + " flood goes on, line"}};
        for (const auto& [count, text] : bursts) {
            ASSERT_EQ(sim.command("burst Alice " + std::to_string(count) + " " + text), "ok");
            for (int i = 1; i <= count; ++i) {
                said.push_back("Alice: " + text + " " + std::to_string(i));
                if (text.starts_with("!say "))
                    wantedSays.push_back("say  " + text.substr(5) + " " + std::to_string(i));
            }
        }
        ASSERT_TRUE(waitUntil(
            [&] {
                return live.dir().read("Logs/ChatArchive.txt").find(said.back()) !=
                       std::string::npos;
            },
            15000))
            << mode;
    }
    std::vector<std::string> archived;
    for (const std::string& line : splitLines(live.dir().read("Logs/ChatArchive.txt")))
        if (const std::size_t at = line.find("] Alice: "); at != std::string::npos)
            archived.push_back(line.substr(at + 2));
    EXPECT_EQ(archived, said);

    // Every command of the burst was carried out once, in order.
    const auto saysSent = [&] {
        std::vector<std::string> says;
        for (const QJsonObject& r : sim.journal("rcon_request"))
            if (r.value("command").toString().startsWith("say  "))
                says.push_back(r.value("command").toString().toStdString());
        return says;
    };
    ASSERT_TRUE(waitUntil([&] { return saysSent().size() >= wantedSays.size(); }, 20000));
    runFor(1500); // nothing more follows
    EXPECT_EQ(saysSent(), wantedSays);
    const std::string log = live.serverLog();
    EXPECT_NE(log.find("] Caught up after a burst of log lines: "), std::string::npos) << log;
    EXPECT_EQ(log.find("Log lines were missed"), std::string::npos) << log;
}
