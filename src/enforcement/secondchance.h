#pragma once
// Second-chance detection. The log does not say when a player uses the
// "Second Chance" perk, so his remaining health is tracked from the damage
// lines of one batch: a player who takes more than his full health without a
// kill line ending his life is taken to be using it, and is warned and kicked
// like a restricted weapon (same count, same limit). Also the health tables
// reset after every batch, and the full health of the current playlist.

#include "enforcement/slotstate.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace corvane {

class ActivityLog;
class RconQueue;
class WeaponRestrictions;
struct CombatLine;
struct ModSettings;

class SecondChance {
public:
    static constexpr int kUnknownPlaylistHealth = 500;
    // A gap of this many seconds or more since the last damage restores health.
    static constexpr int kRecoverySeconds = 5;

    // firstBatchDone: whether the first batch of log lines since start-up has
    // been handled; required.
    SecondChance(const ModSettings& mod, ActivityLog& log, RconQueue& queue,
                 WeaponRestrictions& weapons, std::function<bool()> firstBatchDone);

    // Every damage line and every kill line; each first goes through the
    // weapon check. A line whose fields cannot be read is abandoned whole,
    // without any warning or kick.
    void AlphaD(const std::string& line);
    void AlphaKill(const std::string& line);

    // From the playlist number: 30 for playlists 9 to 17 and 30, else 100.
    void SetMaxHealth(std::int32_t playlist);
    // Until the playlist is known (start-up).
    void resetMaxHealth() { m_maxHealth = kUnknownPlaylistHealth; }
    int MaxHealth() const { return m_maxHealth; }
    // Full health, no flag and no stamp for every slot.
    void ClearHP();

    int SlotHealth(int slot) const { return m_health.at(static_cast<std::size_t>(slot)); }
    bool SecondChanceFlagged(int slot) const {
        return m_flagged.at(static_cast<std::size_t>(slot));
    }

private:
    struct Hit {
        int slot;
        std::int32_t seconds;
        std::int32_t damage;
    };
    // The victim part of a damage line: none when there is no victim to track
    // (the world, a slot outside 0..50); false when a field cannot be read.
    bool readHit(const CombatLine& line, std::optional<Hit>& hit) const;
    bool detecting() const;
    // Seconds since the slot's last damage (6 for its first), and the new stamp kept.
    int SubtrackTime(std::int32_t seconds, int slot);
    void takeDamage(const Hit& hit, const CombatLine& line);
    void sanction(int slot, const CombatLine& line);
    void warn(int slot, const CombatLine& line, std::int16_t count);
    void kick(int slot, const CombatLine& line);

    const ModSettings& m_mod;
    ActivityLog& m_log;
    RconQueue& m_queue;
    WeaponRestrictions& m_weapons;
    std::function<bool()> m_firstBatchDone;

    int m_maxHealth = kUnknownPlaylistHealth;
    PerSlot<int> m_health{};
    PerSlot<bool> m_flagged{};
    PerSlot<std::optional<std::int32_t>> m_lastDamageStamp{}; // seconds
};

} // namespace corvane
