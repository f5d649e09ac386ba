#pragma once
// Kill ("K") and damage ("D") lines of the server log, split at ";":
// 0 the time stamp, a blank and the line type; 1 the victim's GUID, 2 his
// slot, 4 his name; 5 the attacker's GUID, 6 his slot, 8 his name; 9 the
// weapon string, 10 the damage, 11 the means of death.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct CombatLine {
    std::string stamp;
    std::string victimGUID;
    std::string victimSlot;
    std::string victimName;
    std::string attackerGUID;
    std::string attackerSlot;
    std::string attackerName;
    std::string weapon;
    std::string damage;
    std::string meansOfDeath;
};

// None when the line has fewer fields than a kill or damage line.
std::optional<CombatLine> splitCombatLine(std::string_view line);

// The seconds a stamp field stands for: its part before the first blank,
// minutes ":" seconds (the minutes run past 59). None when it is not that.
std::optional<std::int32_t> stampSeconds(std::string_view stampField);

} // namespace corvane
