#pragma once
// The players subsystem in one piece, for the App to own and wire: the player
// database, the permission groups, the player log, player lookup and the
// group editor. The hooks may be set after construction; unset ones do nothing.

#include "core/ports.h"
#include "players/groupeditor.h"
#include "players/groups.h"
#include "players/playerdatabase.h"
#include "players/playerlog.h"
#include "players/playerlookup.h"
#include "players/playerstore.h"
#include "rcon/playerevents.h"
#include "rcon/rconqueue.h"

#include <cstdint>
#include <functional>

namespace corvane {

struct PlayersHooks {
    // The first batch of log lines is done (nobody is greeted before).
    std::function<bool()> FirstBatchDone;
    // Zero the language and weapon warnings of a slot.
    std::function<void(int slot)> resetWarnings;
    // The critical-error dialog.
    std::function<void()> SendCError;
    // Load the message lists that go with the groups.
    std::function<void()> InputLists;
    // Apply the queue pump's period.
    std::function<void(std::int32_t intervalMs)> applyPumpInterval;
    // Request a status poll now (after a Delete in the player log).
    std::function<void()> Command8_Click;
    // Request a status poll a moment later (after the default group changed).
    std::function<void()> statusPollSoon;
    // The player log should be refilled with the next batch.
    std::function<void()> markPlayerLogForRefresh;
    // The numbered sanction reasons for "MSG<n>" in a typed reason.
    ReasonLookup reasons;
};

class Players {
public:
    Players(Settings& settings, SlotTable& slots, OnlineGrid& grid, RconQueue& queue,
            ActivityLog& log, const AppPaths& paths, const Ports& ports, bool& criticalError);
    Players(const Players&) = delete;
    Players& operator=(const Players&) = delete;

    PlayersHooks hooks;

    PlayerStore store;
    PlayerLookup lookup;
    Groups groups;
    PlayerLog playerLog;
    PlayerDatabase database;
    GroupEditor editor;

    // What the game-server link calls for every player it sees.
    PlayerHooks linkHooks();
};

} // namespace corvane
