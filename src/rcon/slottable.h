#pragma once
// The online players, one entry per client slot 0 to 50, and the counts the
// operator sees. Fed by join and quit lines of the log and rebuilt whole from
// each status poll.

#include "core/signal.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct SlotEntry {
    std::int16_t SlotNumber = 0; // the slot's own number while occupied; MaxClients + 1 when free
    std::string SlotName;
    std::string SlotGUID;
    std::string SlotGroup; // the name of the player's permission group
    std::string SlotScore;
    std::string SlotDbID;            // the player's record ID in the player database
    std::string SlotGreetedID = "0"; // the record ID of the player last welcomed here
};

class SlotTable {
public:
    static constexpr int kSlots = 51; // 0 to 50

    // A slot number outside 0..50 throws std::out_of_range.
    SlotEntry& operator[](int slot);
    // A slot number written as text (as in log lines and status rows);
    // anything but a whole number from 0 to 50 throws std::out_of_range.
    static int slotNumber(const std::string& text);
    // The same without throwing: none for anything but 0 to 50.
    static std::optional<int> slotIndex(std::string_view text);
    const SlotEntry& operator[](int slot) const;

    // Mark slots 1 to 50 free / empty their texts. Slot 0 keeps its values.
    void ClearClients(std::int16_t maxClients);
    void ClearPlayers();
    // True when slotText is empty or not a whole number, or when some slot 1
    // to 50 already carries that number.
    bool FindClient(std::string_view slotText) const;
    // Recounts OnlineCount, AdminsOnline and ShownPlayers (slots 0 to MaxClients).
    void DetectNumofPlayers(std::int16_t maxClients, const std::string& defaultGroupName);
    // OnlineCount less the demo client, never shown as a full MaxClients.
    void updateShownPlayers(std::int16_t maxClients);

    std::int16_t OnlineCount = 0;
    std::int16_t ShownPlayers = 0;
    std::int16_t AdminsOnline = 0;
    bool DemoClientPresent = false;

    // The online-player grid and the counts changed.
    Signal<> changed;

private:
    std::array<SlotEntry, kSlots> m_slots{};
};

inline constexpr const char* kDemoClientName = "democlient";

} // namespace corvane
