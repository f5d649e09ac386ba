#include "gamesim/core/lively.h"

#include "gamesim/core/text.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace gamesim {
namespace {

// Names as players pick them: blanks, colour codes, clan tags, a name the
// server gives to players without one, and one with a byte above 0x7F.
constexpr std::array<std::string_view, 20> kBots = {
    "Viper",      "Big Bad Wolf",    "^1Red^7Baron",  "[TAG]Sniper", "Ghost",
    "xXSlayerXx", "Doc Holliday",    "Nova",          "Kilo 1-1",    "Maverick",
    "Tango",      "Lemon",           "Bravo Six",     "Echo",        "Frost",
    "^3Sunny",    "Unknown Soldier", "Half\\xBDLife", "Mad Hatter",  "Pixel"};

constexpr std::array<std::string_view, 14> kChat = {"gg",
                                                    "nice shot",
                                                    "lol",
                                                    "who is camping at B?",
                                                    "rush A!",
                                                    "lag again...",
                                                    "thanks",
                                                    "wp",
                                                    "brb",
                                                    "anyone for a clan match later?",
                                                    "this map again?",
                                                    "need a medic; oh wait",
                                                    "\"quoted\" text",
                                                    "ez"};
constexpr std::array<std::string_view, 9> kCommands = {
    "!rules", "!nextmap", "!uptime", "!pl", "!me", "!admincheck", "!groups", "!cmd", "!skip"};
constexpr std::array<std::string_view, 4> kRude = {"you noob", "shut up idiot", "stfu",
                                                   "damn camper"};

struct Weapon {
    std::string_view name;
    std::string_view means;
};
constexpr std::array<Weapon, 20> kWeapons = {{
    {"ak47_mp", "MOD_RIFLE_BULLET"},
    {"famas_reflex_mp", "MOD_RIFLE_BULLET"},
    {"m16_acog_mp", "MOD_RIFLE_BULLET"},
    {"mp5k_mp", "MOD_PISTOL_BULLET"},
    {"ak74u_mp", "MOD_PISTOL_BULLET"},
    {"spas_mp", "MOD_PISTOL_BULLET"},
    {"l96a1_vzoom_mp", "MOD_HEAD_SHOT"},
    {"m1911_mp", "MOD_PISTOL_BULLET"},
    {"galil_mp", "MOD_RIFLE_BULLET"},
    {"commando_mp", "MOD_HEAD_SHOT"},
    {"knife_mp", "MOD_MELEE"},
    {"frag_grenade_mp", "MOD_GRENADE_SPLASH"},
    {"hk21_mp", "MOD_RIFLE_BULLET"},
    {"aug_mp", "MOD_RIFLE_BULLET"},
    // Less welcome on many servers:
    {"ak47_gl_mp", "MOD_GRENADE_SPLASH"},
    {"rpg_mp", "MOD_PROJECTILE_SPLASH"},
    {"china_lake_mp", "MOD_GRENADE_SPLASH"},
    {"m202_flash_mp", "MOD_PROJECTILE_SPLASH"},
    {"knife_ballistic_mp", "MOD_PISTOL_BULLET"},
    {"minigun_mp", "MOD_RIFLE_BULLET"},
}};
constexpr std::array<std::string_view, 6> kLocations = {
    "head", "neck", "torso_upper", "torso_lower", "left_arm_upper", "right_leg_lower"};

template <typename T, std::size_t N> const T& pick(const std::array<T, N>& items, Random& random) {
    return items[static_cast<std::size_t>(random.below(static_cast<int>(N)))];
}

int pickSlot(const std::vector<int>& slots, Random& random) {
    return slots[static_cast<std::size_t>(random.below(static_cast<int>(slots.size())))];
}

std::string say(bool team, int slot, std::string_view text) {
    return std::string(team ? "teamchat " : "chat ") + std::to_string(slot) + " " +
           std::string(text);
}

} // namespace

std::string LivelyDirector::joinSomeone(const GameServer& game, Random& random) const {
    std::vector<std::string_view> away;
    for (std::string_view bot : kBots) {
        bool online = false;
        for (int slot : game.playerSlots())
            online = online || game.player(slot)->name == decodeEscapes(bot);
        if (!online) away.push_back(bot);
    }
    if (away.empty()) return {};
    return "join " +
           std::string(away[static_cast<std::size_t>(random.below(static_cast<int>(away.size())))]);
}

std::vector<std::string> LivelyDirector::fight(const GameServer& game, Random& random) const {
    const std::vector<int> slots = game.playerSlots();
    if (slots.size() < 2) return {};
    const int count = static_cast<int>(slots.size());
    const int a = random.below(count);
    int v = random.below(count - 1);
    if (v >= a) ++v;
    const int attacker = slots[static_cast<std::size_t>(a)];
    const int victim = slots[static_cast<std::size_t>(v)];
    const Weapon& weapon = pick(kWeapons, random);
    const std::string who = std::to_string(attacker) + " " + std::to_string(victim);
    const std::string how =
        " weapon=" + std::string(weapon.name) + " mod=" + std::string(weapon.means);
    std::vector<std::string> out;
    int left = 100;
    for (int hits = random.below(3); hits > 0; --hits) {
        const int amount = 15 + random.below(40);
        left -= amount;
        out.push_back("damage " + who + " " + std::to_string(amount) + how +
                      " loc=" + std::string(pick(kLocations, random)));
    }
    out.push_back("kill " + who + how + " loc=" + std::string(pick(kLocations, random)) +
                  " damage=" + std::to_string(std::max(left, 1 + random.below(30))));
    return out;
}

std::vector<std::string> LivelyDirector::tick(const GameServer& game, Random& random) {
    ++m_ticks;
    if (!game.matchRunning()) return {"match start"};
    if (m_ticks % kMatchTicks == 0) return {"match end"};

    const std::vector<int> slots = game.playerSlots();
    const int room = game.maxClients() - 2;
    if (static_cast<int>(slots.size()) < 3 && static_cast<int>(slots.size()) < room) {
        const std::string join = joinSomeone(game, random);
        if (!join.empty()) return {join};
    }
    if (slots.empty()) return {};

    const int roll = random.below(100);
    if (roll < 30) return fight(game, random);
    const int speaker = pickSlot(slots, random);
    if (roll < 50) return {say(false, speaker, pick(kChat, random))};
    if (roll < 58) return {say(true, speaker, pick(kChat, random))};
    if (roll < 64) return {say(false, speaker, pick(kCommands, random))};
    if (roll < 67) return {say(false, speaker, pick(kRude, random))};
    if (roll < 75 && static_cast<int>(slots.size()) < std::min(room, 10)) {
        const std::string join = joinSomeone(game, random);
        if (!join.empty()) return {join};
        return {};
    }
    if (roll < 80 && slots.size() > 3) return {"quit " + std::to_string(speaker)};
    if (roll < 84) {
        std::vector<std::string> hit = fight(game, random);
        if (hit.size() > 1) hit.pop_back(); // wounded, not killed
        return hit;
    }
    if (roll < 87)
        return {"kill world " + std::to_string(speaker) + " weapon=none mod=MOD_FALLING loc=none"};
    return {};
}

} // namespace gamesim
