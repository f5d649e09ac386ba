#pragma once
// The online-player grid of the operator window: one row per slot 1 to
// MaxClients - 1 under "Slot", "Username", "Group", "GUID", "First Seen",
// "Last Seen". The slot number is always shown; the player database fills the
// other cells, the link empties them.

#include "core/signal.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct OnlineGridRow {
    int slot = 0;
    std::string username;
    std::string group;
    std::string guid;
    std::string firstSeen;
    std::string lastSeen;
};

class OnlineGrid {
public:
    // Rebuilds the rows: slots 1 to maxClients - 1, player cells empty.
    void SetOnlineView(std::int16_t maxClients);
    void ClearAllSlots();
    void ClearSlot(int slot);
    // Fills a row's player cells; a slot without a row (0, or beyond the
    // server's slots) is ignored.
    void setPlayer(int slot, const std::string& username, const std::string& group,
                   const std::string& guid, const std::string& firstSeen,
                   const std::string& lastSeen);
    void setGroup(int slot, const std::string& group);

    const std::vector<OnlineGridRow>& rows() const { return m_rows; }
    const OnlineGridRow* row(int slot) const;

    Signal<> changed;

private:
    OnlineGridRow* mutableRow(int slot);

    std::vector<OnlineGridRow> m_rows;
};

} // namespace corvane
