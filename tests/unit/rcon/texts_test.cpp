#include "core/ascii.h"
#include "core/gametext.h"
#include "rcon/rcondatagram.h"
#include "rcon/slottable.h"
#include "rcon/statustexts.h"
#include "rcon/teamstatus.h"
#include "rcon/uptime.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace corvane;

TEST(Uptime, TimeFormats) {
    EXPECT_EQ(SetTimeFormat(1501, false), "1 day - 1:1");
    EXPECT_EQ(SetTimeFormat(61, true), "1 hour and 1 minute");
    EXPECT_EQ(SetTimeFormat(120, true), "2 hours and 0 minutes");
    EXPECT_EQ(SetTimeFormat(2880, false), "2 days - 0:0");
    EXPECT_EQ(SetTimeFormat(2941, true), "2 days - 1 hour and 1 minute");
    EXPECT_EQ(GetUptime(0, true), "Server Uptime: Unknown");
    EXPECT_EQ(GetUptime(75, false), "Server Uptime: 1:15");
}

TEST(StatusTexts, PanelsAndLabels) {
    StatusInputs in{.shownPlayers = 1,
                    .maxClients = 18,
                    .currentPlaylist = 5,
                    .currentMapName = "Crash",
                    .nextMapName = "Random",
                    .secondsToRefresh = 1,
                    .logMinutes = 0,
                    .hostName = "Alpha",
                    .gametype = "", // unknown
                    .adminsOnline = 1};
    StatusTexts t = makeStatusTexts(in);
    EXPECT_EQ(std::tie(t.players, t.currentMap, t.nextMap, t.refresh, t.uptime, t.serverName,
                       t.playlist, t.gametype, t.admins),
              std::tuple("1/17 Players", "Current Map: Crash", "Next Map: Random",
                         "1 second until next refresh", "Server Uptime: Unknown",
                         "Server Name: Alpha", "Playlist: 5", "Gametype: Unknown",
                         "Admin Online: 1"));
    in.secondsToRefresh = 9;
    in.adminsOnline = 0;
    in.currentPlaylist = 40; // twelve-player playlists
    t = makeStatusTexts(in);
    EXPECT_EQ(std::tie(t.refresh, t.admins, t.players, t.onlinePlayers),
              std::tuple("9 seconds until next refresh", "Admins Online: 0", "1/12 Players",
                         "Online Players: 1/12"));
}

TEST(RconDatagram, RequestReplyCleanUpAndPlaylistReplies) {
    EXPECT_EQ(buildRconRequest("pw", "say hi"), std::string("\xFF\xFF\xFF\xFF\0pw say hi", 14));
    EXPECT_EQ(CleanRconReply("\xFF\xFF\xFF\xFFprint\n^8kept^9\x01", false), "print\r\n^8kept^9");
    EXPECT_EQ(CleanRconReply("^^11x", false), "^1x"); // code by code, each once
    EXPECT_LE(CleanRconReply(std::string(200000, 'a'), false).size(), kMaxReply);
    EXPECT_FALSE(isPlaylistReply("Command Executed\r\nplaylist"));
    EXPECT_TRUE(isPlaylistReply("Command Executed\r\n\"playlist")); // cut after the word
    EXPECT_FALSE(isPlaylistReply(""));
}

TEST(StatusRows, RowsMapAndRowsCutByTheDatagramBoundary) {
    const TeamStatus status = parseTeamStatus({
        "map: mp_crash",
        "num score ping guid lastmsg address qport rate team name",
        "--- ----- ---- ---------------- ------- --------------------- ----- ----- ---- ----",
        "  3   0  48 abcd Big  Bad Wolf 0 127.0.0.1:1 1 2 3",
        "abc 0 48 guidx Word 0 1 2 3 4",              // no slot number
        " 60 0 48 guidx TooHigh 0 1 2 3 4",           // beyond the table
        "  9 0 48 guidx X 0 1 2 3 4",                 // a one-letter name
        "  6 0 48 g6 Shorty 0 1 2",                   // too short to hold a name
        "  5 20 48 g5 Cut Na 0 127.0.0.1:1 1 2print", // the next datagram goes on
        "3 4",
        "  7 1 48 g7 sprinteprint", // cut inside a name that holds "print"
        "r 0 127.0.0.1:1 1 2 3",
    });
    EXPECT_EQ(status.map, "mp_crash");
    EXPECT_FALSE(parseTeamStatus({"map:"}).map); // the word alone names no map
    EXPECT_EQ(status.rows, (std::vector<StatusRow>{{"3", "0", "abcd", "Big Bad Wolf"},
                                                   {"5", "20", "g5", "Cut Na"},
                                                   {"7", "1", "g7", "sprinter"}}));
    const std::string manyTokens = replaceAll(std::string(150, 't'), "t", "t ");
    EXPECT_EQ(statusTokens(manyTokens).size(), 100u); // at most a hundred tokens
}

TEST(SlotTable, OnlySlotsUpToMaxClientsAreCounted) {
    SlotTable t;
    for (int slot : {0, 5, 18, 19, 50})
        t[slot].SlotName = "P";
    t[5].SlotGroup = "Admin";
    t.DetectNumofPlayers(18, "Player");
    EXPECT_EQ(t.OnlineCount, 3);
    EXPECT_EQ(t.AdminsOnline, 1);
    t.DetectNumofPlayers(64, "Player"); // a setting above the table's 50 slots
    EXPECT_EQ(t.OnlineCount, 5);
}

TEST(GameText, NeutralizeClanTagsAndCase) {
    EXPECT_EQ(neutralize("x\";quit;\"\r\n\t"), "x':quit:'   ");
    // The tag's "]" must be among the first six characters.
    const std::pair<const char*, const char*> tags[] = {
        {"[AB]Name", "Name"},          {"[AB] Name", " Name"}, {"[LONGTAG]Name", "[LONGTAG]Name"},
        {"  Plain  ", "Plain"},        {"[A]B]C", "C"},        {"[ABCD]Carl", "Carl"},
        {"[ABCDE]Carl", "[ABCDE]Carl"}};
    for (const auto& [name, shown] : tags)
        EXPECT_EQ(RemoveCTag(name), shown) << name;
    EXPECT_EQ(removeColorCodes("^1a^8b^9c", '9'), "abc");
    EXPECT_EQ(findIgnoringCase("say MsG3", "msg"), 4u);
    EXPECT_EQ(findIgnoringCase("ab", "", 2), 2u); // an empty needle is found at the end too
}

TEST(GameText, AsciiClassesAndCaseAtEveryRangeEnd) {
    const struct {
        char c;
        bool digit, letter;
        int hex;
        char upper;
    } cases[] = {
        {'/', false, false, -1, '/'}, {'0', true, false, 0, '0'},   {'9', true, false, 9, '9'},
        {':', false, false, -1, ':'}, {'@', false, false, -1, '@'}, {'A', false, true, 10, 'A'},
        {'F', false, true, 15, 'F'},  {'G', false, true, -1, 'G'},  {'Z', false, true, -1, 'Z'},
        {'[', false, false, -1, '['}, {'`', false, false, -1, '`'}, {'a', false, true, 10, 'A'},
        {'f', false, true, 15, 'F'},  {'g', false, true, -1, 'G'},  {'z', false, true, -1, 'Z'},
        {'{', false, false, -1, '{'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isAsciiDigit(c.c), c.digit) << c.c;
        EXPECT_EQ(isAsciiLetter(c.c), c.letter) << c.c;
        EXPECT_EQ(hexDigitValue(c.c), c.hex) << c.c;
        EXPECT_EQ(asciiUpper(c.c), c.upper) << c.c;
        // A letter's other case; for anything else a different character ("@" and "`").
        const char flipped = static_cast<char>(c.c ^ 0x20);
        EXPECT_EQ(equalsIgnoringCase({&c.c, 1}, {&flipped, 1}), c.letter) << c.c;
    }
    EXPECT_EQ(toUpper("`az{@AZ[\xE9"), "`AZ{@AZ[\xE9");
    EXPECT_FALSE(isAsciiLetter('\xE9') || isAsciiDigit('\xE9') || hexDigitValue('\xE9') >= 0);
    EXPECT_FALSE(equalsIgnoringCase("Owner", "OWNERS"));
    EXPECT_TRUE(startsWithIgnoringCase("Http://", "http://"));
    EXPECT_FALSE(startsWithIgnoringCase("http:/", "http://"));
    EXPECT_FALSE(startsWithIgnoringCase("xhttp://", "http://"));
}
