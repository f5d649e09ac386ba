#include "enforcement/weapontable.h"

#include <array>

namespace corvane {
namespace {

constexpr WeaponRow kRows[] = {
    // Submachine guns
    {0, "mp5k", "MP5k"},
    {1, "skorpion", "Skorpion"},
    {2, "mac11", "MAC11"},
    {3, "ak74u", "Ak74u"},
    {4, "uzi", "Uzi"},
    {5, "pm63", "PM63"},
    {6, "mpl", "MPL"},
    {7, "spectre", "Spectre"},
    {8, "kiparis", "Kiparis"},
    // Assault rifles
    {9, "m16", "M16"},
    {10, "enfield", "Enfield"},
    {11, "m14", "M14"},
    {12, "famas", "Famas"},
    {13, "galil", "Galil"},
    {14, "aug", "AUG"},
    {15, "fnfal", "FN-FAL"},
    {16, "ak47", "Ak47"},
    {17, "commando", "Commando"},
    {18, "g11", "G11"},
    // Shotguns
    {19, "olympia", "Olympia"},
    {20, "stakeout", "Stakeout"},
    {21, "spas", "Spas"},
    {22, "hs10", "HS10"},
    // LMGs
    {23, "hk21", "Hk21"},
    {24, "rpk", "RPK"},
    {25, "m60", "M60"},
    {26, "stoner63", "Stoner"},
    // Sniper rifles
    {27, "dragunov", "Dragunov"},
    {28, "wa2000", "WA2000"},
    {29, "l96a1", "L96A1"},
    {30, "psg1", "PSG1"},
    // Pistols
    {31, "asp", "ASP"},
    {32, "m1911", "M1911"},
    {33, "makarov", "Makarov"},
    {34, "python", "Python"},
    {35, "CZ75", "CZ75"},
    // Launchers and specials
    {36, "law", "LAW"},
    {37, "rpg", "RPG"},
    {38, "strela", "Strela"},
    {39, "china", "China Lake"},
    {40, "knife_ballistic", "Ballistic Knife (Melee)", "MOD_MELEE"},
    {41, "knife_ballistic", "Ballistic Knife (Projectile)", "MOD_PISTOL_BULLET"},
    {41, "knife_ballistic", "Ballistic Knife (Projectile)", "MOD_HEAD_SHOT"},
    {42, "crossbow", "Crossbow"},
    {42, "explosive_bolt_mp", "Crossbow"},
    // Attachments
    {43, "gl_", "Grenade Launcher"},
    {44, "mk_", "Masterkey"},
    {45, "ft_", "Flamethrower"},
    {46, "dw_", "Dual Wield"},
    {47, "_dualclip", "Dual Mags"},
    {48, "_extclip", "Extended Mags"},
    {49, "_silencer", "Silencer"},
    {50, "_elbit", "Red Dot Sight"},
    {51, "_acog", "ACOG Scope"},
    {52, "_reflex", "Reflex Sight"},
    {53, "_lps", "Low Power Scope"},
    {54, "_vzoom", "Variable Zoom"},
    {55, "_auto", "Full Auto Pistols"},
    {56, "_speed", "Speed Reloader"},
    {57, "_snub", "Snub Nose"},
    {58, "_grip", "Grip"},
    {59, "_upgradesight", "Upgraded Iron Sights"},
    {60, "_ir", "IR Scope"},
    {61, "_rf", "Rapid Fire"},
    // Killstreaks
    {62, "rcbomb", "RCXD"},
    {63, "napalm_", "Napalm Strike"},
    {64, "autoturret", "Sentry Gun"},
    {65, "mortar_", "Mortar Team"},
    {66, "cobra_", "Attack Helicopter"},
    {67, "m220_tow_mp", "Valkyrie Rockets"},
    {68, "airstrike_mp", "Rolling Thunder"},
    {69, "huey_", "Chopper Gunner"},
    {70, "hind_", "Gunship"},
    {71, "dog_", "Attack Dogs"},
    {72, "m202_flash", "Grim Reaper"},
    {73, "minigun", "Death Machine"},
    // Equipment and other (74, Second Chance, has no row)
    {75, "knife_mp", "Knife"},
    {76, "frag_grenade", "Frag Grenade"},
    {77, "sticky_", "Semtex"},
    {78, "hatchet_", "Tomahawk"},
    {79, "willy_pete", "Willy Pete"},
    {80, "flash_grenade", "Flashbang"},
    {81, "concussion_", "Concussion Grenade"},
    {82, "tabun_gas", "Nova gas"},
    {83, "nightingale", "Decoy Grenade"},
    {84, "claymore", "Claymore"},
    {85, "c4_mp", "C4"},
};

constexpr WeaponCategory kCategories[] = {
    {"Submachine Guns", 0, 8},
    {"Assault Rifles", 9, 18},
    {"Shotguns", 19, 22},
    {"LMGs", 23, 26},
    {"Sniper Rifles", 27, 30},
    {"Pistols", 31, 35},
    {"Launchers and Specials", 36, 42},
    {"Attachments", 43, 61},
    {"Killstreaks", 62, 73},
    {"Equipment and Other", 74, 85},
};

constexpr std::array<std::string_view, kWeaponFlagCount> kEntryCaptions = {
    // Submachine guns
    "MPK", "Skorpion", "MAC11", "AK74u", "Uzi", "PM63", "MPL", "Spectre", "Kiparis",
    // Assault rifles
    "M16", "Enfield", "M14", "Famas", "Galil", "AUG", "FN FAL", "AK47", "Commando", "G11",
    // Shotguns
    "Olympia", "Stakeout", "Spas-12", "HS10",
    // LMGs
    "HK21", "RPK", "M60", "Stoner63",
    // Sniper rifles
    "Dragunov", "WA2000", "L96A1", "PSG1",
    // Pistols
    "ASP", "M1911", "Makarov", "Python", "CZ75",
    // Launchers and specials
    "M72 LAW", "RPG", "Strela-3", "China Lake", "Ballistic Knife Melee", "Ballistic Knife Shoot",
    "Crossbow",
    // Attachments
    "Nade Launcher", "Masterkey", "Flamethrower", "Dual Wield", "Dual Mags", "Extended Mags",
    "Silencer", "Red Dot Sight", "ACOG Scope", "Reflex Sight", "Low Power Scope", "Variable Zoom",
    "Full Auto", "Speed Reloader", "Snub Nose", "Grip", "Upgraded Iron Sights", "IR Scope",
    "Rapid Fire",
    // Killstreaks
    "RC-XD", "Napalm Strike", "Sentry Gun", "Mortar Team", "Attack Helicopter", "Valkyrie Rockets",
    "Rolling Thunder", "Chopper Gunner", "Gunship", "Attack Dogs", "Grim Reaper", "Death Machine",
    // Equipment and other
    "Second Chance", "Knife", "Nade", "Semtex", "Tomahawk", "Smoke", "Flash", "Concussion",
    "Nova Gas", "Decoy", "Claymore", "C4"};

} // namespace

std::span<const WeaponRow> weaponRows() {
    return kRows;
}

std::span<const WeaponCategory> weaponCategories() {
    return kCategories;
}

std::string_view weaponEntryCaption(int flag) {
    if (flag < 0 || flag >= kWeaponFlagCount) return {};
    return kEntryCaptions[static_cast<std::size_t>(flag)];
}

bool CheckMasterList(const std::vector<std::string>& flags, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < flags.size() &&
           flags[static_cast<std::size_t>(index)] == "1";
}

std::string restrictedItem(std::string_view weapon, std::string_view meansOfDeath,
                           const std::vector<std::string>& flags) {
    std::string_view found;
    for (const WeaponRow& row : kRows) {
        if (weapon.find(row.code) == std::string_view::npos) continue;
        if (!row.meansOfDeath.empty() && row.meansOfDeath != meansOfDeath) continue;
        if (CheckMasterList(flags, row.flag)) found = row.name;
    }
    return std::string(found);
}

} // namespace corvane
