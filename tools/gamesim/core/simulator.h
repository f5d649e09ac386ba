#pragma once
// The whole simulated server behind its three doors: remote-console datagrams,
// log-host HTTP requests and control lines. Pure over bytes and an injected
// clock; the Qt front end only moves bytes and runs timers. Everything that
// happens is written to the journal sink as JSON lines.

#include "gamesim/core/datagram.h"
#include "gamesim/core/game.h"
#include "gamesim/core/http.h"
#include "gamesim/core/httpanswers.h"
#include "gamesim/core/journal.h"
#include "gamesim/core/lively.h"
#include "gamesim/core/random.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace gamesim {

// Shares (0 to 1) of datagrams that go wrong. Drop applies to requests and to
// reply datagrams alike; delay and duplicate to reply datagrams.
struct UdpFaults {
    double drop = 0;
    double delay = 0;
    double duplicate = 0;
    int delayMs = 500;
};

struct OutgoingDatagram {
    std::string bytes;
    int delayMs = 0;
};

struct SimulatorOptions {
    ServerSettings server;
    std::string password = "corvane";
    std::string logPath = "/logs/games_mp.log";
    std::size_t replyChunk = kDefaultReplyChunk;
    std::uint64_t seed = 1;
    bool lively = false;
};

class Simulator {
public:
    using Clock = GameServer::Clock;
    using JournalSink = std::function<void(const std::string& line)>;

    Simulator(SimulatorOptions options, Clock clock, JournalSink sink);

    // Writes the server's start-up lines; call once the journal is wired.
    void start();
    // Also hands every log line to this function (a copy of the log on disk).
    void setLogMirror(std::function<void(const std::string& line)> mirror) {
        m_mirror = std::move(mirror);
    }

    std::vector<OutgoingDatagram> onDatagram(std::string_view bytes, std::string_view from);
    HttpAnswer onHttpRequest(const HttpRequest& request, std::string_view from);
    HttpAnswer onBadHttpRequest(std::string_view from);
    // Runs one control line and returns its one-line answer ("ok ..." or "error ...").
    std::string onControl(std::string_view line, std::string_view source);
    // One step of the lively mode (does nothing while it is off).
    void livelyTick();

    GameServer& game() { return m_game; }
    const GameServer& game() const { return m_game; }
    HttpSettings& http() { return m_http; }
    UdpFaults& faults() { return m_faults; }
    const std::string& password() const { return m_password; }
    void setPassword(std::string password) { m_password = std::move(password); }
    const std::string& logPath() const { return m_logPath; }
    bool lively() const { return m_lively; }
    void setLively(bool on) { m_lively = on; }
    bool exitRequested() const { return m_exitRequested; }
    void requestExit() { m_exitRequested = true; }
    std::int64_t elapsedMs() const { return m_clock() - m_startMs; }

    void journal(JsonLine record);
    // Console lines run with the right password, oldest first (the last kKeptCommands).
    static constexpr std::size_t kKeptCommands = 10000;
    const std::deque<std::string>& receivedCommands() const { return m_received; }

private:
    std::vector<OutgoingDatagram> reply(std::string_view text, std::string_view to);

    Clock m_clock;
    JournalSink m_sink;
    std::function<void(const std::string&)> m_mirror;
    std::int64_t m_startMs;
    GameServer m_game;
    std::string m_password;
    std::string m_logPath;
    std::size_t m_replyChunk;
    HttpSettings m_http;
    UdpFaults m_faults;
    Random m_faultRandom;
    Random m_httpRandom;
    Random m_livelyRandom;
    LivelyDirector m_director;
    std::deque<std::string> m_received;
    bool m_lively;
    bool m_exitRequested = false;
};

// Runs one line of the control language against the simulator.
std::string runControlLine(Simulator& sim, std::string_view line);

} // namespace gamesim
