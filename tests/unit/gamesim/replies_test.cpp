// The replies as Corvane Mod's position-based readers see them.

#include "clientview.h"

#include "gamesim/core/console.h"
#include "gamesim/core/datagram.h"
#include "gamesim/core/game.h"
#include "gamesim/core/replies.h"

#include <gtest/gtest.h>

using namespace gamesim;
using clientview::mid;

namespace {

struct Server {
    explicit Server(ServerSettings settings = {})
        : game(std::move(settings), [this] { return now; }) {
        game.boot();
    }
    // The datagrams the server sends for one console line.
    std::vector<std::string> ask(std::string_view line) {
        return encodeReplies(runConsoleLine(game, line), kDefaultReplyChunk);
    }
    std::string askOne(std::string_view line) {
        const auto d = ask(line);
        EXPECT_EQ(d.size(), 1u);
        return d.front();
    }
    std::int64_t now = 0;
    GameServer game;
};

std::string statusSocketText(const std::vector<std::string>& datagrams) {
    std::string buffer;
    for (const auto& d : datagrams)
        buffer += clientview::cleanReply(d, false);
    return buffer;
}

} // namespace

TEST(ReplyLayout, PlaylistQueryPutsTheWordAt20AndTheValueAt34) {
    ServerSettings settings;
    settings.playlist = 22;
    Server server(settings);
    const std::string cleaned = clientview::cleanReply(server.askOne("Playlist"), true);
    EXPECT_EQ(mid(cleaned, 1, 18), "Command Executed\r\n");
    EXPECT_EQ(mid(cleaned, 20, 8), "playlist");
    EXPECT_EQ(mid(cleaned, 34, 4), "22\" ");

    server.game.variable("playlist")->value = "5";
    const std::string oneDigit = clientview::cleanReply(server.askOne("playlist"), true);
    EXPECT_EQ(mid(oneDigit, 34, 4), "5\" d"); // a one-digit value is not a whole number there
}

TEST(ReplyLayout, WrongPasswordTextSitsWhereBothReadersLook) {
    const std::string datagram = encodeReply(kInvalidPassword);
    EXPECT_EQ(mid(clientview::cleanReply(datagram, false), 8, 14), "Invalid passwo");
    EXPECT_EQ(mid(clientview::wizardText(datagram), 7, 14), "Invalid passwo");
}

TEST(ReplyLayout, ServerinfoPartsGiveSlotsHostNameAndRanked) {
    ServerSettings settings;
    settings.maxClients = 18;
    settings.hostname = "^1Corvane ^7Arena";
    settings.ranked = "2";
    Server server(settings);
    const auto parts = clientview::split(clientview::wizardText(server.askOne("serverinfo")), ";");
    ASSERT_GT(parts.size(), 19u);
    EXPECT_EQ(parts[0], "print");
    EXPECT_EQ(parts[2].substr(parts[2].size() - 2), "18");
    std::string host = parts[13];
    clientview::replaceAll(host, "sv_hostname ", "");
    EXPECT_EQ(clientview::tokens(host), (std::vector<std::string>{"Corvane", "Arena"}));
    std::string ranked = parts[19];
    clientview::replaceAll(ranked, "sv_ranked ", "");
    EXPECT_EQ(clientview::tokens(ranked), std::vector<std::string>{"2"});

    ServerSettings small;
    small.maxClients = 8;
    small.ranked = "";
    Server other(small);
    const auto otherParts =
        clientview::split(clientview::wizardText(other.askOne("serverinfo")), ";");
    EXPECT_EQ(clientview::tokens(otherParts[2].substr(otherParts[2].size() - 2)),
              std::vector<std::string>{"8"});
    std::string empty = otherParts[19];
    clientview::replaceAll(empty, "sv_ranked ", "");
    EXPECT_TRUE(clientview::tokens(empty).empty());
}

TEST(ReplyLayout, ExclusionQueryValueStartsAfter33Characters) {
    Server server;
    server.game.variable("playlist_excludeMap")->value = "mp_nuked mp_cairo";
    const std::string text = clientview::wizardText(server.askOne("playlist_excludeMap"));
    const std::string rest = text.substr(33);
    EXPECT_EQ(rest.substr(0, rest.find('"')), "mp_nuked mp_cairo");

    server.game.variable("playlist_excludeMap")->value = "";
    const std::string none = clientview::wizardText(server.askOne("playlist_excludeMap"));
    EXPECT_EQ(none.substr(33, none.find('"', 33) - 33), "");
}

TEST(ReplyLayout, LongTeamstatusIsSplitAndTheCutRowIsJoinedAgain) {
    ServerSettings settings;
    settings.maxClients = 18;
    Server server(settings);
    // Long names put the datagram boundary inside a row's name column.
    for (int i = 1; i <= 16; ++i)
        server.game.join("Soldier Number " + std::to_string(i), i, std::nullopt, "");
    const auto datagrams = server.ask("teamstatus");
    ASSERT_EQ(datagrams.size(), 2u);
    EXPECT_GE(datagrams[0].size(), 1167u);
    EXPECT_EQ(datagrams[1].substr(0, 10), std::string(kReplyPrefix));

    const std::string first = clientview::cleanReply(datagrams[0], false);
    const std::string cutLine = first.substr(first.rfind("\r\n") + 2);
    ASSERT_GE(clientview::tokens(cutLine).size(), 5u) << "the cut must fall after the name starts";

    const auto status = clientview::readTeamstatus(statusSocketText(datagrams));
    std::vector<std::string> names;
    for (const auto& row : status.rows)
        if (row.slot != 0) names.push_back(row.name);
    std::vector<std::string> expected;
    for (int i = 1; i <= 16; ++i)
        expected.push_back("Soldier Number " + std::to_string(i));
    EXPECT_EQ(names, expected);
    for (const auto& row : status.rows)
        if (row.slot != 0) {
            EXPECT_EQ(row.guid, server.game.player(row.slot)->guid);
        }
}

TEST(ReplyLayout, UnknownCommandsAndBadSlotsAreAnsweredInText) {
    Server server;
    EXPECT_EQ(runConsoleLine(server.game, "frobnicate now"), "Unknown command \"frobnicate\"\n");
    EXPECT_EQ(runConsoleLine(server.game, "tell 7 hello"), "Client 7 is not active\n");
    EXPECT_EQ(runConsoleLine(server.game, "clientkick x"), "Bad client slot: x\n");
    EXPECT_EQ(runConsoleLine(server.game, "clientkick 0"), "Cannot kick host player\n");
    EXPECT_EQ(runConsoleLine(server.game, "sv_maxclients 4"),
              "\"sv_maxclients\" is write protected.\n");
    EXPECT_EQ(runConsoleLine(server.game, ""), "");
}

TEST(ConsoleTokens, QuotesMakeOneWordAndMayBeEmptyOrUnclosed) {
    using V = std::vector<std::string>;
    EXPECT_EQ(tokenizeConsoleLine("clientkick 12 \" - ^1Reason: ^2^2 Spam\""),
              (V{"clientkick", "12", " - ^1Reason: ^2^2 Spam"}));
    EXPECT_EQ(tokenizeConsoleLine("playlist_excludeMap \"mp_a mp_b\""),
              (V{"playlist_excludeMap", "mp_a mp_b"}));
    EXPECT_EQ(tokenizeConsoleLine("playlist_excludeMap \"\"\""),
              (V{"playlist_excludeMap", "", ""}));
    EXPECT_EQ(tokenizeConsoleLine("  a\tb  "), (V{"a", "b"}));
}
