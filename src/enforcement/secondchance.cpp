#include "enforcement/secondchance.h"

#include "core/activitylog.h"
#include "core/gametext.h"
#include "core/modsettings.h"
#include "core/numbers.h"
#include "enforcement/combatline.h"
#include "enforcement/weaponrestrictions.h"
#include "enforcement/weapontable.h"
#include "rcon/rconqueue.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace corvane {
namespace {

constexpr std::size_t kSecondChanceWarnMode = 7;
constexpr std::size_t kSecondChanceKickMode = 8;
constexpr int kFirstDamageGap = 6;

bool inSlotRange(int slot) {
    return slot >= 0 && slot < SlotTable::kSlots;
}

} // namespace

SecondChance::SecondChance(const ModSettings& mod, ActivityLog& log, RconQueue& queue,
                           WeaponRestrictions& weapons, std::function<bool()> firstBatchDone)
    : m_mod(mod), m_log(log), m_queue(queue), m_weapons(weapons),
      m_firstBatchDone(std::move(firstBatchDone)) {
    if (!m_firstBatchDone) throw std::invalid_argument("SecondChance needs firstBatchDone");
    ClearHP();
}

bool SecondChance::detecting() const {
    return CheckMasterList(m_mod.WeaponFlags, kSecondChanceFlag) && m_firstBatchDone();
}

void SecondChance::SetMaxHealth(std::int32_t playlist) {
    const bool hardcore = (playlist >= 9 && playlist <= 17) || playlist == 30;
    m_maxHealth = hardcore ? 30 : 100;
}

void SecondChance::ClearHP() {
    m_health.fill(m_maxHealth);
    m_flagged.fill(false);
    m_lastDamageStamp.fill(std::nullopt);
}

bool SecondChance::readHit(const CombatLine& line, std::optional<Hit>& hit) const {
    hit.reset();
    const auto slot = toInt16(line.victimSlot);
    if (!slot) return false;
    if (line.victimName.empty() || !inSlotRange(*slot)) return true;
    const auto seconds = stampSeconds(line.stamp);
    const auto damage = toInt32(line.damage);
    if (!seconds || !damage) return false;
    hit = Hit{*slot, *seconds, *damage};
    return true;
}

void SecondChance::AlphaD(const std::string& line) {
    const auto split = splitCombatLine(line);
    if (!split) return;
    const auto attacker = toInt16(split->attackerSlot);
    if (!attacker) return;
    std::optional<Hit> hit;
    const bool tracking = detecting();
    if (tracking && !readHit(*split, hit)) return;

    m_weapons.check(*split, *attacker);
    if (hit) takeDamage(*hit, *split);
}

void SecondChance::AlphaKill(const std::string& line) {
    const auto split = splitCombatLine(line);
    if (!split) return;
    const auto attacker = toInt16(split->attackerSlot);
    if (!attacker) return;
    const bool tracking = CheckMasterList(m_mod.WeaponFlags, kSecondChanceFlag);
    const auto victim = toInt16(split->victimSlot);
    if (tracking && !victim) return;

    m_weapons.check(*split, *attacker);
    // The victim's life ended: his next damage starts from full health.
    if (tracking && inSlotRange(*victim)) {
        const auto i = static_cast<std::size_t>(*victim);
        m_flagged[i] = false;
        m_health[i] = m_maxHealth;
    }
}

int SecondChance::SubtrackTime(std::int32_t seconds, int slot) {
    std::optional<std::int32_t>& last = m_lastDamageStamp.at(static_cast<std::size_t>(slot));
    const std::optional<std::int32_t> previous = last;
    last = seconds;
    if (!previous) return kFirstDamageGap;
    // A stamp before the last one: the server restarted its clock since.
    if (seconds < *previous) return std::numeric_limits<std::int16_t>::max();
    return static_cast<int>(std::min<std::int64_t>(std::int64_t{seconds} - *previous,
                                                   std::numeric_limits<std::int16_t>::max()));
}

void SecondChance::takeDamage(const Hit& hit, const CombatLine& line) {
    const auto i = static_cast<std::size_t>(hit.slot);
    if (SubtrackTime(hit.seconds, hit.slot) >= kRecoverySeconds) m_health[i] = m_maxHealth;
    const std::int64_t left = std::int64_t{m_health[i]} - hit.damage;
    m_health[i] = static_cast<int>(std::clamp<std::int64_t>(left, std::numeric_limits<int>::min(),
                                                            std::numeric_limits<int>::max()));
    if (m_health[i] >= 0 || m_flagged[i]) return;

    m_flagged[i] = true;
    m_health[i] = m_maxHealth;
    sanction(hit.slot, line);
}

void SecondChance::sanction(int slot, const CombatLine& line) {
    SlotWarnings& warnings = m_weapons.warnings();
    const std::int16_t limit = m_mod.MaxWarns;
    if (limit != 0) {
        if (warnings.handled(slot)) return;
        const std::int16_t count = warnings.record(slot);
        if (count <= limit) {
            warn(slot, line, count);
            return;
        }
    }
    kick(slot, line);
}

void SecondChance::warn(int slot, const CombatLine& line, std::int16_t count) {
    const std::string limit = decimal(m_mod.MaxWarns);
    const std::string message = "^1Warning ^2" + neutralize(line.victimName) +
                                ", ^1Reason: ^2Second Chance is not allowed! [Warning ^1" +
                                decimal(count) + " ^2of " + limit + "]";
    const auto slotNo = static_cast<std::int16_t>(slot);
    if (m_mod.AnnounceMode[kSecondChanceWarnMode] != 0)
        m_queue.List3A("tell " + decimal(slot) + " ^2PM: " + message, slotNo, line.victimGUID);
    else
        m_queue.List3A("say " + message, slotNo, line.victimGUID);
    m_log.SMS("Warning " + line.victimName + " [Slot " + decimal(slot) +
              "] for Second Chance - [Warning " + decimal(count) + " of " + limit + "]");
}

void SecondChance::kick(int slot, const CombatLine& line) {
    // The kick goes first; its announcement is not tied to the player.
    m_queue.List3A("clientkick " + decimal(slot) + " Second Chance is not allowed!\"",
                   static_cast<std::int16_t>(slot), line.victimGUID);
    if (m_mod.AnnounceMode[kSecondChanceKickMode] == 0)
        m_queue.pushBack("say ^1Auto Kicking player: ^2" + neutralize(line.victimName) +
                         " ^1Reason: ^2Second Chance is not allowed!");
    m_log.SMS("Autokicking " + line.victimName + " [Slot " + decimal(slot) + "] for Second Chance");
    m_weapons.warnings().reset(slot);
}

} // namespace corvane
