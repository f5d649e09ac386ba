#pragma once
// The in-game commands in one piece, for the App to own and wire: the
// reasons, the sanctions, reserved slots and the dispatcher.

#include "commands/commandports.h"
#include "commands/dispatcher.h"
#include "commands/reasons.h"
#include "commands/reservedslots.h"
#include "commands/sanctions.h"

#include <functional>

namespace corvane {

class ActivityLog;
class AppPaths;
class EventLoop;
class Players;
class RconQueue;
class Settings;
class SlotTable;

struct CommandsContext {
    EventLoop& loop;
    const AppPaths& paths;
    Settings& settings;
    SlotTable& slots;
    RconQueue& queue;
    ActivityLog& log;
    Players& players;
    MapCommands& maps;
    CommandHost& host;
    // Asks for a status poll now (reserved slots choose on fresh data).
    std::function<void()> requestStatus;
};

class Commands {
public:
    explicit Commands(const CommandsContext& context);
    Commands(const Commands&) = delete;
    Commands& operator=(const Commands&) = delete;

    Reasons reasons;
    Sanctions sanctions;
    ReservedSlots reserved;
    CommandDispatcher dispatcher;
};

} // namespace corvane
