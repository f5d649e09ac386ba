#pragma once
// Flags of the game-server link that several parts read and set.

#include <cstdint>
#include <string>

namespace corvane {

struct LinkState {
    // The queue may send: cleared by a match end in the log, set again by the
    // next batch of log lines, a join, or a status reply listing the demo client.
    bool RconAllowed = true;
    // A status poll is under way: the queue waits.
    bool StatusPending = false;
    // The server's current playlist number.
    std::int32_t CurrentPlaylist = 0;
    // The map the server runs, from the "map:" line of each status reply.
    std::string CurrentMap;
    // The game type of the match being played, from its start line; empty
    // until one has been seen.
    std::string CurrentGametype;
};

} // namespace corvane
