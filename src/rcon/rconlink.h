#pragma once
// The command socket and the queue pump: one queued line per tick, rewritten
// into the game's forms (kick reasons, rule pacing, reason placeholders), sent
// as one datagram; replies are cleaned, shown and logged. Also the operator's
// "Say" and command boxes.

#include "core/ports.h"
#include "rcon/linkstate.h"
#include "rcon/rconqueue.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace corvane {

class ActivityLog;
class ChatLog;
class ConsoleLog;
class SlotTable;
class Settings;
class Timer;
class UdpChannel;

class RconLink {
public:
    struct Hooks {
        std::function<std::string(int number)> reason; // the numbered sanction reasons
        std::function<int()> rulesLoaded;              // how many rules there are
        std::function<void(std::int32_t playlist)> SetMaxHealth;
        std::function<void()> commandReplyArrived; // stops the status poll's timeout
        std::function<void()> SendRules;           // "RULES" typed in the command box
    };

    RconLink(Ports ports, const Settings& settings, const bool& criticalError, LinkState& state,
             RconQueue& queue, const SlotTable& slots, ActivityLog& log, ConsoleLog& console,
             ChatLog& chat);
    ~RconLink();

    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }

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

private:
    void onReply(const std::string& datagram);
    std::string rewriteSanction(std::string line) const;

    Ports m_ports;
    const Settings& m_settings;
    const bool& m_criticalError;
    LinkState& m_state;
    RconQueue& m_queue;
    const SlotTable& m_slots;
    ActivityLog& m_log;
    ConsoleLog& m_console;
    ChatLog& m_chat;
    Hooks m_hooks;
    std::unique_ptr<UdpChannel> m_socket;
    std::unique_ptr<Timer> m_timer5;
    bool m_paused = false;
    bool m_rulePacing = false;
};

struct NetError;
struct ServerConfig;

// The game-server sockets all open to the configured IP and port and send the
// same datagram; their failures are reported alike: address-not-available as
// "Unable to connect to server, check port", anything else by its own text.
std::optional<NetError> openToServer(UdpChannel& socket, const ServerConfig& config);
std::optional<NetError> sendCommand(UdpChannel& socket, const ServerConfig& config,
                                    const std::string& command);
void reportSendError(const NetError& error, ActivityLog& log);

} // namespace corvane
