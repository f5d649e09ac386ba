#pragma once
// The status bar and the server-facts labels, refreshed once a second.

#include <cstdint>
#include <string>

namespace corvane {

struct StatusInputs {
    std::int16_t shownPlayers = 0;
    std::int16_t maxClients = 0;
    std::int32_t currentPlaylist = 0;
    std::string currentMapName; // display names
    std::string nextMapName;
    int secondsToRefresh = 0;
    std::int32_t logMinutes = 0;
    std::string hostName;
    std::string gametype; // empty while unknown
    std::int16_t adminsOnline = 0;
};

struct StatusTexts {
    std::string players;       // panel 1: "3/17 Players"
    std::string currentMap;    // panel 2
    std::string nextMap;       // panel 3
    std::string refresh;       // panel 4: "9 seconds until next refresh"
    std::string uptime;        // panel 5
    std::string onlinePlayers; // "Online Players: 3/17"
    std::string serverName;    // "Server Name: ..."
    std::string playlist;      // "Playlist: 5"
    std::string gametype;      // "Gametype: tdm"
    std::string admins;        // "Admins Online: 2"

    bool operator==(const StatusTexts&) const = default;
};

StatusTexts makeStatusTexts(const StatusInputs& in);

} // namespace corvane
