#pragma once
// Control of the server's map rotation through its exclusion list: forcing a
// next map by excluding all others, giving the rotation back with the
// operator's default list, announcing the next map, and releasing a forced
// map once it is played.

#include "core/ports.h"
#include "rcon/rconqueue.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class ActivityLog;
class ConsoleLog;
class MapsServerView;
class Settings;
class Timer;
class UdpChannel;

class MapRotation {
public:
    static constexpr int kDelayedResetMs = 1100;

    MapRotation(Ports ports, Settings& settings, RconQueue& queue, ActivityLog& log,
                ConsoleLog& console, const MapsServerView& server);
    ~MapRotation();
    MapRotation(const MapRotation&) = delete;
    MapRotation& operator=(const MapRotation&) = delete;

    // The server name of the forced next map, or "Random" for the server's own rotation.
    const std::string& NextMap() const { return m_nextMap; }
    int NextMapIndex() const { return m_nextMapIndex; }
    // "Map Skipping": never stored, every run starts with it off.
    bool VotingEnabled() const { return m_votingEnabled; }
    void setVotingEnabled(bool on) { m_votingEnabled = on; }
    // Start-up state: no forced map, voting off.
    void reset();

    // !map <name>: the issuer gets "Invalid map" for a name outside the table.
    void Amap(std::string_view name, const CommandIssuer& issuer);
    std::optional<int> mpMap(const std::string& name, const CommandIssuer& issuer);
    void SetNextMap(int index);
    void SetDefaultRotation();
    void DisplayNextMap();

    // The forced map is being played, or the first match after the force has
    // begun (whatever map the server loaded): the force is due for release.
    bool forceDue() const;
    // A match began on the server.
    void matchStarted();

    // !defaultmap: the reset a moment later (Timer10).
    void startDelayedReset();
    bool delayedResetPending() const;
    void cancelDelayedReset();
    // The "Save" button beside "Default Excluded Maps:"; an empty box stands
    // for a single double quote.
    void saveDefaultList(const std::string& boxText);
    // While the setup wizard is open no reset is sent.
    void setWizardVisible(bool visible) { m_wizardVisible = visible; }
    void closeSocket();

private:
    void forgetForce();
    // Older exclusion lines still waiting are dropped: only the newest counts.
    void queueExclusion(const std::string& line, bool atFront);
    bool queued(const std::string& line) const;
    bool sendDirectly(const std::string& line);

    Ports m_ports;
    Settings& m_settings;
    RconQueue& m_queue;
    ActivityLog& m_log;
    ConsoleLog& m_console;
    const MapsServerView& m_server;
    std::unique_ptr<UdpChannel> m_resetSocket; // replies are never read
    std::unique_ptr<Timer> m_timer10;

    std::string m_nextMap;
    int m_nextMapIndex = 0;
    bool m_votingEnabled = false;
    bool m_wizardVisible = false;
    // The force in effect: its exclusion line, whether it named the map being
    // played, and whether a match has begun since it went out.
    std::string m_forceLine;
    bool m_forcedWhilePlaying = false;
    bool m_forceMatchStarted = false;
};

} // namespace corvane
