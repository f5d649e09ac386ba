#include "rcon/statustexts.h"

#include "rcon/uptime.h"

namespace corvane {

StatusTexts makeStatusTexts(const StatusInputs& in) {
    // Playlists 32 to 57 run twelve-player matches whatever the slot count.
    const bool twelvePlayers = in.currentPlaylist >= 32 && in.currentPlaylist <= 57;
    const std::string max = twelvePlayers ? "12" : std::to_string(in.maxClients - 1);
    const std::string shown = std::to_string(in.shownPlayers);

    StatusTexts out;
    out.players = shown + "/" + max + " Players";
    out.currentMap = "Current Map: " + in.currentMapName;
    out.nextMap = "Next Map: " + in.nextMapName;
    out.refresh = std::to_string(in.secondsToRefresh) + " second" +
                  (in.secondsToRefresh == 1 ? "" : "s") + " until next refresh";
    out.uptime = GetUptime(in.logMinutes, true);
    out.onlinePlayers = "Online Players: " + shown + "/" + max;
    out.serverName = "Server Name: " + in.hostName;
    out.playlist = "Playlist: " + std::to_string(in.currentPlaylist);
    out.gametype = "Gametype: " + (in.gametype.empty() ? std::string("Unknown") : in.gametype);
    out.admins = std::string("Admin") + (in.adminsOnline == 1 ? "" : "s") +
                 " Online: " + std::to_string(in.adminsOnline);
    return out;
}

} // namespace corvane
