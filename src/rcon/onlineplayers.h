#pragma once
// Joins and quits from the log update the slot table one player at a time.

#include "rcon/onlinegrid.h"
#include "rcon/playerevents.h"
#include "rcon/slottable.h"

#include <string>

namespace corvane {

struct ServerConfig;
struct ModSettings;

class OnlinePlayers {
public:
    OnlinePlayers(SlotTable& slots, OnlineGrid& grid, const ServerConfig& config,
                  const ModSettings& mod, const PlayerHooks& hooks)
        : m_slots(slots), m_grid(grid), m_config(config), m_mod(mod), m_hooks(hooks) {}

    // The whole log line; fields separated by ";": 1 GUID, 2 slot, 3 name.
    void AddPlayertoList(const std::string& joinLine);
    void RemovePlayerFromList(const std::string& quitLine);

    // Set by every change to the list; the log parser reads and clears it at
    // the end of each batch.
    bool PlayerListChanged = false;

private:
    SlotTable& m_slots;
    OnlineGrid& m_grid;
    const ServerConfig& m_config;
    const ModSettings& m_mod;
    const PlayerHooks& m_hooks;
};

} // namespace corvane
