#include "rcon/slottable.h"

#include "core/numbers.h"

#include <stdexcept>

namespace corvane {

SlotEntry& SlotTable::operator[](int slot) {
    if (slot < 0 || slot >= kSlots) throw std::out_of_range("slot " + std::to_string(slot));
    return m_slots[static_cast<std::size_t>(slot)];
}

const SlotEntry& SlotTable::operator[](int slot) const {
    return const_cast<SlotTable&>(*this)[slot];
}

std::optional<int> SlotTable::slotIndex(std::string_view text) {
    const auto slot = toInt16(text);
    if (!slot || *slot < 0 || *slot >= kSlots) return std::nullopt;
    return *slot;
}

int SlotTable::slotNumber(const std::string& text) {
    const auto slot = slotIndex(text);
    if (!slot) throw std::out_of_range("slot \"" + text + "\"");
    return *slot;
}

void SlotTable::ClearClients(std::int16_t maxClients) {
    for (int slot = 1; slot < kSlots; ++slot)
        m_slots[static_cast<std::size_t>(slot)].SlotNumber =
            static_cast<std::int16_t>(maxClients + 1);
}

void SlotTable::ClearPlayers() {
    for (int slot = 1; slot < kSlots; ++slot) {
        SlotEntry& e = m_slots[static_cast<std::size_t>(slot)];
        e.SlotName.clear();
        e.SlotGUID.clear();
        e.SlotDbID.clear();
        e.SlotGroup.clear();
        e.SlotScore.clear();
    }
}

bool SlotTable::FindClient(std::string_view slotText) const {
    const auto number = toInt16(slotText);
    if (!number) return true; // also an empty text
    for (int slot = 1; slot < kSlots; ++slot)
        if (m_slots[static_cast<std::size_t>(slot)].SlotNumber == *number) return true;
    return false;
}

void SlotTable::DetectNumofPlayers(std::int16_t maxClients, const std::string& defaultGroupName) {
    OnlineCount = 0;
    AdminsOnline = 0;
    for (int slot = 0; slot <= maxClients && slot < kSlots; ++slot) {
        const SlotEntry& e = m_slots[static_cast<std::size_t>(slot)];
        if (e.SlotName.empty()) continue;
        ++OnlineCount;
        if (!e.SlotGroup.empty() && e.SlotGroup != defaultGroupName) ++AdminsOnline;
    }
    updateShownPlayers(maxClients);
}

void SlotTable::updateShownPlayers(std::int16_t maxClients) {
    ShownPlayers = static_cast<std::int16_t>(OnlineCount - (DemoClientPresent ? 1 : 0));
    if (ShownPlayers == maxClients) ShownPlayers = static_cast<std::int16_t>(maxClients - 1);
}

} // namespace corvane
