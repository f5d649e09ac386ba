#pragma once
// Everything the log feed talks to, on virtual time and fake sockets, with the
// hooks of the parts above it recording what they were handed.

#include "core/chatlog.h"
#include "core/textfile.h"
#include "logfeed/logfetcher.h"
#include "logfeed/logparser.h"
#include "rcon/linkstate.h"
#include "rcon/onlinegrid.h"
#include "rcon/onlineplayers.h"
#include "rcon/rconqueue.h"
#include "rcon/slottable.h"
#include "settingsrig.h"

#include <algorithm>
#include <string>
#include <vector>

namespace corvane::testing {

using Lines = std::vector<std::string>;

inline constexpr char kMark = 21; // in front of every chat text in the log
inline const std::string kGuid = "0110000100000001";

// "  1:23" - the log's stamps are right-aligned in six characters.
inline std::string stamp(const std::string& at) {
    return std::string(6 - std::min<std::size_t>(at.size(), 6), ' ') + at;
}

inline std::string sayLine(const std::string& at, const std::string& guid, int slot,
                           const std::string& name, const std::string& text,
                           const std::string& word = "say") {
    return stamp(at) + " " + word + ";" + guid + ";" + std::to_string(slot) + ";" + name + ";" +
           kMark + text;
}

inline std::string joinLine(const std::string& at, const std::string& guid, int slot,
                            const std::string& name, const std::string& word = "J") {
    return stamp(at) + " " + word + ";" + guid + ";" + std::to_string(slot) + ";" + name;
}

inline std::string logText(const Lines& lines) {
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

// Everybody is in the default group except the GUIDs listed as administrators;
// every name passes.
struct FakeDirectory : PlayerDirectory, NameChecks {
    Lines admins;
    std::string CheckAdminGroup(const std::string& guid) override {
        return inDefaultGroup(guid) ? "Member" : "Leader";
    }
    std::string defaultGroupName() const override { return "Member"; }
    bool inDefaultGroup(const std::string& guid) const override {
        return std::find(admins.begin(), admins.end(), guid) == admins.end();
    }
    bool CheckBadNames(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
    bool CheckBadxBox(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
};

struct LogFeedRig : SettingsRig {
    ChatLog chat{paths, fake.clock};
    RconQueue queue;
    LinkState link;
    SlotTable slots;
    OnlineGrid grid;
    FakeDirectory directory;
    OnlinePlayers players{slots, grid, settings.config, settings.mod, directory, directory};
    LogParser parser{log, chat, queue, link, slots, players, settings, directory};
    LogFetcher fetcher{fake.loop, fake.net, fake.clock, settings, log, queue, parser};
    Lines calls; // what the parser and fetcher told, in order
    Connections listening;

    LogFeedRig() {
        dir.writeConfiguredServer();
        settings.config.LogURL = "http://logs.example.net/alpha/games_mp.log";
        settings.config.MaxClients = 18;
        auto record = [this](Signal<>& signal, std::string name) {
            listening += signal.connect([this, name] { calls.push_back(name); });
        };
        record(parser.batchStarted, "batchStarted");
        record(parser.statusPollWanted, "statusPollWanted");
        record(parser.playersChanged, "playersChanged");
        record(parser.batchEnded, "batchEnded");
        record(fetcher.fetchDue, "fetchDue");
        record(fetcher.restartDetected, "restartDetected");
        listening += parser.chatLine.connect(
            [this](const ChatLine& line) { calls.push_back("chat " + line.text); });
        listening += parser.commandTyped.connect(
            [this](const ChatLine& line) { calls.push_back("command " + line.text); });
        listening += parser.damage.connect(
            [this](const DamageLine& d) { calls.push_back("damage " + d.line); });
        listening +=
            parser.kill.connect([this](const KillLine& k) { calls.push_back("kill " + k.line); });
    }

    FakeTcp& connect() {
        fetcher.Command1_Click();
        FakeTcp& tcp = fake.net.tcp("log");
        tcp.acceptConnection();
        return tcp;
    }

    // One whole fetch whose reply arrives in pieces of pieceSize bytes.
    void fetch(const std::string& reply, std::size_t pieceSize = 1 << 20) {
        FakeTcp& tcp = connect();
        for (std::size_t i = 0; i < reply.size(); i += pieceSize)
            tcp.feed(reply.substr(i, pieceSize));
    }

    void fetchLog(const Lines& lines, std::size_t pieceSize = 1 << 20) {
        fetch(chunkedReply(logText(lines)), pieceSize);
    }

    Lines logged() const {
        Lines out;
        for (const std::string& line : splitLines(dir.read("Logs/Server.txt")))
            out.push_back(line.substr(line.find("] ") + 2));
        return out;
    }

    std::size_t count(const std::string& call) const {
        return static_cast<std::size_t>(std::count(calls.begin(), calls.end(), call));
    }
    // What was told of the kinds given ("chat ", "command "...), in order, without the kind.
    Lines told(const Lines& kinds) const {
        Lines out;
        for (const std::string& c : calls)
            for (const std::string& kind : kinds)
                if (c.starts_with(kind)) out.push_back(c.substr(kind.size()));
        return out;
    }
};

} // namespace corvane::testing
