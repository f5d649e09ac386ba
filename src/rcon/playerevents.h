#pragma once
// What the link tells the parts above it about players it sees. The App
// connects these to the player database, the groups and the name checks; any
// left unset does nothing.

#include <functional>
#include <string>

namespace corvane {

struct PlayerHooks {
    // A player was seen in a slot: store or update him, greet him.
    std::function<void(const std::string& name, const std::string& guid, const std::string& slot)>
        CheckPlayerDB;
    // The player's group name from the player database.
    std::function<std::string(const std::string& guid)> CheckAdminGroup;
    // Name checks on a newly seen player (name, slot, GUID); true when they
    // remove him.
    using NameCheck = std::function<bool(const std::string& name, const std::string& slot,
                                         const std::string& guid)>;
    NameCheck CheckBadNames;
    NameCheck CheckBadxBox;
    // The default group's name, for counting administrators.
    std::function<std::string()> defaultGroupName;
    // The player-log view is refreshed after a status parse ("Auto Update").
    std::function<void()> refreshPlayerLog;
    // Reserved slots waiting to be opened start their timer after a parse.
    std::function<void()> statusParsed;
};

} // namespace corvane
