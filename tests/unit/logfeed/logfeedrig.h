#pragma once
// Everything the log feed talks to, on virtual time and fake sockets, with the
// hooks of the parts above it recording what they were handed.

#include "core/activitylog.h"
#include "core/apppaths.h"
#include "core/chatlog.h"
#include "core/settings.h"
#include "core/textfile.h"
#include "fakeports.h"
#include "logfeed/logfetcher.h"
#include "logfeed/logparser.h"
#include "rcon/linkstate.h"
#include "rcon/onlinegrid.h"
#include "rcon/onlineplayers.h"
#include "rcon/rconqueue.h"
#include "rcon/slottable.h"
#include "tempappdir.h"

#include <string>
#include <vector>

namespace corvane::testing {

inline constexpr char kMark = 21; // in front of every chat text in the log

// "  1:23" - the log's stamps are right-aligned in six characters.
inline std::string stamp(const std::string& minutesSeconds) {
    return std::string(minutesSeconds.size() < 6 ? 6 - minutesSeconds.size() : 0, ' ') +
           minutesSeconds;
}

inline std::string sayLine(const std::string& at, const std::string& guid, int slot,
                           const std::string& name, const std::string& text,
                           const std::string& word = "say") {
    return stamp(at) + " " + word + ";" + guid + ";" + std::to_string(slot) + ";" + name + ";" +
           kMark + text;
}

inline std::string joinLine(const std::string& at, const std::string& guid, int slot,
                            const std::string& name) {
    return stamp(at) + " J;" + guid + ";" + std::to_string(slot) + ";" + name;
}

inline std::string quitLine(const std::string& at, const std::string& guid, int slot,
                            const std::string& name) {
    return stamp(at) + " Q;" + guid + ";" + std::to_string(slot) + ";" + name;
}

inline std::string logText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// A complete chunked 200 reply, the body cut into chunks of chunkSize bytes.
inline std::string chunkedReply(const std::string& body, std::size_t chunkSize = 4096) {
    std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n"
                        "Transfer-Encoding: chunked\r\n\r\n";
    for (std::size_t i = 0; i < body.size(); i += chunkSize) {
        const std::string chunk = body.substr(i, chunkSize);
        char size[32];
        std::snprintf(size, sizeof size, "%zx\r\n", chunk.size());
        reply += size + chunk + "\r\n";
    }
    return reply + "0\r\n\r\n";
}

struct LogFeedRig {
    TempAppDir dir;
    AppPaths paths{dir.path()};
    FakePorts fake;
    bool critical = false;
    ActivityLog log{paths, fake.clock, critical};
    ChatLog chat{paths, fake.clock};
    Settings settings{paths, log, critical};
    RconQueue queue;
    LinkState link;
    SlotTable slots;
    OnlineGrid grid;
    PlayerHooks playerHooks;
    OnlinePlayers players{slots, grid, settings.config, settings.mod, playerHooks};
    LogParser parser{log, chat, queue, link, slots, players, settings};
    std::vector<std::string> calls; // hook calls in order
    int statusPolls = 0;
    int groupSaves = 0;
    LogFetcher fetcher{fake.loop,
                       fake.net,
                       fake.clock,
                       settings,
                       log,
                       queue,
                       parser,
                       {.beforeFetch = [this] { ++groupSaves; }, .Command8_Click = [this] { ++statusPolls; }}};

    LogFeedRig() {
        dir.writeConfiguredServer();
        settings.config.LogURL = "http://logs.example.net/alpha/games_mp.log";
        settings.config.MaxClients = 18;
        recordHooks();
    }

    void recordHooks() {
        LogParserHooks& h = parser.hooks;
        h.resetBatchState = [this] { calls.push_back("resetBatchState"); };
        h.AdminCheck = [this] { calls.push_back("AdminCheck " + parser.ChatFields.at(4)); };
        h.AlphaD = [this](const std::string& l) { calls.push_back("AlphaD " + l); };
        h.AlphaKill = [this](const std::string& l) { calls.push_back("AlphaKill " + l); };
        h.startStatusPoll = [this] { calls.push_back("startStatusPoll"); };
        h.refreshPlayerList = [this] { calls.push_back("refreshPlayerList"); };
        h.resetDamageMarker = [this] { calls.push_back("resetDamageMarker"); };
        h.ClearHP = [this] { calls.push_back("ClearHP"); };
        h.DoVotingSystem = [this] { calls.push_back("DoVotingSystem"); };
    }

    // Starts a fetch and lets the log host accept it.
    FakeTcp& connect() {
        fetcher.Command1_Click();
        FakeTcp& tcp = *fake.net.tcps.back();
        tcp.acceptConnection();
        return tcp;
    }

    // One whole fetch whose reply arrives in pieces of pieceSize bytes.
    void fetch(const std::string& reply, std::size_t pieceSize = 1 << 20) {
        FakeTcp& tcp = connect();
        for (std::size_t i = 0; i < reply.size(); i += pieceSize)
            tcp.feed(reply.substr(i, pieceSize));
    }

    void fetchLog(const std::vector<std::string>& lines, std::size_t pieceSize = 1 << 20) {
        fetch(chunkedReply(logText(lines)), pieceSize);
    }

    // Activity log lines without their file stamps.
    std::vector<std::string> logged() const {
        std::vector<std::string> out;
        for (const std::string& line : splitLines(dir.read("Logs/Server.txt")))
            out.push_back(line.substr(line.find("] ") + 2));
        return out;
    }

    std::size_t count(const std::string& call) const {
        std::size_t n = 0;
        for (const std::string& c : calls)
            n += c == call;
        return n;
    }
};

} // namespace corvane::testing
