#pragma once
// The server log's line format: a right-aligned time stamp, one blank, then
// the event. The stamp is minutes:seconds since the server process started
// ("  0:05", " 12:34", "123:45"), or whole seconds ("  7385") while the server
// variable g_logTimeStampInSeconds is 1. Record events are ';'-separated.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gamesim {

// Every stamp is right-aligned in this many characters (longer ones grow).
inline constexpr std::size_t kStampWidth = 6;
// The byte that the server writes in front of every chat text.
inline constexpr char kChatMarker = '\x15';

std::string formatStamp(std::int64_t uptimeSeconds, bool inSeconds);
std::string logLine(std::string_view stamp, std::string_view event);

std::string joinEvent(std::string_view guid, int slot, std::string_view name);
std::string quitEvent(std::string_view guid, int slot, std::string_view name);
// "say;<guid>;<slot>;<name>;\x15<text>", or "sayteam;..." for team chat.
std::string chatEvent(bool team, std::string_view guid, int slot, std::string_view name,
                      std::string_view text);

struct Combatant {
    std::string guid; // empty for the world
    int slot = -1;    // -1 for the world
    std::string team;
    std::string name; // empty for the world
};

struct Hit {
    Combatant victim;
    Combatant attacker;
    std::string weapon;
    int damage = 0;
    std::string means;    // e.g. MOD_RIFLE_BULLET
    std::string location; // e.g. torso_upper
};

// K;victim guid;victim slot;victim team;victim name;attacker guid;attacker
// slot;attacker team;attacker name;weapon;damage;means of death;hit location
std::string killEvent(const Hit& hit);
// The same fields as a kill, with D as the event word.
std::string damageEvent(const Hit& hit);

// "InitGame: \key\value\key\value..."
std::string initGameEvent(const std::vector<std::pair<std::string, std::string>>& settings);
inline constexpr std::string_view kShutdownEvent = "ShutdownGame:";
inline constexpr std::string_view kExitLevelEvent = "ExitLevel: executed";
inline constexpr std::string_view kSeparatorEvent =
    "------------------------------------------------------------";

} // namespace gamesim
