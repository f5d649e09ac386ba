#include "logfeedrig.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::testing;

namespace {

const std::string kAdminGuid = "0110000100000002";

struct LogParserTest : ::testing::Test {
    LogFeedRig rig;

    LogParserTest() {
        rig.parser.ParseChat({}); // the priming batch
        rig.calls.clear();
    }

    void batch(const Lines& lines) { rig.parser.ParseChat(lines); }
};

} // namespace

TEST_F(LogParserTest, SecondsStampStopsTheBatchUntilTheServerIsRepaired) {
    batch({joinLine("1:00", kGuid, 3, "Bob"), "12345 say;" + kGuid + ";3;Bob;\x15!kick al",
           joinLine("1:01", kGuid, 4, "Al")});
    EXPECT_EQ(rig.slots[3].SlotName, "Bob"); // lines before it were handled
    EXPECT_TRUE(rig.slots[4].SlotName.empty());
    EXPECT_EQ(rig.count("command !kick al"), 0u);
    EXPECT_EQ(rig.logged(), (Lines{"You can now send commands",
                                   "Invalid dvar - resetting g_logTimeStampInSeconds to '0' - "
                                   "(Chat log unavailable until set)"}));
    ASSERT_EQ(rig.queue.size(), 1u);
    EXPECT_EQ(rig.queue.front().line, "g_logTimeStampInSeconds 0");
    EXPECT_EQ(rig.count("batchEnded"), 0u); // no end-of-batch steps
    EXPECT_TRUE(rig.parser.AwaitingStampFix());

    // Still in seconds: not reported again, nothing handled, and asked again
    // once the first request has left the queue.
    batch({"   12350 J;" + kGuid + ";4;Al"});
    EXPECT_EQ(rig.logged().size(), 2u);
    EXPECT_EQ(rig.queue.size(), 1u);
    EXPECT_TRUE(rig.slots[4].SlotName.empty());
    rig.queue.popFront();
    batch({"   12351 J;" + kGuid + ";4;Al"});
    EXPECT_EQ(rig.queue.size(), 1u);
    EXPECT_EQ(rig.logged().size(), 2u);

    batch({joinLine("0:02", kGuid, 4, "Al")});
    EXPECT_EQ(rig.logged().back(), "g_logTimeStampInSeconds successfully set!");
    EXPECT_EQ(rig.log.view().runs().back().colour, kBlue);
    EXPECT_FALSE(rig.parser.AwaitingStampFix());
    EXPECT_EQ(rig.slots[4].SlotName, "Al");
}

TEST_F(LogParserTest, ChatLineIsShownArchivedAndFilteredOnce) {
    const std::string line = sayLine("12:34", kGuid, 3, "[CLAN]Bob", "hello there");
    batch({line});
    batch({line}); // an overlapping reply hands it over again
    EXPECT_EQ(rig.told({"chat "}), Lines{"hello there"});
    EXPECT_EQ(rig.chat.view().plainText(),
              std::string(kChatHeading) + "\r\n12:34: Bob: hello there");
    const std::string archive = rig.dir.read("Logs/ChatArchive.txt");
    EXPECT_EQ(archive, "[2026-12-05 09:18:28] Bob: hello there\r\n");
    EXPECT_EQ(rig.parser.LastChatLine(), line);
}

// An administrator's name is blue, a command word red; team chat is shown
// and run like chat.
TEST_F(LogParserTest, ChatColours) {
    rig.directory.admins = {kAdminGuid};
    batch({sayLine("1:00", kAdminGuid, 2, "Ann", "!kick bob spam"),
           sayLine("1:01", kGuid, 3, "Bob", "why me"),
           sayLine("1:02", kGuid, 3, "Bob", "!rules", "sayteam")});
    const std::vector<TextRun> expected{
        {kChatHeading, kBlack, false}, {"\r\n1:00: ", kBlack, true},
        {"Ann: ", kBlue, true},        {"!kick", kRed, false},
        {" bob spam", kBlack, false},  {"\r\n1:01: Bob: ", kBlack, true},
        {"why me", kBlack, false},     {"\r\n1:02: Bob: ", kBlack, true},
        {"!rules", kRed, false}};
    EXPECT_EQ(rig.chat.view().runs(), expected);
    EXPECT_EQ(rig.count("command !rules"), 1u);
}

TEST(LogEvent, EachLineKindBecomesItsEvent) {
    using Chat = ChatLine;
    const std::string g = kGuid;
    const struct {
        std::string line;
        std::optional<LogEvent> event;
    } cases[] = {
        {sayLine("12:34", g, 3, "[CL]Bob", "hi all"),
         Chat{"12:34", g, "3", "Bob", "hi all", false, ""}},
        {sayLine("1:00", g, 3, "Bob", "!kick al", "sayteam"),
         Chat{"1:00", g, "3", "Bob", "!kick al", true, ""}},
        // Without the game's mark the text is taken whole; a ";" cuts it.
        {stamp("1:00") + " say;" + g + ";3;Bob;!pl", Chat{"1:00", g, "3", "Bob", "!pl", false, ""}},
        {sayLine("1:01", g, 3, "Bob", "!kick al;x"),
         Chat{"1:01", g, "3", "Bob", "!kick al", false, ";x"}},
        {stamp("1:00") + " say;1;2", std::nullopt},
        {joinLine("1:00", g, 0, "[AB]Al"), JoinLine{{g, "0", "Al"}}},
        {joinLine("1:00", g, 50, "Al", "Q"), QuitLine{{g, "50", "Al"}}},
        {stamp("1:00") + " J;" + g + ";51;Al", std::nullopt},
        {stamp("1:00") + " J;" + g + ";notaslot;Al", std::nullopt},
        {stamp("1:00") + " Q;" + g, std::nullopt},
        {stamp("2:00") + " D;x", DamageLine{stamp("2:00") + " D;x"}},
        {stamp("2:00") + " K;y", KillLine{stamp("2:00") + " K;y"}},
        {stamp("0:00") + " InitGame: \\playlist\\12\\sv_maxclients\\18",
         MatchStart{12, std::nullopt}},
        {stamp("0:00") + " InitGame: \\g_gametype\\dm", MatchStart{std::nullopt, "dm"}},
        {stamp("0:00") + " InitGame: \\g_gametype\\dm\\playlist", MatchStart{std::nullopt, "dm"}},
        {stamp("9:59") + " ShutdownGame:", MatchEnd{}},
        {stamp("9:59") + " ExitLevel: executed", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(parseLogEvent(c.line, *stampEnd(c.line)) == c.event) << c.line;
}

TEST_F(LogParserTest, MatchStartSetsThePlaylistAndMatchEndStopsSending) {
    std::vector<int> health;
    const Connection listener =
        rig.parser.matchStarted.connect([&](std::int16_t p) { health.push_back(p); });
    batch({stamp("0:00") + " InitGame: \\g_gametype\\tdm\\playlist\\12\\sv_maxclients\\18"});
    EXPECT_EQ(rig.link.CurrentPlaylist, 12);
    EXPECT_EQ(rig.link.CurrentGametype, "tdm");
    EXPECT_EQ(health, std::vector<int>{12});
    EXPECT_EQ(rig.count("statusPollWanted"), 1u);
    batch({stamp("0:00") + " InitGame: \\Playlist\\7\\g_gametype\\dm"});
    EXPECT_EQ(rig.link.CurrentPlaylist, 7);
    // Without a readable playlist the last one stays.
    batch({stamp("0:00") + " InitGame: \\g_gametype\\dm"});
    EXPECT_EQ(rig.link.CurrentPlaylist, 7);
    EXPECT_EQ(rig.link.CurrentGametype, "dm"); // the last value on the line
    batch({stamp("0:00") + " InitGame: \\playlist\\7\\g_gametype\\"});
    EXPECT_EQ(rig.link.CurrentGametype, "dm"); // none named: the last one stays
    EXPECT_EQ(health, (std::vector<int>{12, 7, 7, 7}));

    // A match end stops sending until a join shows the next match is on.
    batch({stamp("9:59") + " ShutdownGame:", joinLine("10:00", kGuid, 3, "Bob")});
    EXPECT_TRUE(rig.link.RconAllowed);
    batch({stamp("19:59") + " ShutdownGame:"});
    EXPECT_FALSE(rig.link.RconAllowed);
    batch({});
    EXPECT_TRUE(rig.link.RconAllowed); // every batch starts allowed
}

TEST_F(LogParserTest, QuitWithGuidZeroLeavesTheDatabaseAlone) {
    Lines seen;
    const Connection listener =
        rig.parser.playerLeft.connect([&](const std::string& guid) { seen.push_back(guid); });
    batch({joinLine("1:00", "0", 5, "Bot"), joinLine("1:00", kGuid, 6, "Bob")});
    rig.slots[5].SlotDbID = "7";
    rig.slots[6].SlotDbID = "8";
    batch({joinLine("1:10", "0", 5, "Bot", "Q"), joinLine("1:11", kGuid, 6, "Bob", "Q")});
    EXPECT_EQ(seen, Lines{kGuid});
    for (int slot : {5, 6}) {
        EXPECT_TRUE(rig.slots[slot].SlotDbID.empty()) << slot;
        EXPECT_TRUE(rig.slots[slot].SlotName.empty()) << slot;
        EXPECT_EQ(rig.slots[slot].SlotGreetedID, "0") << slot;
    }
}

// Kills and damage go to enforcement as they come; the end-of-batch steps follow.
TEST_F(LogParserTest, LinesThenEndOfBatchStepsRunInOrder) {
    int counted = -1;
    const Connection listener =
        rig.parser.batchEnded.connect([&] { counted = rig.slots.OnlineCount; });
    const std::string damage = stamp("2:00") + " D;" + kGuid + ";3;allies;Bob;1;0;axis;Al;m16;30";
    const std::string kill = stamp("2:01") + " K;" + kGuid + ";3;allies;Bob;1;0;axis;Al;m16;100";
    batch({joinLine("1:00", kGuid, 3, "Bob"), damage, kill});
    EXPECT_EQ(rig.calls, (Lines{"batchStarted", "damage " + damage, "kill " + kill,
                                "playersChanged", "batchEnded"}));
    EXPECT_EQ(counted, 1); // the players are counted before the batch's end is told

    rig.calls.clear();
    batch({sayLine("1:01", kGuid, 3, "Bob", "no list change")});
    EXPECT_EQ(rig.count("playersChanged"), 0u);
}

TEST_F(LogParserTest, ChatTranscriptIsSavedOnlyWhenTheBatchAddedSomething) {
    const std::filesystem::path rtf = rig.dir.file("Logs/Chat.rtf");
    batch({joinLine("1:00", kGuid, 3, "Bob")});
    EXPECT_FALSE(std::filesystem::exists(rtf));
    batch({sayLine("1:01", kGuid, 3, "Bob", "hi")});
    ASSERT_TRUE(std::filesystem::exists(rtf));
    std::filesystem::remove(rtf);
    batch({joinLine("1:02", kGuid, 4, "Al")});
    EXPECT_FALSE(std::filesystem::exists(rtf));
}

// On a busy server the chat view must not grow for the whole run: it keeps
// the newest part, and its transcript with it; the archive keeps every line.
TEST_F(LogParserTest, TheChatViewKeepsItsNewestPartAndTheArchiveEverything) {
    const std::string words(180, 'w');
    int said = 0;
    for (int batchNo = 0; batchNo < 16; ++batchNo) {
        Lines lines;
        for (int i = 0; i < 500; ++i, ++said)
            lines.push_back(sayLine("1:00", kGuid, 3, "Bob", std::to_string(said) + " " + words));
        batch(lines);
    }
    const std::string view = rig.chat.view().plainText();
    EXPECT_LE(view.size(), ChatLog::kViewLimit);
    EXPECT_TRUE(view.starts_with(std::string(kChatHeading) + "\r\n1:00: Bob: "))
        << view.substr(0, 80);
    EXPECT_TRUE(view.ends_with(std::to_string(said - 1) + " " + words));
    EXPECT_LE(std::filesystem::file_size(rig.dir.file("Logs/Chat.rtf")), 2 * ChatLog::kViewLimit);
    EXPECT_EQ(splitLines(rig.dir.read("Logs/ChatArchive.txt")).size(),
              static_cast<std::size_t>(said));
}

TEST_F(LogParserTest, MalformedLinesAndFailingHandlersDoNotStopTheBatch) {
    const Connection failing = rig.parser.damage.connect(
        [](const DamageLine&) -> void { throw std::runtime_error("bad"); });
    batch({stamp("1:00") + " J;" + kGuid + ";notaslot;Bob", stamp("1:00") + " Q;" + kGuid,
           stamp("1:00") + " D;x", stamp("1:00") + " say;1;2", "", "   ",
           "nostampatallbecausethistokenistoolong J;1;2;x", joinLine("1:01", kGuid, 4, "Al")});
    EXPECT_EQ(rig.slots[4].SlotName, "Al");
    EXPECT_EQ(rig.count("batchEnded"), 1u);
    for (const std::string& call : rig.calls)
        EXPECT_FALSE(call.starts_with("command"));
    EXPECT_EQ(rig.logged().back(), "Log parser: bad"); // reported, not lost

    // Chat text cannot pass itself off as an event. With a short GUID and name the typed text
    // starts within the first 21 characters; only the word after the stamp names the event.
    batch({stamp("1:00") + " say;0;5;A;" + kMark + " Shut",
           stamp("1:00") + " say;0;5;A;" + kMark + " J;9;5;Fake"});
    EXPECT_TRUE(rig.link.RconAllowed);
    EXPECT_TRUE(rig.slots[5].SlotName.empty());
}
