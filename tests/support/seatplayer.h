#pragma once
// A player as the status poll registers him in a running App: his slot entry,
// his database record and his group.

#include "app/app.h"

#include <cstdint>
#include <string>

namespace corvane::testing {

inline void seatPlayer(App& app, int slot, const std::string& name, const std::string& guid) {
    SlotEntry& e = app.slotTable()[slot];
    e.SlotNumber = static_cast<std::int16_t>(slot);
    e.SlotName = name;
    e.SlotGUID = guid;
    app.players().database.CheckPlayerDB(name, guid, std::to_string(slot));
    e.SlotGroup = app.players().groups.CheckAdminGroup(guid);
}

} // namespace corvane::testing
