#pragma once
// A private reply to one player, tied to his slot and GUID so that it never
// reaches whoever takes the slot after him. Slot 0 (the console) gets none.

#include "core/numbers.h"
#include "rcon/rconqueue.h"

#include <cstdint>
#include <string>

namespace corvane {

inline void tellPlayer(RconQueue& queue, std::int16_t slot, const std::string& guid,
                       const std::string& text) {
    if (slot == 0) return;
    queue.List3A("tell " + decimal(slot) + " ^1PM: " + text, slot, guid);
}

} // namespace corvane
