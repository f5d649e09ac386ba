#pragma once
// Restricted weapons: every kill and damage line is examined, and an attacker
// whose weapon string holds a restricted item is warned up to "Max warns
// before kick:" and then kicked. The warning count per slot is shared with
// the second-chance detection.

#include "enforcement/slotstate.h"

#include <cstdint>
#include <string>

namespace corvane {

class ActivityLog;
class RconQueue;
struct CombatLine;
struct ModSettings;

class WeaponRestrictions {
public:
    WeaponRestrictions(const ModSettings& mod, ActivityLog& log, RconQueue& queue)
        : m_mod(mod), m_log(log), m_queue(queue) {}

    // A whole kill or damage line; one that cannot be read is left alone.
    void WeaponCheck(const std::string& line);
    // A split line whose attacker slot has been read; a slot outside 0..50
    // (the world is -1) is not checked.
    void check(const CombatLine& line, int attackerSlot);

    // WeaponWarns and WeaponHandled, shared with the second-chance detection.
    SlotWarnings& warnings() { return m_warnings; }
    const SlotWarnings& warnings() const { return m_warnings; }

private:
    void warn(int slot, const CombatLine& line, const std::string& item, std::int16_t count);
    void kick(int slot, const CombatLine& line, const std::string& item);

    const ModSettings& m_mod;
    ActivityLog& m_log;
    RconQueue& m_queue;
    SlotWarnings m_warnings;
};

} // namespace corvane
