#pragma once
// Fetches the tail of the server log from the provider's log host every few
// seconds over a fresh HTTP connection, hands the lines not seen before to the
// parser in batches, and notices when the log's clock went backwards (the
// game server crashed or restarted). When a burst pushed the last line seen
// out of the tail, it asks again at once for a longer tail until that line is
// found again, so that no line is lost without a word.

#include "core/loghost.h"
#include "core/signal.h"
#include "logfeed/httpresponse.h"
#include "logfeed/logtail.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class ActivityLog;
class Clock;
class EventLoop;
class LogParser;
class NetworkFactory;
class RconQueue;
class Settings;
class TcpStream;
class Timer;
struct NetError;

class LogFetcher {
public:
    static constexpr int kConnectTimeoutMs = 5000;
    static constexpr int kReplyTimeoutMs = 21000;
    // A catch-up within this many replies of the previous one earns a hint.
    static constexpr int kCatchUpRepeatReplies = 6;

    LogFetcher(EventLoop& loop, NetworkFactory& net, const Clock& clock, Settings& settings,
               ActivityLog& log, RconQueue& queue, LogParser& parser);
    ~LogFetcher();
    LogFetcher(const LogFetcher&) = delete;
    LogFetcher& operator=(const LogFetcher&) = delete;

    // Starts one fetch, unless one is still outstanding: a host that accepts
    // the connection but does not answer runs into the reply timeout rather
    // than being asked again before it.
    void Command1_Click();
    // The reply is complete: hand on its new lines, then look for a restart.
    void Command2_Click();
    // Runs the parser again on the last batch.
    void reparse();
    // Shutdown: closes the log connection and stops waiting for it.
    void closeConnection();

    // The one-second tick's refresh step: counts a second and starts a fetch
    // when the refresh target is reached. Returns the seconds until the next one.
    int refreshTick();
    // "9 seconds until next refresh"
    static std::string refreshCountdownText(int remaining);
    // The seconds between fetches; below 1 counts as 1, so the feed never stops.
    void setRefreshTarget(std::int32_t seconds);

    std::int16_t RefreshTarget() const { return m_refreshTarget; }
    std::int16_t RefreshTicks() const { return m_refreshTicks; }
    // The minutes stamp of the newest log line: the server's uptime.
    std::int32_t LogMinutes() const { return m_logMinutes; }
    const std::string& LogStamp() const { return m_logStamp; }
    const std::string& LogAnchor() const { return m_logAnchor; }
    // The last batch handed to the parser.
    const std::vector<std::string>& NewLines() const { return m_newLines; }
    // The tail the next request asks for: longer while catching up.
    std::size_t tailAsked() const { return m_tailAsked; }
    bool LogConnected() const { return m_logConnected; }
    bool LogLost() const { return m_logLost; }
    // A fetch is connecting or waiting for its reply.
    bool fetchPending() const { return m_fetchPending; }
    // The request of the current fetch, as sent.
    const std::string& request() const { return m_request; }

    // The refresh cadence is about to start a fetch (the groups are saved).
    Signal<> fetchDue;
    // The server crashed or restarted: a status poll is wanted.
    Signal<> restartDetected;

private:
    void onConnected();
    void onData(const std::string& piece);
    void onClosed();
    void onError(const NetError& error);
    void onConnectTimeout();
    void onReplyTimeout();

    void judgeReply();
    // The fetch is over (answered, failed or given up): the next may start.
    void endFetch();
    void judgeHeaderless();
    void applyWaitAnswer();
    void warn(const std::string& text);
    // False when the reply did not reach the anchor and a longer tail is due.
    bool getNEWDATA();
    // Starts a fetch of a longer tail, unless that cannot reach further back.
    bool widenTail();
    void handOver(std::vector<std::string> lines, bool priming);
    void reportGap(const NewLogLines& fresh);
    void noteCatchUp(std::size_t lines);
    void detectRestart();

    const Clock& m_clock;
    Settings& m_settings;
    ActivityLog& m_log;
    RconQueue& m_queue;
    LogParser& m_parser;

    std::unique_ptr<TcpStream> m_stream;
    std::unique_ptr<Timer> m_connectTimeout;
    std::unique_ptr<Timer> m_replyTimeout;
    std::unique_ptr<Timer> m_catchUp; // the next, longer request, once this one ends
    HttpResponseDecoder m_decoder;

    LogHostAddress m_address;
    std::string m_path;
    std::string m_request;
    bool m_logConnected = false;
    bool m_logLost = false;
    bool m_fetchPending = false;
    bool m_stalled = false;      // the last fetch ran into the reply timeout
    bool m_warned = false;       // one URL warning per fetch
    bool m_replyHandled = false; // the reply of this fetch went to the parser

    std::size_t m_tailAsked = kLogTailBytes;
    int m_catchUpRequests = 0;      // extra requests of the catch-up under way
    int m_repliesSinceCatchUp = -1; // -1: no catch-up yet

    std::string m_logAnchor;
    std::vector<std::string> m_newLines;
    std::int32_t m_logMinutes = 0;
    std::string m_logStamp;

    std::int16_t m_refreshTicks = 0;
    std::int16_t m_refreshTarget = 10;
};

} // namespace corvane
