// The game's own rules where no end-to-end run reaches them: stamp forms,
// console answers to odd lines, player text in the log, bans and restarts.

#include "gamesim/core/console.h"
#include "gamesim/core/game.h"
#include "gamesim/core/logformat.h"

#include <gtest/gtest.h>

using namespace gamesim;

namespace {

class Game : public ::testing::Test {
protected:
    Game() : game(ServerSettings{}, [this] { return now; }) {
        game.setLogListener([this](const std::string& line) { lines.push_back(line); });
        game.boot();
    }
    int joinPlayer(const std::string& name) {
        const auto r = game.join(name, std::nullopt, std::nullopt, "");
        EXPECT_EQ(r.error, "");
        return r.slot;
    }
    std::int64_t now = 0;
    GameServer game;
    std::vector<std::string> lines;
};

} // namespace

TEST(LogFormat, StampsAreRightAlignedMinutesOrWholeSeconds) {
    const struct {
        std::int64_t seconds;
        bool inSeconds;
        const char* stamp;
    } cases[] = {{5, false, "  0:05"},
                 {754, false, " 12:34"},
                 {123 * 60 + 45, false, "123:45"},
                 {1000 * 60 + 7, false, "1000:07"},
                 {12345, true, " 12345"},
                 {7, true, "     7"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatStamp(c.seconds, c.inSeconds), c.stamp) << c.seconds;
}

TEST_F(Game, ConsoleAnswersOneLineAfterAnother) {
    const struct {
        const char* line;
        const char* reply;
    } steps[] = {
        {"frobnicate now", "Unknown command \"frobnicate\"\n"},
        {"tell 7 hello", "Client 7 is not active\n"},
        {"clientkick x", "Bad client slot: x\n"},
        {"clientkick 64", "Bad client slot: 64\n"},
        {"clientkick 0", "Cannot kick host player\n"},
        {"banclient", "Usage: banclient <client number>\n"},
        {"sv_maxclients 4", "\"sv_maxclients\" is write protected.\n"},
        {"", ""},
        {"playlist 5", ""},
        {"PLAYLIST", "\"playlist\" is:\"5^7\" default:\"22^7\"\n"},
        {"playlist_excludeMap \"mp_a mp_b\"", ""},
        {"playlist_excludeMap", "\"playlist_excludeMap\" is: \"mp_a mp_b^7\" default: \"^7\"\n"},
        {"playlist_excludeMap \"\"\"", ""}, // an empty quoted word clears the list
        {"playlist_excludeMap", "\"playlist_excludeMap\" is: \"^7\" default: \"^7\"\n"},
    };
    for (const auto& s : steps)
        EXPECT_EQ(runConsoleLine(game, s.line), s.reply) << s.line;
}

TEST_F(Game, LineBreaksInPlayerTextCannotStartANewLogLine) {
    const int slot = joinPlayer("Evil\nName");
    game.chat(slot, "a\r\n  0:00 J;1;2;fake", false);
    for (const auto& line : lines)
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    EXPECT_EQ(game.player(slot)->name, "Evil Name");
}

TEST_F(Game, TemporaryBansRunOutAndBansOutliveARestart) {
    const int eve = joinPlayer("Eve");
    const int mallory = joinPlayer("Mallory");
    const std::string eveGuid = game.player(eve)->guid, malloryGuid = game.player(mallory)->guid;
    EXPECT_EQ(runConsoleLine(game, "tempbanclient 1 \"reason\""), "Eve^7 was temporarily banned\n");
    EXPECT_EQ(runConsoleLine(game, "banclient 2"), "Mallory^7 was banned\n");
    EXPECT_EQ(lines.end()[-2], "  0:00 Q;" + eveGuid + ";1;Eve");
    EXPECT_EQ(lines.back(), "  0:00 Q;" + malloryGuid + ";2;Mallory");
    const auto joinError = [&](const std::string& name, const std::string& guid) {
        const auto r = game.join(name, std::nullopt, guid, "");
        if (r.error.empty()) game.leave(r.slot);
        return r.error;
    };
    EXPECT_EQ(joinError("Eve", eveGuid), "banned");
    now += 301 * 1000;
    EXPECT_EQ(joinError("Eve", eveGuid), "");
    runConsoleLine(game, "tempbanclient " + std::to_string(joinPlayer("Eve")));
    EXPECT_EQ(joinError("Eve", eveGuid), "banned");
    game.restart(); // forgets temporary bans only
    EXPECT_EQ(joinError("Eve", eveGuid), "");
    EXPECT_EQ(joinError("Mallory", malloryGuid), "banned");
}

TEST_F(Game, ARestartDropsPlayersWithoutQuitLinesAndStartsTheClockAgain) {
    joinPlayer("Bob");
    now = 45 * 60 * 1000 + 3000;
    runConsoleLine(game, "g_logTimeStampInSeconds 1");
    const std::size_t before = lines.size();
    game.restart();
    EXPECT_TRUE(game.playerSlots().empty());
    ASSERT_GE(lines.size() - before, 2u);
    for (std::size_t i = before; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].substr(0, kStampWidth), "  0:00"); // variables are back too
        EXPECT_NE(lines[i].substr(kStampWidth + 1, 2), "Q;");
    }
    now += 130 * 1000;
    game.writeEvent("ShutdownGame:");
    EXPECT_EQ(lines.back(), "  2:10 ShutdownGame:");
}
