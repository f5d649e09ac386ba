#include "players/players.h"

#include "core/settings.h"

namespace corvane {

Players::Players(Settings& settings, SlotTable& slots, OnlineGrid& grid, RconQueue& queue,
                 ActivityLog& log, const AppPaths& paths, const Ports& ports, bool& criticalError)
    : lookup(slots, queue,
             [this](int number) { return hooks.reasons ? hooks.reasons(number) : std::string(); }),
      groups(settings, slots, grid, queue, log, paths, ports.loop, store, lookup, criticalError,
             GroupHooks{
                 [this] {
                     if (hooks.SendCError) hooks.SendCError();
                 },
                 [this] {
                     if (hooks.InputLists) hooks.InputLists();
                 },
                 [this](std::int32_t ms) {
                     if (hooks.applyPumpInterval) hooks.applyPumpInterval(ms);
                 },
                 [this] {
                     if (hooks.markPlayerLogForRefresh) hooks.markPlayerLogForRefresh();
                 },
             }),
      playerLog(store, groups, slots, settings, log,
                [this] {
                    if (hooks.Command8_Click) hooks.Command8_Click();
                }),
      database(store, groups, playerLog, settings, slots, grid, queue, log, paths, ports.clock,
               ports.prompts,
               PlayerDatabaseHooks{
                   [this] { return hooks.FirstBatchDone && hooks.FirstBatchDone(); },
                   [this](int slot) {
                       if (hooks.resetWarnings) hooks.resetWarnings(slot);
                   },
               }),
      editor(groups, playerLog, grid, ports.prompts, [this] {
          if (hooks.statusPollSoon) hooks.statusPollSoon();
      }) {}

PlayerHooks Players::linkHooks() {
    PlayerHooks link;
    link.CheckPlayerDB = [this](const std::string& name, const std::string& guid,
                                const std::string& slot) {
        database.CheckPlayerDB(name, guid, slot);
    };
    link.CheckAdminGroup = [this](const std::string& guid) { return groups.CheckAdminGroup(guid); };
    link.defaultGroupName = [this] { return groups.table.DefaultGroupName; };
    link.refreshPlayerLog = [this] { playerLog.refresh(); };
    return link;
}

} // namespace corvane
