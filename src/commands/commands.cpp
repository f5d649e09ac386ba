#include "commands/commands.h"

#include "core/settings.h"
#include "players/players.h"

namespace corvane {

Commands::Commands(const CommandsContext& c)
    : reasons(c.paths),
      sanctions(c.players.lookup, c.settings, c.players.groups, reasons, c.queue, c.log),
      reserved(c.loop, c.slots, c.settings, c.players.groups.table, c.queue, c.log,
               c.requestStatus),
      dispatcher(c.queue, c.slots, c.players.groups, sanctions, reserved, c.maps, c.host) {}

} // namespace corvane
