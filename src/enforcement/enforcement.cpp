#include "enforcement/enforcement.h"

#include "core/settings.h"

namespace corvane {

Enforcement::Enforcement(const AppPaths& paths, Settings& settings, ActivityLog& log,
                         RconQueue& queue, const SlotTable& slots, EventLoop& loop,
                         std::function<bool()> firstBatchDone)
    : language(paths, settings.mod, log, queue, slots, loop), weapons(settings.mod, log, queue),
      weaponLists(settings),
      secondChance(settings.mod, log, queue, weapons, std::move(firstBatchDone)),
      names(log, queue) {}

void Enforcement::newBatch() {
    language.newBatch();
    weapons.warnings().newBatch();
}

void Enforcement::resetWarnings(int slot) {
    if (slot < 0 || slot >= SlotTable::kSlots) return;
    language.resetWarnings(slot);
    weapons.warnings().reset(slot);
}

} // namespace corvane
