#include "rcon/onlinegrid.h"

namespace corvane {

void OnlineGrid::SetOnlineView(std::int16_t maxClients) {
    m_rows.clear();
    for (int slot = 1; slot < maxClients; ++slot)
        m_rows.push_back(OnlineGridRow{slot, {}, {}, {}, {}, {}});
    changed.notify();
}

void OnlineGrid::ClearAllSlots() {
    for (OnlineGridRow& row : m_rows)
        row = OnlineGridRow{row.slot, {}, {}, {}, {}, {}};
    changed.notify();
}

OnlineGridRow* OnlineGrid::mutableRow(int slot) {
    if (slot < 1 || slot > static_cast<int>(m_rows.size())) return nullptr;
    return &m_rows[static_cast<std::size_t>(slot - 1)];
}

const OnlineGridRow* OnlineGrid::row(int slot) const {
    return const_cast<OnlineGrid*>(this)->mutableRow(slot);
}

void OnlineGrid::ClearSlot(int slot) {
    if (OnlineGridRow* row = mutableRow(slot)) {
        *row = OnlineGridRow{slot, {}, {}, {}, {}, {}};
        changed.notify();
    }
}

void OnlineGrid::setPlayer(int slot, const std::string& username, const std::string& group,
                           const std::string& guid, const std::string& firstSeen,
                           const std::string& lastSeen) {
    if (OnlineGridRow* row = mutableRow(slot)) {
        *row = OnlineGridRow{slot, username, group, guid, firstSeen, lastSeen};
        changed.notify();
    }
}

void OnlineGrid::setGroup(int slot, const std::string& group) {
    if (OnlineGridRow* row = mutableRow(slot)) {
        row->group = group;
        changed.notify();
    }
}

} // namespace corvane
