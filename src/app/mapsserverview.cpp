#include "app/mapsserverview.h"

#include "players/players.h"
#include "rcon/linkstate.h"
#include "rcon/serveraddress.h"
#include "rcon/slottable.h"

namespace corvane {

namespace {
// The server's demo recorder holds a slot but is no player.
bool isPlayer(const SlotEntry& entry) {
    return !entry.SlotName.empty() && entry.SlotName != kDemoClientName;
}
} // namespace

std::string AppMapsServerView::currentMap() const {
    return m_link.CurrentMap;
}

int AppMapsServerView::playersOnline() const {
    int players = 0;
    for (int slot = 0; slot < SlotTable::kSlots; ++slot)
        if (isPlayer(m_slots[slot])) ++players;
    return players;
}

std::optional<OnlinePlayer> AppMapsServerView::firstPlayer() const {
    for (int slot = 1; slot < SlotTable::kSlots; ++slot)
        if (isPlayer(m_slots[slot]))
            return OnlinePlayer{slot, m_slots[slot].SlotName, m_slots[slot].SlotGUID};
    return std::nullopt;
}

std::string AppMapsServerView::groupName(const std::string& guid) const {
    return m_players.groups.CheckAdminGroup(guid);
}

std::optional<std::string> AppMapsServerView::address() const {
    return m_address.address();
}

} // namespace corvane
