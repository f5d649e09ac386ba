#pragma once
// The simulated game server: its variables, client slots, bans, map rotation,
// matches, process clock and the log it writes. Pure state over an injected
// clock; nothing here touches a socket or a file.

#include "gamesim/core/logbuffer.h"
#include "gamesim/core/logformat.h"
#include "gamesim/core/replies.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gamesim {

struct ServerSettings {
    std::string hostname = "Corvane Test Server";
    int maxClients = 18;
    std::string gametype = "tdm";
    std::string ranked = "2";
    int playlist = 22;
    std::string excludedMaps; // the playlist_excludeMap value at start-up
    std::string startMap;     // empty: the first map of the rotation not excluded
    bool democlient = true;   // the demo recorder holds slot 0
    bool secondsStamps = false;
    int tempBanSeconds = 300;
    std::int64_t startUptime = 0; // seconds on the process clock at start-up
};

struct Player {
    std::string guid;
    std::string name;
    std::string team;
    int score = 0;
    int ping = 0;
    int qport = 0;
    bool democlient = false;
};

struct Variable {
    std::string name;
    std::string value;
    std::string defaultValue;
    bool readOnly = false;
    bool inServerinfo = false;
};

// The maps the server's playlist rotates through, in rotation order.
const std::vector<std::string>& mapRotation();

class GameServer {
public:
    using Clock = std::function<std::int64_t()>; // monotonic milliseconds
    using LogListener = std::function<void(const std::string& line)>;
    static constexpr int kMaxSlots = 64;

    GameServer(ServerSettings settings, Clock clock);

    void setLogListener(LogListener listener) { m_listener = std::move(listener); }
    // Writes the start-up lines and starts the first match.
    void boot();

    Variable* variable(std::string_view name); // names compare ignoring case
    const Variable* variable(std::string_view name) const;
    const std::vector<Variable>& variables() const { return m_variables; }
    std::vector<std::pair<std::string, std::string>> serverinfo() const;
    bool secondsStamps() const;

    struct JoinResult {
        std::string error; // empty on success
        int slot = -1;
        std::string guid;
    };
    JoinResult join(std::string_view name, std::optional<int> slot, std::optional<std::string> guid,
                    std::string_view team);
    // The player leaves (a quit line is written); false when the slot is empty.
    bool leave(int slot);
    const Player* player(int slot) const;
    bool isDemoclient(int slot) const;
    // Occupied slots of real players (not the demo recorder), ascending.
    std::vector<int> playerSlots() const;
    // A slot number, or the exact name of a player.
    std::optional<int> findPlayer(std::string_view reference) const;
    int maxClients() const { return m_settings.maxClients; }

    void chat(int slot, std::string_view text, bool team);
    // attacker -1 is the world (falls, the map). Returns an error text or "".
    std::string hit(bool kill, int attacker, int victim, int damage, std::string_view weapon,
                    std::string_view means, std::string_view location);

    // Sanctions: the player leaves with a quit line; bans keep the GUID out.
    bool kick(int slot);
    bool tempBan(int slot);
    bool ban(int slot);
    bool isBanned(std::string_view guid) const;

    bool matchRunning() const { return m_matchRunning; }
    void startMatch();
    // Ends the match and loads the next map of the rotation.
    void endMatch();
    const std::string& currentMap() const { return m_currentMap; }
    // The next map: the first map after the current one in the rotation that
    // playlist_excludeMap does not name (the next one anyway when all are).
    std::string nextMap() const;
    // The server process restarts: players drop without quit lines, the clock
    // and the variables start again, temporary bans are forgotten.
    void restart();

    std::int64_t uptimeSeconds() const;
    void setUptime(std::int64_t seconds);

    // Writes one line with the current stamp.
    void writeEvent(std::string_view event);
    // Writes one line exactly as given.
    void writeRaw(std::string_view line);
    const LogBuffer& log() const { return m_log; }

    std::vector<StatusRow> statusRows() const;

private:
    void resetVariables();
    void occupyDemoclient();
    std::string chooseGuid(std::string_view name) const;
    std::optional<int> freeSlot() const;
    Combatant combatant(int slot) const;
    void removePlayer(int slot);
    void setMap(std::string map);
    std::string firstAllowedMap() const;

    ServerSettings m_settings;
    Clock m_clock;
    LogListener m_listener;
    std::vector<Variable> m_variables;
    std::array<std::optional<Player>, kMaxSlots> m_slots;
    std::set<std::string> m_bans;
    std::map<std::string, std::int64_t> m_tempBans; // GUID -> uptime second it ends
    std::string m_currentMap;
    bool m_matchRunning = false;
    std::int64_t m_bootMs = 0;
    std::int64_t m_uptimeBase = 0;
    LogBuffer m_log;
};

} // namespace gamesim
