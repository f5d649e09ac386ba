#include "players/players.h"

namespace corvane {

Players::Players(Settings& settings, SlotTable& slots, OnlineGrid& grid, RconQueue& queue,
                 ActivityLog& log, const AppPaths& paths, const Ports& ports,
                 CriticalErrors& errors, const ReasonTexts& reasons, const GreetingGate& gate)
    : lookup(slots, queue, reasons),
      groups(settings, slots, grid, queue, log, paths, ports.loop, store, lookup, errors),
      playerLog(store, groups, slots, settings, log),
      database(store, groups, playerLog, settings, slots, grid, queue, log, paths, ports.clock,
               ports.prompts, gate),
      editor(groups, playerLog, grid, ports.prompts) {}

} // namespace corvane
