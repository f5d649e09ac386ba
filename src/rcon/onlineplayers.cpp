#include "rcon/onlineplayers.h"

#include "core/modsettings.h"
#include "core/serverconfig.h"

namespace corvane {

void OnlinePlayers::AddPlayertoList(const std::string& guid, const std::string& slotText,
                                    const std::string& name) {
    m_listChanged = true;
    const bool removed =
        (m_mod.KickUnknownSoldiers && m_nameChecks.CheckBadNames(name, slotText, guid)) ||
        (m_mod.KickXboxNames && m_nameChecks.CheckBadxBox(name, slotText, guid));

    const int slot = SlotTable::slotNumber(slotText);
    SlotEntry& e = m_slots[slot];
    if (removed) {
        // A player being removed never becomes an online player (no name,
        // group, database record or welcome); his slot only knows his GUID,
        // which the removal tied to him needs in order to go out.
        e.SlotGUID = guid;
        return;
    }
    e.SlotNumber = static_cast<std::int16_t>(slot);
    e.SlotGUID = guid;
    e.SlotName = name;
    e.SlotGroup = m_directory.CheckAdminGroup(guid);
    if (name == kDemoClientName) m_slots.DemoClientPresent = true;
    m_slots.playerSeen.notify(SeenPlayer{name, guid, slotText});
    m_slots.changed.notify();
}

void OnlinePlayers::RemovePlayerFromList(const std::string& slotText, const std::string& name) {
    m_listChanged = true;
    const int slot = SlotTable::slotNumber(slotText);
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
