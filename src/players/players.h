#pragma once
// The players subsystem in one piece, for the App to own and wire: the player
// database, the permission groups, the player log, player lookup and the
// group editor. It answers the link's questions about players (the groups are
// its PlayerDirectory) and tells its news through the parts' signals.

#include "core/ports.h"
#include "players/groupeditor.h"
#include "players/groups.h"
#include "players/playerdatabase.h"
#include "players/playerlog.h"
#include "players/playerlookup.h"
#include "players/playerstore.h"
#include "rcon/rconqueue.h"

namespace corvane {

class Players {
public:
    // reasons: the numbered sanction reasons for "MSG<n>" in a typed reason;
    // gate: whether greeting may begin.
    Players(Settings& settings, SlotTable& slots, OnlineGrid& grid, RconQueue& queue,
            ActivityLog& log, const AppPaths& paths, const Ports& ports, CriticalErrors& errors,
            const ReasonTexts& reasons, const GreetingGate& gate);
    Players(const Players&) = delete;
    Players& operator=(const Players&) = delete;

    PlayerStore store;
    PlayerLookup lookup;
    Groups groups;
    PlayerLog playerLog;
    PlayerDatabase database;
    GroupEditor editor;
};

} // namespace corvane
