#pragma once
// Per-slot state of the automatic checks: every client slot 0 to 50 has its
// entry, and a slot number read from a log line or status row that is not a
// whole number in that range is never used to index one.

#include "rcon/slottable.h"

#include <array>
#include <cstdint>

namespace corvane {

template <typename T> using PerSlot = std::array<T, SlotTable::kSlots>;

// Warnings counted per slot towards a kick, and whether the slot has already
// been dealt with in the current batch of log lines (a player is sanctioned
// at most once per batch by each family of checks).
class SlotWarnings {
public:
    bool handled(int slot) const { return m_handled.at(static_cast<std::size_t>(slot)); }
    std::int16_t count(int slot) const { return m_warns.at(static_cast<std::size_t>(slot)); }

    // Marks the slot as dealt with in this batch and counts one more warning;
    // returns the new count.
    std::int16_t record(int slot);
    void markHandled(int slot) { m_handled.at(static_cast<std::size_t>(slot)) = true; }
    // After a kick, and when a new player is registered in the slot.
    void reset(int slot) { m_warns.at(static_cast<std::size_t>(slot)) = 0; }
    // The start of every batch of log lines.
    void newBatch() { m_handled.fill(false); }

private:
    PerSlot<std::int16_t> m_warns{};
    PerSlot<bool> m_handled{};
};

} // namespace corvane
