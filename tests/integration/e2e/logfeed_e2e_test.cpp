// The log feed against the simulated provider: a burst longer than the tail.

#include "core/rtf.h"
#include "core/textfile.h"
#include "livesim.h"

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

} // namespace

// A burst far longer than the tail between two fetches, on the provider's
// host, on a plain web server and in tiny chunks: the feed catches up, and
// every chat line reaches the archive once, in order, and every "!" command
// among them is handed to the command listeners once.
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
    const auto archive = [&] { return live.dir().read("Logs/ChatArchive.txt"); };
    std::vector<std::string> said;
    std::vector<std::string> wantedSays; // what each "!say" of the burst makes the server say
    for (const std::string mode : {"chunked", "partial", "tiny 7"}) {
        ASSERT_EQ(sim.command("http mode " + mode).rfind("ok", 0), 0u);
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
        ASSERT_TRUE(
            waitUntil([&] { return archive().find(said.back()) != std::string::npos; }, 15000))
            << mode;
    }
    std::vector<std::string> archived;
    for (const std::string& line : splitLines(archive()))
        if (const std::size_t at = line.find("] Alice: "); at != std::string::npos)
            archived.push_back(line.substr(at + 2));
    EXPECT_EQ(archived, said);
    const std::string view = live.app().chatLog().view().plainText();
    EXPECT_NE(view.find(said.back()), std::string::npos);
    EXPECT_EQ(view.find(said.back()), view.rfind(said.back()));
    EXPECT_TRUE(
        waitUntil([&] { return transcript(live).find(said.back()) != std::string::npos; }, 5000));

    // Every command of the burst was carried out once, in order.
    ASSERT_TRUE(
        waitUntil([&] { return sim.commandsRun("say  ").size() >= wantedSays.size(); }, 20000));
    runFor(1500); // nothing more follows
    EXPECT_EQ(sim.commandsRun("say  "), wantedSays);
    const std::string log = live.serverLog();
    EXPECT_NE(log.find("] Caught up after a burst of log lines: "), std::string::npos) << log;
    EXPECT_EQ(log.find("Log lines were missed"), std::string::npos) << log;
}
