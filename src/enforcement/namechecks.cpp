#include "enforcement/namechecks.h"

#include "core/activitylog.h"
#include "core/gametext.h"
#include "core/numbers.h"
#include "rcon/rconqueue.h"
#include "rcon/slottable.h"

namespace corvane {

bool isUnknownSoldier(std::string_view name) {
    return name.starts_with("Unknown Soldier");
}

bool hasConsoleMark(std::string_view name) {
    return name.find_first_of("\xBD\xBC") != std::string_view::npos;
}

bool NameChecks::CheckBadNames(const std::string& name, const std::string& slot,
                               const std::string& guid) {
    return removeIf(isUnknownSoldier(name), name, slot, guid);
}

bool NameChecks::CheckBadxBox(const std::string& name, const std::string& slot,
                              const std::string& guid) {
    return removeIf(hasConsoleMark(name), name, slot, guid);
}

bool NameChecks::removalQueued(const std::string& kickLine, const std::string& guid) const {
    for (std::size_t i = 0; i < m_queue.size(); ++i) {
        const RconEntry& entry = m_queue.at(i);
        if (entry.line == kickLine && (!entry.bound() || entry.guid == guid)) return true;
    }
    return false;
}

bool NameChecks::removeIf(bool invalid, const std::string& name, const std::string& slotText,
                          const std::string& guid) {
    if (!invalid) return false;
    const auto slot = SlotTable::slotIndex(slotText);
    if (!slot) return false;
    const std::string kickLine = "clientkick " + decimal(*slot) + " " + kKickReason + "\"";
    if (removalQueued(kickLine, guid)) return true;
    m_queue.List3A(kickLine, static_cast<std::int16_t>(*slot), guid);
    m_log.SMS("Removing player from slot " + decimal(*slot) + " with invalid steam name");
    m_queue.pushBack("say ^1Removing player " + neutralize(name) + " for invalid steam name");
    return true;
}

} // namespace corvane
