#pragma once
// The restricted-item table: which codes in the log's weapon string stand for
// which weapon, attachment, killstreak or equipment, under which of the 86
// restriction flags; and the ten category lists the weapons tab shows.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr int kWeaponFlagCount = 86;
// Not a weapon: the "Second Chance" perk, caught from damage lines.
inline constexpr int kSecondChanceFlag = 74;

struct WeaponRow {
    int flag;
    std::string_view code;              // searched for in the weapon string, exact case
    std::string_view name;              // as messages name it
    std::string_view meansOfDeath = {}; // when set, the line's must equal it
};

struct WeaponCategory {
    std::string_view caption;
    int firstFlag;
    int lastFlag; // inclusive
};

// The rows in the order they are tested.
std::span<const WeaponRow> weaponRows();
// The ten lists of the weapons tab, in flag order.
std::span<const WeaponCategory> weaponCategories();
// The caption of a flag's entry in its list ("MPK", "Second Chance"...).
std::string_view weaponEntryCaption(int flag);

// True when the flag is exactly "1".
bool CheckMasterList(const std::vector<std::string>& flags, int index);

// The name of the restricted item the weapon string holds, or empty. Every
// matching restricted row overrides the ones before it, so a restricted
// attachment is named rather than its restricted base weapon.
std::string restrictedItem(std::string_view weapon, std::string_view meansOfDeath,
                           const std::vector<std::string>& flags);

} // namespace corvane
