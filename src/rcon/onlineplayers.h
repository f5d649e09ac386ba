#pragma once
// Joins and quits from the log update the slot table one player at a time.

#include "rcon/onlinegrid.h"
#include "rcon/playerevents.h"
#include "rcon/slottable.h"

#include <string>
#include <utility>

namespace corvane {

struct ServerConfig;
struct ModSettings;

class OnlinePlayers {
public:
    OnlinePlayers(SlotTable& slots, OnlineGrid& grid, const ServerConfig& config,
                  const ModSettings& mod, PlayerDirectory& directory, NameChecks& nameChecks)
        : m_slots(slots), m_grid(grid), m_config(config), m_mod(mod), m_directory(directory),
          m_nameChecks(nameChecks) {}

    // A join or quit line's GUID, slot (0 to 50) and name without clan tag.
    void AddPlayertoList(const std::string& guid, const std::string& slot, const std::string& name);
    void RemovePlayerFromList(const std::string& slot, const std::string& name);

    // Whether the list changed since the last call; the log parser asks at the
    // end of each batch.
    bool takeListChanged() { return std::exchange(m_listChanged, false); }
    void markListChanged() { m_listChanged = true; }

private:
    SlotTable& m_slots;
    OnlineGrid& m_grid;
    const ServerConfig& m_config;
    const ModSettings& m_mod;
    PlayerDirectory& m_directory;
    NameChecks& m_nameChecks;
    bool m_listChanged = false;
};

} // namespace corvane
