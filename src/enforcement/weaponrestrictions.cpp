#include "enforcement/weaponrestrictions.h"

#include "core/activitylog.h"
#include "core/gametext.h"
#include "core/modsettings.h"
#include "core/numbers.h"
#include "enforcement/combatline.h"
#include "enforcement/weapontable.h"
#include "rcon/rconqueue.h"

namespace corvane {
namespace {

constexpr std::size_t kWeaponWarnMode = 4;
constexpr std::size_t kWeaponKickMode = 5;

} // namespace

void WeaponRestrictions::WeaponCheck(const std::string& line) {
    const auto split = splitCombatLine(line);
    if (!split) return;
    const auto attacker = toInt16(split->attackerSlot);
    if (attacker) check(*split, *attacker);
}

void WeaponRestrictions::check(const CombatLine& line, int attackerSlot) {
    if (attackerSlot < 0 || attackerSlot >= SlotTable::kSlots) return;
    if (m_warnings.handled(attackerSlot)) return;
    const std::string item = restrictedItem(line.weapon, line.meansOfDeath, m_mod.WeaponFlags);
    if (item.empty()) return;
    const std::int16_t count = m_warnings.record(attackerSlot);
    if (count <= m_mod.MaxWarns)
        warn(attackerSlot, line, item, count);
    else
        kick(attackerSlot, line, item);
}

void WeaponRestrictions::warn(int slot, const CombatLine& line, const std::string& item,
                              std::int16_t count) {
    const std::string player = neutralize(line.attackerName);
    const std::string tally =
        " [Warning ^1" + decimal(count) + " ^2of " + decimal(m_mod.MaxWarns) + "]";
    const std::string message =
        "^1Warning ^2" + player + ", ^1Reason: ^2" + item + " is not allowed!" + tally;
    const auto slotNo = static_cast<std::int16_t>(slot);
    if (m_mod.AnnounceMode[kWeaponWarnMode] != 0)
        m_queue.List3A("tell " + decimal(slot) + " ^2PM: " + message, slotNo, line.attackerGUID);
    else
        m_queue.List3A("say " + message, slotNo, line.attackerGUID);
    m_log.SMS("Warning " + line.attackerName + ", for using: ^2" + item + tally);
}

void WeaponRestrictions::kick(int slot, const CombatLine& line, const std::string& item) {
    m_warnings.reset(slot);
    m_log.SMS("Kicking " + line.attackerName + ", for using: ^2" + item);
    if (m_mod.AnnounceMode[kWeaponKickMode] == 0)
        m_queue.pushBack("say ^1Kicking ^2" + neutralize(line.attackerName) + ", ^1Reason: ^2" +
                         item + " is not allowed!");
    m_queue.List3A("clientkick " + decimal(slot) + "  " + item +
                       " is not allowed on this server!\"",
                   static_cast<std::int16_t>(slot), line.attackerGUID);
}

} // namespace corvane
