#pragma once
// The command socket and the queue pump: one queued line per tick, rewritten
// into the game's forms (kick reasons, rule pacing, reason placeholders), sent
// as one datagram; replies are cleaned, shown and logged. Also the operator's
// "Say" and command boxes.

#include "core/ports.h"
#include "core/signal.h"
#include "rcon/linkstate.h"
#include "rcon/rconqueue.h"

#include <memory>
#include <optional>
#include <string>

namespace corvane {

class ActivityLog;
class ChatLog;
class ConsoleLog;
class CriticalErrors;
class SlotTable;
class ServerAddress;
class Settings;
class Timer;
class UdpChannel;

// How many rules are loaded: with more than four, rule lines go out at half
// the pace so that players can read them.
class RuleCount {
public:
    virtual ~RuleCount() = default;
    virtual int rulesLoaded() const = 0;
};

class RconLink {
public:
    RconLink(Ports ports, const Settings& settings, const ServerAddress& address,
             const CriticalErrors& errors, LinkState& state, RconQueue& queue,
             const SlotTable& slots, ActivityLog& log, ConsoleLog& console, ChatLog& chat,
             const ReasonTexts& reasons, const RuleCount& rules);
    ~RconLink();

    // The pump timer (Timer5).
    void startPump();
    void stopPump();
    bool pumpRunning() const;
    void setPumpInterval(int ms);
    void Timer5_Timer();

    void SendRCON(const std::string& command);
    void closeSocket();

    // The queue pause button: "Stop" while the queue runs, "Start" while paused.
    void togglePause() { m_paused = !m_paused; }
    std::string pauseCaption() const { return m_paused ? "Start" : "Stop"; }

    // The operator's "Say" box and command box.
    void operatorSay(const std::string& text);
    void operatorCommand(const std::string& text);

    // A reply arrived on the command socket (it also ends the status poll's wait).
    Signal<> replyArrived;
    // The answer to the "Playlist" query, with the playlist now current.
    Signal<std::int32_t> playlistReplied;
    // "RULES" was typed into the command box: the rules are to be said.
    Signal<> rulesRequested;

private:
    void onReply(const std::string& datagram);
    std::string rewriteSanction(std::string line) const;

    Ports m_ports;
    const Settings& m_settings;
    const ServerAddress& m_address;
    const CriticalErrors& m_errors;
    LinkState& m_state;
    RconQueue& m_queue;
    const SlotTable& m_slots;
    ActivityLog& m_log;
    ConsoleLog& m_console;
    ChatLog& m_chat;
    const ReasonTexts& m_reasons;
    const RuleCount& m_rules;
    std::unique_ptr<UdpChannel> m_socket;
    std::unique_ptr<Timer> m_timer5;
    bool m_paused = false;
    bool m_rulePacing = false;
};

struct NetError;
struct ServerConfig;

// The game-server sockets all open to the server's address and configured
// port and send the same datagram; their failures are reported alike:
// address-not-available as "Unable to connect to server, check port",
// anything else by its own text.
std::optional<NetError> openToServer(UdpChannel& socket, const std::string& address,
                                     const ServerConfig& config);
std::optional<NetError> sendCommand(UdpChannel& socket, const ServerConfig& config,
                                    const std::string& command);
void reportSendError(const NetError& error, ActivityLog& log);

} // namespace corvane
