// The game as the log and the console show it.

#include "clientview.h"

#include "gamesim/core/console.h"
#include "gamesim/core/game.h"
#include "gamesim/core/logformat.h"
#include "gamesim/core/text.h"

#include <algorithm>

#include <gtest/gtest.h>

using namespace gamesim;

namespace {

class Game : public ::testing::Test {
protected:
    explicit Game(ServerSettings settings = {})
        : game(std::move(settings), [this] { return now; }) {
        game.setLogListener([this](const std::string& line) { lines.push_back(line); });
        game.boot();
    }
    int joinPlayer(const std::string& name) {
        const auto r = game.join(name, std::nullopt, std::nullopt, "");
        EXPECT_EQ(r.error, "");
        return r.slot;
    }
    bool logged(std::string_view event) const {
        for (const auto& line : lines)
            if (line.size() > kStampWidth && line.substr(kStampWidth + 1) == event) return true;
        return false;
    }
    std::vector<std::string> linesFrom(std::size_t first) const {
        return {lines.begin() + static_cast<std::ptrdiff_t>(first), lines.end()};
    }

    std::int64_t now = 0;
    GameServer game;
    std::vector<std::string> lines;
};

} // namespace

TEST(LogFormat, StampsAreRightAlignedMinutesAndSeconds) {
    EXPECT_EQ(formatStamp(5, false), "  0:05");
    EXPECT_EQ(formatStamp(754, false), " 12:34");
    EXPECT_EQ(formatStamp(123 * 60 + 45, false), "123:45");
    EXPECT_EQ(formatStamp(1000 * 60 + 7, false), "1000:07");
    EXPECT_EQ(formatStamp(12345, true), " 12345");
    EXPECT_EQ(formatStamp(7, true), "     7");
}

TEST(LogFormat, KillAndDamageFieldsAreWhereTheReadersTakeThem) {
    Hit hit;
    hit.victim = {"0110000100000002", 2, "allies", "Big Bad Wolf"};
    hit.attacker = {"0110000100000001", 1, "axis", "Bob"};
    hit.weapon = "ak47_gl_mp";
    hit.damage = 35;
    hit.means = "MOD_GRENADE_SPLASH";
    hit.location = "torso_upper";
    // victim GUID, slot, team, name; attacker GUID, slot, team, name; weapon, damage, means
    EXPECT_EQ(clientview::split(logLine(formatStamp(83, false), damageEvent(hit)), ";"),
              (std::vector<std::string>{"  1:23 D", "0110000100000002", "2", "allies",
                                        "Big Bad Wolf", "0110000100000001", "1", "axis", "Bob",
                                        "ak47_gl_mp", "35", "MOD_GRENADE_SPLASH", "torso_upper"}));
    EXPECT_EQ(clientview::split(killEvent(hit), ";")[0], "K");
}

TEST_F(Game, BootWritesSeparatorAndInitGameWhosePlaylistIsTheFirstOne) {
    ASSERT_GE(lines.size(), 2u);
    EXPECT_TRUE(logged(kSeparatorEvent));
    const std::string& init = lines[1];
    EXPECT_EQ(init.substr(kStampWidth + 1, 10), "InitGame: ");
    // The reader takes the two characters after the first "playlist\" (any case).
    const std::size_t p = toLower(init).find("playlist");
    ASSERT_NE(p, std::string::npos);
    EXPECT_EQ(init.substr(p + 9, 2), "22");
    EXPECT_NE(init.find("\\mapname\\" + game.currentMap()), std::string::npos);
}

TEST_F(Game, JoinChatAndQuitLinesCarryGuidSlotAndName) {
    const int slot = joinPlayer("Bob");
    EXPECT_EQ(slot, 1); // slot 0 belongs to the demo recorder
    const std::string guid = game.player(slot)->guid;
    game.chat(slot, "!kick bob; spam", false);
    game.chat(slot, "hi team", true);
    game.leave(slot);
    EXPECT_TRUE(logged("J;" + guid + ";1;Bob"));
    EXPECT_TRUE(logged("say;" + guid + ";1;Bob;\x15!kick bob; spam"));
    EXPECT_TRUE(logged("sayteam;" + guid + ";1;Bob;\x15hi team"));
    EXPECT_TRUE(logged("Q;" + guid + ";1;Bob"));
    EXPECT_EQ(game.player(slot), nullptr);
}

TEST_F(Game, LineBreaksInPlayerTextCannotStartANewLogLine) {
    const int slot = joinPlayer("Evil\nName");
    game.chat(slot, "a\r\n  0:00 J;1;2;fake", false);
    for (const auto& line : lines)
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(game.player(slot)->name, "Evil Name");
}

TEST_F(Game, KickTempBanAndBanMakeThePlayerLeaveWithAQuitLine) {
    const int bob = joinPlayer("Bob");
    const int eve = joinPlayer("Eve");
    const int mallory = joinPlayer("Mallory");
    const std::string bobGuid = game.player(bob)->guid;
    const std::string eveGuid = game.player(eve)->guid;
    const std::string malloryGuid = game.player(mallory)->guid;

    EXPECT_EQ(
        runConsoleLine(game, "clientkick " + std::to_string(bob) + " \" - ^1Reason: ^2Spam\""),
        "Bob^7 was kicked\n");
    EXPECT_TRUE(logged("Q;" + bobGuid + ";" + std::to_string(bob) + ";Bob"));
    EXPECT_EQ(game.join("Bob", std::nullopt, bobGuid, "").error, ""); // a kick is no ban

    runConsoleLine(game, "tempbanclient " + std::to_string(eve) + " \"reason\"");
    runConsoleLine(game, "banclient " + std::to_string(mallory));
    EXPECT_TRUE(logged("Q;" + eveGuid + ";" + std::to_string(eve) + ";Eve"));
    EXPECT_TRUE(logged("Q;" + malloryGuid + ";" + std::to_string(mallory) + ";Mallory"));
    EXPECT_EQ(game.join("Eve", std::nullopt, eveGuid, "").error, "banned");
    EXPECT_EQ(game.join("Mallory", std::nullopt, malloryGuid, "").error, "banned");

    now += 301 * 1000; // the temporary ban runs out, the ban does not
    EXPECT_EQ(game.join("Eve", std::nullopt, eveGuid, "").error, "");
    EXPECT_EQ(game.join("Mallory", std::nullopt, malloryGuid, "").error, "banned");
}

TEST_F(Game, RestartStartsTheClockAgainAndDropsEveryone) {
    joinPlayer("Bob");
    now = 45 * 60 * 1000 + 3000;
    game.writeEvent("say;x;1;Bob;\x15late");
    EXPECT_EQ(lines.back().substr(0, kStampWidth), " 45:03");
    const std::size_t before = lines.size();

    game.restart();
    EXPECT_TRUE(game.playerSlots().empty());
    const auto after = linesFrom(before);
    ASSERT_GE(after.size(), 2u);
    for (const auto& line : after) {
        EXPECT_EQ(line.substr(0, kStampWidth), "  0:00");
        EXPECT_NE(line.substr(kStampWidth + 1, 2), "Q;"); // a crash writes no quit lines
    }
    now += 130 * 1000;
    game.writeEvent("ShutdownGame:");
    EXPECT_EQ(lines.back().substr(0, kStampWidth), "  2:10");
}

TEST_F(Game, SecondsStampsFollowTheServerVariable) {
    now = 12345 * 1000;
    EXPECT_EQ(runConsoleLine(game, "g_logTimeStampInSeconds 1"), "");
    game.writeEvent("ShutdownGame:");
    EXPECT_EQ(lines.back(), " 12345 ShutdownGame:");
    runConsoleLine(game, "g_logTimeStampInSeconds 0");
    game.writeEvent("ShutdownGame:");
    EXPECT_EQ(lines.back(), "205:45 ShutdownGame:");
}

TEST_F(Game, RotationSkipsExcludedMapsAndTeamstatusFollows) {
    runConsoleLine(game,
                   "playlist_excludeMap \"mp_array mp_cracked mp_crisis mp_firingrange mp_duga "
                   "mp_hanoi mp_cairo mp_havoc mp_cosmodrome mp_radiation mp_mountain mp_villa "
                   "mp_russianbase\"");
    EXPECT_EQ(game.nextMap(), "mp_nuked");
    const std::size_t before = lines.size();
    runConsoleLine(game, "map_rotate");
    EXPECT_EQ(game.currentMap(), "mp_nuked");
    const auto after = linesFrom(before);
    ASSERT_GE(after.size(), 2u);
    EXPECT_NE(std::find_if(after.begin(), after.end(),
                           [](const std::string& l) {
                               return l.find("ShutdownGame:") != std::string::npos;
                           }),
              after.end());
    EXPECT_NE(after.back().find("\\mapname\\mp_nuked"), std::string::npos);

    const std::string status = clientview::cleanReply(
        "\xFF\xFF\xFF\xFFprint\n" + runConsoleLine(game, "teamstatus"), false);
    EXPECT_EQ(clientview::readTeamstatus(status).map, "mp_nuked");

    runConsoleLine(game, "playlist_excludeMap \"\"\"");
    EXPECT_EQ(game.variable("playlist_excludeMap")->value, "");
    EXPECT_EQ(game.nextMap(), "mp_radiation");
}

TEST_F(Game, PlayersStayAcrossAMapChangeAndJoinTheNewMatchAgain) {
    const int bob = joinPlayer("Bob");
    const std::size_t before = lines.size();
    game.endMatch();
    EXPECT_FALSE(game.matchRunning());
    game.startMatch();
    const auto after = linesFrom(before);
    EXPECT_NE(std::find(after.begin(), after.end(),
                        formatStamp(0, false) + " J;" + game.player(bob)->guid + ";1;Bob"),
              after.end());
}

TEST_F(Game, SlotsFillUpToMaxClientsAndExplicitSlotsAreChecked) {
    for (int i = 1; i < game.maxClients(); ++i)
        joinPlayer("P" + std::to_string(i));
    EXPECT_EQ(game.join("Late", std::nullopt, std::nullopt, "").error, "server full");
    game.leave(5);
    EXPECT_EQ(game.join("Late", 6, std::nullopt, "").error, "slot taken");
    EXPECT_EQ(game.join("Late", 99, std::nullopt, "").error, "slot out of range");
    EXPECT_EQ(game.join("Late", std::nullopt, std::nullopt, "").slot, 5);
}

TEST_F(Game, HitsNeedPlayersAndKillsScore) {
    const int a = joinPlayer("A");
    const int b = joinPlayer("B");
    EXPECT_EQ(game.hit(true, a, 9, 100, "ak47_mp", "MOD_RIFLE_BULLET", "head"),
              "no player in the victim's slot");
    EXPECT_EQ(game.hit(false, 9, b, 10, "ak47_mp", "MOD_RIFLE_BULLET", "head"),
              "no player in the attacker's slot");
    EXPECT_EQ(game.hit(true, a, b, 100, "ak47_mp", "MOD_HEAD_SHOT", "head"), "");
    EXPECT_EQ(game.hit(true, -1, a, 100, "none", "MOD_FALLING", "none"), "");
    EXPECT_EQ(game.player(a)->score, 100);
    const auto world = clientview::split(lines.back(), ";");
    EXPECT_EQ(world[5], "");
    EXPECT_EQ(world[6], "-1");
}
