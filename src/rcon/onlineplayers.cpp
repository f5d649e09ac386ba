#include "rcon/onlineplayers.h"

#include "core/gametext.h"
#include "core/modsettings.h"
#include "core/numbers.h"
#include "core/serverconfig.h"

#include <stdexcept>
#include <vector>

namespace corvane {
void OnlinePlayers::AddPlayertoList(const std::string& joinLine) {
    PlayerListChanged = true;
    const auto f = splitAt(joinLine, ";");
    if (f.size() < 4) throw std::out_of_range("join line without a name");
    const std::string name = RemoveCTag(f[3]);
    bool removed = false;
    if (m_mod.KickUnknownSoldiers && m_hooks.CheckBadNames)
        removed = m_hooks.CheckBadNames(name, f[2], f[1]);
    if (m_mod.KickXboxNames && m_hooks.CheckBadxBox && !removed)
        removed = m_hooks.CheckBadxBox(name, f[2], f[1]);

    const int slot = SlotTable::slotNumber(f[2]);
    SlotEntry& e = m_slots[slot];
    if (removed) {
        // A player being removed never becomes an online player (no name,
        // group, database record or welcome); his slot only knows his GUID,
        // which the removal tied to him needs in order to go out.
        e.SlotGUID = f[1];
        return;
    }
    e.SlotNumber = static_cast<std::int16_t>(slot);
    e.SlotGUID = f[1];
    e.SlotName = name;
    e.SlotGroup = m_hooks.CheckAdminGroup ? m_hooks.CheckAdminGroup(f[1]) : std::string();
    if (name == kDemoClientName) m_slots.DemoClientPresent = true;
    if (m_hooks.CheckPlayerDB) m_hooks.CheckPlayerDB(name, f[1], f[2]);
    m_slots.changed.notify();
}

void OnlinePlayers::RemovePlayerFromList(const std::string& quitLine) {
    PlayerListChanged = true;
    const auto f = splitAt(quitLine, ";");
    if (f.size() < 4) throw std::out_of_range("quit line without a name");
    const int slot = SlotTable::slotNumber(f[2]);
    const std::string name = RemoveCTag(f[3]);
    SlotEntry& e = m_slots[slot];
    if (name != kDemoClientName) {
        e.SlotNumber = static_cast<std::int16_t>(m_config.MaxClients + 1);
        m_grid.ClearSlot(slot);
        e.SlotGUID.clear();
        e.SlotDbID.clear();
        e.SlotName.clear();
        e.SlotGroup.clear();
    } else {
        m_slots.DemoClientPresent = false;
    }
    e.SlotGreetedID = "0";
    m_slots.changed.notify();
}

} // namespace corvane
