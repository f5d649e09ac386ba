#pragma once
// The texts the operator writes once and the program says in the game: the
// timed messages (one every interval, in file order, round and round), the
// server rules on request, the welcome preview, and the program's own
// announcement at start-up.

#include "core/ports.h"
#include "core/signal.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class ActivityLog;
class AppPaths;
class MapsServerView;
class RconQueue;
class Settings;
class Timer;

class Messages {
public:
    static constexpr int kRotationTickMs = 1000;

    Messages(Ports ports, Settings& settings, RconQueue& queue, ActivityLog& log,
             const AppPaths& paths, const MapsServerView& server);
    ~Messages();
    Messages(const Messages&) = delete;
    Messages& operator=(const Messages&) = delete;

    // Reads Data/MR.txt, restarts the rotation at its first message, then
    // reads the rules.
    void InputLists();
    // Reads Data/Rules.txt; the sanction reasons are reloaded with the rules.
    void InputRules();
    Signal<> reasonsReloadRequested;

    // The rotation timer, running from start-up.
    void startRotationTimer();
    void stopRotationTimer();
    void RotationTimer_Timer();
    // "Use Timed Messages" ticked: start again at the first message.
    void restartRotation();

    // The rules, privately to the issuer when the rules are announced
    // privately and he is a player (slot not 0), otherwise publicly. The
    // operator's own request says them even with "Use Server Rules" off.
    void SendRules(std::int16_t slot, const std::string& guid, bool operatorRequest);
    void CVMwelcome();
    // Says the welcome template on the server as the player in the lowest
    // slot would get it.
    void PWelcome(const std::string& welcomeTemplate);
    // Stores and saves the welcome template; a double quote or a line break
    // cannot be kept in the settings file and is refused with a message.
    bool SaveWelcome(const std::string& text);

    const std::vector<std::string>& TimedMessages() const { return m_timedMessages; }
    // 0 when the file gives no usable interval.
    int RotationInterval() const { return m_interval; }
    int RotationCounter() const { return m_counter; }
    std::size_t RotationIndex() const { return m_index; }
    const std::vector<std::string>& Rules() const { return m_rules; }
    int RulesMax() const { return m_rules.empty() ? 0 : static_cast<int>(m_rules.size()) - 1; }
    // What the queue's rule pacing counts: RulesMax + 1.
    int rulesLoaded() const { return RulesMax() + 1; }

private:
    Ports m_ports;
    Settings& m_settings;
    RconQueue& m_queue;
    ActivityLog& m_log;
    const AppPaths& m_paths;
    const MapsServerView& m_server;
    std::unique_ptr<Timer> m_rotationTimer;

    std::vector<std::string> m_timedMessages;
    int m_interval = 0;
    int m_counter = 0;
    std::size_t m_index = 0;
    std::vector<std::string> m_rules;
};

// The welcome template filled in for the preview: every placeholder replaced,
// "<return>" removed (the blank after it stays).
std::string previewWelcome(const std::string& welcomeTemplate, const std::string& playerName,
                           const std::string& group, const std::string& hostName);

} // namespace corvane
