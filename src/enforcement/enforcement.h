#pragma once
// The automatic enforcement in one piece, for the App to own and wire: the
// language filter, the weapon restrictions with their tab lists, the
// second-chance detection and the name checks.

#include "enforcement/languagefilter.h"
#include "enforcement/namechecks.h"
#include "enforcement/secondchance.h"
#include "enforcement/weaponlists.h"
#include "enforcement/weaponrestrictions.h"

#include <functional>

namespace corvane {

class ActivityLog;
class AppPaths;
class EventLoop;
class RconQueue;
class Settings;
class SlotTable;

class Enforcement {
public:
    // firstBatchDone: whether the first batch of log lines since start-up has
    // been handled (second chance waits for it); required.
    Enforcement(const AppPaths& paths, Settings& settings, ActivityLog& log, RconQueue& queue,
                const SlotTable& slots, EventLoop& loop, std::function<bool()> firstBatchDone);
    Enforcement(const Enforcement&) = delete;
    Enforcement& operator=(const Enforcement&) = delete;

    // The start of every batch of log lines: each family of checks may act on
    // a slot once again.
    void newBatch();
    // A new player is registered in the slot: his warnings start from zero.
    void resetWarnings(int slot);

    LanguageFilter language;
    WeaponRestrictions weapons;
    WeaponLists weaponLists;
    SecondChance secondChance;
    NameChecks names;
};

} // namespace corvane
